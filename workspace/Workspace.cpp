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

std::vector<TWorkspaceProject> SummarizeWorkspace(const std::string& folder, const TBlockParJD& catalogue) {
  const std::vector<std::string> files = WorkspaceProjectFiles(folder);
  std::vector<TWorkspaceProject> projects(files.size());
  // Each project is read on its own, so the files are shared out among the processor's cores.
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  auto work = [&](std::exception_ptr& error) {
    try {
      TSummarizer summarizer(catalogue);
      for (std::size_t i = next++; i < files.size() && !failed; i = next++)
        projects[i] = summarizer.Summarize(folder, files[i]);
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
