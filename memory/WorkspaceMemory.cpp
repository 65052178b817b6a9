#include "memory/WorkspaceMemory.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>
#include <unordered_set>

#include "memory/ProjectMemory.h"
#include "memory/Tmx.h"
#include "project/ProjectClass.h"
#include "support/ErrorDescription.h"
#include "support/Utf8.h"

namespace fs = std::filesystem;

namespace {

std::string WithFileName(const std::string& fileName, std::string description) {
  if (description.rfind(fileName, 0) == 0) return description;
  return fileName + ": " + description;
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code error;
  return fs::equivalent(a, b, error);
}

struct TLoadedProject {
  std::vector<TMemoryEntry> Entries;
  std::string Problem;
};

}  // namespace

std::u16string QuestNameOf(const std::string& folder, const std::string& fileName) {
  fs::path relative = fs::path(fileName).lexically_relative(folder);
  if (folder.empty() || relative.empty() || *relative.begin() == "..") relative = fs::path(fileName).filename();
  std::string name = relative.generic_string();
  if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txg") == 0) name.resize(name.size() - 4);
  return Utf8ToUtf16(name);
}

void AddProjectToMemory(const TtxgProject& project, const std::u16string& quest, TTranslationMemory& memory) {
  for (TMemoryEntry& entry : TranslatedEntries(project)) {
    entry.Quest = quest;
    memory.Add(std::move(entry));
  }
}

void AddProjectToConsistencyIndex(const TtxgProject& project, const std::u16string& quest, TConsistencyIndex& index) {
  for (const TMemoryEntry& entry : TranslatedEntries(project)) index.Add(entry.Source, entry.Translation, quest);
}

TConsistencyIndex MakeConsistencyIndex(const TTranslationMemory& memory, const std::vector<std::u16string>& quests) {
  const std::unordered_set<std::u16string> isQuest(quests.begin(), quests.end());
  TConsistencyIndex index;
  index.Reserve(memory.Size());
  for (std::size_t i = 0; i < memory.Size(); ++i) {
    const TMemoryEntry& entry = memory.Entry(i);
    if (isQuest.count(entry.Quest) != 0) index.Add(entry.Source, entry.Translation, entry.Quest);
  }
  return index;
}

void AddTmxToMemory(const std::string& fileName, TTranslationMemory& memory) {
  const std::u16string name = Utf8ToUtf16(fs::path(fileName).filename().string());
  for (TMemoryEntry& entry : ReadTmx(fileName)) {
    entry.Quest = name;
    memory.Add(std::move(entry));
  }
}

void FillWorkspaceMemory(const TWorkspaceMemorySources& sources, const TBlockParJD& catalogue,
                         TTranslationMemory& memory, std::vector<std::string>& problems) {
  memory.Clear();
  std::vector<std::string> files;
  for (const std::string& file : sources.ProjectFiles)
    if (sources.Skipped.empty() || !SameFile(file, sources.Skipped)) files.push_back(file);

  // Reading the quests is most of the work and each file is read on its own: the files are shared
  // out among a few threads, and their entries added in the order of the list afterwards.
  std::vector<TLoadedProject> loaded(files.size());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    // One project's records for every file a thread reads: a quest's hundreds of records are made
    // once, not once a file.
    TtxgProject project(catalogue);
    for (std::size_t i = next++; i < files.size(); i = next++) {
      try {
        project.LoadFromFile(files[i]);
        loaded[i].Entries = TranslatedEntries(project);
      } catch (const std::exception& error) {
        loaded[i].Problem = WithFileName(files[i], DescribeErrorText(error));
      }
    }
  };
  const std::size_t threads =
      std::min<std::size_t>({files.size(), 4, std::max(1u, std::thread::hardware_concurrency())});
  std::vector<std::thread> workers;
  for (std::size_t t = 1; t < threads; ++t) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();

  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!loaded[i].Problem.empty()) {
      problems.push_back(loaded[i].Problem);
      continue;
    }
    const std::u16string quest = QuestNameOf(sources.Folder, files[i]);
    for (TMemoryEntry& entry : loaded[i].Entries) {
      entry.Quest = quest;
      memory.Add(std::move(entry));
    }
    loaded[i].Entries = {};
  }
  for (const std::string& file : sources.TmxFiles) {
    try {
      AddTmxToMemory(file, memory);
    } catch (const std::exception& error) {
      problems.push_back(WithFileName(file, DescribeErrorText(error)));
    }
  }
}
