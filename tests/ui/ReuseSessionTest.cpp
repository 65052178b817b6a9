// The window's side of reusing translations: fills as single undo steps, the memory following the
// translator from message to message, and the update's summary.
#include <QUndoStack>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "memory/UpdateFixtures.h"
#include "ui/ReuseSession.h"
#include "ui/SuggestionsPanel.h"
#include "ui/UiTestSupport.h"

namespace {

using updatetest::FixturePath;
using updatetest::MessageOfPath;

using updatetest::ProjectOf;

const std::vector<FixturePath> Paths = {
    {101, 1, u"Open the door", true}, {102, 2, u"Open the door"}, {103, 3, u"Open the door"},
    {104, 4, u"Open the red door"},   {105, 5, u"Close it"},
};

TEST(ReuseSession, PropagationIsOneUndoStep) {
  auto project = ProjectOf(Paths);
  const int32_t first = MessageOfPath(*project, 101);
  const int32_t second = MessageOfPath(*project, 102);
  const int32_t third = MessageOfPath(*project, 103);
  project->SetNeedsReview(third, true);
  QUndoStack stack;
  int puts = 0;
  auto put = [&](const std::vector<TFilledMessage>& fills, bool after) {
    ++puts;
    PutFilled(*project, fills, after);
  };
  std::vector<TFilledMessage> fills = FillSameTranslation(*project, first);
  ASSERT_EQ(fills.size(), 2u);
  stack.push(new TFillCommand(put, std::move(fills), QStringLiteral("Fill same translation")));
  EXPECT_EQ(puts, 0);  // pushed after the fill: nothing done twice
  EXPECT_EQ(project->GetTargetText(second), u"RU Open the door");
  EXPECT_TRUE(project->NeedsReview(second));
  ASSERT_EQ(stack.count(), 1);

  stack.undo();
  EXPECT_EQ(project->GetTargetText(second), u"Open the door");
  EXPECT_EQ(project->GetTargetText(third), u"Open the door");
  EXPECT_FALSE(project->NeedsReview(second));
  EXPECT_TRUE(project->NeedsReview(third));  // flagged before the fill: stays flagged
  EXPECT_EQ(project->TranslatedPositions(), 1);

  stack.redo();
  EXPECT_EQ(project->GetTargetText(third), u"RU Open the door");
  EXPECT_TRUE(project->NeedsReview(second));
  EXPECT_EQ(project->TranslatedPositions(), 3);
  EXPECT_EQ(puts, 2);
}

TEST(ReuseSession, SuggestionFillsOnlyWhatItChanges) {
  auto project = ProjectOf(Paths);
  const int32_t n = MessageOfPath(*project, 104);
  EXPECT_TRUE(FillSuggestion(*project, n, u"Open the red door", 100).empty());  // the text it holds
  const auto fills = FillSuggestion(*project, n, u"Открой красную дверь", 100);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].Before, u"Open the red door");
  EXPECT_EQ(fills[0].After, u"Открой красную дверь");
  EXPECT_EQ(fills[0].ReviewAfter, fills[0].ReviewBefore);
  // A blank suggestion stores what an emptied translation stores.
  const auto blank = FillSuggestion(*project, n, u"  ", 100);
  ASSERT_EQ(blank.size(), 1u);
  EXPECT_EQ(blank[0].After, project->DeletedMessageText());
  EXPECT_TRUE(FillSuggestion(*project, 0, u"x", 100).empty());
}

TEST(ReuseSession, OnlyAnExactSuggestionIsTakenWithoutReview) {
  struct Case {
    int percent;
    bool reviewBefore;
    const char16_t* text;
    std::size_t fills;
    bool reviewAfter;
  };
  const std::vector<Case> cases = {
      {100, false, u"Открой дверь", 1, false},    {100, true, u"Открой дверь", 1, true},
      {99, false, u"Открой дверь", 1, true},      {75, true, u"Открой дверь", 1, true},
      {75, false, u"Open the red door", 1, true},  // the same text, but now flagged: still a step
      {75, true, u"Open the red door", 0, true},  {100, false, u"Open the red door", 0, false},
  };
  for (const Case& c : cases) {
    auto project = ProjectOf(Paths);
    const int32_t n = MessageOfPath(*project, 104);
    project->SetNeedsReview(n, c.reviewBefore);
    const auto fills = FillSuggestion(*project, n, c.text, c.percent);
    EXPECT_EQ(fills.size(), c.fills) << c.percent;
    EXPECT_EQ(project->NeedsReview(n), c.reviewAfter) << c.percent;
    if (!fills.empty()) {
      EXPECT_EQ(fills[0].ReviewAfter, c.reviewAfter) << c.percent;
    }
  }
}

TEST(ReuseSession, LeavingANewTranslationOffersItAndFeedsTheMemory) {
  auto project = ProjectOf(Paths);
  TReuseSession session;
  TSuggestionsPanel panel(uitest::BuiltInTexts());
  EXPECT_TRUE(session.Rebuild(*project).empty());
  const int32_t first = MessageOfPath(*project, 101);
  const int32_t red = MessageOfPath(*project, 104);
  const int32_t close = MessageOfPath(*project, 105);

  // "Open the red door" is shown: the translated "Open the door" is a 75% match.
  EXPECT_EQ(session.MessageShown(*project, red, panel), 0);
  ASSERT_EQ(panel.Count(), 1);
  EXPECT_EQ(panel.Shown(0).Translation, u"RU Open the door");
  project->StoreTranslation(red, u"Открой красную дверь");
  EXPECT_EQ(session.MessageShown(*project, red, panel), 0);  // still shown
  EXPECT_EQ(session.MessageShown(*project, close, panel), red);
  EXPECT_EQ(session.Memory().Suggest(u"Open the red door", 1)[0].Percent, 100);

  // Shown again and left unchanged: nothing to offer.
  EXPECT_EQ(session.MessageShown(*project, red, panel), 0);
  EXPECT_EQ(panel.Count(), 1);  // its own translation is not offered for it
  EXPECT_EQ(session.MessageShown(*project, first, panel), 0);
  // A message emptied again is no translation to offer.
  project->StoreTranslation(first, u"");
  EXPECT_EQ(session.MessageShown(*project, close, panel), 0);

  // A previous source shows above the suggestions.
  project->SetPreviousSource(close, u"Close that");
  EXPECT_EQ(session.MessageShown(*project, close, panel), 0);
  EXPECT_TRUE(panel.PreviousSourceLabel->isVisibleTo(&panel));
  EXPECT_EQ(session.MessageShown(*project, 0, panel), 0);
  EXPECT_EQ(panel.Count(), 0);
  EXPECT_FALSE(panel.PreviousSourceLabel->isVisibleTo(&panel));
}

TEST(ReuseSession, UpdateSummaryIsTheFiveLinesOfXgtool) {
  TUpdatePlan plan;
  plan.Kept = 4;
  plan.Changed = 1;
  plan.Moved = 2;
  plan.New = 3;
  plan.UnusedMessages = {7, 9};
  EXPECT_EQ(UpdateSummary(plan), "kept: 4\nchanged: 1\nmoved: 2\nnew: 3\nunused: 2");
}

}  // namespace
