#pragma once
// Shared by the reliability tests: the catalogue, the sample quest, scratch folders and whole-file
// reads.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TBlockParJD;

namespace reliability {

const TBlockParJD& Catalogue();
std::string SampleQuest();
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// A fresh folder under the temporary folder, removed (with its contents) when the object dies.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::filesystem::path path_;
};

}  // namespace reliability
