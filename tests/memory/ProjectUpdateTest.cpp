// Which translation each position of a new quest takes from the old project.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "memory/ProjectUpdate.h"
#include "memory/UpdateFixtures.h"

namespace {

using updatetest::MessageOfPath;

const char* RuleName(UpdateRule rule) {
  switch (rule) {
    case UpdateRule::Kept:
      return "kept";
    case UpdateRule::Changed:
      return "changed";
    case UpdateRule::Moved:
      return "moved";
    case UpdateRule::New:
      return "new";
  }
  return "?";
}

TEST(ProjectUpdatePlan, EveryPositionTakesTheFirstRuleThatApplies) {
  const auto old = updatetest::OldProject();
  const auto fresh = updatetest::NewProject();
  const TUpdatePlan plan = PlanUpdate(*old, *fresh);

  EXPECT_EQ(plan.Kept, 4);
  EXPECT_EQ(plan.Changed, 1);
  EXPECT_EQ(plan.Moved, 2);
  EXPECT_EQ(plan.New, 4);
  EXPECT_EQ(plan.Kept + plan.Changed + plan.Moved + plan.New, fresh->PositionCount);
  ASSERT_EQ(static_cast<int32_t>(plan.Steps.size()), fresh->PositionCount);

  struct Expected {
    int32_t newPath;
    const char* rule;
    int32_t oldPath;  // 0: none
  };
  const std::vector<Expected> expected = {
      {101, "kept", 101}, {102, "changed", 102}, {110, "moved", 103}, {105, "new", 105},
      {107, "kept", 107}, {109, "kept", 109},    {111, "new", 0},     {112, "moved", 101},
      {113, "new", 0},    {114, "new", 114},     {115, "kept", 115},
  };
  std::map<int32_t, TUpdateStep> byMessage;
  for (const TUpdateStep& step : plan.Steps) byMessage[step.NewMessage] = step;
  ASSERT_EQ(byMessage.size(), expected.size());
  for (const Expected& e : expected) {
    const TUpdateStep& step = byMessage[MessageOfPath(*fresh, e.newPath)];
    EXPECT_STREQ(RuleName(step.Rule), e.rule) << "path " << e.newPath;
    EXPECT_EQ(step.OldMessage, e.oldPath == 0 ? 0 : MessageOfPath(*old, e.oldPath)) << "path " << e.newPath;
  }
  // The linked duplicate is no position; its path follows path 107.
  EXPECT_TRUE(fresh->IsLinked(MessageOfPath(*fresh, 108)));
  EXPECT_EQ(plan.UnusedMessages, std::vector<int32_t>{MessageOfPath(*old, 104)});
}

TEST(ProjectUpdatePlan, UpdatingToTheSameQuestKeepsEveryTranslation) {
  const auto old = updatetest::OldProject();
  auto same = std::make_unique<TtxgProject>(projecttest::Catalogue());
  same->SourceGame.Assign(old->SourceGame);
  projecttest::OpenFromSource(*same);
  const TUpdatePlan plan = PlanUpdate(*old, *same);
  int32_t translated = 0;
  for (int32_t position = 1; position <= old->PositionCount; ++position)
    if (!old->IsNotEdited(old->MessageAtPosition(position))) ++translated;
  EXPECT_EQ(plan.Kept, translated);
  EXPECT_EQ(plan.New, old->PositionCount - translated);
  EXPECT_EQ(plan.Changed, 0);
  EXPECT_EQ(plan.Moved, 0);
  EXPECT_TRUE(plan.UnusedMessages.empty());
  for (const TUpdateStep& step : plan.Steps) EXPECT_EQ(step.OldMessage, step.NewMessage);
}

}  // namespace
