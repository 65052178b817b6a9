#pragma once
// A workspace: a folder whose translation projects (*.txg, in subfolders too) are the quests of one
// game. Nothing here writes into the folder.
#include <cstdint>
#include <string>
#include <vector>

#include "checks/ConsistencyCheck.h"
#include "memory/TranslationMemory.h"
#include "project/MessageFilter.h"
#include "project/MessageSearch.h"

class TBlockParJD;
class TtxgProject;

// One project of a workspace and its counts, the ones `xgtool stats` prints. A file that cannot be
// read is listed as damaged with the error the edge would show; the rest of the workspace works.
struct TWorkspaceProject {
  std::string FileName;  // as found: the folder given, then the path below it
  std::string Name;      // the path below the folder without ".txg" ("chapter1/Vega")
  bool Damaged = false;
  std::string Error;  // the description of the failure when damaged
  int32_t Positions = 0;
  int32_t Translated = 0;
  int32_t Untranslated = 0;
  int32_t Review = 0;     // flagged for review
  int64_t LastSaved = 0;  // seconds since the epoch, the file's modification time
  bool operator==(const TWorkspaceProject&) const = default;
};

// The project files of a folder and its subfolders, sorted by their path below it. Hidden folders
// (".git") and the recovery journal's files are not looked into. Raises EInOutError naming the
// folder when it cannot be read; a subfolder that cannot be read is left out.
std::vector<std::string> WorkspaceProjectFiles(const std::string& folder);

// The summary of one project file; never raises for the file's content (it is then Damaged). The
// file keeps no count of its translated messages, and "translated" compares each target with its
// source over positions that fold duplicated path questions: the project is loaded to count.
TWorkspaceProject SummarizeProject(const std::string& folder, const std::string& fileName,
                                   const TBlockParJD& catalogue);
// Every project of the folder, in the order of WorkspaceProjectFiles, read on the processor's cores
// (at most four threads).
std::vector<TWorkspaceProject> SummarizeWorkspace(const std::string& folder, const TBlockParJD& catalogue);

// The game's totals: the sums over the projects that are not damaged, LastSaved the latest of
// theirs; no file name or name.
TWorkspaceProject WorkspaceTotal(const std::vector<TWorkspaceProject>& projects);

// One position of a quest as the workspace keeps it while open.
struct TQuestPosition {
  int32_t Position = 0;
  int32_t Message = 0;  // the message shown at the position
  std::u16string Id;
  std::u16string Source;
  std::u16string Translation;
  bool Translated = false;
  bool Review = false;
};

// The texts of one quest of an open workspace. Searching all quests, the workspace memory and the
// check "inconsistent" read these, so that no quest is loaded again for them.
struct TQuestTexts {
  std::u16string Quest;                   // the name the workspace shows it under
  std::vector<TQuestPosition> Positions;  // in position order; none for a damaged project
};

TQuestTexts QuestTextsOf(const TtxgProject& project, std::u16string quest);

// A workspace as the window keeps it: each project's summary and, beside it, its texts. Every
// project is loaded once, on the processor's cores.
struct TWorkspaceContents {
  std::vector<TWorkspaceProject> Projects;
  std::vector<TQuestTexts> Quests;  // Quests[i] belongs to Projects[i]
};
TWorkspaceContents ReadWorkspace(const std::string& folder, const TBlockParJD& catalogue);

// The translated positions of `quest` into a memory, each entry naming the quest; and into the index
// of the check "inconsistent".
void AddQuestToMemory(const TQuestTexts& quest, TTranslationMemory& memory);
void AddQuestToConsistencyIndex(const TQuestTexts& quest, TConsistencyIndex& index);

// A position found by a search of all quests: quests[Quest].Positions[Index].
struct TQuestFinding {
  std::size_t Quest = 0;
  std::size_t Index = 0;
  bool operator==(const TQuestFinding&) const = default;
};
// The positions passing `filter` whose texts match `search`, quest by quest in position order: the
// rule of one quest's message list.
std::vector<TQuestFinding> SearchQuests(const std::vector<TQuestTexts>& quests, const TMessageSearch& search,
                                        TStateFilter filter);
