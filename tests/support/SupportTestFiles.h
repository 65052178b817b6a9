#pragma once
// Scratch files and texts for the support tests.
#include <filesystem>
#include <string>

#include "common/ScratchFolder.h"

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
