// Speed of the update to a new source quest on the full-capacity quest, every position
// translated; the new version has edited texts, renumbered paths and fewer locations.
// Goal: the whole `xgtool update` process under 300 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/FullProject.h"
#include "memory/ProjectUpdate.h"
#include "project/ProjectClass.h"

namespace {

std::string CataloguePath() { return std::string(XG_DATA_DIR) + "/msg_cfg.txt"; }

std::string Scratch(const char* name) {
  return (std::filesystem::temp_directory_path() / ("xg-bench-" + std::to_string(getpid()) + "-" + name)).string();
}

// The old project and the new quest, written once and removed when the benchmarks end.
struct TUpdateFiles {
  std::string Old;
  std::string New;
  ~TUpdateFiles() {
    std::remove(Old.c_str());
    std::remove(New.c_str());
  }
};

const TUpdateFiles& UpdateFiles() {
  static const TUpdateFiles files = [] {
    auto old = FullProject(BenchCatalogue());
    for (int32_t position = 1; position <= old->PositionCount; ++position) {
      const int32_t n = old->MessageAtPosition(position);
      old->SetTargetText(n, u"RU " + old->GetSourceText(n));
    }
    const std::string oldFile = Scratch("update-old.txg");
    old->SaveToFile(oldFile);

    MakeNextVersion(old->SourceGame);
    const std::string newFile = Scratch("update-new.xg");
    old->SourceGame.SaveToFile(newFile);
    return TUpdateFiles{oldFile, newFile};
  }();
  return files;
}

void BM_UpdateInProcess(benchmark::State& state) {
  const std::string& oldFile = UpdateFiles().Old;
  const std::string& newFile = UpdateFiles().New;
  const std::string outFile = Scratch("update-out.txg");
  TUpdatePlan plan;
  for (auto _ : state) {
    auto old = std::make_unique<TtxgProject>(BenchCatalogue());
    old->LoadFromFile(oldFile);
    auto fresh = std::make_unique<TtxgProject>(BenchCatalogue());
    plan = UpdateProject(*old, newFile, *fresh);
    fresh->SaveToFile(outFile);
  }
  state.counters["kept"] = plan.Kept;
  state.counters["changed"] = plan.Changed;
  state.counters["moved"] = plan.Moved;
  state.counters["unused"] = static_cast<double>(plan.UnusedMessages.size());
  std::remove(outFile.c_str());
}
BENCHMARK(BM_UpdateInProcess)->Unit(benchmark::kMillisecond);

// The command as a script runs it: process start, catalogue, both reads, the update, the save.
void BM_UpdateWholeProcess(benchmark::State& state) {
  const std::string& oldFile = UpdateFiles().Old;
  const std::string& newFile = UpdateFiles().New;
  const std::string outFile = Scratch("update-out.txg");
  char self[4096] = {};
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  const std::string folder = std::filesystem::path(std::string(self, length > 0 ? length : 0)).parent_path();
  const std::string command = folder + "/xgtool --catalogue " + CataloguePath() + " update " + oldFile + " " + newFile +
                              " " + outFile + " >/dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("xgtool update failed (is xgtool built?)");
  std::remove(outFile.c_str());
}
BENCHMARK(BM_UpdateWholeProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
