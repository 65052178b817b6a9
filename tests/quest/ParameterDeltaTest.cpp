#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/LegacyRecords.h"
#include "quest/ParameterDeltaClass.h"
#include "support/BlockFile.h"

namespace {

std::vector<uint8_t> Saved(const TParameterDelta& change) {
  TBlockFileWriter writer;
  change.Save(writer);
  return writer.Bytes();
}

std::vector<uint8_t> Written(const LegacyChangeRecord& record, ChangeLayout layout) {
  TBlockFileWriter writer;
  WriteLegacyChangeRecord(writer, record, layout);
  return writer.Bytes();
}

// Every field set, each to a value that differs from its default.
LegacyChangeRecord DistinctRecord() {
  LegacyChangeRecord record;
  record.Value1 = 11;
  record.Value2 = -22;
  record.Value3 = 33;
  record.Value4 = 44;
  record.Value5 = 55;
  record.Flag1 = 1;
  record.Flag2 = 2;
  record.Flag3 = 3;
  record.Flag4 = 4;
  record.ExtraText = u"доп";
  record.ValueList1 = {2, 0, {7, 8}};
  record.ValueList2 = {1, 5, {-9}};
  record.CustomCriticalMsg = u"Вы утонули.";
  return record;
}

TEST(ParameterDelta, DefaultIsWrittenAsTheKnownFiftyBytes) {
  const std::vector<uint8_t> expected = {
      0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // Value1..Value5
      0, 0, 0, 0,                                                  // Flag1..Flag4
      1, 0, 0, 0, 0, 0, 0, 0,                                      // ExtraText
      0, 0, 0, 0, 1, 0, 0, 0, 0, 1,                                // two empty values lists
      1, 0, 0, 0, 0, 0, 0, 0,                                      // CustomCriticalMsg
  };
  ASSERT_EQ(expected.size(), 50u);
  EXPECT_EQ(Saved(TParameterDelta()), expected);
}

// Every layout read, then written in the newest form: the fields a layout lacks come out at their
// defaults, whatever the change held before the read.
TEST(ParameterDelta, EveryLayoutIsReadAndWrittenInTheNewestForm) {
  const LegacyChangeRecord stored = DistinctRecord();
  const auto newest = [&](bool value1AndLists, bool flag3, bool flag4AndExtraText) {
    LegacyChangeRecord record = stored;
    if (!value1AndLists) {
      record.Value1 = 0;
      record.ValueList1 = {};
      record.ValueList2 = {};
    }
    if (!flag3) record.Flag3 = 0;
    if (!flag4AndExtraText) {
      record.Flag4 = 0;
      record.ExtraText.clear();
    }
    return Written(record, ChangeLayout::D4);
  };
  struct Case {
    int32_t version;
    ChangeLayout layout;
    std::vector<uint8_t> written;
  };
  const Case cases[] = {
      {QuestVersion::V11, ChangeLayout::D1, newest(false, false, false)},
      {QuestVersion::V15, ChangeLayout::D1, newest(false, false, false)},
      {QuestVersion::V16, ChangeLayout::D2, newest(true, false, false)},
      {QuestVersion::V17, ChangeLayout::D3, newest(true, true, false)},
      {QuestVersion::V18, ChangeLayout::D3, newest(true, true, false)},
      {QuestVersion::V19, ChangeLayout::D4, newest(true, true, true)},
      {QuestVersion::V22, ChangeLayout::D4, newest(true, true, true)},
      {1111111199, ChangeLayout::D4, newest(true, true, true)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    EXPECT_EQ(ChangeLayoutForVersion(c.version), c.layout);
    // The change starts out full of other values, which an older layout must not leave behind.
    TParameterDelta change;
    TBlockFileReader previous(Written(DistinctRecord(), ChangeLayout::D4));
    change.Load(previous, QuestVersion::V22);
    change.Value1 = 99;
    change.ExtraText.Text = u"прежний";

    TBlockFileReader reader(Written(stored, c.layout));
    change.Load(reader, c.version);
    EXPECT_EQ(reader.BytesLeft(), 0);
    EXPECT_EQ(Saved(change), c.written);
  }
}

TEST(ParameterDelta, NegativeListCountIsKeptWithoutValues) {
  LegacyChangeRecord record;
  record.ValueList1 = {-2, 3, {}};
  record.ValueList2 = {0, 0, {}};
  const std::vector<uint8_t> bytes = Written(record, ChangeLayout::D4);
  TParameterDelta change;
  TBlockFileReader reader(bytes);
  change.Load(reader, QuestVersion::V22);
  EXPECT_EQ(change.ValueList1.Count, -2);
  EXPECT_TRUE(change.ValueList1.Values.empty());
  EXPECT_EQ(change.ValueList1.Flag, 3);
  EXPECT_EQ(Saved(change), bytes);

  TParameterDelta copy;
  copy.Assign(change);
  EXPECT_EQ(Saved(copy), bytes);
}

TEST(ParameterDelta, BlankCustomMessageIsWrittenEmpty) {
  LegacyChangeRecord record;
  record.CustomCriticalMsg = u"   \r\n ";
  TParameterDelta change;
  TBlockFileReader reader(Written(record, ChangeLayout::D4));
  change.Load(reader, QuestVersion::V22);
  EXPECT_EQ(change.CustomCriticalMsg.Text, u"");
  change.CustomCriticalMsg.Text = u"   ";
  EXPECT_EQ(Saved(change), Saved(TParameterDelta()));
}

TEST(ParameterDelta, AssignCopiesEveryFieldAndTrimsBothTexts) {
  TParameterDelta source;
  TBlockFileReader reader(Written(DistinctRecord(), ChangeLayout::D4));
  source.Load(reader, QuestVersion::V22);
  source.ExtraText.Text = u" a ";
  source.CustomCriticalMsg.Text = u"\tb\r\n";
  TParameterDelta target;
  target.Assign(source);
  EXPECT_EQ(target.ExtraText.Text, u"a");
  EXPECT_EQ(target.CustomCriticalMsg.Text, u"b");
  EXPECT_EQ(target.ValueList1.Values, (std::vector<int32_t>{7, 8}));
  EXPECT_EQ(target.ValueList2.Flag, 5);
  EXPECT_EQ(Saved(target), Saved(source));
}

TEST(ParameterDelta, CutRecordsFailWithReadBeyondEnd) {
  for (const ChangeLayout layout : {ChangeLayout::D1, ChangeLayout::D2, ChangeLayout::D3, ChangeLayout::D4}) {
    const int32_t version = layout == ChangeLayout::D1   ? QuestVersion::V14
                            : layout == ChangeLayout::D2 ? QuestVersion::V16
                            : layout == ChangeLayout::D3 ? QuestVersion::V18
                                                         : QuestVersion::V20;
    const std::vector<uint8_t> whole = Written(DistinctRecord(), layout);
    for (std::size_t length = 0; length < whole.size(); ++length) {
      TBlockFileReader reader(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
      TParameterDelta change;
      try {
        change.Load(reader, version);
        ADD_FAILURE() << "no error at length " << length << " of version " << version;
      } catch (const EInOutError& error) {
        EXPECT_STREQ(error.what(), "Read beyond end of file");
      }
    }
  }
}

TEST(ParameterDelta, HugeListCountFailsBeforeAllocating) {
  LegacyChangeRecord record;
  record.ValueList2 = {0x40000000, 1, {1}};
  TBlockFileReader reader(Written(record, ChangeLayout::D2));
  TParameterDelta change;
  try {
    change.Load(reader, QuestVersion::V16);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode, 100);
  }
}

TEST(ParameterDelta, RecordWrittenFromMemoryReadsBackInEveryVersion) {
  TParameterDelta source;
  TBlockFileReader full(Written(DistinctRecord(), ChangeLayout::D4));
  source.Load(full, QuestVersion::V22);
  for (const int32_t version : {QuestVersion::V11, QuestVersion::V16, QuestVersion::V17, QuestVersion::V19}) {
    SCOPED_TRACE(version);
    TBlockFileWriter writer;
    WriteLegacyChange(writer, source, version);
    TBlockFileReader reader(writer.Bytes());
    TParameterDelta read;
    read.Load(reader, version);
    EXPECT_EQ(reader.BytesLeft(), 0);
    EXPECT_EQ(read.Value2, -22);
    EXPECT_EQ(read.CustomCriticalMsg.Text, u"Вы утонули.");
    EXPECT_EQ(read.Value1, version >= QuestVersion::V16 ? 11 : 0);
    EXPECT_EQ(read.Flag3, version >= QuestVersion::V17 ? 3 : 0);
    if (version >= QuestVersion::V19) {
      EXPECT_EQ(Saved(read), Saved(source));
    }
  }
}

}  // namespace
