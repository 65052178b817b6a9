// The one UTF-16 <-> UTF-8 conversion: every length of sequence at its limits, what is not UTF-8,
// and surrogates with and without their partner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Utf8.h"

namespace {

TEST(Utf8, SequencesAtTheLimitsOfEachLength) {
  struct Case {
    std::string bytes;
    int32_t code;  // -1: not UTF-8
  };
  const std::vector<Case> cases = {
      {"A", 0x41},
      {"\x7F", 0x7F},
      {"\xC2\x80", 0x80},
      {"\xDF\xBF", 0x7FF},
      {"\xE0\xA0\x80", 0x800},
      {"\xED\x9F\xBF", 0xD7FF},
      {"\xEE\x80\x80", 0xE000},
      {"\xEF\xBF\xBF", 0xFFFF},
      {"\xF0\x90\x80\x80", 0x10000},
      {"\xF4\x8F\xBF\xBF", 0x10FFFF},
      {"\x80", -1},              // a continuation byte first
      {"\xC1\xBF", -1},          // overlong two bytes
      {"\xE0\x9F\xBF", -1},      // overlong three bytes
      {"\xF0\x8F\xBF\xBF", -1},  // overlong four bytes
      {"\xED\xA0\x80", -1},      // an encoded high surrogate
      {"\xED\xBF\xBF", -1},      // an encoded low surrogate
      {"\xF4\x90\x80\x80", -1},  // above U+10FFFF
      {"\xF5\x80\x80\x80", -1},  // a lead byte no sequence has
      {"\xE2\x82", -1},          // cut short
      {"\xC3"
       "A",
       -1},  // a continuation byte missing
      {"\xF0\x90\x80"
       "A",
       -1},  // the last one missing
  };
  for (const Case& c : cases) {
    std::size_t at = 0;
    EXPECT_EQ(DecodeUtf8(c.bytes, at), c.code) << c.bytes;
    EXPECT_EQ(at, c.code < 0 ? 0 : c.bytes.size()) << c.bytes;
    if (c.code < 0) continue;
    std::string encoded;
    AppendUtf8(encoded, static_cast<char32_t>(c.code));
    EXPECT_EQ(encoded, c.bytes);
    // The UTF-16 form reads back as the same code point, whether one unit or a pair.
    std::u16string units;
    AppendUtf16(units, static_cast<char32_t>(c.code));
    EXPECT_EQ(units.size(), c.code >= 0x10000 ? 2u : 1u);
    std::size_t unit = 0;
    EXPECT_EQ(NextCodePoint(units, unit), static_cast<char32_t>(c.code));
    EXPECT_EQ(unit, units.size());
  }
}

TEST(Utf8, SurrogatesPairOnlyHighBeforeLow) {
  struct Case {
    std::u16string text;
    std::vector<char32_t> codes;
  };
  const std::vector<Case> cases = {
      {u"\xD83D\xDE00", {0x1F600}},
      {u"\xDBFF\xDFFF", {0x10FFFF}},
      {std::u16string(1, u'\xD83D'), {0xD83D}},  // a high one at the end
      {u"\xD83D"
       "a",
       {0xD83D, u'a'}},                            // a high one before another unit
      {u"\xDE00\xD83D", {0xDE00, 0xD83D}},         // the pair the wrong way round
      {u"\xD83D\xD83D\xDE00", {0xD83D, 0x1F600}},  // a lone high one, then a pair
  };
  for (const Case& c : cases) {
    std::vector<char32_t> codes;
    for (std::size_t at = 0; at < c.text.size();) codes.push_back(NextCodePoint(c.text, at));
    EXPECT_EQ(codes, c.codes) << c.text.size();
  }
  EXPECT_EQ(Utf16ToUtf8(u"\xDE00\xD83D\xDE00"), "\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

}  // namespace
