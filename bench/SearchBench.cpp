// Speed of search and replace on the largest quest (26,095 messages, each at its own position).
// Goals in the optimised build: a search as the user types (one keystroke = one search over every
// position) under 50 ms; the preview of a replace-all over every message under 300 ms; the
// replace-all and its undo under 300 ms each.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/FullProject.h"
#include "project/MessageContext.h"
#include "project/MessageSearch.h"
#include "project/ProjectClass.h"

namespace {

std::unique_ptr<TtxgProject> FullProject(bool allQuestionsEqual) {
  FullQuestOptions options;
  options.AllPathQuestionsEqual = allQuestionsEqual;
  return FullProject(BenchCatalogue(), options);
}

// A word that occurs nowhere, so every source and every translation is read to the end.
enum SearchMode { Plain, IgnoreCase, WholeWords, Expression, Ids };

void BM_SearchKeystroke(benchmark::State& state) {
  auto project = FullProject(false);
  TSearchOptions options;
  std::u16string pattern = u"кислород";
  switch (static_cast<SearchMode>(state.range(0))) {
    case Plain:
      break;
    case IgnoreCase:
      options.IgnoreCase = true;
      break;
    case WholeWords:
      options.WholeWords = true;
      break;
    case Expression:
      options.RegularExpression = true;
      options.IgnoreCase = true;
      pattern = u"кисл(о|а)род\\w*";
      break;
    case Ids:
      options.InSource = options.InTarget = false;
      options.InId = true;
      pattern = u"Path(601)";
      break;
  }
  std::size_t found = 0;
  for (auto _ : state) {
    const TMessageSearch search(pattern, options);
    found = search.MatchingPositions(*project).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["positions"] = project->PositionCount;
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_SearchKeystroke)
    ->ArgName("plain/case/words/regex/id")
    ->DenseRange(Plain, Ids)
    ->Unit(benchmark::kMillisecond);

// Every translation changes: the worst case for the preview, the replace and the undo. Argument 1
// folds every path question into one entry, so every stored text also updates 599 duplicates.
void BM_ReplaceAllPreview(benchmark::State& state) {
  auto project = FullProject(state.range(0) != 0);
  const TTextMatcher matcher(u"(\\w+)-(\\w+)|шлюз|Параметр|Особое|Идти", false, false, true);
  const std::vector<int32_t> messages = MessagesAtPositions(*project);
  std::size_t changes = 0;
  for (auto _ : state) {
    changes = PlanReplacements(*project, matcher, u"[\\2\\1]", messages).size();
    benchmark::DoNotOptimize(changes);
  }
  state.counters["changes"] = static_cast<double>(changes);
}
BENCHMARK(BM_ReplaceAllPreview)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllAndUndo(benchmark::State& state) {
  auto project = FullProject(state.range(0) != 0);
  const TTextMatcher matcher(u"(\\w+)-(\\w+)|шлюз|Параметр|Особое|Идти", false, false, true);
  const auto plan = PlanReplacements(*project, matcher, u"[\\2\\1]", MessagesAtPositions(*project));
  const bool undo = state.range(1) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (undo) ApplyReplacements(*project, plan);
    state.ResumeTiming();
    ApplyReplacements(*project, plan, undo);
    state.PauseTiming();
    if (!undo) ApplyReplacements(*project, plan, true);
    state.ResumeTiming();
  }
  state.counters["changes"] = static_cast<double>(plan.size());
}
BENCHMARK(BM_ReplaceAllAndUndo)
    ->ArgNames({"folded", "undo"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_MessageContext(benchmark::State& state) {
  auto project = FullProject(false);
  const int32_t message = project->FindTargetId(u"Path(300).End");
  std::size_t entries = 0;
  for (auto _ : state) {
    entries = MessageContext(*project, message).size();
    benchmark::DoNotOptimize(entries);
  }
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_MessageContext)->Unit(benchmark::kMillisecond);

}  // namespace
