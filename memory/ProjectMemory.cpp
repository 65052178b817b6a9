#include "memory/ProjectMemory.h"

#include "project/ProjectClass.h"

std::vector<TMemoryEntry> TranslatedEntries(const TtxgProject& project) {
  std::vector<TMemoryEntry> entries;
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t n = project.MessageAtPosition(position);
    if (project.IsNotEdited(n)) continue;
    entries.push_back(
        {project.GetSourceText(n), project.GetTargetText(n), project.SourceIds[static_cast<std::size_t>(n)]});
  }
  return entries;
}
