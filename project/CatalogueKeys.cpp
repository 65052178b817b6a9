#include "project/CatalogueKeys.h"

#include <unordered_map>

#include "support/JD_BlockPar.h"

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

const std::vector<std::u16string>& RequiredCatalogueKeys() {
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
    return list;
  }();
  return keys;
}

const std::vector<TAddedCatalogueKey>& AddedCatalogueKeys() {
  static const std::vector<TAddedCatalogueKey> keys = {
      // Message list, search, replace and context
      {u"ListDockTitle", u"Messages"},
      {u"ContextDockTitle", u"Context"},
      {u"ListColumnPosition", u"Position"},
      {u"ListColumnId", u"Id"},
      {u"ListColumnKind", u"Kind"},
      {u"ListColumnState", u"State"},
      {u"ListColumnSource", u"Source"},
      {u"ListColumnTranslation", u"Translation"},
      {u"StateUntranslated", u"untranslated"},
      {u"StateNeedsReview", u"needs review"},
      {u"StateTranslated", u"translated"},
      {u"FilterAll", u"All"},
      {u"FilterUntranslated", u"Untranslated"},
      {u"FilterNeedsReview", u"Needs review"},
      {u"FilterTranslated", u"Translated"},
      {u"FilterWithProblems", u"With problems"},
      {u"StateHasProblems", u"has problems"},
      {u"SearchPlaceholder", u"Search"},
      {u"SearchInBoth", u"Source and translation"},
      {u"SearchInSource", u"Source"},
      {u"SearchInTranslation", u"Translation"},
      {u"SearchInId", u"Id"},
      {u"SearchCaseOption", u"Match case"},
      {u"SearchWordsOption", u"Whole words"},
      {u"SearchRegexOption", u"Regular expression"},
      {u"ListCountFormat", u"%1 of %2"},
      {u"FindAction", u"Find"},
      {u"FindNextAction", u"Find next"},
      {u"FindPreviousAction", u"Find previous"},
      {u"ReplaceAction", u"Replace..."},
      {u"ListPanelAction", u"Message list"},
      {u"ContextPanelAction", u"Context"},
      {u"ReplaceDialogTitle", u"Replace in translations"},
      {u"ReplaceFindLabel", u"Find:"},
      {u"ReplaceWithLabel", u"Replace with:"},
      {u"ReplaceShownOption", u"In the shown message"},
      {u"ReplaceAllOption", u"In all messages"},
      {u"ReplaceButton", u"Replace"},
      {u"ReplaceCloseButton", u"Close"},
      {u"ReplacePreviewFormat", u"%1 translations will change"},
      {u"ContextSamePath", u"Same path"},
      {u"ContextSameValue2", u"Questions of paths with the same Value2"},
      {u"ContextSameLocation", u"Same location"},
      {u"ContextSameParameter", u"Same parameter"},
      // Menus
      {u"MenuFile", u"&File"},
      {u"MenuEdit", u"&Edit"},
      {u"MenuView", u"&View"},
      {u"MenuGo", u"&Go"},
      {u"MenuTools", u"&Tools"},
      {u"MenuHelp", u"&Help"},
      {u"MenuOpenRecent", u"Open &Recent"},
      {u"MenuNewProject", u"&New Project from Quest..."},
      {u"MenuOpenProject", u"&Open Project..."},
      {u"MenuSave", u"&Save"},
      {u"MenuSaveAs", u"Save &As..."},
      {u"MenuExportTranslated", u"Export &Translated Quest..."},
      {u"MenuExportSource", u"Export S&ource Quest..."},
      {u"MenuLoadMessages", u"&Load Messages..."},
      {u"MenuWriteMessages", u"&Write Messages..."},
      {u"MenuExportForTools", u"Export &for Translation Tools (PO, XLIFF)..."},
      {u"MenuImportFromTools", u"&Import from Translation Tools..."},
      {u"MenuQuit", u"&Quit"},
      {u"MenuUndo", u"&Undo"},
      {u"MenuRedo", u"&Redo"},
      {u"MenuCopySource", u"&Copy Source into Translation"},
      {u"MenuMarkDeleted", u"Mark as &Deleted"},
      {u"MenuToggleReview", u"Toggle Needs Re&view"},
      {u"MenuDoneAndNext", u"Done and &Next"},
      {u"MenuInsertSuggestion", u"Insert suggestion &%1"},
      {u"MenuFont", u"&Font..."},
      {u"MenuUnusedTranslations", u"&Unused translations"},
      {u"MenuPreviousMessage", u"&Previous Message"},
      {u"MenuNextMessage", u"&Next Message"},
      {u"MenuPreviousUnfinished", u"Previous &Unfinished"},
      {u"MenuNextUnfinished", u"Next U&nfinished"},
      {u"MenuGoToMessage", u"&Go to Message..."},
      {u"MenuNextProblem", u"Next &Problem"},
      {u"MenuPreviousProblem", u"Previous Pro&blem"},
      {u"MenuUpdateSource", u"&Update source quest..."},
      {u"MenuMemoryFiles", u"Translation &memory..."},
      {u"MenuSpellingLanguage", u"&Spelling Language"},
      // Undo steps
      {u"TypingStep", u"Typing"},
      {u"CopySourceStep", u"Copy source"},
      {u"ClearTranslationStep", u"Clear translation"},
      {u"MarkReviewStep", u"Mark for review"},
      {u"ClearReviewStep", u"Clear review mark"},
      {u"LoadMessagesStep", u"Load messages"},
      {u"ImportStepFormat", u"Import %1"},
      {u"FillSameStep", u"Fill same translation"},
      {u"InsertSuggestionStep", u"Insert suggestion"},
      // Dialogs and messages
      {u"ToolsExportDialogTitle", u"Export for translation tools"},
      {u"ToolsImportDialogTitle", u"Import from translation tools"},
      {u"UpdateSourceDialogTitle", u"New version of the source quest"},
      {u"SaveChangesText", u"The translation has changed since it was last saved."},
      {u"SaveChangesQuestion", u"Save the project first?"},
      {u"GoToMessageTitle", u"Go to message"},
      {u"GoToMessageLabel", u"Message (1 to %1):"},
      {u"TargetLanguageTitle", u"Target language"},
      {u"TargetLanguageLabel", u"Language of the translation, as translation tools name it (en, de, pt-BR):"},
      {u"NoMessageWithId", u"No message with the id %1 in this project"},
      {u"NoProblemsMessage", u"No message has problems."},
      {u"DamagedCopyKept", u"The damaged project file was kept as %1"},
      {u"ImportErrorsCaption", u"Errors:"},
      {u"MemoryReadProblems", u"Some translation memories could not be read:"},
      {u"FillSameQuestion",
       u"The same source text is untranslated in %1 more messages. Fill in this translation there too (marked for "
       u"review)?"},
      {u"ReportOneEntry", u"1 entry."},
      {u"ReportEntriesFormat", u"%1 entries."},
      {u"ReportClickHint", u" Click an entry to show its message."},
      {u"ReportCopyButton", u"&Copy"},
      {u"ReportCopyHint", u"Copy the list, one entry a line"},
      // Status bar
      {u"StatusPositionFormat", u"Message %1 of %2"},
      {u"StatusProgressFormat", u"%1 of %2 translated (%3%)"},
      {u"StatusReviewFormat", u", %1 need review"},
      // Review, suggestions, spelling
      {u"ReviewCheckBox", u"Needs &review"},
      {u"ReviewCheckBoxHint", u"The translation needs another look (Ctrl+U)"},
      {u"ReviewNotePlaceholder", u"Note for this message"},
      {u"SuggestionsDockTitle", u"Suggestions"},
      {u"SuggestionsEmpty", u"No suggestions from the translation memory."},
      {u"SuggestionsSourceChanged", u"Source changed:"},
      {u"SpellingNone", u"None"},
      {u"SpellingNotInstalled", u" (not installed)"},
      {u"SpellingLanguageMenu", u"Spelling Language"},
      {u"SpellingNoSuggestions", u"(no suggestions)"},
      {u"SpellingAddToDictionary", u"Add to Dictionary"},
      // Translation memory files and unused translations
      {u"MemoryDialogTitle", u"Translation memory"},
      {u"MemoryOpenDialogTitle", u"Attach a translation memory"},
      {u"MemoryDialogHint", u"TMX files whose translations are suggested beside this project's own:"},
      {u"MemoryAddButton", u"&Add..."},
      {u"MemoryRemoveButton", u"&Remove"},
      {u"UnusedDialogTitle", u"Unused translations"},
      {u"UnusedDialogHint", u"Translations of texts the quest no longer has. The translation memory offers them."},
      {u"UnusedColumnMessage", u"Message"},
      {u"UnusedColumnOldSource", u"Old source"},
      {u"UnusedColumnTranslation", u"Translation"},
      // Keyboard flow: clearing the box for typing, the shown message's problems as text
      {u"MenuClearTranslation", u"C&lear Translation"},
      {u"MenuShowProblems", u"Problems of This &Message"},
      {u"NoProblemsInMessage", u"The checks find no problems in this message."},
      // The translator's flow: suggestions, update, help, exports and wording
      {u"SuggestionsPanelAction", u"Suggestions"},
      {u"UnsavedProjectTitle", u"New project from %1 (not saved)"},
      {u"UpdateReportHeading", u"The project now follows the new version of the quest:"},
      {u"UpdateReportKept", u"%1 kept: the same text as before, its translation taken over as it was"},
      {u"UpdateReportChanged", u"%1 changed: the text changed; its old translation is kept and marked for review"},
      {u"UpdateReportMoved",
       u"%1 moved: a text translated at another place; that translation is taken over and marked for review"},
      {u"UpdateReportNew", u"%1 to translate (new or still untranslated)"},
      {u"UpdateReportUnused",
       u"%1 unused: translations of texts the new version no longer has, kept aside (View, Unused translations) and "
       u"offered as suggestions"},
      {u"UpdateReportNotSaved",
       u"The updated project has no file yet: Save asks for a new name, and the old project file stays as it was."},
      {u"MenuExportTmx", u"Export Translation &Memory (TMX)..."},
      {u"TmxSaveDialogTitle", u"Export the translation memory"},
      {u"MenuShortcuts", u"&Keyboard Shortcuts"},
      {u"MenuAbout", u"&About"},
      {u"ShortcutsDialogTitle", u"Keyboard shortcuts"},
      {u"ShortcutsColumnMenu", u"Menu"},
      {u"ShortcutsColumnCommand", u"Command"},
      {u"ShortcutsColumnKeys", u"Shortcut"},
      {u"AboutText", u"Quest Translator %1: a workbench for translating text quests."},
      {u"ImportedOneTranslation", u"1 translation came in."},
      {u"ImportedTranslations", u"%1 translations came in."},
      {u"StatusReviewOne", u", 1 needs review"},
      {u"PunctuationFinding", u"The translation ends with %1 instead of %2"},
      {u"PunctuationNoMark", u"no punctuation mark"},
      // Translations kept as they are
      {u"TranslatedAsIsStep", u"Mark translated as is"},
      // The recovery journal of unsaved changes
      {u"JournalWaiting",
       u"%1 has unsaved changes that were kept when the program ended without saving them: %2, made from %3 to %4."},
      {u"JournalNeverSavedWaiting",
       u"A new project from %1, never saved, has changes that were kept when the program ended: %2, made from %3 to "
       u"%4."},
      {u"JournalQuestion",
       u"Recover them (one step, which Undo takes back), discard them (the journal is kept aside as a "
       u".journal.discarded file), or decide later?"},
      {u"JournalNotMatching",
       u"The recovery journal of %1 holds %2, made from %3 to %4, but the file has changed since then: they are not "
       u"applied. Show Changes lists them message by message."},
      {u"JournalUnreadable", u"The recovery journal %1 cannot be read: %2"},
      {u"JournalOneChange", u"1 change"},
      {u"JournalChanges", u"%1 changes"},
      {u"JournalRecoverButton", u"&Recover"},
      {u"JournalShowButton", u"&Show Changes"},
      {u"JournalDiscardButton", u"&Discard"},
      {u"JournalLaterButton", u"&Later"},
      {u"JournalChangesCaption", u"Unsaved changes to %1"},
      {u"JournalChangeLine", u"Message %1: %2"},
      {u"JournalNeedsReview", u"(needs review)"},
      {u"JournalNoteLine", u"Note: %1"},
      {u"RecoverJournalStep", u"Recover unsaved changes"},
      {u"JournalWriteFailed",
       u"Unsaved changes cannot be kept in the recovery journal, so a crash would lose them: %1"},
      // The problems of the whole project and their report
      {u"MenuProblemsList", u"&Problems..."},
      {u"ProblemsDialogTitle", u"Problems"},
      {u"ProblemsSummary", u"Findings: %1. Messages with findings: %2. Click a row to show its message."},
      {u"ProblemsColumnPosition", u"Position"},
      {u"ProblemsColumnId", u"Id"},
      {u"ProblemsColumnKind", u"Kind"},
      {u"ProblemsColumnCheck", u"Check"},
      {u"ProblemsColumnDetail", u"Detail"},
      {u"ProblemsColumnSource", u"Source"},
      {u"ProblemsColumnTranslation", u"Translation"},
      {u"ProblemsSaveButton", u"&Save Report..."},
      {u"ProblemsSaveDialogTitle", u"Save the report of problems"},
      // Word counts
      {u"StatusWordsLeftFormat", u"Words left: %1 of %2 (%3 untranslated, %4 to review)"},
      // Glossaries
      {u"MenuGlossaries", u"&Glossaries..."},
      {u"GlossariesDialogTitle", u"Glossaries"},
      {u"GlossariesDialogHint",
       u"TBX files whose terms are shown and checked in this project, in order. New terms go into the first writable "
       u"one."},
      {u"GlossaryOpenDialogTitle", u"Add a glossary"},
      {u"GlossaryAddButton", u"&Add..."},
      {u"GlossaryRemoveButton", u"&Remove"},
      {u"GlossaryUpButton", u"Move &Up"},
      {u"GlossaryDownButton", u"Move &Down"},
      {u"GlossaryReadProblems", u"Some glossaries could not be read:"},
      {u"TermsDockTitle", u"Terms"},
      {u"TermsPanelAction", u"Terms"},
      {u"TermsPanelHint",
       u"A click puts the translation at the cursor in the translation box (Alt+1 ... Alt+9: the first nine rows)"},
      {u"TermsEmpty", u"No glossary term in this message."},
      {u"TermsColumnSource", u"Source term"},
      {u"TermsColumnTranslations", u"Translations"},
      {u"TermsColumnNote", u"Note"},
      {u"TermsColumnStatus", u"Status"},
      {u"TermStatusPreferred", u"preferred"},
      {u"TermStatusAdmitted", u"admitted"},
      {u"TermStatusForbidden", u"forbidden"},
      {u"TermStatusDoNotTranslate", u"do not translate"},
      {u"MenuInsertTerm", u"Insert Term %1"},
      {u"MenuAddTerm", u"Add &Term..."},
      {u"AddTermDialogTitle", u"Add Term"},
      {u"AddTermSource", u"&Source term:"},
      {u"AddTermTarget", u"&Translation:"},
      {u"AddTermNote", u"&Note:"},
      {u"AddTermStatus", u"S&tatus:"},
      {u"NewGlossaryQuestion", u"No glossary of this project can take new terms. Make a new one?"},
      {u"NewGlossaryDialogTitle", u"Make a new glossary"},
      // The workspace: a folder of projects in the window.
      {u"MenuOpenFolder", u"Open &Folder..."},
      {u"OpenFolderDialogTitle", u"Open a folder of projects"},
      {u"WorkspaceDockTitle", u"Workspace"},
      {u"WorkspacePanelAction", u"&Workspace"},
      {u"WorkspaceColumnName", u"Quest"},
      {u"WorkspaceColumnMessages", u"Messages"},
      {u"WorkspaceColumnTranslated", u"Translated"},
      {u"WorkspaceColumnReview", u"Needs review"},
      {u"WorkspaceColumnSaved", u"Last saved"},
      {u"WorkspaceDamaged", u"damaged"},
      {u"WorkspaceTotal", u"Total"},
      // Pre-translation from the memory
      {u"MenuPretranslate", u"Pre-&translate..."},
      {u"PretranslateDialogTitle", u"Pre-translate"},
      {u"PretranslateThreshold", u"&Minimum similarity:"},
      {u"PretranslateExact", u"Exact (100%):"},
      {u"PretranslateFrom95", u"95–99%:"},
      {u"PretranslateFrom85", u"85–94%:"},
      {u"PretranslateFromMinimum", u"%1–84%:"},
      {u"PretranslateNone", u"No match:"},
      {u"PretranslateApply", u"&Pre-translate"},
      {u"PretranslateStep", u"Pre-translate"},
      {u"PretranslateDone", u"Pre-translated %1 messages: %2 exact, %3 fuzzy (marked for review)."},
      {u"PretranslateNothing", u"Nothing to pre-translate."},
      {u"PretranslateHint",
       u"The counts are what pre-translation would fill; nothing is changed until you press Pre-translate. Fuzzy "
       u"matches are marked for review with a note."},
      // Concordance: a word or phrase in the whole memory
      {u"MenuConcordance", u"&Concordance Search"},
      {u"ConcordancePlaceholder", u"Find in the memory (Ctrl+Shift+K)"},
      {u"ConcordanceCount", u"%1 of %2 pairs; click one to copy its translation"},
      {u"ConcordanceNone", u"Not in the memory"},
      {u"ConcordanceCopied", u"Translation copied: %1"},
      // The message list's search across the quests of a workspace
      {u"SearchScopeThisQuest", u"This quest"},
      {u"SearchScopeAllQuests", u"All quests"},
      // The settings of a workspace (workspace.ini)
      {u"MenuWorkspaceSettings", u"&Workspace Settings..."},
      {u"WorkspaceSettingsTitle", u"Workspace settings"},
      {u"WorkspaceSettingsHint", u"Settings every quest of this folder shares, kept in workspace.ini:"},
      {u"WorkspaceSettingsLanguage", u"Target &language:"},
      {u"WorkspaceSettingsMemories", u"&Memory Files..."},
      {u"WorkspaceSettingsGlossaries", u"&Glossaries..."},
      {u"WorkspaceSettingsNone", u"none"},
      {u"WorkspaceMemoryHint", u"TMX files whose translations every quest of the workspace is offered:"},
      {u"WorkspaceGlossariesHint", u"TBX glossaries every quest of the workspace uses, after its own:"},
      {u"WorkspaceSettingsProblem",
       u"The workspace settings could not be read; the defaults are used until you save them:"},
      {u"NoWorkspaceOpen", u"Open a folder of projects first (File > Open Folder...)."},
  };
  return keys;
}

const std::vector<std::u16string>& CatalogueKeys() {
  static const std::vector<std::u16string> keys = [] {
    std::vector<std::u16string> list = RequiredCatalogueKeys();
    for (const TAddedCatalogueKey& added : AddedCatalogueKeys()) list.emplace_back(added.Key);
    return list;
  }();
  return keys;
}

const char16_t* CatalogueDefaultText(const std::u16string& key) {
  static const std::unordered_map<std::u16string, const char16_t*> texts = [] {
    std::unordered_map<std::u16string, const char16_t*> map;
    for (const TAddedCatalogueKey& added : AddedCatalogueKeys()) map.emplace(added.Key, added.DefaultText);
    return map;
  }();
  const auto found = texts.find(key);
  return found == texts.end() ? nullptr : found->second;
}

std::u16string CatalogueValue(const TBlockParJD& catalogue, const std::u16string& key) {
  if (const std::u16string* value = catalogue.Par_Find(key)) return *value;
  if (const char16_t* text = CatalogueDefaultText(key)) return text;
  return catalogue.Par_Get(key);  // raises the error of a missing key
}
