#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "common/LegacyQuestWriter.h"
#include "quest/PathClass.h"
#include "support/BlockFile.h"
#include "tests/quest/QuestRecordSupport.h"

using namespace QuestVersion;

namespace {

double RealFromBits(uint64_t bits) { return std::bit_cast<double>(bits); }

void FillPath(TPath& path) {
  path.RealValue = 0.25;
  path.Value1 = 11;
  path.Number = 7;
  path.Value2 = 12;
  path.Value3 = 13;
  path.Flag1 = 0;
  path.Flag2 = 2;
  path.Value4 = 14;
  path.Value5 = 15;
  for (int32_t c = 1; c <= MaxChanges; ++c) {
    path.Change(c).Value4 = -c;
    path.Change(c).CustomCriticalMsg.Text = u"крит " + std::u16string(1, static_cast<char16_t>(u'a' + c));
  }
  path.ExtraText.Text = u"прочее";
  path.StartText.Text = u"Идти дальше?";
  path.EndText.Text = u"Вы идёте.\r\n\r\nДальше.";
}

TPath LoadPath(const std::vector<uint8_t>& bytes, int32_t version) {
  TPath path(ShippedCatalogue());
  TBlockFileReader reader(bytes);
  path.Load(reader, version);
  EXPECT_EQ(reader.BytesLeft(), 0) << "version " << version;
  return path;
}

std::vector<uint8_t> LegacyBytes(const TPath& path, int32_t version) {
  TBlockFileWriter writer;
  WriteLegacyPath(writer, path, version);
  return writer.Bytes();
}

}  // namespace

TEST(PathRecord, DefaultWithEmptyTextsIsTheDocumented1258Bytes) {
  TPath path(ShippedCatalogue());
  path.StartText.Clear();
  const std::vector<uint8_t> expected = Concat({
      Hex("00000000 0000F03F"),                    // RealValue 1.0
      Hex("00000000 00000000 00000000 00000000"),  // Value1, Number, Value2, Value3
      Hex("01 00"),                                // Flag1 1, Flag2 0
      Hex("01000000 05000000"),                    // Value4 1, Value5 5
      Repeat(DefaultChangeBytes, 24),
      Repeat(EmptyTextBytes, 3),
  });
  ASSERT_EQ(expected.size(), 1258u);
  EXPECT_EQ(SavedBytes(path), expected);
}

TEST(PathRecord, ResetTakesTheQuestionFromTheCatalogue) {
  TPath path(ShippedCatalogue());
  FillPath(path);
  path.Reset();
  EXPECT_EQ(path.StartText.Text, ShippedCatalogue().Par_Get(u"PathClassStartPathMessage"));
  EXPECT_EQ(path.EndText.Text, u"");
  EXPECT_EQ(path.RealValue, 1.0);
  EXPECT_EQ(path.Flag1, 1);
  EXPECT_EQ(path.Value5, 5);
  EXPECT_EQ(path.Change(5).Value4, 0);

  TBlockParJD empty;
  try {
    TPath orphan(empty);
    FAIL() << "no error";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "TBlockParJD.Block_Get. name=PathClassStartPathMessage");
  }
}

TEST(PathRecord, EveryLayoutReadsItsFieldsAndLeavesTheRestAtDefaults) {
  struct Case {
    int32_t version;
    char layout;
    std::size_t emptyRecordSize;
    int32_t changes;
  };
  const Case cases[] = {
      {V11, 'A', 263, 9},   {V12, 'B', 264, 9},   {V13, 'B', 264, 9},       {V14, 'C', 268, 9},   {V15, 'D', 346, 12},
      {V16, 'E', 526, 12},  {V17, 'F', 538, 12},  {V18, 'F', 538, 12},      {V19, 'G', 1254, 24}, {V20, 'G', 1254, 24},
      {V21, 'G', 1254, 24}, {V22, 'H', 1258, 24}, {V22 + 1, 'H', 1258, 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("layout ") + c.layout + ", version " + std::to_string(c.version));
    TPath empty(ShippedCatalogue());
    empty.StartText.Clear();
    EXPECT_EQ(LegacyBytes(empty, c.version).size(), c.emptyRecordSize);

    TPath source(ShippedCatalogue());
    FillPath(source);
    const TPath read = LoadPath(LegacyBytes(source, c.version), c.version);
    EXPECT_EQ(read.RealValue, c.layout >= 'E' ? 0.25 : 1.0);
    EXPECT_EQ(read.Value1, c.layout >= 'E' ? 11 : 0);
    EXPECT_EQ(read.Number, 7);
    EXPECT_EQ(read.Value2, 12);
    EXPECT_EQ(read.Value3, 13);
    EXPECT_EQ(read.Flag1, 0);
    EXPECT_EQ(read.Flag2, c.layout >= 'B' ? 2 : 0);
    EXPECT_EQ(read.Value4, c.layout >= 'C' ? 14 : 1);
    EXPECT_EQ(read.Value5, c.layout == 'H' ? 15 : 5);
    for (int32_t i = 1; i <= MaxChanges; ++i) {
      const bool stored = i <= c.changes;
      EXPECT_EQ(read.Change(i).Value4, stored ? -i : 0) << "change " << i;
      EXPECT_EQ(read.Change(i).CustomCriticalMsg.Text, stored ? source.Change(i).CustomCriticalMsg.Text : u"");
    }
    EXPECT_EQ(read.ExtraText.Text, c.layout >= 'G' ? u"прочее" : u"");
    EXPECT_EQ(read.StartText.Text, u"Идти дальше?");
    EXPECT_EQ(read.EndText.Text, u"Вы идёте.\r\n\r\nДальше.");
    // Whatever the layout, the current one is written with the defaults of the missing fields.
    const TPath reread = LoadPath(SavedBytes(read), V22);
    EXPECT_EQ(SavedBytes(reread), SavedBytes(read));
  }
}

TEST(PathRecord, EmptyQuestionInTheFileReplacesTheCatalogueDefault) {
  TPath source(ShippedCatalogue());
  source.StartText.Clear();
  EXPECT_EQ(LoadPath(SavedBytes(source), V22).StartText.Text, u"");
}

TEST(PathRecord, RealValueSurvivesBitForBit) {
  const uint64_t patterns[] = {0x3FF0000000000000ull, 0x7FF0000000000001ull /* signalling NaN */, 0xFFF8000000000123ull,
                               0x8000000000000000ull /* -0.0 */, 0x0000000000000001ull};
  for (uint64_t bits : patterns) {
    TPath source(ShippedCatalogue());
    source.RealValue = RealFromBits(bits);
    const TPath read = LoadPath(SavedBytes(source), V22);
    TPath copy(ShippedCatalogue());
    copy.Assign(read);
    EXPECT_EQ(std::bit_cast<uint64_t>(copy.RealValue), bits);
    const std::vector<uint8_t> bytes = SavedBytes(copy);
    uint64_t stored = 0;
    std::memcpy(&stored, bytes.data(), sizeof stored);  // little-endian host
    EXPECT_EQ(stored, bits);
  }
}

TEST(PathRecord, AssignCopiesEveryFieldTrimmingOnlyChangeTexts) {
  TPath source(ShippedCatalogue());
  FillPath(source);
  source.StartText.Text = u"  вопрос  ";
  source.Change(3).CustomCriticalMsg.Text = u"\t x \r\n";
  TPath copy(ShippedCatalogue());
  copy.Assign(source);
  EXPECT_EQ(copy.StartText.Text, u"  вопрос  ");
  EXPECT_EQ(copy.Change(3).CustomCriticalMsg.Text, u"x");
  EXPECT_EQ(SavedBytes(copy), SavedBytes(source));
}

TEST(PathRecord, RecordCutAnywhereFailsWithReadBeyondEnd) {
  TPath source(ShippedCatalogue());
  FillPath(source);
  for (int32_t version : {V11, V12, V14, V15, V16, V17, V19, V22}) {
    const std::vector<uint8_t> bytes = LegacyBytes(source, version);
    TPath target(ShippedCatalogue());
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      TBlockFileReader reader(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
      try {
        target.Load(reader, version);
        FAIL() << "version " << version << ", cut at " << cut << ": no error";
      } catch (const EInOutError& error) {
        ASSERT_EQ(error.ErrorCode, 100) << "version " << version << ", cut at " << cut;
      }
    }
  }
}
