// Exchange file import into a project made from the sample quest, and the checks of what it read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "checks/TranslationChecks.h"
#include "project/ProjectClass.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
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
