// Next and previous problem over the positions of the sample project, going round at the ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/ProblemSearch.h"
#include "checks/Spelling.h"
#include "common/ScratchFolder.h"
#include "common/ShippedData.h"
#include "glossary/TermMatcher.h"
#include "project/ProjectClass.h"

namespace {

class ProblemSearch : public ::testing::Test {
 protected:
  ProblemSearch() : project(ShippedCatalogue()) { project.NewFromSource(SampleQuestPath()); }
  // Translates the message at a position; returns the position.
  int32_t Translate(int32_t position, const std::u16string& text) {
    project.SetTargetText(project.MessageAtPosition(position), text);
    return position;
  }
  TtxgProject project;
};

TEST_F(ProblemSearch, FindsTheNextAndPreviousMessageWithProblemsGoingRound) {
  // Untranslated messages are not problems, deleted ones neither.
  EXPECT_EQ(FindProblem(project, 0, 1), -1);
  Translate(3, project.DeletedMessageText());
  EXPECT_EQ(FindProblem(project, 0, 1), -1);

  const int32_t last = project.PositionCount;
  const int32_t a = Translate(5, u"Doubled  space");
  const int32_t b = Translate(40, u"Broken <Mony");
  Translate(19, u"Clean enough wrod");  // a misspelled word is a problem only with a spell checker
  const std::vector<std::tuple<int32_t, int, int32_t>> cases = {
      {0, 1, a},  {1, 1, a},  {a, 1, b},  {b, 1, a},   {last, 1, a}, {last + 1, 1, a},
      {0, -1, b}, {a, -1, b}, {b, -1, a}, {30, -1, a}, {41, -1, b},  {a - 1, 1, a},
  };
  for (const auto& [from, step, found] : cases)
    EXPECT_EQ(FindProblem(project, from, step), found) << from << " step " << step;

  // Only one: it is found again from itself.
  Translate(b, project.GetSourceText(project.MessageAtPosition(b)));
  EXPECT_EQ(FindProblem(project, a, 1), a);
  EXPECT_EQ(FindProblem(project, a, -1), a);
}

TEST_F(ProblemSearch, MisspelledWordsAreProblemsWhenSpellingIsOn) {
  ScratchFolder folder;
  TSpellChecker speller("en_US", {"/usr/share/hunspell"}, folder.File("words.txt"));
  const int32_t misspelled = Translate(19, u"Clean enough wrod");
  const int32_t clean = Translate(18, u"Clean enough word");
  EXPECT_FALSE(HasProblems(project, project.MessageAtPosition(misspelled)));
  EXPECT_TRUE(HasProblems(project, project.MessageAtPosition(misspelled), &speller));
  EXPECT_FALSE(HasProblems(project, project.MessageAtPosition(clean), &speller));
  EXPECT_EQ(FindProblem(project, 0, 1, &speller), misspelled);
  EXPECT_EQ(FindProblem(project, 0, 1), -1);
}

}  // namespace

TEST_F(ProblemSearch, GlossaryTermsAreProblemsWhenAMatcherIsGiven) {
  const int32_t n = 8;  // a parameter's name: "Топливо"
  ASSERT_EQ(project.GetSourceText(n), u"Топливо");
  const int32_t position = Translate(project.PositionOfMessage(n), u"Power");
  TTermMatcher matcher({TGlossaryEntry{u"топливо", {u"fuel"}, u"", TTermStatus::Preferred}}, "ru", "en");
  EXPECT_FALSE(HasProblems(project, n));
  EXPECT_TRUE(HasProblems(project, n, nullptr, &matcher));
  EXPECT_EQ(FindProblem(project, 0, 1, nullptr, &matcher), position);
  EXPECT_EQ(FindProblem(project, 0, 1), -1);
}
