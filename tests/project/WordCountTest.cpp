// The word rule on the cases where pocount's reading is unexpected or quest markup overrides it,
// and the sizes the window keeps following every kind of change.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "project/ProjectClass.h"
#include "project/ProjectTestSupport.h"
#include "project/WordCount.h"

namespace {

TEST(WordCounter, CountsAsPocountWithQuestMarkup) {
  const struct {
    std::u16string text;
    int64_t words, characters;
  } cases[] = {
      {u"Вы стоите у шлюза станции.", 5, 26},
      // A dash standing alone is a word to pocount; "." between non-digits takes its neighbours.
      {u"— Стойте! Кто вы такой?", 5, 23},
      {u"т.е. 1.5 кг, т. е. Вега-7", 3, 25},
      {u"P1.1: <>", 1, 8},
      {u"", 0, 0},
      // Tags are dropped, colour tags too, even inside a word; a "<" opens a tag to the end.
      {u"Ship<clr>s<clrEnd> ahead", 2, 24},
      {u"<fix 5>Доставьте груз на <ToPlanet>", 3, 35},
      {u"Line one<br>line two", 3, 20},
      {u"Если 5 < 6 яблок", 2, 16},
      // A formula is one word, whatever it holds; an unclosed one runs to the end.
      {u"Цена: [p1 + 2] кр., скидка {[p2] div 10}%", 5, 41},
      {u"[p1]+[p2] кредитов", 2, 18},
      {u"Осталось [p1 + ", 2, 15},
      // Line breaks as the PO file writes them: CR LF is a blank, a lone CR a "\u{000D}" in a word.
      {u"два\r\nслова", 2, 9},
      {u"два\rслова", 1, 9},
      {u"а.\r\n.б", 1, 5},  // the CR LF goes with the "." before it, and takes no other
      {u"nul\x01inside tab\tend", 3, 18},
      {u"a pair \xD83D\xDE00 ok", 4, 11},
  };
  TWordCounter counter;
  for (const auto& c : cases) {
    const TTextSize size = counter.Measure(c.text);
    EXPECT_EQ(size.Words, c.words) << std::string(c.text.begin(), c.text.end());
    EXPECT_EQ(size.Characters, c.characters) << c.words;
  }
}

// Every change of texts or states, one message or the whole table, leaves the kept sizes what a
// fresh count of the project finds.
TEST(ProjectSizes, FollowEveryChange) {
  auto project = std::make_unique<TtxgProject>(projecttest::Catalogue());
  project->NewFromSource(projecttest::SampleQuest());
  TProjectSizes kept(*project);
  const auto at = [&](int32_t p) { return project->MessageAtPosition(p); };
  const std::vector<std::pair<const char*, std::function<void()>>> steps = {
      {"translate", [&] { project->StoreTranslation(at(2), u"Перевод"); }},
      {"flag translated", [&] { project->SetNeedsReview(at(2), true); }},
      {"flag untranslated", [&] { project->SetNeedsReview(at(4), true); }},
      {"as is", [&] { project->SetTranslatedAsIs(at(5), true); }},
      {"deleted", [&] { project->StoreTranslation(at(2), u""); }},
      {"back to the source", [&] { project->SetTargetText(at(5), project->GetSourceText(at(5)) + u" "); }},
      {"whole table", [&] { project->NewFromSource(projecttest::SampleQuest()); }},
      {"after the whole table", [&] { project->StoreTranslation(at(7), u"Перевод"); }},
  };
  ASSERT_GT(MeasureProject(*project).Untranslated.Words, 0);
  for (const auto& [name, change] : steps) {
    kept.Sizes();
    change();
    const TWorkSizes expected = MeasureProject(*project);
    EXPECT_EQ(kept.Sizes().Translated, expected.Translated) << name;
    EXPECT_EQ(kept.Sizes().Review, expected.Review) << name;
    EXPECT_EQ(kept.Sizes().Untranslated, expected.Untranslated) << name;
  }
}

}  // namespace
