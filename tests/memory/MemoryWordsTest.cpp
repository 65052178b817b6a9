// Words, similarity and the word difference: the rules the memory, the update and the window share.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory/MemoryWords.h"
#include "support/Utf8.h"

namespace {

std::vector<std::u16string> Words(std::u16string_view text) {
  std::vector<std::u16string> words;
  for (auto word : WordsOf(text)) words.emplace_back(word);
  return words;
}

TEST(MemoryWords, SplitsTagsAndExpressionsAsOneWordEach) {
  struct Case {
    std::u16string text;
    std::vector<std::u16string> words;
  };
  const std::vector<Case> cases = {
      {u"", {}},
      {u" \r\n\t ", {}},
      {u"Hello, world!", {u"Hello", u",", u"world", u"!"}},
      {u"Вы  стоите\r\nу шлюза...", {u"Вы", u"стоите", u"у", u"шлюза", u"..."}},
      {u"<clr>ключ-карта<clrEnd>", {u"<clr>", u"ключ", u"-", u"карта", u"<clrEnd>"}},
      {u"У вас [p1 + 2 * [p3]] кредитов", {u"У", u"вас", u"[p1 + 2 * [p3]]", u"кредитов"}},
      {u"{[p1] div 2} и <Money>", {u"{[p1] div 2}", u"и", u"<Money>"}},
      {u"a < b and c [d", {u"a", u"<", u"b", u"and", u"c", u"[", u"d"}},
      {u"«Да»—нет", {u"«", u"Да", u"»—", u"нет"}},
      {u"?<br>!", {u"?", u"<br>", u"!"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Words(c.text), c.words) << Utf16ToUtf8(c.text);
}

TEST(MemoryWords, SimilarityIsOneMinusWordDistanceOverTheLongerText) {
  struct Case {
    std::u16string a, b;
    int percent;
  };
  const std::vector<Case> cases = {
      {u"Open the door", u"Open the door", 100},
      {u"Open the door", u"Open  the door ", 99},  // same words, other blanks: never 100
      {u"Open the door", u"Open the gate", 66},    // one word of three replaced
      {u"Open the door", u"Open the door now", 75},
      {u"Open the door", u"door the Open", 33},
      {u"You have <Money> cr", u"You have [p1] cr", 75},  // a tag and an expression are words
      {u"<clr>Keep out<clrEnd>", u"Keep out", 50},
      {u"abc", u"xyz", 0},
      {u"", u"", 100},
      {u"", u"word", 0},
      {u"one two three four five six seven eight nine ten", u"one two three four five six seven eight nine", 90},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SimilarityPercent(c.a, c.b), c.percent) << Utf16ToUtf8(c.a) << " | " << Utf16ToUtf8(c.b);
    EXPECT_EQ(SimilarityPercent(c.b, c.a), c.percent) << "not symmetric: " << Utf16ToUtf8(c.a);
  }
}

std::u16string Render(const std::vector<TDiffPiece>& pieces) {
  std::u16string text;
  for (const TDiffPiece& piece : pieces) {
    const char16_t* open = piece.Kind == DiffKind::Same ? u"" : piece.Kind == DiffKind::Deleted ? u"-(" : u"+(";
    text += open + piece.Text + (piece.Kind == DiffKind::Same ? u"" : u")");
  }
  return text;
}

TEST(MemoryWords, WordDiffMarksDeletionsBeforeInsertions) {
  struct Case {
    std::u16string before, after, rendered;
  };
  const std::vector<Case> cases = {
      {u"Open the door", u"Open the door", u"Open the door"},
      {u"Open the door", u"Open the red door", u"Open the +(red )door"},
      {u"Open the red door", u"Open the door", u"Open the -(red )door"},
      {u"Open the door", u"Open the gate", u"Open the -(door)+(gate)"},
      {u"", u"New text", u"+(New text)"},
      {u"Old text", u"", u"-(Old text)"},
      {u"  Pay <Money> now", u"  Pay [p1] now", u"  Pay -(<Money> )+([p1] )now"},
  };
  for (const Case& c : cases) EXPECT_EQ(Render(WordDiff(c.before, c.after)), c.rendered) << Utf16ToUtf8(c.after);
}

TEST(MemoryWords, WordDiffKeepsBothTextsWhole) {
  // Kept and inserted pieces spell the new text, kept and deleted ones the old text's words.
  const std::u16string before = u"В руке ключ-карта, а в кармане <Money> кредитов.";
  const std::u16string after = u"В левой руке карта, а в кармане [p2] кредитов!";
  std::u16string rebuiltAfter;
  std::vector<std::u16string> keptAndDeleted;
  for (const TDiffPiece& piece : WordDiff(before, after)) {
    if (piece.Kind != DiffKind::Deleted) rebuiltAfter += piece.Text;
    if (piece.Kind != DiffKind::Inserted)
      for (auto word : WordsOf(piece.Text)) keptAndDeleted.emplace_back(word);
  }
  EXPECT_EQ(rebuiltAfter, after);
  EXPECT_EQ(keptAndDeleted, Words(before));
}

TEST(MemoryWords, Utf8RoundTripAndDamagedInput) {
  const std::u16string text = u"ASCII, кириллица, \U0001F600 emoji";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800') + u"a"),
            "\xEF\xBF\xBD"
            "a");
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const std::vector<Case> cases = {
      {"\xC3\xA9", u"é"},
      {"\xC3", u"\uFFFD"},                      // cut sequence
      {"\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong form
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"a\xFF"
       "b",
       u"a\uFFFDb"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToUtf16(c.bytes), c.text);
}

}  // namespace
