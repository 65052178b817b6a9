// Speed of the translation checks and the spelling on the largest quest, translated (a message
// not edited yet is checked for "unchanged" only, which would measure nothing).
// Goals in the optimised build: every check over the full quest under 50 ms, its spelling under
// 3 s (dictionary loading included), one message re-checked per keystroke under 1 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/FullProject.h"
#include "checks/Spelling.h"
#include "checks/TranslationChecks.h"
#include "project/ProjectClass.h"

namespace {

// Every message translated: a Russian word before each text keeps the words real for the
// spelling and the markup as it was.
std::unique_ptr<TtxgProject> TranslatedFullProject() {
  auto project = FullProject(BenchCatalogue());
  for (int32_t n = 1; n <= project->SourceCount; ++n) project->SetTargetText(n, u"Итак, " + project->GetSourceText(n));
  return project;
}

// The user's word list of the benchmark: none.
const std::string NoWordList = "/nonexistent/xg-bench-words.txt";

void BM_CheckFullQuest(benchmark::State& state) {
  auto project = TranslatedFullProject();
  std::size_t findings = 0;
  for (auto _ : state) {
    findings = CheckProject(*project).size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["messages"] = project->PositionCount;
  state.counters["with findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckFullQuest)->Unit(benchmark::kMillisecond);

void BM_SpellFullQuest(benchmark::State& state) {
  auto project = TranslatedFullProject();
  std::size_t findings = 0;
  for (auto _ : state) {
    TSpellChecker speller("ru_RU", DictionaryFolders(), NoWordList);
    findings = 0;
    for (int32_t position = 1; position <= project->PositionCount; ++position)
      findings += CheckSpelling(*project, project->MessageAtPosition(position), speller).size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["misspelled"] = static_cast<double>(findings);
}
BENCHMARK(BM_SpellFullQuest)->Unit(benchmark::kMillisecond)->Iterations(3);

// One keystroke in the longest message: a changed word (not in the spelling's memory yet), then
// every check and the spelling of the message.
void BM_RecheckOneMessage(benchmark::State& state) {
  auto project = TranslatedFullProject();
  TSpellChecker speller("ru_RU", DictionaryFolders(), NoWordList);
  const int32_t n = project->FindTargetId(u"L(150).Text(5)");
  const std::u16string text = project->GetTargetText(n);
  int keystroke = 0;
  for (auto _ : state) {
    project->SetTargetText(n, text + u" слово" + std::u16string(1, static_cast<char16_t>(u'а' + keystroke++ % 32)));
    benchmark::DoNotOptimize(CheckMessage(*project, n).size() + CheckSpelling(*project, n, speller).size());
  }
}
BENCHMARK(BM_RecheckOneMessage)->Unit(benchmark::kMicrosecond);

}  // namespace
