#include "ui/keys/CatalogueKeys.h"

const char16_t* MessageKindKey(MessageKind kind) {
  switch (kind) {
    case KindEditorParName:
      return u"EditorParNameMSGType";
    case KindGameParName:
      return u"GameParNameMSGType";
    case KindStandartCritical:
      return u"StandartCriticalMSGType";
    case KindOutsidePar:
      return u"OutsideParMSGType";
    case KindSuccessGov:
      return u"SuccessGovMSGType";
    case KindMissionGov:
      return u"MissionGovMSGType";
    case KindLocationText:
      return u"LocationTextMSGType";
    case KindPathQuestion:
      return u"PathQuestionMSGType";
    case KindPathText:
      return u"PathTextMSGType";
    case KindCustomCritical:
      return u"CustomCriticalMSGType";
    case KindParViewString:
      return u"ParViewStringMSGType";
  }
  return nullptr;
}

const std::vector<std::u16string>& CatalogueKeys() {
  static const std::vector<std::u16string> keys = [] {
    std::vector<std::u16string> list = {// captions at start-up
                                        u"NewProjectButtonHint",     u"LoadProjectButtonHint",
                                        u"SaveProjectButtonHint",    u"QuickSaveProjectButtonHint",
                                        u"ExportSourceBtnHint",      u"ExportTargetBtnHint",
                                        u"SourceMemoHint",           u"TargetMemoHint",
                                        u"MessagesListTrackBarHint", u"StatusLabelHint",
                                        u"MessageNumberLabelHint",   u"CopyImageHint",
                                        u"ClearImageHint",           u"SourceSaveDialogTitle",
                                        u"SourceOpenDialogTitle",    u"TargetSaveDialogTitle",
                                        u"ProjectOpenDialogTitle",   u"ProjectSaveDialogTitle",
                                        u"LoadMsgsOpenDialogTitle",  u"SaveMsgsSaveDialogTitle",
                                        u"LoadMsgsButtonHint",       u"SaveMsgsButtonHint",
                                        u"ForwardImageHint",         u"BackImageHint",
                                        u"FindNotEditedImageHint",   u"DefaultProgramTitle"};
    // status line: one text per kind of message, then the one for linked path questions
    for (int32_t kind = KindEditorParName; kind <= KindParViewString; ++kind)
      list.emplace_back(MessageKindKey(static_cast<MessageKind>(kind)));
    list.insert(
        list.end(),
        {u"EmptyPathLabelTitleAddon",
         // commands
         u"NewProjectProgramTitle", u"CommonProgramTitle", u"MessageDeletedMSG", u"CannotFindNotEditedMessage",
         // new location, new path
         u"LocationClassNewLocationName", u"LocationClassNewLocationText", u"PathClassStartPathMessage",
         // default texts of a new quest document
         u"GameContentQuestSuccessGovMessage", u"GameContentQuestDecription", u"GameContentQuestTargetName", u"RToStar",
         u"RParsec", u"RArtefact", u"RToPlanet", u"RDate", u"RMoney", u"RFromPLanet", u"RFromStar", u"RVagrel"});
    // message list, search, replace and context
    list.insert(list.end(),
                {u"ListDockTitle",       u"ContextDockTitle",  u"ListColumnPosition",  u"ListColumnId",
                 u"ListColumnKind",      u"ListColumnState",   u"ListColumnSource",    u"ListColumnTranslation",
                 u"StateUntranslated",   u"StateNeedsReview",  u"StateTranslated",     u"FilterAll",
                 u"FilterUntranslated",  u"FilterNeedsReview", u"FilterTranslated",    u"FilterWithProblems",
                 u"StateHasProblems",    u"SearchPlaceholder", u"SearchInBoth",        u"SearchInSource",
                 u"SearchInTranslation", u"SearchInId",        u"SearchCaseOption",    u"SearchWordsOption",
                 u"SearchRegexOption",   u"ListCountFormat",   u"FindAction",          u"FindNextAction",
                 u"FindPreviousAction",  u"ReplaceAction",     u"ListPanelAction",     u"ContextPanelAction",
                 u"ReplaceDialogTitle",  u"ReplaceFindLabel",  u"ReplaceWithLabel",    u"ReplaceShownOption",
                 u"ReplaceAllOption",    u"ReplaceButton",     u"ReplaceCloseButton",  u"ReplacePreviewFormat",
                 u"ContextSamePath",     u"ContextSameValue2", u"ContextSameLocation", u"ContextSameParameter"});
    return list;
  }();
  return keys;
}
