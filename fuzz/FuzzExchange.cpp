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
  static auto project = std::make_unique<TtxgProject>(fuzzsupport::Catalogue());
  const std::string& file = fuzzsupport::WriteScratchFile(data, size);
  project->Clear();
  project->NewFromSource(fuzzsupport::SampleQuestPath());
  std::u16string report;
  try {
    project->LoadMessages(file, report);
    project->ResolveEmptyReferences();
    project->LinkDuplicatePaths();
  } catch (const std::exception&) {
    return 0;
  }
  // Import must keep source and target numbering aligned.
  if (project->SourceCount != project->TargetCount) std::abort();
  return 0;
}
