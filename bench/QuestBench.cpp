// Speed of the quest document on a quest filled to capacity (about 26,000 messages).
// Goals for the optimised build: load + Assign + EnumerateMessages under 20 ms together; save
// under 20 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/FullProject.h"
#include "common/ScratchFolder.h"
#include "quest/GameContent.h"
#include "support/BlockFile.h"

namespace {

// The full quest, built once, kept in memory and in a file of a scratch folder.
struct FullQuestFixture {
  FullQuestFixture() : game(std::make_unique<TGame>(BenchCatalogue())) {
    BuildFullQuest(*game);
    TBlockFileWriter writer;
    game->WriteTo(writer);
    bytes = writer.Bytes();
    fileName = scratch.File("full.xg");
    game->SaveToFile(fileName);
  }

  ScratchFolder scratch;
  const std::string folder = scratch.Path();
  std::unique_ptr<TGame> game;
  std::vector<uint8_t> bytes;
  std::string fileName;
};

FullQuestFixture& Full() {
  static FullQuestFixture fixture;
  return fixture;
}

// What a new project does: load the source, copy it into the target, list the messages of both.
void BM_LoadAssignEnumerate(benchmark::State& state) {
  auto source = std::make_unique<TGame>(BenchCatalogue());
  auto target = std::make_unique<TGame>(BenchCatalogue());
  TMessageList sourceMessages;
  TMessageList targetMessages;
  for (auto _ : state) {
    source->LoadFromFile(Full().fileName);
    target->Assign(*source);
    sourceMessages = source->Messages();
    targetMessages = target->Messages();
    benchmark::DoNotOptimize(targetMessages.Count);
  }
  state.counters["messages"] = sourceMessages.Count;
  state.counters["bytes"] = static_cast<double>(Full().bytes.size());
}
BENCHMARK(BM_LoadAssignEnumerate)->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State& state) {
  const std::string fileName = Full().folder + "/saved.xg";
  for (auto _ : state) Full().game->SaveToFile(fileName);
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

// The parts, to see where the time goes.
void BM_ReadFromMemory(benchmark::State& state) {
  auto game = std::make_unique<TGame>(BenchCatalogue());
  for (auto _ : state) {
    TBlockFileReader reader(Full().bytes);
    game->ReadFrom(reader);
  }
}
BENCHMARK(BM_ReadFromMemory)->Unit(benchmark::kMillisecond);

void BM_Reset(benchmark::State& state) {
  auto game = std::make_unique<TGame>(BenchCatalogue());
  for (auto _ : state) game->Reset();
}
BENCHMARK(BM_Reset)->Unit(benchmark::kMillisecond);

void BM_WriteToMemory(benchmark::State& state) {
  for (auto _ : state) {
    TBlockFileWriter writer;
    Full().game->WriteTo(writer);
    benchmark::DoNotOptimize(writer.Bytes().data());
  }
}
BENCHMARK(BM_WriteToMemory)->Unit(benchmark::kMillisecond);

void BM_Assign(benchmark::State& state) {
  auto target = std::make_unique<TGame>(BenchCatalogue());
  for (auto _ : state) target->Assign(*Full().game);
}
BENCHMARK(BM_Assign)->Unit(benchmark::kMillisecond);

void BM_EnumerateMessages(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Full().game->Messages().Count);
}
BENCHMARK(BM_EnumerateMessages)->Unit(benchmark::kMillisecond);

}  // namespace
