#include "formats/TranslationUnits.h"

#include <string_view>
#include <unordered_map>

#include "project/ProjectClass.h"
#include "quest/TextFieldClass.h"
#include "support/JD_BlockPar.h"
#include "support/JD_Str.h"

EFormatParseError::EFormatParseError(const std::string& fileName, std::size_t line, const std::string& what)
    : std::runtime_error(fileName + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + what) {}

std::vector<TOutgoingUnit> OutgoingUnits(const TtxgProject& project) {
  std::vector<TOutgoingUnit> units;
  units.reserve(static_cast<std::size_t>(std::max(project.PositionCount, 0)));
  std::unordered_map<std::u16string_view, int32_t> seen;
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t n = project.MessageAtPosition(position);
    const std::u16string& id = project.SourceIds[static_cast<std::size_t>(n)];
    // Ids hold no "#", so a suffixed context never meets a plain id.
    const int32_t occurrence = ++seen[id];
    units.push_back({n, occurrence == 1 ? id : id + u"#" + AnsiToWide(std::to_string(occurrence))});
  }
  return units;
}

std::u16string MessageKindLabel(const TtxgProject& project, int32_t typeCode) {
  static const char16_t* const keys[] = {u"EditorParNameMSGType",  u"GameParNameMSGType",  u"StandartCriticalMSGType",
                                         u"OutsideParMSGType",     u"SuccessGovMSGType",   u"MissionGovMSGType",
                                         u"LocationTextMSGType",   u"PathQuestionMSGType", u"PathTextMSGType",
                                         u"CustomCriticalMSGType", u"ParViewStringMSGType"};
  const int32_t kind = typeCode % 1000;
  const int32_t number = typeCode / 1000;
  if (kind < 1 || kind > 11) return {};
  std::u16string label = project.Catalogue->Par_Get(keys[kind - 1]);
  if (number > 0) label += u" (" + AnsiToWide(std::to_string(number)) + u")";
  return label;
}

std::u16string TagDifference(const std::u16string& source, const std::u16string& translation) {
  TStringsJD sourceTags;
  TStringsJD translationTags;
  TtxgProject::ExtractTags(source, sourceTags);
  TtxgProject::ExtractTags(translation, translationTags);
  TtxgProject::RemoveCommonTags(sourceTags, translationTags);
  std::u16string difference;
  for (const TStringsElJD* tag = sourceTags.First(); tag != nullptr; tag = tag->Next) difference += u" " + tag->Text;
  for (const TStringsElJD* tag = translationTags.First(); tag != nullptr; tag = tag->Next)
    difference += u" " + tag->Text;
  return difference;
}

void ApplyIncomingUnits(TtxgProject& project, const std::vector<TIncomingUnit>& units, TConversionReport& report) {
  const std::vector<TOutgoingUnit> outgoing = OutgoingUnits(project);
  std::unordered_map<std::u16string_view, std::size_t> unitOfContext;
  unitOfContext.reserve(outgoing.size());
  for (std::size_t i = 0; i < outgoing.size(); ++i) unitOfContext.emplace(outgoing[i].Context, i);
  std::vector<bool> found(outgoing.size(), false);
  const std::u16string deletedText = project.DeletedMessageText();

  for (const TIncomingUnit& unit : units) {
    const auto match = unitOfContext.find(unit.Context);
    if (match == unitOfContext.end()) {
      report.Add(TReportKind::UnknownId, unit.Context);
      continue;
    }
    found[match->second] = true;
    const int32_t n = outgoing[match->second].Message;
    const std::u16string source = project.GetSourceText(n);
    if (unit.Source != source) report.Add(TReportKind::ChangedSource, unit.Context);
    if (unit.Translation.empty()) {
      if (!project.IsNotEdited(n)) project.SetTargetText(n, source);
      continue;
    }
    const std::u16string difference = TagDifference(source, unit.Translation);
    if (!difference.empty()) report.Add(TReportKind::DifferentTags, unit.Context, difference);
    // A blank text would drop the message out of the target's list and shift every later one.
    project.SetTargetText(n, IsBlankText(unit.Translation) ? deletedText : unit.Translation);
  }
  for (std::size_t i = 0; i < outgoing.size(); ++i)
    if (!found[i]) report.Add(TReportKind::NotFound, outgoing[i].Context);
}
