// A damaged journal: at every cut point and with every byte changed, the records before the
// damage are recovered and none after it; a damaged header is refused; and a journal continued
// after a cut reads on past the new record.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "journal/JournalFile.h"
#include "reliability/ReliabilityHelpers.h"

namespace {

using reliability::ScratchFolder;
using reliability::WriteBytes;

class DamagedJournal : public ::testing::Test {
 protected:
  void SetUp() override {
    TJournalHeader header;
    header.FileName = "p.txg";
    header.FileSize = 1234;
    bytes = EncodeJournalHeader(header);
    headerSize = bytes.size();
    entries = {{1, 10, false, false, u"one", u""},
               {2, 11, true, false, u"", u"a note"},
               {1, 12, false, true, u"\u043E\u0434\u0438\u043D", u""},
               {7, 13, true, true, u"seven\r\n", u"n"}};
    for (const TJournalEntry& entry : entries) {
      const std::vector<uint8_t> record = EncodeJournalRecord(entry);
      bytes.insert(bytes.end(), record.begin(), record.end());
      ends.push_back(bytes.size());
    }
  }

  // The records that end at or before `offset`.
  std::size_t WholeRecordsBefore(std::size_t offset) const {
    std::size_t count = 0;
    while (count < ends.size() && ends[count] <= offset) ++count;
    return count;
  }

  // Reads `damaged`; a header that is not whole must be refused, anything after it must give
  // exactly the first `expected` records.
  void ExpectRecovered(const std::vector<uint8_t>& damaged, std::size_t expected, const std::string& what) {
    try {
      const TJournal journal = ReadJournalBytes(damaged);
      ASSERT_EQ(journal.Entries, std::vector<TJournalEntry>(entries.begin(), entries.begin() + expected)) << what;
      ASSERT_EQ(journal.ValidSize, expected == 0 ? headerSize : ends[expected - 1]) << what;
    } catch (const EJournalError& error) {
      ASSERT_EQ(expected, 0u) << what << ": " << error.what();
    }
  }

  std::vector<uint8_t> bytes;
  std::size_t headerSize = 0;
  std::vector<TJournalEntry> entries;
  std::vector<std::size_t> ends;
};

TEST_F(DamagedJournal, EveryCutKeepsTheRecordsBeforeIt) {
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    const std::vector<uint8_t> damaged(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    if (cut < headerSize) {
      EXPECT_THROW(ReadJournalBytes(damaged), EJournalError) << "cut at " << cut;
      continue;
    }
    ExpectRecovered(damaged, WholeRecordsBefore(cut), "cut at " + std::to_string(cut));
    // A cut between records is a journal that simply ends; any other is a torn record.
    const bool betweenRecords = cut == headerSize || std::find(ends.begin(), ends.end(), cut) != ends.end();
    EXPECT_EQ(ReadJournalBytes(damaged).DamagedAt >= 0, !betweenRecords) << "cut at " << cut;
  }
}

TEST_F(DamagedJournal, EveryChangedByteEndsTheReplayAtItsRecord) {
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    for (const uint8_t flip : {0x01, 0x80, 0xFF}) {
      std::vector<uint8_t> damaged = bytes;
      damaged[at] ^= flip;
      const std::string what = "byte " + std::to_string(at) + " ^ " + std::to_string(flip);
      if (at < headerSize) {
        EXPECT_THROW(ReadJournalBytes(damaged), EJournalError) << what;
        continue;
      }
      ExpectRecovered(damaged, WholeRecordsBefore(at), what);
    }
  }
}

TEST_F(DamagedJournal, AJournalContinuedAfterACutReadsToItsNewRecord) {
  ScratchFolder folder;
  const std::string file = folder.File("p.txg.journal");
  const TJournalEntry added{3, 20, false, false, u"after the cut", u""};
  for (std::size_t cut = headerSize; cut <= bytes.size(); ++cut) {
    WriteBytes(file, std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
    TJournalWriter::Continue(file).Append(added);
    std::vector<TJournalEntry> expected(entries.begin(), entries.begin() + WholeRecordsBefore(cut));
    expected.push_back(added);
    ASSERT_EQ(ReadJournal(file).Entries, expected) << "cut at " << cut;
  }
}

}  // namespace
