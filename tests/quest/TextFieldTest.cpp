#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quest/TextFieldClass.h"
#include "support/BlockFile.h"

namespace {

// A stored text field built from its parts: LineCount, then (Length, units) per line.
struct StoredLine {
  int32_t length;
  std::u16string units;
};

std::vector<uint8_t> StoredField(int32_t lineCount, const std::vector<StoredLine>& lines) {
  TBlockFileWriter writer;
  writer.WriteInt(lineCount);
  for (const StoredLine& line : lines) {
    writer.WriteInt(line.length);
    writer.WriteUnits(line.units);
  }
  return writer.Bytes();
}

std::vector<uint8_t> Saved(const std::u16string& text) {
  TBlockFileWriter writer;
  TTextField(text).Save(writer);
  return writer.Bytes();
}

TEST(TextField, EmptyAndBlankTextsAreStoredAsEightBytes) {
  const std::vector<uint8_t> empty{1, 0, 0, 0, 0, 0, 0, 0};
  for (const std::u16string& text : {std::u16string(), std::u16string(u" \t\r\n "), std::u16string(u"\0\x1F", 2)}) {
    EXPECT_EQ(Saved(text), empty);
  }
}

TEST(TextField, SaveTrimsButKeepsTheTextInMemory) {
  TTextField field(u"  abc  ");
  TBlockFileWriter writer;
  field.Save(writer);
  EXPECT_EQ(writer.Bytes(), (std::vector<uint8_t>{1, 0, 0, 0, 3, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0}));
  EXPECT_EQ(field.Text, u"  abc  ");
}

TEST(TextField, TrimmingTable) {
  struct Case {
    std::u16string input;
    std::u16string trimmed;
  };
  const Case cases[] = {
      {u"", u""},
      {u"   ", u""},
      {u"\x01 a b \x1F", u"a b"},
      {u"\u00A0a\u00A0", u"\u00A0a\u00A0"},  // no-break space is kept
      {u"!", u"!"},
      {u"\r\n x\r\n  y \r\n", u"x\r\n  y"},  // inner breaks and indentation stay
      {std::u16string(u"\0a\0", 3), u"a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrimQuestText(c.input), c.trimmed);
    EXPECT_EQ(IsBlankText(c.input), c.trimmed.empty());
  }
}

TEST(TextField, LoadTable) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"three lines keep the inner empty one", StoredField(3, {{3, u" a "}, {0, u""}, {1, u"b"}}), u"a\r\n\r\nb"},
      {"outer empty lines vanish", StoredField(3, {{0, u""}, {1, u"a"}, {0, u""}}), u"a"},
      {"zero line count", StoredField(0, {}), u""},
      {"negative line count", StoredField(-7, {}), u""},
      {"negative length is an empty line", StoredField(2, {{-5, u""}, {1, u"z"}}), u"z"},
      {"one line with inner break", StoredField(1, {{4, u"x\r\ny"}}), u"x\r\ny"},
      {"lone surrogate and no-break space", StoredField(1, {{2, u"\xD800\u00A0"}}), u"\xD800\u00A0"},
  };
  for (const Case& c : cases) {
    TBlockFileReader reader(c.bytes);
    TTextField field(u"old");
    field.Load(reader);
    EXPECT_EQ(field.Text, c.text) << c.name;
    EXPECT_EQ(reader.BytesLeft(), 0) << c.name;
  }
}

TEST(TextField, WrittenTextsReadBackAsTheTrimmedText) {
  for (const std::u16string& text : {std::u16string(u"Привет"), std::u16string(u"  <clr>a<clrEnd>\r\n\r\n  b  "),
                                     std::u16string(u"\xDC00"), std::u16string(u"end\u00A0")}) {
    TBlockFileReader reader(Saved(text));
    TTextField field;
    field.Load(reader);
    EXPECT_EQ(field.Text, TrimQuestText(text));
  }
}

TEST(TextField, DamagedCountsFailBeforeAllocating) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"huge line count", StoredField(0x7FFFFFFF, {})},
      {"line count above the bytes left", StoredField(3, {{0, u""}, {0, u""}})},
      {"huge length", StoredField(1, {{0x7FFFFFFF, u"ab"}})},
      {"length one unit too long", StoredField(1, {{3, u"ab"}})},
      {"no length", StoredField(1, {})},
      {"nothing at all", {}},
      {"cut line count", {1, 0, 0}},
  };
  for (const Case& c : cases) {
    TBlockFileReader reader(c.bytes);
    TTextField field;
    try {
      field.Load(reader);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.ErrorCode, 100) << c.name;
      EXPECT_STREQ(error.what(), "Read beyond end of file") << c.name;
    }
  }
}

}  // namespace
