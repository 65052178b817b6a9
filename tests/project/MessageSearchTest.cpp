// Searching messages and replacing in translations: how a pattern matches under each option, what
// a replacement makes of a text, and which translations a replace over the project changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "project/MessageFilter.h"
#include "project/MessageSearch.h"
#include "support/JD_Str.h"

using namespace projecttest;

namespace {

struct MatchCase {
  const char* name;
  std::u16string pattern;
  bool ignoreCase, wholeWords, regex;
  std::u16string text;
  bool matches;
};

TEST(TextMatcher, MatchesUnderEachOption) {
  const std::vector<MatchCase> cases = {
      {"plain part of a word", u"cat", false, false, false, u"Concatenate", true},
      {"whole words refuse a part", u"cat", false, true, false, u"Concatenate", false},
      {"whole word beside punctuation", u"cat", false, true, false, u"the cat.", true},
      {"whole words in Cyrillic", u"кот", false, true, false, u"котик", false},
      {"whole Cyrillic word", u"кот", false, true, false, u"Кот и кот, да", true},
      {"case matters by default", u"КОТ", false, false, false, u"кот", false},
      {"Cyrillic case ignored", u"КОТ", true, false, false, u"кот", true},
      {"plain dot is a dot", u"a.b", false, false, false, u"axb", false},
      {"regex dot is any character", u"a.b", false, false, true, u"axb", true},
      {"plain brackets and backslash", u"f(x)\\n", false, false, false, u"y = f(x)\\n", true},
      {"regex anchors", u"^Go", false, false, true, u"Ago", false},
      {"regex class, ignored case", u"^[а-я]+$", true, false, true, u"СЕВЕР", true},
      {"whole words around an alternation", u"a|b", false, true, true, u"ab", false},
      {"empty pattern matches all", u"", false, true, true, u"", true},
      {"a lone surrogate in the text is no error", u"a", false, false, false, std::u16string(u"\xD800") + u"a", true},
  };
  for (const MatchCase& c : cases) {
    TTextMatcher matcher(c.pattern, c.ignoreCase, c.wholeWords, c.regex);
    EXPECT_EQ(matcher.Contains(c.text), c.matches) << c.name;
  }
}

TEST(TextMatcher, InvalidExpressionsNameTheOffsetAndTheReason) {
  const std::vector<std::pair<std::u16string, std::string>> cases = {
      {u"(ab", "Invalid regular expression at offset 3: missing closing parenthesis"},
      {u"a{2,1}", "Invalid regular expression at offset 5: numbers out of order in {} quantifier"},
      {u"[b-a]", "Invalid regular expression at offset 3: range out of order in character class"},
  };
  for (bool wholeWords : {false, true})
    for (const auto& [pattern, message] : cases) {
      try {
        TTextMatcher matcher(pattern, false, wholeWords, true);
        ADD_FAILURE() << "accepted " << WideToAnsi(pattern);
      } catch (const ESearchPatternError& error) {
        EXPECT_EQ(error.what(), message) << WideToAnsi(pattern) << " whole words " << wholeWords;
      }
    }
  // The same characters as a plain pattern are no expression at all.
  EXPECT_TRUE(TTextMatcher(u"(ab", false, false, false).Contains(u"x(ab"));
}

struct ReplaceCase {
  const char* name;
  std::u16string pattern;
  bool ignoreCase, wholeWords, regex;
  std::u16string replacement, text, expected;
  int32_t count;
};

TEST(TextMatcher, Replaces) {
  const std::vector<ReplaceCase> cases = {
      {"plain pattern and replacement", u"a.c", false, false, false, u"\\1", u"a.c abc", u"\\1 abc", 1},
      {"groups swapped", u"(\\w+)@(\\w+)", false, false, true, u"\\2 at \\1", u"me@home, you@work",
       u"home at me, work at you", 2},
      {"whole match and an escaped backslash", u"\\w+", false, false, true, u"[\\0]\\\\", u"ab cd", u"[ab]\\ [cd]\\",
       2},
      {"a group that took no part is empty", u"(a)|b", false, false, true, u"<\\1>", u"ab", u"<a><>", 2},
      {"other escapes stay as typed", u"x", false, false, true, u"\\n", u"x", u"\\n", 1},
      {"empty matches advance", u"x*", false, false, true, u"-", u"abc", u"-a-b-c-", 4},
      {"empty matches step over a surrogate pair", u"x*", false, false, true, u"-", u"a\U0001F600", u"-a-\U0001F600-",
       3},
      {"non-empty match after an empty one", u"a*", false, false, true, u"-", u"baac", u"-b--c-", 4},
      {"ignored case", u"ABC", true, false, false, u"x", u"abc ABC aBc", u"x x x", 3},
      {"whole words only", u"cat", false, true, false, u"dog", u"cat catalog cat", u"dog catalog dog", 2},
      {"nothing matched", u"zz", false, false, false, u"y", u"abc", u"abc", 0},
  };
  for (const ReplaceCase& c : cases) {
    TTextMatcher matcher(c.pattern, c.ignoreCase, c.wholeWords, c.regex);
    std::u16string result;
    EXPECT_EQ(matcher.Replace(c.text, c.replacement, result), c.count) << c.name;
    EXPECT_EQ(result, c.expected) << c.name << ": " << WideToAnsi(result);
  }
}

TEST(TextMatcher, ReplacementNamingAMissingGroupIsRefused) {
  TTextMatcher matcher(u"(a)b", false, false, true);
  std::u16string result = u"untouched";
  try {
    matcher.Replace(u"ab", u"\\2", result);
    ADD_FAILURE() << "accepted";
  } catch (const ESearchPatternError& error) {
    EXPECT_STREQ(error.what(), "The replacement refers to group 2, but the expression has 1");
  }
  // An escaped backslash before a digit is no reference.
  EXPECT_EQ(matcher.Replace(u"ab", u"\\\\2", result), 1);
  EXPECT_EQ(result, u"\\2");
}

TEST(TextMatcher, FindsForwardAndBackward) {
  TTextMatcher matcher(u"ab", false, false, false);
  std::size_t start = 0, end = 0;
  ASSERT_TRUE(matcher.Find(u"ab ab ab", 1, start, end));
  EXPECT_EQ(start, 3u);
  EXPECT_EQ(end, 5u);
  ASSERT_TRUE(matcher.FindLast(u"ab ab ab", 6, start, end));
  EXPECT_EQ(start, 3u);
  EXPECT_FALSE(matcher.FindLast(u"ab ab ab", 0, start, end));
  EXPECT_FALSE(matcher.Find(u"ab ab ab", 7, start, end));
}

// Paths 101 and 102 ask the same question with the same Value2, so message 3 is a linked
// duplicate of message 1; positions 1..4 show messages 1, 2, 4, 5.
class ProjectSearch : public ::testing::Test {
 protected:
  ProjectSearch() : project(Catalogue()) {}
  void SetUp() override {
    MakeBareQuest(project.SourceGame);
    AddPaths(project.SourceGame,
             {{1, u"Go north?", u"The road is long."}, {1, u"Go north?"}, {2, u"Wait here?", u"Night falls."}});
    OpenFromSource(project);
    ASSERT_EQ(project.PositionCount, 4);
    ASSERT_TRUE(project.IsLinked(3));
    project.SetTargetText(1, u"Идти на север?");
    project.SetTargetText(2, u"Дорога долгая.");
    project.SetTargetText(5, project.DeletedMessageText());
  }
  std::vector<std::u16string> Targets() const {
    std::vector<std::u16string> texts;
    for (int32_t n = 1; n <= project.TargetCount; ++n) texts.push_back(project.GetTargetText(n));
    return texts;
  }
  std::vector<std::u16string> Sources() const {
    std::vector<std::u16string> texts;
    for (int32_t n = 1; n <= project.SourceCount; ++n) texts.push_back(project.GetSourceText(n));
    return texts;
  }
  TtxgProject project;
};

TSearchOptions Options(bool source, bool target, bool id, bool ignoreCase = false, bool regex = false) {
  TSearchOptions options;
  options.InSource = source;
  options.InTarget = target;
  options.InId = id;
  options.IgnoreCase = ignoreCase;
  options.RegularExpression = regex;
  return options;
}

TEST_F(ProjectSearch, MatchingPositionsForEachField) {
  struct Case {
    std::u16string pattern;
    TSearchOptions options;
    std::vector<int32_t> positions;
  };
  const std::vector<Case> cases = {
      {u"north", Options(true, true, false), {1}},
      {u"north", Options(false, true, false), {}},
      {u"север", Options(false, true, false), {1}},
      {u"север", Options(true, false, false), {}},
      {u"Path(103)", Options(false, false, true), {3, 4}},
      {u"^Path\\(10[13]\\)\\.End$", Options(false, false, true, false, true), {2, 4}},
      {u"night", Options(true, true, false), {}},
      {u"night", Options(true, true, false, true), {4}},
      {u"Night", Options(false, false, false), {}},
      {u"", Options(false, true, false), {1, 2, 3, 4}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TMessageSearch(c.pattern, c.options).MatchingPositions(project), c.positions) << WideToAnsi(c.pattern);
}

TEST_F(ProjectSearch, ReplaceAllChangesTranslationsOnlyAndUndoRestoresThem) {
  const std::vector<std::u16string> sources = Sources();
  const std::vector<std::u16string> before = Targets();
  TTextMatcher matcher(u"^(\\w+) (\\w+)", false, false, true);
  const auto plan = PlanReplacements(project, matcher, u"\\2 \\1", MessagesAtPositions(project));
  // Message 3 follows message 1; message 5 holds the deleted-message mark.
  std::vector<int32_t> planned;
  for (const TReplacement& r : plan) planned.push_back(r.Message);
  EXPECT_EQ(planned, (std::vector<int32_t>{1, 2, 4}));
  EXPECT_EQ(Targets(), before) << "planning changed a text";

  ApplyReplacements(project, plan);
  EXPECT_EQ(project.GetTargetText(1), u"на Идти север?");
  EXPECT_EQ(project.GetTargetText(3), u"на Идти север?") << "the linked duplicate did not follow";
  EXPECT_EQ(project.GetTargetText(2), u"долгая Дорога.");
  EXPECT_EQ(project.GetTargetText(4), u"here Wait?");
  EXPECT_EQ(project.GetTargetText(5), project.DeletedMessageText());
  EXPECT_EQ(Sources(), sources);

  ApplyReplacements(project, plan, true);
  EXPECT_EQ(Targets(), before);
  EXPECT_EQ(Sources(), sources);
}

TEST_F(ProjectSearch, ReplaceInOneMessageAndToBlank) {
  TTextMatcher matcher(u"Wait here?", false, false, false);
  EXPECT_TRUE(PlanReplacements(project, matcher, u"", {1, 2}).empty()) << "other messages are not touched";
  const auto plan = PlanReplacements(project, matcher, u"  ", {4});
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_EQ(plan[0].NewText, project.DeletedMessageText());
  // An empty pattern or a linked duplicate asked for by number changes nothing.
  EXPECT_TRUE(PlanReplacements(project, TTextMatcher(u"", false, false, false), u"x", {1, 2, 4}).empty());
  EXPECT_TRUE(PlanReplacements(project, TTextMatcher(u"север", false, false, false), u"x", {3}).empty());
  EXPECT_THROW(PlanReplacements(project, TTextMatcher(u"(a)", false, false, true), u"\\3", {1}), ESearchPatternError);
}

TEST_F(ProjectSearch, FiltersSplitByTranslationWhateverTheReviewMark) {
  // Positions 1 and 2 are translated, 3 still holds its source, 4 the deleted-message mark; 2 and
  // 3 are flagged for review, which leaves them in Translated and Untranslated as well.
  project.SetNeedsReview(2, true);
  project.SetNeedsReview(4, true);
  struct Case {
    TStateFilter filter;
    std::vector<int32_t> positions;
  };
  const std::vector<Case> cases = {{TStateFilter::All, {1, 2, 3, 4}},
                                   {TStateFilter::Untranslated, {3, 4}},
                                   {TStateFilter::Translated, {1, 2}},
                                   {TStateFilter::NeedsReview, {2, 3}}};
  for (const Case& c : cases) EXPECT_EQ(FilterPositions(project, c.filter, nullptr), c.positions);
  const TMessageSearch search(u"Path(103)", Options(false, false, true));
  EXPECT_EQ(FilterPositions(project, TStateFilter::Untranslated, &search), (std::vector<int32_t>{3, 4}));
  EXPECT_EQ(FilterPositions(project, TStateFilter::NeedsReview, &search), (std::vector<int32_t>{3}));
  EXPECT_EQ(FilterPositions(project, TStateFilter::Translated, &search), std::vector<int32_t>{});
  // Kept as it is, the source text is a translation.
  project.SetTranslatedAsIs(4, true);
  EXPECT_EQ(FilterPositions(project, TStateFilter::Translated, nullptr), (std::vector<int32_t>{1, 2, 3}));
}

}  // namespace
