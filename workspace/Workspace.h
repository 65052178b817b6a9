#pragma once
// A workspace: a folder whose translation projects (*.txg, in subfolders too) are the quests of one
// game. Nothing here writes into the folder.
#include <cstdint>
#include <string>
#include <vector>

class TBlockParJD;

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
