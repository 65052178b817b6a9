#pragma once
// A private folder under the temporary folder for tests that need real files, removed with
// everything in it when the object dies. Header only: the support suite links no test library.
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "xg-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder from " + pattern);
    path_ = pattern;
  }
  ~ScratchFolder() {
    // A test may have taken the write permission away to make a save fail.
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  // A private copy of a shared file. Files are opened with an exclusive lock, so tests running in
  // parallel must not all read the one shipped catalogue at the same moment.
  std::string Copy(const std::string& source, const std::string& name) const {
    std::string path = File(name);
    std::filesystem::copy_file(source, path, std::filesystem::copy_options::overwrite_existing);
    return path;
  }

  // Writes `bytes` to `name` in the folder and returns the full path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    return WriteRaw(name, bytes.data(), bytes.size());
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    return WriteRaw(name, reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }

  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string WriteRaw(const std::string& name, const char* data, std::size_t size) const {
    std::string path = File(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
    if (!out) throw std::runtime_error("cannot write " + path);
    return path;
  }

  std::string path_;
};
