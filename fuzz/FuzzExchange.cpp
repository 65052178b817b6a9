// Exchange file import into a project made from the sample quest.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "FuzzSupport.h"
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
  return 0;
}
