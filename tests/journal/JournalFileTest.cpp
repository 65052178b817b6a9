// The journal file: the documented layout byte by byte, round trips of every kind of state, the
// exact refusals of unusable files, and the writer's start, continuation, emptying and removal.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/ScratchFolder.h"
#include "journal/JournalFile.h"
#include "support/BlockFile.h"

namespace {

std::vector<uint8_t> ReadBytes(const std::string& fileName) {
  TBlockFileReader file(fileName);
  std::vector<uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  if (!bytes.empty()) file.ReadBytes(bytes.data(), bytes.size());
  return bytes;
}

uint32_t Int32At(const std::vector<uint8_t>& bytes, std::size_t at) {
  return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
         uint32_t{bytes[at + 3]} << 24;
}

TJournalHeader Header() {
  TJournalHeader header;
  header.FileName = "a.txg";
  header.FileSize = 0x123456789;
  header.FileCrc = 0xCAFEF00D;
  header.Started = 1700000000123;
  return header;
}

TEST(JournalFile, HeaderAndRecordFollowTheDocumentedLayout) {
  const std::vector<uint8_t> header = EncodeJournalHeader(Header());
  ASSERT_EQ(header.size(), 44u + 5u);
  EXPECT_EQ(std::string(header.begin(), header.begin() + 8), "XGJOURNL");
  EXPECT_EQ(Int32At(header, 8), 1u);
  EXPECT_EQ(Int32At(header, 12), 0u);
  EXPECT_EQ(Int32At(header, 16), 0x23456789u);
  EXPECT_EQ(Int32At(header, 20), 0x1u);
  EXPECT_EQ(Int32At(header, 24), 0xCAFEF00Du);
  EXPECT_EQ(Int32At(header, 36), 5u);
  EXPECT_EQ(std::string(header.begin() + 40, header.begin() + 45), "a.txg");
  EXPECT_EQ(Int32At(header, 45), Crc32(header.data(), 45));

  const std::vector<uint8_t> record = EncodeJournalRecord({7, 9, true, true, u"\u0416b", u"n"});
  ASSERT_EQ(record.size(), 8u + 21u + 4u + 2u);
  EXPECT_EQ(Int32At(record, 0), 27u);
  EXPECT_EQ(Int32At(record, 4), Crc32(record.data() + 8, 27));
  EXPECT_EQ(Int32At(record, 8), 7u);
  EXPECT_EQ(Int32At(record, 12), 9u);
  EXPECT_EQ(record[20], 3);
  EXPECT_EQ(Int32At(record, 21), 2u);
  EXPECT_EQ(std::vector<uint8_t>(record.begin() + 25, record.begin() + 29), (std::vector<uint8_t>{0x16, 0x04, 'b', 0}));
  EXPECT_EQ(Int32At(record, 29), 1u);
  // zlib's CRC-32 is the common one: "123456789" gives CBF43926.
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
}

TEST(JournalFile, EveryStateOfAMessageComesBackAsWritten) {
  const std::vector<TJournalEntry> entries = {
      {1, 0, false, false, u"", u""},
      {2, -1, true, false, u"text\r\nwith a break", u""},
      {3, JournalClock(), false, true, u"P1.1: <>", u"kept as it is"},
      {2, 5, true, true, std::u16string(3000, u'\u044F'), std::u16string(1, u'\xD800')},
      {0x7FFFFFFF, 0x7FFFFFFFFFFFFFFF, false, false, u"last", u"note\twith tab"},
  };
  ScratchFolder folder;
  TJournalHeader header = Header();
  header.Kind = TJournalKind::NewProjectQuest;
  header.FileName = "/folder/\xD0\xBA.xg";
  TJournalWriter writer = TJournalWriter::Start(folder.File("p.txg.journal"), header);
  for (const TJournalEntry& entry : entries) writer.Append(entry);
  writer.Sync();

  const TJournal journal = ReadJournal(folder.File("p.txg.journal"));
  EXPECT_EQ(journal.Header, header);
  EXPECT_EQ(journal.Entries, entries);
  EXPECT_EQ(journal.DamagedAt, -1);
  EXPECT_EQ(journal.ValidSize, static_cast<int64_t>(ReadBytes(folder.File("p.txg.journal")).size()));
}

TEST(JournalFile, UnusableFilesAreRefusedWithExactTexts) {
  const std::vector<uint8_t> good = EncodeJournalHeader(Header());
  auto changed = [&](std::size_t at, uint8_t value) {
    std::vector<uint8_t> bytes = good;
    bytes[at] = value;
    return bytes;
  };
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* error;
  } cases[] = {
      {"empty", {}, "The journal has no header"},
      {"cut in the fixed part", std::vector<uint8_t>(good.begin(), good.begin() + 39), "The journal has no header"},
      {"cut in the name", std::vector<uint8_t>(good.begin(), good.begin() + 44), "The journal's header is damaged"},
      {"wrong magic", changed(0, 'Y'), "This is not a journal"},
      {"a project file", ReadBytes(std::string(XG_DATA_DIR) + "/sample.xg"), "This is not a journal"},
      {"later version", changed(8, 2), "The journal is of a later version"},
      {"version 0", changed(8, 0), "The journal's header is damaged"},
      {"unknown kind", changed(12, 2), "The journal's header is damaged"},
      {"name length past the end", changed(36, 200), "The journal's header is damaged"},
      {"negative name length", changed(39, 0x80), "The journal's header is damaged"},
      {"changed name", changed(40, 'b'), "The journal's header is damaged"},
      {"changed size", changed(16, 0), "The journal's header is damaged"},
  };
  for (const auto& c : cases) {
    try {
      ReadJournalBytes(c.bytes);
      ADD_FAILURE() << c.what << ": read";
    } catch (const EJournalError& error) {
      EXPECT_STREQ(error.what(), c.error) << c.what;
    }
  }
  ScratchFolder folder;
  try {
    ReadJournal(folder.Write("x.journal", std::string("XGJ")));
    ADD_FAILURE() << "read";
  } catch (const EJournalError& error) {
    EXPECT_EQ(error.FileName, folder.File("x.journal"));
  }
  EXPECT_THROW(ReadJournal(folder.File("missing.journal")), EInOutError);
}

TEST(JournalFile, ContinuingCutsOffATornTailSoLaterRecordsAreRead) {
  ScratchFolder folder;
  const std::string file = folder.File("p.txg.journal");
  {
    TJournalWriter writer = TJournalWriter::Start(file, Header());
    writer.Append({1, 0, false, false, u"one", u""});
    const std::vector<uint8_t> torn = EncodeJournalRecord({2, 0, false, false, u"two", u""});
    writer.AppendEncoded(std::vector<uint8_t>(torn.begin(), torn.end() - 3));
  }
  EXPECT_EQ(ReadJournal(file).Entries.size(), 1u);
  EXPECT_GT(ReadJournal(file).DamagedAt, 0);
  TJournalWriter writer = TJournalWriter::Continue(file);
  writer.Append({3, 0, false, false, u"three", u""});
  const TJournal journal = ReadJournal(file);
  ASSERT_EQ(journal.Entries.size(), 2u);
  EXPECT_EQ(journal.Entries[1].Text, u"three");
  EXPECT_EQ(journal.DamagedAt, -1);
}

TEST(JournalFile, RestartEmptiesRemoveAndDiscardLeaveNoJournal) {
  ScratchFolder folder;
  const std::string project = folder.Write("p.txg", std::string("saved"));
  const std::string file = JournalFileFor(project);
  EXPECT_EQ(file, project + ".journal");
  EXPECT_EQ(NewProjectJournalFile("/state", "/quests/sample.xg"), "/state/sample.xg.journal");
  TJournalWriter writer = TJournalWriter::Start(file, JournalHeaderFor(project));
  writer.Append({1, 0, false, false, u"one", u""});
  folder.Write("p.txg", std::string("saved again"));
  EXPECT_FALSE(JournalMatches(ReadJournal(file).Header, project));
  writer.Restart(JournalHeaderFor(project));
  EXPECT_TRUE(JournalMatches(ReadJournal(file).Header, project));
  EXPECT_TRUE(ReadJournal(file).Entries.empty());
  writer.Append({2, 0, false, false, u"two", u""});
  EXPECT_EQ(ReadJournal(file).Entries.size(), 1u);
  writer.Remove();
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"p.txg"}));
  EXPECT_NO_THROW(RemoveJournal(file));

  TJournalWriter::Start(file, JournalHeaderFor(project));
  DiscardJournal(file);
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"p.txg", "p.txg.journal.discarded"}));
  EXPECT_FALSE(JournalMatches(JournalHeaderFor(project), folder.File("missing.txg")));
}

}  // namespace
