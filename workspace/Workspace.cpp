#include "workspace/Workspace.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>
#include <thread>
#include <utility>

#include "project/ProjectClass.h"
#include "support/BlockFile.h"
#include "support/ErrorDescription.h"
#include "support/JD_Str.h"
#include "support/Utf8.h"

namespace {

constexpr std::string_view ProjectExtension = ".txg";

bool IsProjectFileName(const std::string& name) {
  return name.size() > ProjectExtension.size() && EndsWithIgnoringCase(name, ProjectExtension);
}

std::string Joined(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The folder's entries, or false when it cannot be read (errno says why).
bool ReadFolder(const std::string& folder, std::vector<std::string>& names) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return false;
  int readError = 0;
  while (true) {
    errno = 0;  // readdir tells the end from a failure only by errno
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      readError = errno;
      break;
    }
    names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  errno = readError;
  return readError == 0;
}

// Collects the project files in `folder` and below as paths starting with `below`; false, with errno
// set, when the folder itself cannot be read.
bool Collect(const std::string& folder, const std::string& below, std::vector<std::string>& found) {
  std::vector<std::string> names;
  if (!ReadFolder(folder, names)) return false;
  for (const std::string& name : names) {
    // Hidden entries (".git", the temporary of a save in progress) and the folder links "." and "..".
    if (name.empty() || name[0] == '.') continue;
    const std::string path = Joined(folder, name);
    struct stat info {};
    // lstat first: a link to a folder is not followed, so a link back up cannot loop.
    if (::lstat(path.c_str(), &info) != 0) continue;
    if (S_ISDIR(info.st_mode)) {
      // A subfolder that cannot be read is left out: the rest of the game still opens.
      Collect(path, below + name + "/", found);
    } else if (IsProjectFileName(name)) {
      if (S_ISLNK(info.st_mode) && (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))) continue;
      if (S_ISREG(info.st_mode)) found.push_back(below + name);
    }
  }
  return true;
}

// The path of `fileName` below `folder` without ".txg"; the file's own name when it is not below it.
std::string ProjectName(const std::string& folder, const std::string& fileName) {
  std::string name = fileName;
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  if (!prefix.empty() && name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
    name.erase(0, prefix.size());
  else if (const std::size_t slash = name.rfind('/'); slash != std::string::npos)
    name.erase(0, slash + 1);
  if (IsProjectFileName(name)) name.resize(name.size() - ProjectExtension.size());
  return name;
}

// Loads one project after another into the same object: its two quests' records are made once, not
// once a file.
class TSummarizer {
 public:
  explicit TSummarizer(const TBlockParJD& catalogue) : project_(std::make_unique<TtxgProject>(catalogue)) {}

  TWorkspaceProject Summarize(const std::string& folder, const std::string& fileName) {
    TWorkspaceProject summary;
    summary.FileName = fileName;
    summary.Name = ProjectName(folder, fileName);
    struct stat info {};
    if (::stat(fileName.c_str(), &info) == 0) summary.LastSaved = static_cast<int64_t>(info.st_mtime);
    // The file keeps no count of its translated messages: "translated" compares each target with
    // its source, and the positions fold duplicated path questions, so both quests are read.
    try {
      WithFileContext(fileName, [&] { project_->LoadFromFile(fileName); });
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& error) {
      summary.Damaged = true;
      summary.Error = DescribeErrorText(error);
      return summary;
    }
    summary.Positions = project_->PositionCount;
    summary.Translated = project_->TranslatedPositions();
    summary.Untranslated = project_->PositionCount - project_->TranslatedPositions();
    summary.Review = project_->ReviewPositions();
    return summary;
  }

  // The texts of the project the last Summarize read (none when it was damaged).
  TQuestTexts Texts(const TWorkspaceProject& summary) const {
    if (summary.Damaged) return {Utf8ToUtf16(summary.Name), {}};
    return QuestTextsOf(*project_, Utf8ToUtf16(summary.Name));
  }

 private:
  std::unique_ptr<TtxgProject> project_;
};

}  // namespace

std::vector<std::string> WorkspaceProjectFiles(const std::string& folder) {
  std::vector<std::string> below;
  if (!Collect(folder, "", below)) {
    const int readError = errno;
    EInOutError error(InOutErrorNumberForErrno(readError, folder), folder);
    error.Note = std::string("the folder of projects cannot be read: ") + std::strerror(readError);
    throw error;
  }
  std::sort(below.begin(), below.end());
  std::vector<std::string> files;
  files.reserve(below.size());
  for (const std::string& path : below) files.push_back(Joined(folder, path));
  return files;
}

TWorkspaceProject SummarizeProject(const std::string& folder, const std::string& fileName,
                                   const TBlockParJD& catalogue) {
  return TSummarizer(catalogue).Summarize(folder, fileName);
}

namespace {

// Reads every project of the folder on the processor's cores (at most four threads), handing each
// loaded project with its index and summary to `take` on the thread that read it.
template <typename Take>
std::vector<TWorkspaceProject> ReadEachProject(const std::string& folder, const std::vector<std::string>& files,
                                               const TBlockParJD& catalogue, Take take) {
  std::vector<TWorkspaceProject> projects(files.size());
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  auto work = [&](std::exception_ptr& error) {
    try {
      TSummarizer summarizer(catalogue);
      for (std::size_t i = next++; i < files.size() && !failed; i = next++) {
        projects[i] = summarizer.Summarize(folder, files[i]);
        take(summarizer, i, projects[i]);
      }
    } catch (...) {
      error = std::current_exception();
      failed = true;
    }
  };
  const std::size_t threads =
      std::min<std::size_t>({std::max(1u, std::thread::hardware_concurrency()), 4, files.size()});
  std::vector<std::exception_ptr> errors(std::max<std::size_t>(threads, 1));
  std::vector<std::thread> helpers;
  for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(work, std::ref(errors[t]));
  work(errors[0]);
  for (std::thread& helper : helpers) helper.join();
  for (const std::exception_ptr& error : errors)
    if (error) std::rethrow_exception(error);
  return projects;
}

}  // namespace

std::vector<TWorkspaceProject> SummarizeWorkspace(const std::string& folder, const TBlockParJD& catalogue) {
  return ReadEachProject(folder, WorkspaceProjectFiles(folder), catalogue,
                         [](const TSummarizer&, std::size_t, const TWorkspaceProject&) {});
}

TWorkspaceContents ReadWorkspace(const std::string& folder, const TBlockParJD& catalogue) {
  const std::vector<std::string> files = WorkspaceProjectFiles(folder);
  TWorkspaceContents contents;
  contents.Quests.resize(files.size());
  // Each thread writes only the slots of the projects it read.
  contents.Projects = ReadEachProject(
      folder, files, catalogue, [&](const TSummarizer& summarizer, std::size_t i, const TWorkspaceProject& summary) {
        contents.Quests[i] = summarizer.Texts(summary);
      });
  return contents;
}

TWorkspaceProject WorkspaceTotal(const std::vector<TWorkspaceProject>& projects) {
  TWorkspaceProject total;
  for (const TWorkspaceProject& project : projects) {
    if (project.Damaged) continue;
    total.Positions += project.Positions;
    total.Translated += project.Translated;
    total.Untranslated += project.Untranslated;
    total.Review += project.Review;
    total.LastSaved = std::max(total.LastSaved, project.LastSaved);
  }
  return total;
}

TQuestTexts QuestTextsOf(const TtxgProject& project, std::u16string quest) {
  TQuestTexts texts;
  texts.Quest = std::move(quest);
  texts.Positions.reserve(static_cast<std::size_t>(std::max(project.PositionCount, 0)));
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t n = project.MessageAtPosition(position);
    texts.Positions.push_back({position, n, project.TargetIds[static_cast<std::size_t>(n)], project.GetSourceText(n),
                               project.GetTargetText(n), project.IsTranslated(n), project.NeedsReview(n)});
  }
  return texts;
}

void AddQuestToMemory(const TQuestTexts& quest, TTranslationMemory& memory) {
  for (const TQuestPosition& position : quest.Positions)
    if (position.Translated) memory.Add({position.Source, position.Translation, position.Id, quest.Quest});
}

void AddQuestToConsistencyIndex(const TQuestTexts& quest, TConsistencyIndex& index) {
  for (const TQuestPosition& position : quest.Positions)
    if (position.Translated) index.Add(position.Source, position.Translation, quest.Quest);
}

std::vector<TQuestFinding> SearchQuests(const std::vector<TQuestTexts>& quests, const TMessageSearch& search,
                                        TStateFilter filter) {
  std::vector<TQuestFinding> found;
  for (std::size_t q = 0; q < quests.size(); ++q) {
    const std::vector<TQuestPosition>& positions = quests[q].Positions;
    for (std::size_t i = 0; i < positions.size(); ++i) {
      const TQuestPosition& position = positions[i];
      if (PassesStateFilter(filter, position.Translated, position.Review) &&
          search.MatchesTexts(position.Source, position.Translation, position.Id))
        found.push_back({q, i});
    }
  }
  return found;
}
