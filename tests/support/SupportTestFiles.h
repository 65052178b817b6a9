#pragma once
// Scratch files for tests that need real files: a private folder removed with everything in it.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "xg-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder");
    path_ = pattern;
  }
  ~ScratchFolder() {
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
    std::string path = File(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
    return path;
  }

 private:
  std::string path_;
};

// Changes the current directory for the life of the object.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& path) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~CurrentDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

// UTF-16LE bytes of a wide text, optionally behind the byte-order mark.
inline std::string Utf16LeBytes(const std::u16string& text, bool withMark = true) {
  std::string bytes = withMark ? std::string("\xFF\xFE") : std::string();
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}
