// The exchange file's record scanner, driven directly on any text: records lie inside the text,
// in order, and the header pieces are the non-empty pieces between single spaces. Then the same
// bytes as a file imported into a project made from the sample quest, and the checks of what it read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "checks/TranslationChecks.h"
#include "project/ExchangeFormat.h"
#include "project/ProjectClass.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(data[2 * i] | (static_cast<unsigned>(data[2 * i + 1]) << 8));
  const char16_t* const begin = text.data();
  const char16_t* const end = text.data() + text.size();
  const char16_t* last = begin;
  TExchangeScanner scanner(text);
  for (TExchangeRecord record; scanner.Next(record);) {
    // Each record starts after the one before and lies wholly inside the text.
    if (record.Ids.data() < last || record.Body.data() < record.Ids.data() + record.Ids.size()) std::abort();
    if (record.Body.data() + record.Body.size() > end) std::abort();
    if (std::u16string_view(record.Body.data() - 3, 3) != u">\r\n") std::abort();
    last = record.Body.data() + record.Body.size();
    std::size_t idUnits = 0;
    ForEachRecordId(record.Ids, [&](int32_t, std::u16string_view id) {
      if (id.empty() || id.find(u' ') != std::u16string_view::npos) std::abort();
      idUnits += id.size();
    });
    if (idUnits > record.Ids.size()) std::abort();
  }

  static auto project = [] {
    auto made = std::make_unique<TtxgProject>(fuzzsupport::Catalogue());
    made->NewFromSource(fuzzsupport::SampleQuestPath());
    return made;
  }();
  const std::string& file = fuzzsupport::WriteScratchFile(data, size);
  // Every input starts from the untranslated sample, as a project fresh from the quest would.
  project->TargetGame.Assign(project->SourceGame);
  project->RebuildMessageTable();
  std::u16string report;
  try {
    project->LoadMessages(file, report);
    project->Relink();
  } catch (const std::exception&) {
    return 0;
  }
  // Import must keep source and target numbering aligned.
  if (project->SourceCount != project->TargetCount) std::abort();
  // The checks read every imported translation; what they point at lies inside its text.
  for (const TMessageFindings& message : CheckProject(*project)) {
    const auto sourceLength = static_cast<int32_t>(project->GetSourceText(message.Message).size());
    const auto targetLength = static_cast<int32_t>(project->GetTargetText(message.Message).size());
    for (const TCheckFinding& finding : message.Findings)
      for (const TTextSpan& span : finding.Spans)
        if (span.Begin < 0 || span.Begin > span.End || span.End > (span.InSource ? sourceLength : targetLength))
          std::abort();
  }
  return 0;
}
