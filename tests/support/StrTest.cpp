// String list, parameter strings, trimming/search/replace, code pages and integer parsing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/JD_Error.h"
#include "support/JD_Str.h"

namespace {

std::string Utf8(const std::u16string& text) { return WideToAnsi(text); }

template <typename Call>
std::string ErrorText(Call call) {
  try {
    call();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "(no exception)";
}

// ---------------------------------------------------------------------------------------------
// Parameter strings

struct CountCase {
  std::u16string str, raz;
  int32_t expected;
};

TEST(ParameterStrings, CountsParts) {
  const std::vector<CountCase> cases = {
      {u"", u",", 0},     {u"", u"", 0},   {u"a,,b", u",", 3},   {u"a;b,c", u",;", 3}, {u"abc", u"", 1},
      {u"a,b", u",,", 2}, {u",", u",", 2}, {u"a b  c", u" ", 4}, {u"k=a=b", u"=", 3},  {u"x{y}z", u"{}", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(GetCountParJD(c.str, c.raz), c.expected) << Utf8(c.str) << " / " << Utf8(c.raz);
}

struct PartCase {
  std::u16string str, raz;
  int32_t np;
  int32_t start;
  std::u16string part;
};

TEST(ParameterStrings, FindsEveryPart) {
  const std::vector<PartCase> cases = {
      {u"a,,b", u",", 0, 1, u"a"},   {u"a,,b", u",", 1, 3, u""},    {u"a,,b", u",", 2, 4, u"b"},
      {u"a,", u",", 1, 3, u""},      {u",a", u",", 0, 1, u""},      {u",a", u",", 1, 2, u"a"},
      {u"abc", u",", 0, 1, u"abc"},  {u"abc", u",", -4, 1, u"abc"}, {u"a;b,c", u",;", 2, 5, u"c"},
      {u"k = v", u"=", 1, 4, u" v"}, {u"", u",", 0, 1, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.str) + " np=" + std::to_string(c.np));
    EXPECT_EQ(GetSmeParJD(c.str, c.np, c.raz), c.start);
    EXPECT_EQ(GetParJD(c.str, c.np, c.raz), c.part);
  }
}

TEST(ParameterStrings, LengthOfPartFromAnyStart) {
  EXPECT_EQ(GetLenParJD(u"ab,c", 1, u","), 2);
  EXPECT_EQ(GetLenParJD(u"ab,c", 3, u","), 0);
  EXPECT_EQ(GetLenParJD(u"ab,c", 4, u","), 1);
  EXPECT_EQ(GetLenParJD(u"ab,c", 5, u","), 0);  // start = length + 1
  EXPECT_EQ(GetLenParJD(u"abc", 2, u""), 2);
}

TEST(ParameterStrings, RangesOfParts) {
  EXPECT_EQ(GetParsJD(u"k=a=b", 1, 2, u"="), u"a=b");
  EXPECT_EQ(GetParsJD(u"k=a=b", 0, 1, u"="), u"k=a");
  EXPECT_EQ(GetParsJD(u"k=a=b", 0, 2, u"="), u"k=a=b");
  EXPECT_EQ(GetParsJD(u"k=", 1, 1, u"="), u"");
  EXPECT_EQ(GetParsJD(u"a{b{c}", 1, 2, u"{"), u"b{c}");
}

TEST(ParameterStrings, TooFewSeparatorsRaiseWithTheCallsArguments) {
  const std::string expected = "GetSmeParJD. Str=a,,b np=3 raz=,";
  EXPECT_EQ(ErrorText([] { GetParJD(u"a,,b", 3, u","); }), expected);
  EXPECT_EQ(ErrorText([] { GetSmeParJD(u"a,,b", 3, u","); }), expected);
  EXPECT_EQ(ErrorText([] { GetParsJD(u"a,,b", 1, 3, u","); }), expected);
  EXPECT_EQ(ErrorText([] { GetParJD(u"", 1, u";"); }), "GetSmeParJD. Str= np=1 raz=;");
  // Wide text in the message arrives as UTF-8.
  EXPECT_EQ(ErrorText([] { GetParJD(u"ключ", 1, u"="); }), "GetSmeParJD. Str=ключ np=1 raz==");
}

// ---------------------------------------------------------------------------------------------
// Comments, trimming, search and replace

struct CommentCase {
  std::u16string line, content, comment;
};

TEST(Comments, SplitLineIntoContentAndComment) {
  const std::vector<CommentCase> cases = {
      {u"abc  // x", u"abc", u"  // x"},
      {u"// x", u"", u"// x"},
      {u"abc", u"abc", u""},
      {u"", u"", u""},
      {u"a\t//b//c", u"a", u"\t//b//c"},
      {u"x = a//b", u"x = a", u"//b"},
      // Content loses every trailing character up to U+0020; the comment reaches back only over
      // space, tab, CR and LF.
      {u"a\x01 //", u"a", u" //"},
      {u"a\r\n //c", u"a", u"\r\n //c"},
      {u"a/b", u"a/b", u""},
      {u"  // x", u"", u"  // x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.line));
    EXPECT_EQ(CutCommentJD(c.line), c.content);
    EXPECT_EQ(GetCommentJD(c.line), c.comment);
  }
}

TEST(Trim, RemovesOnlyNulTabLineEndsAndSpace) {
  const std::vector<std::pair<std::u16string, std::u16string>> cases = {
      {std::u16string(u" \t\r\n\0 ", 6), u""},
      {u" a b ", u"a b"},
      {u"\x01"
       u"a\x01",
       u"\x01"
       u"a\x01"},
      {std::u16string(u"\0\0x\0", 4), u"x"},
      {u"", u""},
      {u"\x0B"
       u"a",
       u"\x0B"
       u"a"},
      {u"\u00A0a\u00A0", u"\u00A0a\u00A0"},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(TrimJD(input), expected) << Utf8(input);
    // The view must lie inside the input: it is a window on it, not a copy.
    const std::u16string_view view = TrimViewJD(input);
    EXPECT_EQ(view, expected) << Utf8(input);
    EXPECT_TRUE(view.empty() ||
                (view.data() >= input.data() && view.data() + view.size() <= input.data() + input.size()));
  }
}

TEST(Search, IsSubStr) {
  EXPECT_TRUE(IsSubStrJD(u"abc", u"bc"));
  EXPECT_TRUE(IsSubStrJD(u"abc", u"abc"));
  EXPECT_FALSE(IsSubStrJD(u"abc", u""));
  EXPECT_FALSE(IsSubStrJD(u"", u""));
  EXPECT_FALSE(IsSubStrJD(u"ab", u"abc"));
  EXPECT_FALSE(IsSubStrJD(u"abc", u"d"));
  EXPECT_FALSE(IsSubStrJD(u"abc", u"B"));
}

TEST(Search, Replace) {
  struct Case {
    std::u16string str, find, repl, expected;
  };
  const std::vector<Case> cases = {
      {u"aaa", u"aa", u"b", u"ba"},    {u"aaa", u"", u"b", u"aaa"},      {u"ab", u"abc", u"x", u"ab"},
      {u"", u"a", u"b", u""},          {u"a.b.c", u".", u"", u"abc"},    {u"aXa", u"a", u"aa", u"aaXaa"},
      {u"<!>x<!>", u"<!>", u"", u"x"}, {u"abab", u"ab", u"ab", u"abab"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceJD(c.str, c.find, c.repl), c.expected) << Utf8(c.str);
}

TEST(Search, FindFromIndex) {
  struct Case {
    std::u16string str, sub;
    int32_t from, expected;
  };
  const std::vector<Case> cases = {
      {u"abcabc", u"bc", 0, 1}, {u"abcabc", u"bc", 2, 4}, {u"abcabc", u"bc", 5, -1}, {u"", u"", 0, -1},
      {u"abc", u"", 1, 1},      {u"abc", u"abcd", 0, -1}, {u"abc", u"c", 3, -1},     {u"abc", u"c", 2, 2},
      {u"abc", u"x", 0, -1},    {u"abc", u"a", 7, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FindJD(c.str, c.sub, c.from), c.expected) << Utf8(c.str) << " " << Utf8(c.sub) << " " << c.from;
}

// ---------------------------------------------------------------------------------------------
// String list

std::vector<std::u16string> Texts(const TStringsJD& list) {
  std::vector<std::u16string> texts;
  for (TStringsElJD* element = list.First(); element != nullptr; element = element->Next)
    texts.push_back(element->Text);
  // The backward links must tell the same story.
  std::vector<std::u16string> backwards;
  for (TStringsElJD* element = list.Last(); element != nullptr; element = element->Previous)
    backwards.insert(backwards.begin(), element->Text);
  EXPECT_EQ(texts, backwards);
  return texts;
}

TEST(StringList, GetPastTheEndGrowsTheList) {
  TStringsJD list;
  list.Add(u"a");
  EXPECT_EQ(list.Get(3), u"");
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"a", u"", u"", u""}));
  EXPECT_EQ(list.El_GetEx(1), list.El_Get(1));
  EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, IndexErrorsLeaveTheListAlone) {
  TStringsJD list;
  list.Add(u"a");
  EXPECT_EQ(ErrorText([&] { list.El_Get(3); }), "TStringsJD.El_Get. i=3");
  EXPECT_EQ(ErrorText([&] { list.El_Get(1); }), "TStringsJD.El_Get. i=1");
  EXPECT_EQ(ErrorText([&] { list.El_Get(-2); }), "TStringsJD.El_Get. i=-2");
  EXPECT_EQ(ErrorText([&] { list.Delete(1); }), "TStringsJD.El_Get. i=1");
  EXPECT_EQ(ErrorText([&] { list.El_GetEx(-1); }), "TStringsJD.El_GetEx. i=-1");
  EXPECT_EQ(ErrorText([&] { list.Get(-1); }), "TStringsJD.El_GetEx. i=-1");
  EXPECT_EQ(Texts(list), std::vector<std::u16string>{u"a"});
}

TEST(StringList, DeleteRelinksFirstMiddleAndLast) {
  TStringsJD list;
  for (auto text : {u"a", u"b", u"c", u"d"}) list.Add(text);
  list.Delete(1);
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"a", u"c", u"d"}));
  list.Delete(0);
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"c", u"d"}));
  list.Delete(1);
  EXPECT_EQ(Texts(list), std::vector<std::u16string>{u"c"});
  list.Delete(0);
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.Last(), nullptr);
  EXPECT_EQ(list.Count(), 0);
  list.Add(u"again");
  EXPECT_EQ(Texts(list), std::vector<std::u16string>{u"again"});
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

// ---------------------------------------------------------------------------------------------
// Code pages

TEST(CodePage, EightBitTextIsUtf8WhenValidElseWindows1251) {
  struct Case {
    std::string bytes;
    std::u16string expected;
  };
  const std::vector<Case> cases = {
      {"", u""},
      {"abc", u"abc"},
      {"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", u"Привет"},  // UTF-8
      {"\xCF\xF0\xE8\xE2\xE5\xF2", u"Привет"},                          // Windows-1251
      {"\xF0\x9F\x98\x80", u"\U0001F600"},                              // UTF-8 beyond the BMP
      {"\xC0\xAF", u"\u0410\u0407"},                                    // overlong UTF-8 is not UTF-8
      {"\xED\xA0\x80", u"\u043D\u00A0\u0402"},                          // an encoded surrogate is not either
      {"\xD0", u"\u0420"},                                              // cut UTF-8 sequence
      {"a\x98"
       "b",
       u"a\uFFFD"
       u"b"},  // the one byte 1251 leaves undefined
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(AnsiToWide(c.bytes), c.expected) << c.bytes;
}

TEST(CodePage, WideTextBecomesUtf8WithLoneSurrogatesReplaced) {
  struct Case {
    std::u16string text;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {u"", ""},
      {u"abc", "abc"},
      {u"Ключ", "\xD0\x9A\xD0\xBB\xD1\x8E\xD1\x87"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"a\xD800"
       u"b",
       "a\xEF\xBF\xBD"
       "b"},
      {u"\xDC00"
       u"a",
       "\xEF\xBF\xBD"
       "a"},
      {u"a\xD83D", "a\xEF\xBF\xBD"},
      {u"\xDC00\xD800", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {std::u16string(u"\0", 1), std::string("\0", 1)},
  };
  for (const auto& c : cases) EXPECT_EQ(WideToAnsi(c.text), c.expected) << c.expected;
}

TEST(CodePage, WellFormedWideTextSurvivesTheRoundTrip) {
  for (std::u16string text : {u"Quest", u"Задание выполнено", u"\u20AC\U0001F600 end", u"\t\r\n"})
    EXPECT_EQ(AnsiToWide(WideToAnsi(text)), text);
}

// ---------------------------------------------------------------------------------------------
// Integers

TEST(StrToInt, AcceptsSignedDecimal32BitValues) {
  const std::vector<std::pair<std::u16string, int32_t>> cases = {
      {u"0", 0},     {u"-0", 0}, {u"+7", 7}, {u"007", 7}, {u"2147483647", 2147483647}, {u"-2147483648", INT32_MIN},
      {u"-15", -15},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(StrToIntJD(text), expected) << Utf8(text);
}

TEST(StrToInt, RejectsEverythingElseWithTheStandardText) {
  for (std::u16string text : {u"", u"-", u"+", u" 1", u"1 ", u"2147483648", u"-2147483649", u"1a", u"0x10",
                              u"99999999999999999999", u"\u0661", u"1.0", u"--1", u"число"}) {
    try {
      StrToIntJD(text);
      ADD_FAILURE() << "accepted " << Utf8(text);
    } catch (const EConvertError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + Utf8(text) + "' is not a valid integer value");
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Case-insensitive matches of extensions and language codes

TEST(IgnoringCase, ComparesAsciiLettersOnlyWithoutCase) {
  struct Case {
    std::string text, end;
    bool same, endsWith;
  };
  const std::vector<Case> cases = {
      {".XLIFF", ".xliff", true, true},
      {"ru-RU", "RU-ru", true, true},
      {"quest.TxG", ".txg", false, true},
      {"quest.txg", ".txg2", false, false},
      {"g", ".txg", false, false},  // shorter than the end
      {"", "", true, true},
      {"file.po", "", false, true},
      {"a[", "A{", false, false},              // '[' and '{' differ by the case bit but are no letters
      {"\xC3\x80", "\xC3\xA0", false, false},  // UTF-8 bytes are compared as they are
      {"file.xlf ", ".xlf", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " | " + c.end);
    EXPECT_EQ(SameIgnoringCase(c.text, c.end), c.same);
    EXPECT_EQ(EndsWithIgnoringCase(c.text, c.end), c.endsWith);
  }
}
