// Speed of the translation project on the largest quest: every path asks the same question with
// the same Value2, so that all of them fold into one entry (the worst case for linking).
// Goals in the optimised build: RebuildMessageTable under 10 ms, SaveMessages under 20 ms,
// LoadMessages of a file holding every message under 30 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/FullQuest.h"
#include "project/ProjectClass.h"
#include "quest/BlockFile.h"
#include "support/JD_BlockPar.h"

namespace {

const TBlockParJD& Catalogue() {
  static const std::unique_ptr<TBlockParJD> catalogue = [] {
    auto block = std::make_unique<TBlockParJD>();
    block->LoadFromFile(std::string(XG_DATA_DIR) + "/msg_cfg.txt", false);
    return block;
  }();
  return *catalogue;
}

std::unique_ptr<TtxgProject> FullProject() {
  auto project = std::make_unique<TtxgProject>(Catalogue());
  FullQuestOptions options;
  options.AllPathQuestionsEqual = true;
  BuildFullQuest(project->SourceGame, options);
  project->TargetGame.Assign(project->SourceGame);
  project->RebuildMessageTable();
  if (project->SourceCount != FullQuestMessageCount) throw std::runtime_error("the full quest lost messages");
  return project;
}

std::string ScratchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("xg-bench-") + std::to_string(getpid()) + "-" + name))
      .string();
}

void BM_RebuildMessageTable(benchmark::State& state) {
  auto project = FullProject();
  for (auto _ : state) {
    project->RebuildMessageTable();
    benchmark::DoNotOptimize(project->PositionCount);
  }
  state.counters["messages"] = project->SourceCount;
  state.counters["positions"] = project->PositionCount;
}
BENCHMARK(BM_RebuildMessageTable)->Unit(benchmark::kMillisecond);

void BM_LinkDuplicatePaths(benchmark::State& state) {
  auto project = FullProject();
  for (auto _ : state) {
    project->LinkDuplicatePaths();
    benchmark::DoNotOptimize(project->PositionCount);
  }
}
BENCHMARK(BM_LinkDuplicatePaths)->Unit(benchmark::kMillisecond);

void BM_SaveMessages(benchmark::State& state) {
  auto project = FullProject();
  const std::string file = ScratchFile("save.txt");
  for (auto _ : state) project->SaveMessages(file);
  std::remove(file.c_str());
}
BENCHMARK(BM_SaveMessages)->Unit(benchmark::kMillisecond);

// The atomic commit alone (temporary file, flush, rename, folder flush) of a file as large as the
// exchange file: the part of SaveMessages that depends on the disk rather than on the project.
void BM_CommitOfExchangeSize(benchmark::State& state) {
  auto project = FullProject();
  const std::string file = ScratchFile("commit.txt");
  project->SaveMessages(file);
  TBlockFileReader reader(file);
  std::vector<uint8_t> bytes(static_cast<std::size_t>(reader.Size()));
  reader.ReadBytes(bytes.data(), bytes.size());
  for (auto _ : state) {
    TBlockFileWriter writer(file);
    writer.WriteBytes(bytes.data(), bytes.size());
    writer.Commit();
  }
  std::remove(file.c_str());
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_CommitOfExchangeSize)->Unit(benchmark::kMillisecond);

void BM_LoadMessages(benchmark::State& state) {
  auto project = FullProject();
  const std::string file = ScratchFile("load.txt");
  project->SaveMessages(file);
  std::u16string report;
  for (auto _ : state) {
    project->LoadMessages(file, report);
    benchmark::DoNotOptimize(report.data());
  }
  std::remove(file.c_str());
  if (!report.empty()) state.SkipWithError("the import reported problems");
}
BENCHMARK(BM_LoadMessages)->Unit(benchmark::kMillisecond);

}  // namespace
