#include "FuzzSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "support/JD_BlockPar.h"

namespace fuzzsupport {

const TBlockParJD& Catalogue() {
  static std::unique_ptr<TBlockParJD> catalogue = [] {
    auto block = std::make_unique<TBlockParJD>();
    block->LoadFromFile(std::string(XG_DATA_DIR) + "/msg_cfg.txt", false);
    return block;
  }();
  return *catalogue;
}

const std::string& WriteScratchFile(const uint8_t* data, std::size_t size) {
  static std::string name = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/xgfuzz-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) throw std::runtime_error("cannot create the scratch file");
    close(fd);
    return pattern;
  }();
  int fd = open(name.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) std::abort();
  std::size_t written = 0;
  while (written < size) {
    ssize_t n = write(fd, data + written, size - written);
    if (n <= 0) std::abort();
    written += static_cast<std::size_t>(n);
  }
  close(fd);
  return name;
}

std::string SampleQuestPath() { return std::string(XG_DATA_DIR) + "/sample.xg"; }

}  // namespace fuzzsupport
