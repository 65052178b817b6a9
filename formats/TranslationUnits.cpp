#include "formats/TranslationUnits.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "project/CatalogueKeys.h"
#include "project/ExchangeFormat.h"
#include "project/ProjectClass.h"
#include "quest/TextFieldClass.h"
#include "support/BlockFile.h"
#include "support/JD_BlockPar.h"
#include "support/JD_Str.h"

EFormatParseError::EFormatParseError(const std::string& fileName, std::size_t line, const std::string& what)
    : std::runtime_error(what) {
  FileName = fileName;
  Line = static_cast<int64_t>(line);
}

void RequireReadableFile(const std::string& fileName) {
  const int probe = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (probe < 0) throw EInOutError(InOutErrorNumberForErrno(errno, fileName), fileName);
  // A folder opens, and some files open but cannot be read: the first byte tells.
  struct stat info {};
  char first = 0;
  int failure = 0;
  if (fstat(probe, &info) == 0 && S_ISDIR(info.st_mode))
    failure = EISDIR;
  else if (read(probe, &first, 1) < 0)
    failure = errno;
  close(probe);
  if (failure != 0) throw EInOutError(InOutErrorNumberForErrno(failure, fileName), fileName);
}

std::vector<TOutgoingUnit> OutgoingUnits(const TtxgProject& project) {
  std::vector<TOutgoingUnit> units;
  units.reserve(static_cast<std::size_t>(std::max(project.PositionCount, 0)));
  std::unordered_map<std::u16string_view, int32_t> seen;
  seen.reserve(units.capacity());
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t n = project.MessageAtPosition(position);
    const std::u16string& id = project.SourceIds[static_cast<std::size_t>(n)];
    // Ids hold no "#", so a suffixed context never meets a plain id.
    const int32_t occurrence = ++seen[id];
    units.push_back({n, occurrence == 1 ? id : id + u"#" + AnsiToWide(std::to_string(occurrence))});
  }
  return units;
}

int32_t MessageOfReportId(const TtxgProject& project, const std::u16string& id) {
  if (id.find(u'#') != std::u16string::npos) {
    for (const TOutgoingUnit& unit : OutgoingUnits(project))
      if (unit.Context == id) return unit.Message;
    return 0;
  }
  const int32_t n = project.FindSourceId(id);
  return n < 0 ? 0 : n;
}

std::string TargetLanguage(const TtxgProject& project, const TExportOptions& options) {
  return options.Language.empty() ? WideToAnsi(project.Setting(u"language")) : options.Language;
}

std::u16string MessageKindLabel(const TtxgProject& project, int32_t typeCode) {
  const TMessageType type = DecodeMessageType(typeCode);
  const char16_t* key = MessageKindKey(type.Kind);
  if (key == nullptr) return {};
  std::u16string label = project.Catalogue->Par_Get(key);
  if (type.Number > 0) label += u" (" + AnsiToWide(std::to_string(type.Number)) + u")";
  return label;
}

void ApplyIncomingUnits(TtxgProject& project, const std::vector<TIncomingUnit>& units, TConversionReport& report) {
  const std::vector<TOutgoingUnit> outgoing = OutgoingUnits(project);
  // A file usually comes back in the order it went out: each unit is first looked for where the
  // one before it was found, and the map of every context is built only when that misses.
  std::unordered_map<std::u16string_view, std::size_t> unitOfContext;
  auto find = [&](const std::u16string& context, std::size_t expected) -> std::optional<std::size_t> {
    if (expected < outgoing.size() && outgoing[expected].Context == context) return expected;
    if (unitOfContext.empty()) {
      unitOfContext.reserve(outgoing.size());
      for (std::size_t i = 0; i < outgoing.size(); ++i) unitOfContext.emplace(outgoing[i].Context, i);
    }
    const auto match = unitOfContext.find(context);
    if (match == unitOfContext.end()) return std::nullopt;
    return match->second;
  };
  std::vector<bool> found(outgoing.size(), false);
  std::size_t expected = 0;
  for (const TIncomingUnit& unit : units) {
    const std::optional<std::size_t> match = find(unit.Context, expected);
    if (!match) {
      report.Add(TReportKind::UnknownId, unit.Context);
      continue;
    }
    found[*match] = true;
    expected = *match + 1;
    const int32_t n = outgoing[*match].Message;
    const std::u16string source = project.GetSourceText(n);
    if (unit.Source != source) report.Add(TReportKind::ChangedSource, unit.Context);
    project.SetNeedsReview(n, unit.NeedsReview);
    project.SetNote(n, unit.Note);
    if (unit.HasPreviousSource) project.SetPreviousSource(n, unit.PreviousSource);
    if (unit.Translation.empty()) {
      if (project.IsTranslated(n)) project.SetTargetText(n, source);
      project.SetTranslatedAsIs(n, false);
      continue;
    }
    const std::u16string difference = TagDifference(source, unit.Translation);
    if (!difference.empty()) {
      report.Add(TReportKind::DifferentTags, unit.Context, difference);
      project.SetNeedsReview(n, true);
    }
    project.StoreTranslation(n, unit.Translation);
    // A tool's translation equal to its source is a finished one, as these exports write it.
    if (unit.Translation == source) project.SetTranslatedAsIs(n, true);
  }
  for (std::size_t i = 0; i < outgoing.size(); ++i)
    if (!found[i]) report.Add(TReportKind::NotFound, outgoing[i].Context);
}
