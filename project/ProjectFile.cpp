// The project file: a 12-byte head (current message, source count, target count), the two quests
// in the quest file layout and, when the project stores states, settings or sections, the block of
// ProjectTrailer.h. The message table is not stored; it is rebuilt on loading.
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "project/ProjectClass.h"
#include "support/BlockFile.h"

namespace {

bool IsSameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

// The first of FILE.damaged, FILE.damaged.1, ... that names nothing yet: an earlier copy is never
// replaced.
std::string FreeDamagedCopyName(const std::string& fileName) {
  const std::string base = fileName + ".damaged";
  std::string name = base;
  for (int n = 1;; ++n) {
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0 && errno == ENOENT) return name;
    name = base + "." + std::to_string(n);
  }
}

}  // namespace

void TtxgProject::KeepDamagedFileBeforeSaving(const std::string& fileName) const {
  keptDamagedCopy_.clear();
  if (damagedFile_.empty() || !IsSameFile(damagedFile_, fileName)) return;
  TBlockFileReader old(fileName);
  std::vector<uint8_t> bytes(static_cast<std::size_t>(old.Size()));
  if (!bytes.empty()) old.ReadBytes(bytes.data(), bytes.size());
  const std::string copy = FreeDamagedCopyName(fileName);
  TBlockFileWriter writer(copy);
  writer.WriteBytes(bytes.data(), bytes.size());
  writer.Commit();
  damagedFile_.clear();
  keptDamagedCopy_ = copy;
}

void TtxgProject::SaveToFile(const std::string& fileName) const {
  KeepDamagedFileBeforeSaving(fileName);
  TBlockFileWriter file(fileName, TPieces::Streamed);
  file.WriteInt(CurrentMessage);
  file.WriteInt(SourceCount);
  file.WriteInt(TargetCount);
  SourceGame.WriteTo(file);
  TargetGame.WriteTo(file);
  const std::vector<TTrailerSection> sections = TrailerSections();
  if (!sections.empty()) WriteProjectTrailer(file, sections);
  file.Commit();
}

void TtxgProject::LoadFromFile(const std::string& fileName) {
  auto file = std::make_unique<TBlockFileReader>(fileName);
  try {
    const int32_t currentMessage = file->ReadInt();
    // The stored counts are not trusted: the enumeration after loading replaces them.
    (void)file->ReadInt();
    (void)file->ReadInt();
    SourceGame.ReadFrom(*file);
    TargetGame.ReadFrom(*file);
    DropStoredData();
    // The states name their messages, so the table is enumerated before they are read.
    TTrailerRead trailer = ReadProjectTrailer(*file);
    // The file's bytes go before the table is built: both at once would raise the peak by megabytes.
    file.reset();
    EnumerateBothQuests();
    loadWarning_ = std::move(trailer.Warning);
    ApplyTrailerSections(std::move(trailer.Sections));
    CurrentMessage = currentMessage;
    LinkDuplicatePaths();
    if (!loadWarning_.empty()) damagedFile_ = fileName;
  } catch (...) {
    // Never a table that claims messages of a half-read quest: the project is left empty.
    Clear();
    throw;
  }
}

void TtxgProject::TakeOver(const TtxgProject& other) {
  if (&other == this) return;
  std::vector<TTrailerSection> sections = other.TrailerSections();
  try {
    SourceGame.Assign(other.SourceGame);
    TargetGame.Assign(other.TargetGame);
    DropStoredData();
    EnumerateBothQuests();
    loadWarning_.clear();
    ApplyTrailerSections(std::move(sections));
    CurrentMessage = other.CurrentMessage;
    LinkDuplicatePaths();
  } catch (...) {
    Clear();
    throw;
  }
}
