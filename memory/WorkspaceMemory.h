#pragma once
// The memory of a workspace: every translated message of the quests of one game and the TMX files
// the translator adds. Each entry names the quest it was taken from, so a suggestion can say where
// a translation was used before.
#include <string>
#include <vector>

#include "checks/ConsistencyCheck.h"
#include "memory/TranslationMemory.h"

class TBlockParJD;
class TtxgProject;

// The name a quest is shown under: the project file's path below `folder` without ".txg"
// ("chapter1/Vega"); the file's own name when it does not lie below the folder.
std::u16string QuestNameOf(const std::string& folder, const std::string& fileName);

// Adds every translated position of `project`, `quest` naming each entry. A pair the memory holds
// already keeps its first quest. A save adds the saved project so, without rebuilding the memory.
void AddProjectToMemory(const TtxgProject& project, const std::u16string& quest, TTranslationMemory& memory);

// Adds the pairs of a TMX file, named by the file's own name. Raises as ReadTmx does.
void AddTmxToMemory(const std::string& fileName, TTranslationMemory& memory);

struct TWorkspaceMemorySources {
  std::string Folder;                     // the quests are named below it
  std::vector<std::string> ProjectFiles;  // in the order their entries are added
  std::string Skipped;                    // the open project: its own translations are no suggestion
  std::vector<std::string> TmxFiles;      // added after the projects, the entries named by the file
};

// Clears `memory` and fills it from the sources. A project or TMX file that cannot be read is left
// out and its error, naming the file, added to `problems`; the rest still fill the memory.
void FillWorkspaceMemory(const TWorkspaceMemorySources& sources, const TBlockParJD& catalogue,
                         TTranslationMemory& memory, std::vector<std::string>& problems);

// The translated positions of `project` into the index of the check "inconsistent", as `quest`.
void AddProjectToConsistencyIndex(const TtxgProject& project, const std::u16string& quest, TConsistencyIndex& index);

// The index of the check "inconsistent" over the entries of a workspace memory taken from one of
// `quests` (the names QuestNameOf gives the workspace's projects); a TMX file is no quest. The
// memory keeps a pair once, under its first quest, which the check can do with: a quest that
// translates alike is no finding.
TConsistencyIndex MakeConsistencyIndex(const TTranslationMemory& memory, const std::vector<std::u16string>& quests);
