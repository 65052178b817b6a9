// Journal reading: an unusable file is refused with EJournalError and nothing else; what is read
// encodes back to exactly the bytes it came from, and applies to a project or is refused whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzSupport.h"
#include "journal/JournalReplay.h"
#include "project/ProjectClass.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static auto project = [] {
    auto sample = std::make_unique<TtxgProject>(fuzzsupport::Catalogue());
    sample->NewFromSource(fuzzsupport::SampleQuestPath());
    return sample;
  }();
  TJournal journal;
  try {
    journal = ReadJournalBytes(std::vector<uint8_t>(data, data + size));
  } catch (const EJournalError&) {
    return 0;
  }
  if (journal.ValidSize > static_cast<int64_t>(size) ||
      (journal.DamagedAt >= 0) == (journal.ValidSize == static_cast<int64_t>(size)))
    std::abort();
  std::vector<uint8_t> again = EncodeJournalHeader(journal.Header);
  for (const TJournalEntry& entry : journal.Entries) {
    const std::vector<uint8_t> record = EncodeJournalRecord(entry);
    again.insert(again.end(), record.begin(), record.end());
  }
  if (static_cast<int64_t>(again.size()) != journal.ValidSize || std::memcmp(again.data(), data, again.size()) != 0)
    std::abort();
  try {
    ApplyJournal(*project, journal);
  } catch (const EJournalError&) {
    return 0;
  }
  if (project->TranslatedPositions() > project->PositionCount) std::abort();
  return 0;
}
