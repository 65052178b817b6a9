#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/LegacyRecords.h"
#include "quest/ParameterClass.h"
#include "support/BlockFile.h"

namespace {

using Ranges = std::vector<std::pair<int64_t, int64_t>>;

Ranges RangesOf(const TCPDiapazone& ranges) {
  Ranges result;
  for (std::size_t i = 0; i < ranges.Low.size(); ++i) result.emplace_back(ranges.Low[i], ranges.High[i]);
  return result;
}

std::vector<uint8_t> Saved(const TParameter& parameter) {
  TBlockFileWriter writer;
  parameter.Save(writer);
  return writer.Bytes();
}

std::vector<uint8_t> Written(const LegacyParameterRecord& record, ParameterLayout layout) {
  TBlockFileWriter writer;
  WriteLegacyParameterRecord(writer, record, layout);
  return writer.Bytes();
}

// Loads `bytes` into a fresh parameter of slot 3 and checks that the whole record was consumed.
void LoadWhole(TParameter& parameter, const std::vector<uint8_t>& bytes, int32_t version) {
  TBlockFileReader reader(bytes);
  parameter.Load(reader, version);
  EXPECT_EQ(reader.BytesLeft(), 0) << "version " << version;
}

// A record in which every field differs from its default and from the other fields.
LegacyParameterRecord DistinctRecord() {
  LegacyParameterRecord record;
  record.Min = -5;
  record.Max = 250;
  record.CriticalValue = 77;
  record.CriticalKind = 2;
  record.Flag1 = 3;
  record.Flag2 = 0;
  record.Flag3 = 2;
  record.Active = 5;
  record.ViewStringCount = 2;
  record.Flag4 = 7;
  record.Name = u" Здоровье ";
  record.LegacyFormat = u"  Здоровье: <>\r\n";
  record.ViewStrings = {{-5, 0, u" мало: <> "}, {1, 250, u"много: <>"}};
  record.CriticalMsg = u" Вы погибли. ";
  record.ValuesList = {2, 4, {3, 9}};
  record.RangeText = "[1h5;9]";
  return record;
}

TEST(Parameter, DefaultOfSlotOneIsWrittenAsTheKnownBytes) {
  TBlockFileWriter texts;
  const auto units = [](const std::u16string& text) {
    TBlockFileWriter writer;
    writer.WriteUnits(text);
    return writer.Bytes();
  };
  std::vector<uint8_t> expected = {0, 0, 0, 0, 1,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // Min Max CriticalValue Kind
                                   0, 1, 1, 0,                                       // Flag1 Flag2 Flag3 Active
                                   1, 0, 0, 0,                                       // view string count
                                   0,                                                // Flag4
                                   1, 0, 0, 0, 16, 0, 0, 0};
  const auto append = [&expected](const std::vector<uint8_t>& bytes) {
    expected.insert(expected.end(), bytes.begin(), bytes.end());
  };
  append(units(u"Параметр номер 1"));
  append({0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 20, 0, 0, 0});
  append(units(u"Параметр номер 1: <>"));
  append({1, 0, 0, 0, 55, 0, 0, 0});
  append(units(u"Сообщение достижения критического значения параметром 1"));
  append({1, 0, 0, 0, 1, 0, 0, 0, 0x5B, 0});
  ASSERT_EQ(expected.size(), 249u);
  EXPECT_EQ(Saved(TParameter(1)), expected);
}

TEST(Parameter, DefaultsOfASlot) {
  TParameter parameter(5);
  EXPECT_EQ(parameter.Active, 0);
  EXPECT_EQ(parameter.Name.Text, u"Параметр номер 5");
  EXPECT_EQ(parameter.LegacyFormat.Text, u"Параметр номер 5: <>");
  EXPECT_EQ(parameter.CriticalMsg.Text, u"Сообщение достижения критического значения параметром 5");
  EXPECT_EQ(parameter.ViewStringCount, 1);
  EXPECT_EQ(parameter.ViewString(1).From, 0);
  EXPECT_EQ(parameter.ViewString(1).To, 1);
  for (int32_t k = 1; k <= MaxViewStrings; ++k) EXPECT_EQ(parameter.ViewString(k).Text.Text, u"Параметр номер 5: <>");
  EXPECT_EQ(parameter.CriticalRanges.Count(), 0);
  EXPECT_EQ((std::vector<int>{parameter.Flag1, parameter.Flag2, parameter.Flag3, parameter.Flag4}),
            (std::vector<int>{0, 1, 1, 0}));
  EXPECT_EQ(parameter.ValuesList.Count, 0);
  EXPECT_EQ(parameter.ValuesList.Flag, 1);

  // Reset returns a used parameter to the defaults of the slot it is given.
  LoadWhole(parameter, Written(DistinctRecord(), ParameterLayout::E), QuestVersion::V22);
  parameter.Reset(17);
  TBlockFileWriter fresh;
  TParameter(17).Save(fresh);
  EXPECT_EQ(Saved(parameter), fresh.Bytes());
  EXPECT_EQ(parameter.ViewString(2).From, 0);
  EXPECT_EQ(parameter.LegacyFormat.Text, u"Параметр номер 17: <>");
}

// Every layout read, then written in the newest form: the expected record is the stored one with
// the fields the layout lacks at their defaults and the derived fields filled in.
TEST(Parameter, EveryLayoutIsReadAndWrittenInTheNewestForm) {
  const LegacyParameterRecord stored = DistinctRecord();
  const auto newest = [&](uint8_t flag4, std::vector<LegacyViewString> viewStrings, int32_t count,
                          std::string rangeText) {
    LegacyParameterRecord record = stored;
    record.Flag4 = flag4;
    record.Name = u"Здоровье";
    record.CriticalMsg = u"Вы погибли.";
    record.ViewStringCount = count;
    record.ViewStrings = std::move(viewStrings);
    record.RangeText = std::move(rangeText);
    return Written(record, ParameterLayout::E);
  };
  const std::vector<LegacyViewString> storedViews = {{-5, 0, u"мало: <>"}, {1, 250, u"много: <>"}};
  const std::vector<LegacyViewString> legacyView = {{-5, 250, u"Здоровье: <>"}};

  struct Case {
    int32_t version;
    ParameterLayout layout;
    std::vector<uint8_t> written;
    Ranges ranges;
  };
  const Case cases[] = {
      {QuestVersion::V11, ParameterLayout::A, newest(0, legacyView, 1, "[77]"), {{77, 77}}},
      {QuestVersion::V12, ParameterLayout::A, newest(0, legacyView, 1, "[77]"), {{77, 77}}},
      {QuestVersion::V13, ParameterLayout::B, newest(0, storedViews, 2, "[77]"), {{77, 77}}},
      {QuestVersion::V17, ParameterLayout::B, newest(0, storedViews, 2, "[77]"), {{77, 77}}},
      {QuestVersion::V18, ParameterLayout::C, newest(7, storedViews, 2, "[77]"), {{77, 77}}},
      // The values list alone; the document adds CriticalValue after all records are read.
      {QuestVersion::V19, ParameterLayout::D, newest(7, storedViews, 2, "[3;9]"), {{3, 3}, {9, 9}}},
      {QuestVersion::V20, ParameterLayout::D, newest(7, storedViews, 2, "[3;9]"), {{3, 3}, {9, 9}}},
      {QuestVersion::V21, ParameterLayout::E, newest(7, storedViews, 2, "[1h5;9]"), {{1, 5}, {9, 9}}},
      {QuestVersion::V22, ParameterLayout::E, newest(7, storedViews, 2, "[1h5;9]"), {{1, 5}, {9, 9}}},
      {1111111130, ParameterLayout::E, newest(7, storedViews, 2, "[1h5;9]"), {{1, 5}, {9, 9}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    EXPECT_EQ(ParameterLayoutForVersion(c.version), c.layout);
    TParameter parameter(3);
    parameter.Flag4 = 9;  // every read starts Flag4 afresh
    LoadWhole(parameter, Written(stored, c.layout), c.version);
    EXPECT_EQ(RangesOf(parameter.CriticalRanges), c.ranges);
    EXPECT_EQ(parameter.ValuesList.Count, 0);
    EXPECT_EQ(parameter.ValuesList.Flag, 1);
    EXPECT_EQ(parameter.LegacyFormat.Text, c.layout == ParameterLayout::A ? std::u16string(u"Здоровье: <>")
                                                                          : std::u16string(u"Параметр номер 3: <>"));
    // Slots beyond the stored view strings keep their defaults.
    EXPECT_EQ(parameter.ViewString(3).Text.Text, u"Параметр номер 3: <>");
    EXPECT_EQ(Saved(parameter), c.written);
  }
}

TEST(Parameter, LayoutDWithTheDocumentsCriticalValueStep) {
  LegacyParameterRecord record;
  record.ValuesList = {2, 1, {3, 7}};
  TParameter parameter(1);
  LoadWhole(parameter, Written(record, ParameterLayout::D), QuestVersion::V19);
  parameter.CriticalRanges.AddValue(parameter.CriticalValue);
  EXPECT_EQ(parameter.CriticalRanges.ToText(), "[3;7;0]");
  EXPECT_EQ(parameter.ValuesList.Count, 0);

  // A negative count has no values behind it and gives no ranges.
  record.ValuesList = {-3, 1, {}};
  TParameter negative(1);
  LoadWhole(negative, Written(record, ParameterLayout::D), QuestVersion::V20);
  EXPECT_EQ(negative.CriticalRanges.Count(), 0);
}

TEST(Parameter, OlderLayoutsGiveTheSingleCriticalValue) {
  LegacyParameterRecord record;
  record.CriticalValue = 100;
  record.ViewStrings = {{0, 1, u"v"}};
  TParameter parameter(2);
  LoadWhole(parameter, Written(record, ParameterLayout::C), QuestVersion::V18);
  EXPECT_EQ(parameter.CriticalRanges.ToText(), "[100]");

  record.CriticalValue = 0;
  TParameter oldest(2);
  LoadWhole(oldest, Written(record, ParameterLayout::A), QuestVersion::V12);
  EXPECT_EQ(oldest.CriticalRanges.ToText(), "[0]");
}

TEST(Parameter, ViewStringCountsWithoutRecords) {
  for (const int32_t count : {0, -1, -2147483647 - 1}) {
    LegacyParameterRecord record;
    record.ViewStringCount = count;
    record.ViewStrings.clear();
    const std::vector<uint8_t> bytes = Written(record, ParameterLayout::E);
    TParameter parameter(4);
    LoadWhole(parameter, bytes, QuestVersion::V22);
    EXPECT_EQ(parameter.ViewStringCount, count);
    EXPECT_EQ(Saved(parameter), bytes);
  }
}

TEST(Parameter, ViewStringCountAboveTenFailsTheLoad) {
  for (const int32_t count : {11, 2147483647}) {
    LegacyParameterRecord record;
    record.ViewStringCount = count;
    record.ViewStrings.assign(11, {1, 2, u"x"});
    TBlockFileReader reader(Written(record, ParameterLayout::E));
    TParameter parameter(6);
    try {
      parameter.Load(reader, QuestVersion::V22);
      ADD_FAILURE() << "no error for " << count;
    } catch (const EParameterFormatError& error) {
      EXPECT_EQ(std::string(error.what()), "Parameter view string count " + std::to_string(count) + " is above 10");
    }
    EXPECT_EQ(parameter.ViewStringCount, 1);
    EXPECT_EQ(parameter.ViewString(10).Text.Text, u"Параметр номер 6: <>");
  }
}

TEST(Parameter, TenViewStringsAreHeld) {
  LegacyParameterRecord record;
  record.ViewStringCount = 10;
  record.ViewStrings.clear();
  for (int32_t k = 1; k <= 10; ++k) record.ViewStrings.push_back({k, k * 10, u"v" + std::u16string(1, u'0' + k % 10)});
  const std::vector<uint8_t> bytes = Written(record, ParameterLayout::E);
  TParameter parameter(8);
  LoadWhole(parameter, bytes, QuestVersion::V21);
  EXPECT_EQ(parameter.ViewString(10).From, 10);
  EXPECT_EQ(parameter.ViewString(10).Text.Text, u"v0");
  EXPECT_EQ(Saved(parameter), bytes);
}

TEST(Parameter, CarriedFieldsSurviveByteForByte) {
  LegacyParameterRecord record = DistinctRecord();
  record.Name = u"Здоровье";
  record.ViewStrings = {{-5, 0, u"мало: <>"}, {1, 250, u"много: <>"}};
  record.CriticalMsg = u"Вы погибли.";
  record.Flag2 = 0;
  record.Flag4 = 7;
  record.Flag1 = 255;
  record.Active = 2;
  const std::vector<uint8_t> bytes = Written(record, ParameterLayout::E);
  TParameter parameter(1);
  LoadWhole(parameter, bytes, QuestVersion::V22);
  EXPECT_EQ(Saved(parameter), bytes);
}

TEST(Parameter, CutRecordsFailWithReadBeyondEnd) {
  const LegacyParameterRecord record = DistinctRecord();
  for (const auto& [layout, version] :
       {std::pair{ParameterLayout::A, QuestVersion::V12}, std::pair{ParameterLayout::B, QuestVersion::V15},
        std::pair{ParameterLayout::C, QuestVersion::V18}, std::pair{ParameterLayout::D, QuestVersion::V20},
        std::pair{ParameterLayout::E, QuestVersion::V22}}) {
    const std::vector<uint8_t> whole = Written(record, layout);
    for (std::size_t length = 0; length < whole.size(); ++length) {
      TBlockFileReader reader(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
      TParameter parameter(1);
      try {
        parameter.Load(reader, version);
        ADD_FAILURE() << "no error at length " << length << " of version " << version;
      } catch (const EInOutError& error) {
        EXPECT_STREQ(error.what(), "Read beyond end of file");
      }
    }
  }
}

TEST(Parameter, HugeValuesListCountFailsBeforeAllocating) {
  LegacyParameterRecord record;
  record.ValuesList = {2147483647, 1, {1, 2}};
  TBlockFileReader reader(Written(record, ParameterLayout::D));
  TParameter parameter(1);
  try {
    parameter.Load(reader, QuestVersion::V19);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode, 100);
  }
}

TEST(Parameter, AssignCopiesEveryFieldAndTrimsTheName) {
  TParameter source(2);
  TBlockFileReader reader(Written(DistinctRecord(), ParameterLayout::E));
  source.Load(reader, QuestVersion::V22);
  source.Name.Text = u" y ";
  source.CriticalMsg.Text = u" x ";
  source.LegacyFormat.Text = u" z ";
  source.ViewString(2).Text.Text = u"\t w \r\n";
  source.ValuesList.Count = 1;
  source.ValuesList.Flag = 0;
  source.ValuesList.Values = {42};

  TParameter target(9);
  target.Assign(source);
  EXPECT_EQ(target.Name.Text, u"y");
  EXPECT_EQ(target.CriticalMsg.Text, u" x ");
  EXPECT_EQ(target.LegacyFormat.Text, u" z ");
  EXPECT_EQ(target.ViewString(2).Text.Text, u"w");
  EXPECT_EQ(target.ViewString(2).From, 1);
  EXPECT_EQ(target.ViewString(2).To, 250);
  EXPECT_EQ(target.ValuesList.Values, std::vector<int32_t>{42});
  EXPECT_EQ(target.ValuesList.Flag, 0);
  // Slots past the copied count keep what the target had.
  EXPECT_EQ(target.ViewString(3).Text.Text, u"Параметр номер 9: <>");
  // Everything written is equal, since writing trims every text anyway.
  EXPECT_EQ(Saved(target), Saved(source));
}

// A parameter that every form can hold exactly (one view string that matches LegacyFormat, the
// single critical range, Flag4 0) comes back from the record written for any version unchanged.
TEST(Parameter, RecordWrittenFromMemoryReadsBackInEveryVersion) {
  TParameter source(4);
  source.Min = -3;
  source.Max = 30;
  source.CriticalValue = -3;
  source.CriticalKind = 1;
  source.Active = 1;
  source.Flag1 = 6;
  source.Name.Text = u"Топливо";
  source.LegacyFormat.Text = u"Топливо: <>";
  source.ViewString(1) = TParWiewString(u"Топливо: <>");
  source.ViewString(1).From = -3;
  source.ViewString(1).To = 30;
  source.CriticalMsg.Text = u"Топливо кончилось.";
  source.CriticalRanges.AddValue(-3);
  for (const int32_t version :
       {QuestVersion::V11, QuestVersion::V12, QuestVersion::V13, QuestVersion::V16, QuestVersion::V18,
        QuestVersion::V19, QuestVersion::V20, QuestVersion::V21, QuestVersion::V22}) {
    SCOPED_TRACE(version);
    TBlockFileWriter writer;
    WriteLegacyParameter(writer, source, version);
    TParameter read(4);
    LoadWhole(read, writer.Bytes(), version);
    if (ParameterLayoutForVersion(version) == ParameterLayout::D) read.CriticalRanges.AddValue(read.CriticalValue);
    EXPECT_EQ(Saved(read), Saved(source));
  }
}

}  // namespace
