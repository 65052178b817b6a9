#include "FuzzSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

#include "formats/TranslationUnits.h"
#include "project/ProjectClass.h"
#include "support/BlockFile.h"
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

namespace {

std::vector<uint8_t> TargetBytes(const TtxgProject& project) {
  TBlockFileWriter writer;
  project.TargetGame.WriteTo(writer);
  return writer.Bytes();
}

}  // namespace

int ImportIntoSample(const uint8_t* data, std::size_t size, ImportFunction import) {
  static auto project = [] {
    auto made = std::make_unique<TtxgProject>(Catalogue());
    made->NewFromSource(SampleQuestPath());
    return made;
  }();
  const std::string& file = WriteScratchFile(data, size);
  project->TargetGame.Assign(project->SourceGame);
  project->RebuildMessageTable();
  const std::vector<uint8_t> before = TargetBytes(*project);
  TConversionReport report;
  try {
    import(*project, file, report);
  } catch (const EFormatParseError&) {
    if (TargetBytes(*project) != before) std::abort();
    return 0;
  }
  project->Relink();
  if (project->SourceCount != project->TargetCount) std::abort();
  return 0;
}

}  // namespace fuzzsupport
