// Speed of the translation memory: the best five suggestions for one message over a memory of
// 30,000 entries made of the full-capacity quest's texts. Goal in the optimised build: 20 ms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/FullProject.h"
#include "memory/TranslationMemory.h"
#include "quest/GameContent.h"

namespace {

constexpr std::size_t MemorySize = 30000;

std::vector<std::u16string> FullQuestTexts() {
  static const std::vector<std::u16string> texts = [] {
    auto owned = std::make_unique<TGame>(BenchCatalogue());  // 900 records: off the stack
    TGame& game = *owned;
    BuildFullQuest(game);
    int32_t count = 0;
    std::vector<int32_t> types;
    std::vector<TTextField*> fields;
    std::vector<std::u16string> ids;
    game.EnumerateMessages(count, types, fields, ids);
    std::vector<std::u16string> result;
    for (int32_t n = 1; n <= count; ++n) result.push_back(fields[static_cast<std::size_t>(n)]->Text);
    return result;
  }();
  return texts;
}

const TTranslationMemory& FullMemory() {
  static const TTranslationMemory memory = [] {
    TTranslationMemory built;
    const auto texts = FullQuestTexts();
    // The quest's own texts, then edited copies of them (an earlier version) up to the size.
    for (std::size_t i = 0; built.Size() < MemorySize; ++i) {
      const std::u16string& text = texts[i % texts.size()];
      const std::u16string source = i < texts.size() ? text : u"Прежде: " + text;
      built.Add({source, u"Translation of " + source, u""});
    }
    return built;
  }();
  return memory;
}

// One query per message of the quest in turn, each with a word changed, so that the best match
// is never an identical text.
void BM_SuggestFiveOf30000(benchmark::State& state) {
  const TTranslationMemory& memory = FullMemory();
  const auto texts = FullQuestTexts();
  std::vector<std::u16string> queries;
  for (std::size_t i = 0; i < texts.size(); i += 97) queries.push_back(u"Сейчас " + texts[i]);
  std::size_t next = 0;
  std::size_t found = 0;
  for (auto _ : state) {
    const auto best = memory.Suggest(queries[next], 5, 1);
    found += best.size();
    benchmark::DoNotOptimize(best.data());
    next = (next + 1) % queries.size();
  }
  state.counters["entries"] = static_cast<double>(memory.Size());
  state.counters["queries"] = static_cast<double>(queries.size());
  state.counters["found/query"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SuggestFiveOf30000)->Unit(benchmark::kMillisecond);

void BM_BuildMemoryOf30000(benchmark::State& state) {
  const auto texts = FullQuestTexts();
  for (auto _ : state) {
    TTranslationMemory memory;
    for (std::size_t i = 0; memory.Size() < MemorySize; ++i)
      memory.Add({i < texts.size() ? texts[i] : u"Прежде: " + texts[i % texts.size()], u"t", u""});
    benchmark::DoNotOptimize(memory.Size());
  }
}
BENCHMARK(BM_BuildMemoryOf30000)->Unit(benchmark::kMillisecond);

}  // namespace
