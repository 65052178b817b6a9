// Speed of the recovery journal: the window records one typing change. Goal in the optimised
// build: the record of a typed message taken from the full project, encoded and written, under
// 0.2 ms. The flush to disk is measured apart: the window does it on a thread of its own.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bench/FullProject.h"
#include "journal/JournalReplay.h"
#include "project/ProjectClass.h"

namespace {

struct TypingJournal {
  TypingJournal()
      : project(FullProject(BenchCatalogue())),
        file((std::filesystem::temp_directory_path() / ("xg-bench-" + std::to_string(getpid()) + ".txg.journal"))
                 .string()),
        writer(TJournalWriter::Start(file, TJournalHeader{})) {
    // A message in the middle of the quest, with a translation of a usual length being typed.
    message = project->SourceCount / 2;
    project->StoreTranslation(message, std::u16string(300, u'\u0436'));
  }
  ~TypingJournal() { RemoveJournal(file); }

  std::unique_ptr<TtxgProject> project;
  std::string file;
  TJournalWriter writer;
  int32_t message = 0;
};

void BM_JournalAppendTypingRecord(benchmark::State& state) {
  TypingJournal journal;
  for (auto _ : state) journal.writer.Append(JournalEntryOf(*journal.project, journal.message, JournalClock()));
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations()) *
      static_cast<int64_t>(EncodeJournalRecord(JournalEntryOf(*journal.project, journal.message, 0)).size()));
}
BENCHMARK(BM_JournalAppendTypingRecord)->Unit(benchmark::kMicrosecond);

void BM_JournalSyncAfterOneRecord(benchmark::State& state) {
  TypingJournal journal;
  for (auto _ : state) {
    journal.writer.Append(JournalEntryOf(*journal.project, journal.message, JournalClock()));
    journal.writer.Sync();
  }
}
BENCHMARK(BM_JournalSyncAfterOneRecord)->Unit(benchmark::kMicrosecond);

}  // namespace
