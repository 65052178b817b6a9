// The word rule where the PO form of a text differs from its units (the agreement with pocount on
// whole quests is tests/cli/CountCommandTest.cpp), and the kept sizes after every kind of change.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "project/ProjectClass.h"
#include "project/ProjectTestSupport.h"
#include "project/WordCount.h"

namespace {

TEST(WordCounter, CountsThePoFormOfTheText) {
  const struct {
    std::u16string text;
    int64_t words, characters;
  } cases[] = {
      {u"— Стойте! т.е. 1.5 кг", 4, 21},  // a lone dash is a word, "т.е." none
      {u"два\r\nслова", 2, 9},            // CR LF is a blank and one character
      {u"два\rслова", 1, 9},              // a lone CR is "\u{000D}" inside the word
      {u"а.\r\n.б", 1, 5},                // the CR LF goes with the "." before it, and takes no other
      {u"nul\x01inside tab\tend", 3, 18},
      {u"a pair \xD83D\xDE00 ok", 4, 11},
      {u"Осталось [p1 + ", 2, 15},  // an unclosed formula runs to the end
  };
  TWordCounter counter;
  for (const auto& c : cases) EXPECT_EQ(counter.Measure(c.text), (TTextSize{c.words, c.characters})) << c.words;
}

TEST(ProjectSizes, FollowEveryChange) {
  auto project = std::make_unique<TtxgProject>(projecttest::Catalogue());
  project->NewFromSource(projecttest::SampleQuest());
  TProjectSizes kept(*project);
  const auto at = [&](int32_t p) { return project->MessageAtPosition(p); };
  const std::function<void()> steps[] = {
      [&] { project->StoreTranslation(at(2), u"Перевод"); },
      [&] { project->SetNeedsReview(at(2), true); },
      [&] { project->SetNeedsReview(at(4), true); },
      [&] { project->SetTranslatedAsIs(at(5), true); },
      [&] { project->StoreTranslation(at(2), u""); },
      [&] { project->NewFromSource(projecttest::SampleQuest()); },
      [&] { project->StoreTranslation(at(7), u"Перевод"); },
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    kept.Sizes();
    steps[i]();
    const TWorkSizes expected = MeasureProject(*project);
    EXPECT_TRUE(kept.Sizes().Translated == expected.Translated && kept.Sizes().Review == expected.Review &&
                kept.Sizes().Untranslated == expected.Untranslated)
        << "step " << i;
  }
}

}  // namespace
