// Project file reading: a failed load must leave an empty project; a good one a consistent table
// and counts that agree with the message states it read.
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
  // The counts kept over positions agree with the states read, whatever the block after the quests held.
  int32_t review = 0;
  int32_t notes = 0;
  int32_t translated = 0;
  for (int32_t position = 1; position <= project->PositionCount; ++position) {
    const int32_t message = project->MessageAtPosition(position);
    (void)project->GetTargetText(message);
    review += project->NeedsReview(message) ? 1 : 0;
    notes += project->Note(message).empty() ? 0 : 1;
    translated += project->IsTranslated(message) ? 1 : 0;
    (void)project->PreviousSource(message);
    // A mark of a translation kept as it is holds only on a translation equal to its source.
    if (project->TranslatedAsIs(message) && project->TargetTextView(message) != project->SourceTextView(message))
      std::abort();
  }
  if (review != project->ReviewPositions() || notes != project->NotePositions() ||
      translated != project->TranslatedPositions())
    std::abort();
  return 0;
}
