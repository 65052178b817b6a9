// Project file reading: a failed load must leave an empty project; a good one a consistent table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>

#include "FuzzSupport.h"
#include "project/ProjectClass.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static auto project = std::make_unique<TtxgProject>(fuzzsupport::Catalogue());
  const std::string& file = fuzzsupport::WriteScratchFile(data, size);
  project->Clear();
  try {
    project->LoadFromFile(file);
  } catch (const std::exception&) {
    if (project->SourceCount != 0 || project->TargetCount != 0) std::abort();
    return 0;
  }
  if (project->PositionCount > project->SourceCount) std::abort();
  for (int32_t position = 1; position <= project->PositionCount; ++position)
    (void)project->GetTargetText(project->MessageAtPosition(position));
  return 0;
}
