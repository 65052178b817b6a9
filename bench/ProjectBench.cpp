// Speed of the translation project on the largest quest: every path asks the same question with
// the same Value2, so that all of them fold into one entry (the worst case for linking).
// Goals in the optimised build: RebuildMessageTable under 10 ms, SaveMessages under 20 ms,
// LoadMessages of a file holding every message under 30 ms; SaveToFile and LoadFromFile of the
// project with every position flagged and noted at most 1.3 times those of the project without
// states; `xgtool stats` on it at most 1.2 times `xgtool info` on the project without states.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/FullProject.h"
#include "project/ProjectClass.h"
#include "support/BlockFile.h"

namespace {

std::unique_ptr<TtxgProject> FullProject() {
  FullQuestOptions options;
  options.AllPathQuestionsEqual = true;
  return FullProject(BenchCatalogue(), options);
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

// The full project with every position flagged for review and a short note on each: the largest
// block of states a translator produces.
std::unique_ptr<TtxgProject> FlaggedProject() {
  auto project = FullProject();
  for (int32_t position = 1; position <= project->PositionCount; ++position) {
    const int32_t message = project->MessageAtPosition(position);
    project->SetNeedsReview(message, true);
    project->SetNote(message, u"check the form");
  }
  return project;
}

// Argument 0: a project without states (the file as it always was); 1: the flagged project.
std::unique_ptr<TtxgProject> ProjectForArgument(int64_t withStates) {
  return withStates != 0 ? FlaggedProject() : FullProject();
}

void BM_ProjectSaveToFile(benchmark::State& state) {
  auto project = ProjectForArgument(state.range(0));
  const std::string file = ScratchFile("save.txg");
  for (auto _ : state) project->SaveToFile(file);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
  std::remove(file.c_str());
}
BENCHMARK(BM_ProjectSaveToFile)->ArgName("states")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ProjectLoadFromFile(benchmark::State& state) {
  auto project = ProjectForArgument(state.range(0));
  const int32_t review = project->ReviewPositions();
  const std::string file = ScratchFile("load.txg");
  project->SaveToFile(file);
  for (auto _ : state) {
    project->LoadFromFile(file);
    benchmark::DoNotOptimize(project->PositionCount);
  }
  std::remove(file.c_str());
  if (project->ReviewPositions() != review) state.SkipWithError("the states did not survive the round trip");
}
BENCHMARK(BM_ProjectLoadFromFile)->ArgName("states")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Whole xgtool processes: `info` on the project without states (what it always did) against
// `stats` on the flagged project, both as a script would run them.
void RunTool(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::string tool = XG_TOOL;
  argv.push_back(tool.data());
  std::vector<std::string> copies = args;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, tool.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("xgtool failed");
}

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_XgtoolWholeProcess(benchmark::State& state) {
  const bool stats = state.range(0) != 0;
  auto project = ProjectForArgument(state.range(0));
  const std::string file = ScratchFile(stats ? "stats.txg" : "info.txg");
  project->SaveToFile(file);
  const std::string catalogue = std::string(XG_DATA_DIR) + "/msg_cfg.txt";
  // The processor time of the children as well: on a busy machine the wall clock mostly measures
  // the neighbours.
  const double cpuBefore = ChildrenCpuSeconds();
  for (auto _ : state) RunTool({"--catalogue", catalogue, stats ? "stats" : "info", file});
  state.counters["child_cpu_ms"] =
      benchmark::Counter((ChildrenCpuSeconds() - cpuBefore) * 1000.0 / static_cast<double>(state.iterations()));
  std::remove(file.c_str());
  state.SetLabel(stats ? "stats, flagged project" : "info, project without states");
}
BENCHMARK(BM_XgtoolWholeProcess)->ArgName("stats")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
