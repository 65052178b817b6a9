// Speed of the workspace memory on the quests of make_workspace: the best suggestions for one
// message from the translations of 99 quests (about 140,000 units; goal 20 ms), and the
// pre-translation of the hundredth quest against them (the plan, without reading the files), and the
// index of the check "inconsistent" built from that memory once a workspace opens.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/FullProject.h"
#include "bench/GeneratedWorkspace.h"
#include "checks/ConsistencyCheck.h"
#include "memory/Pretranslation.h"
#include "memory/WorkspaceMemory.h"
#include "project/MessageFilter.h"
#include "project/MessageSearch.h"
#include "project/ProjectClass.h"
#include "workspace/Workspace.h"

namespace {

std::vector<std::u16string> OtherQuests() {
  std::vector<std::u16string> quests;
  for (int index = 1; index < GeneratedQuestCount; ++index)
    quests.push_back(QuestNameOf("", GeneratedQuestFile(index)));
  return quests;
}

// Quest 0 is the one being translated; the others fill the memory.
const TTranslationMemory& GameMemory() {
  static const TTranslationMemory memory = [] {
    TTranslationMemory built;
    for (int index = 1; index < GeneratedQuestCount; ++index)
      AddProjectToMemory(*GeneratedQuest(BenchCatalogue(), index), QuestNameOf("", GeneratedQuestFile(index)), built);
    return built;
  }();
  return memory;
}

const TtxgProject& OpenQuest() {
  static const std::unique_ptr<TtxgProject> project = GeneratedQuest(BenchCatalogue(), 0);
  return *project;
}

// One query per untranslated message of the open quest in turn, as the suggestions panel asks.
void SuggestFromTheGame(benchmark::State& state, int minimumPercent) {
  const TTranslationMemory& memory = GameMemory();
  const TtxgProject& project = OpenQuest();
  std::vector<std::u16string> queries;
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t n = project.MessageAtPosition(position);
    if (!project.IsTranslated(n)) queries.push_back(project.GetSourceText(n));
  }
  std::size_t next = 0;
  std::size_t found = 0;
  for (auto _ : state) {
    const auto best = memory.Suggest(queries[next], 5, minimumPercent);
    found += best.size();
    next = (next + 1) % queries.size();
    benchmark::DoNotOptimize(best.data());
  }
  state.counters["units"] = static_cast<double>(memory.Size());
  state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BM_SuggestOffered(benchmark::State& state) { SuggestFromTheGame(state, OfferedSimilarity); }
void BM_SuggestAny(benchmark::State& state) { SuggestFromTheGame(state, 1); }

void BM_PlanPretranslation(benchmark::State& state) {
  const TTranslationMemory& memory = GameMemory();
  const TtxgProject& project = OpenQuest();
  TPretranslationCounts counts;
  for (auto _ : state) {
    const TPretranslation plan = PlanPretranslation(project, memory);
    counts = plan.Counts;
    benchmark::DoNotOptimize(plan.Fills.data());
  }
  state.counters["exact"] = counts.Exact;
  state.counters["fuzzy"] = counts.Fuzzy();
  state.counters["none"] = counts.None;
}

void BM_BuildConsistencyIndex(benchmark::State& state) {
  const TTranslationMemory& memory = GameMemory();
  const std::vector<std::u16string> quests = OtherQuests();
  std::size_t sources = 0;
  for (auto _ : state) {
    const TConsistencyIndex index = MakeConsistencyIndex(memory, quests);
    sources = index.SourceCount();
    benchmark::DoNotOptimize(sources);
  }
  state.counters["units"] = static_cast<double>(memory.Size());
  state.counters["sources"] = static_cast<double>(sources);
}

// The check over every translated position of quest 0 against the other 99.
void BM_InconsistentOverAQuest(benchmark::State& state) {
  const TConsistencyIndex index = MakeConsistencyIndex(GameMemory(), OtherQuests());
  const TtxgProject& project = OpenQuest();
  const std::u16string quest = QuestNameOf("", GeneratedQuestFile(0));
  std::size_t found = 0;
  for (auto _ : state) {
    found = 0;
    for (int32_t position = 1; position <= project.PositionCount; ++position)
      found += CheckMessageInconsistent(project, project.MessageAtPosition(position), index, quest).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(found);
}

// What the window does when a quest of an open workspace is opened: the memory made again from the
// texts the workspace keeps of the other 99 quests (no file is read).
const std::vector<TQuestTexts>& KeptTexts() {
  static const std::vector<TQuestTexts> quests = [] {
    std::vector<TQuestTexts> kept;
    for (int index = 1; index < GeneratedQuestCount; ++index)
      kept.push_back(
          QuestTextsOf(*GeneratedQuest(BenchCatalogue(), index), QuestNameOf("", GeneratedQuestFile(index))));
    return kept;
  }();
  return quests;
}

void BM_MemoryFromKeptTexts(benchmark::State& state) {
  const std::vector<TQuestTexts>& quests = KeptTexts();
  std::size_t units = 0;
  for (auto _ : state) {
    TTranslationMemory memory;
    for (const TQuestTexts& quest : quests) AddQuestToMemory(quest, memory);
    units = memory.Size();
    benchmark::DoNotOptimize(units);
  }
  state.counters["units"] = static_cast<double>(units);
}

// The message list's search of all quests as the window runs it: the open quest (0) in its project,
// the other 99 in the texts the workspace keeps, case ignored: a common syllable found in most texts
// (the most rows the list gets) and a rare one (every text read to its end).
void BM_SearchAllQuests(benchmark::State& state, const char16_t* pattern) {
  const std::vector<TQuestTexts>& quests = KeptTexts();
  const TtxgProject& open = OpenQuest();
  const TMessageSearch search(pattern, {.IgnoreCase = true});
  std::size_t found = 0;
  for (auto _ : state) {
    found = SearchQuests(quests, search, TStateFilter::All).size() +
            FilterPositions(open, TStateFilter::All, &search).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(found);
  state.counters["positions"] = static_cast<double>(quests.size() * 2001 + 2001);
}

BENCHMARK(BM_SuggestOffered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SuggestAny)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanPretranslation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildConsistencyIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InconsistentOverAQuest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryFromKeptTexts)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchAllQuests, common, u"КА")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchAllQuests, rare, u"ст")->Unit(benchmark::kMillisecond);

}  // namespace
