#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/LegacyQuestWriter.h"
#include "quest/LocationClass.h"
#include "support/BlockFile.h"
#include "tests/quest/QuestRecordSupport.h"

using namespace QuestVersion;

namespace {

// A location whose every field differs from its default.
void FillLocation(TLocation& location) {
  location.Number = 15;
  location.LeadValue = -7;
  location.ValueA = 1;
  location.ValueB = 2;
  location.Flag1 = 3;
  location.Flag2 = 4;
  location.Flag3 = 5;
  location.Flag4 = 6;
  location.Flag5 = 7;
  for (int32_t c = 1; c <= MaxChanges; ++c) {
    location.Change(c).Value2 = 100 + c;
    location.Change(c).CustomCriticalMsg.Text = u"особое " + std::u16string(1, static_cast<char16_t>(u'A' + c));
  }
  for (int32_t n = 1; n <= LocationTextCount; ++n)
    location.Text(n).Text = u"Текст " + std::u16string(1, static_cast<char16_t>(u'0' + n)) + u"\r\nвторая строка";
  location.TextFlag = 9;
  location.TextValue = -1;
  location.Name.Text = u"Рубка";
  location.LegacyText.Text = u"  старый текст  ";
  location.ExtraText.Text = u"ещё";
}

TLocation LoadLocation(const std::vector<uint8_t>& bytes, int32_t version) {
  TLocation location(ShippedCatalogue());
  TBlockFileReader reader(bytes);
  location.Load(reader, version);
  EXPECT_EQ(reader.BytesLeft(), 0) << "version " << version;
  return location;
}

std::vector<uint8_t> LegacyBytes(const TLocation& location, int32_t version) {
  TBlockFileWriter writer;
  WriteLegacyLocation(writer, location, version);
  return writer.Bytes();
}

}  // namespace

TEST(LocationRecord, DefaultWithEmptyTextsIsTheDocumented1330Bytes) {
  TLocation location(ShippedCatalogue());
  location.Name.Clear();
  location.LegacyText.Clear();
  const std::vector<uint8_t> expected = Concat({
      Hex("00000000 64000000 64000000 00000000"),  // LeadValue, ValueA 100, ValueB 100, Number
      Hex("00 00 00 00 00"),                       // Flag1..Flag5
      Repeat(DefaultChangeBytes, 24),
      Repeat(EmptyTextBytes, 10),
      Hex("00 01000000"),  // TextFlag, TextValue 1
      Repeat(EmptyTextBytes, 3),
  });
  ASSERT_EQ(expected.size(), 1330u);
  EXPECT_EQ(SavedBytes(location), expected);
}

TEST(LocationRecord, ResetTakesNameAndLegacyTextFromTheCatalogue) {
  TLocation location(ShippedCatalogue());
  FillLocation(location);
  location.Reset();
  EXPECT_EQ(location.Name.Text, ShippedCatalogue().Par_Get(u"LocationClassNewLocationName"));
  EXPECT_EQ(location.LegacyText.Text, ShippedCatalogue().Par_Get(u"LocationClassNewLocationText"));
  EXPECT_EQ(location.Number, 0);
  EXPECT_EQ(location.ValueA, 100);
  EXPECT_EQ(location.TextValue, 1);
  EXPECT_EQ(location.Change(24).Value3, 1);
  EXPECT_EQ(location.Change(24).CustomCriticalMsg.Text, u"");
  EXPECT_EQ(location.Text(10).Text, u"");
}

TEST(LocationRecord, MissingCatalogueKeyStopsReset) {
  TBlockParJD catalogue;
  catalogue.Par_Add(u"LocationClassNewLocationName", u"x");
  try {
    TLocation location(catalogue);
    FAIL() << "no error";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "TBlockParJD.Block_Get. name=LocationClassNewLocationText");
  }
}

// Every layout: the record size of an all-default location with empty texts (which pins the field
// list independently of the writer), and which fields the layout carries.
TEST(LocationRecord, EveryLayoutReadsItsFieldsAndLeavesTheRestAtDefaults) {
  struct Case {
    int32_t version;
    char layout;
    std::size_t emptyRecordSize;
    int32_t changes;
  };
  const Case cases[] = {
      {V11, 'A', 266, 9},   {V12, 'A', 266, 9},   {V13, 'A', 266, 9},       {V14, 'A', 266, 9},   {V15, 'B', 344, 12},
      {V16, 'C', 601, 12},  {V17, 'D', 613, 12},  {V18, 'D', 613, 12},      {V19, 'E', 1322, 24}, {V20, 'E', 1322, 24},
      {V21, 'F', 1330, 24}, {V22, 'F', 1330, 24}, {V22 + 9, 'F', 1330, 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("layout ") + c.layout + ", version " + std::to_string(c.version));
    TLocation empty(ShippedCatalogue());
    empty.Name.Clear();
    empty.LegacyText.Clear();
    EXPECT_EQ(LegacyBytes(empty, c.version).size(), c.emptyRecordSize);

    TLocation source(ShippedCatalogue());
    FillLocation(source);
    const TLocation read = LoadLocation(LegacyBytes(source, c.version), c.version);
    const bool hasTexts = c.layout >= 'C';
    EXPECT_EQ(read.LeadValue, hasTexts ? -7 : 0);
    EXPECT_EQ(read.ValueA, 1);
    EXPECT_EQ(read.ValueB, 2);
    EXPECT_EQ(read.Number, 15);
    EXPECT_EQ(read.Flag4, 6);
    EXPECT_EQ(read.Flag5, c.layout >= 'E' ? 7 : 0);
    for (int32_t i = 1; i <= MaxChanges; ++i) {
      const bool stored = i <= c.changes;
      EXPECT_EQ(read.Change(i).Value2, stored ? 100 + i : 0) << "change " << i;
      EXPECT_EQ(read.Change(i).CustomCriticalMsg.Text, stored ? source.Change(i).CustomCriticalMsg.Text : u"")
          << "change " << i;
    }
    EXPECT_EQ(read.TextFlag, hasTexts ? 9 : 0);
    EXPECT_EQ(read.TextValue, hasTexts ? -1 : 1);
    EXPECT_EQ(read.Name.Text, u"Рубка");
    EXPECT_EQ(read.ExtraText.Text, c.layout == 'F' ? u"ещё" : u"");
    if (hasTexts) {
      for (int32_t n = 1; n <= LocationTextCount; ++n) EXPECT_EQ(read.Text(n).Text, source.Text(n).Text);
      EXPECT_EQ(read.LegacyText.Text, u"");
    } else {
      // The single old text becomes the first numbered text; only layout A keeps it as well.
      EXPECT_EQ(read.Text(1).Text, u"старый текст");
      for (int32_t n = 2; n <= LocationTextCount; ++n) EXPECT_EQ(read.Text(n).Text, u"");
      EXPECT_EQ(read.LegacyText.Text, c.layout == 'A' ? u"старый текст" : u"");
    }
  }
}

TEST(LocationRecord, LayoutAStoresItsTextTwiceWhenSavedAndACopyDropsTheLegacyText) {
  TLocation source(ShippedCatalogue());
  source.LegacyText.Text = u" один ";
  const TLocation read = LoadLocation(LegacyBytes(source, V14), V14);
  const TLocation reread = LoadLocation(SavedBytes(read), V22);
  EXPECT_EQ(reread.Text(1).Text, u"один");
  EXPECT_EQ(SavedBytes(read).size(), SavedBytes(reread).size() + 8u);  // the legacy text: 4 units

  TLocation copy(ShippedCatalogue());
  copy.Assign(read);
  EXPECT_EQ(copy.LegacyText.Text, u"");
  EXPECT_EQ(copy.Text(1).Text, u"один");
  EXPECT_EQ(SavedBytes(copy), SavedBytes(reread));
}

TEST(LocationRecord, CurrentLayoutRoundTripsByteForByte) {
  TLocation source(ShippedCatalogue());
  FillLocation(source);
  source.LegacyText.Clear();
  const std::vector<uint8_t> bytes = SavedBytes(source);
  EXPECT_EQ(bytes, LegacyBytes(source, V22));
  EXPECT_EQ(SavedBytes(LoadLocation(bytes, V22)), bytes);
}

TEST(LocationRecord, NumberIsKeptAsReadWhateverItIs) {
  for (int32_t number : {0, -2, 15, 2147483647, -2147483647 - 1}) {
    TLocation source(ShippedCatalogue());
    source.Number = number;
    EXPECT_EQ(LoadLocation(SavedBytes(source), V22).Number, number);
  }
}

TEST(LocationRecord, AssignCopiesEveryFieldTrimmingOnlyChangeTexts) {
  TLocation source(ShippedCatalogue());
  FillLocation(source);
  source.Text(3).Text = u"  с пробелами  ";
  source.Change(2).CustomCriticalMsg.Text = u"  обрезать  ";
  source.Change(2).ExtraText.Text = u" a ";
  TLocation copy(ShippedCatalogue());
  copy.Assign(source);
  EXPECT_EQ(copy.Text(3).Text, u"  с пробелами  ");
  EXPECT_EQ(copy.Change(2).CustomCriticalMsg.Text, u"обрезать");
  EXPECT_EQ(copy.Change(2).ExtraText.Text, u"a");
  EXPECT_EQ(copy.LegacyText.Text, u"");
  source.LegacyText.Clear();
  EXPECT_EQ(SavedBytes(copy), SavedBytes(source));
}

TEST(LocationRecord, RecordCutAnywhereFailsWithReadBeyondEnd) {
  TLocation source(ShippedCatalogue());
  FillLocation(source);
  for (int32_t version : {V11, V15, V16, V17, V19, V22}) {
    const std::vector<uint8_t> bytes = LegacyBytes(source, version);
    TLocation target(ShippedCatalogue());
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      TBlockFileReader reader(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
      try {
        target.Load(reader, version);
        FAIL() << "version " << version << ", cut at " << cut << ": no error";
      } catch (const EInOutError& error) {
        ASSERT_EQ(error.ErrorCode, 100) << "version " << version << ", cut at " << cut;
        ASSERT_STREQ(error.what(), "Read beyond end of file");
      }
    }
  }
}
