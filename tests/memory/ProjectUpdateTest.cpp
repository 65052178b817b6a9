// Which translation each position of a new quest takes from the old project.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "memory/ProjectUpdate.h"
#include "memory/UnusedTranslations.h"
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

namespace {

TEST(ProjectUpdate, CarriesTranslationsStatesAndNotesByRule) {
  ScratchFolder folder;
  const auto old = updatetest::OldProject();
  old->SetSetting(u"language", u"ru");
  auto fresh = std::make_unique<TtxgProject>(projecttest::Catalogue());
  const TUpdatePlan plan = UpdateProject(*old, updatetest::WriteNewQuest(folder), *fresh);
  EXPECT_EQ(plan.Kept + plan.Changed + plan.Moved + plan.New, fresh->PositionCount);

  const std::u16string deleted = fresh->DeletedMessageText();
  struct Expected {
    int32_t path;
    std::u16string target;
    bool review;
    std::u16string note;
    std::u16string previous;
  };
  const std::vector<Expected> expected = {
      {101, u"RU Open the door", false, u"formal tone", u""},
      {102, u"RU Take the key", true, u"key = card", u"Take the key"},
      {110, u"RU Leave the station", true, u"", u""},
      {105, u"Talk to the trader", true, u"ask the author", u""},  // untranslated: flag and note stay
      {107, u"RU Go back", true, u"", u""},
      {108, u"RU Go back", true, u"", u""},  // linked: follows 107
      {109, u"RU   Wait here  ", false, u"", u""},
      {111, u"Brand new text", false, u"", u""},
      {112, u"RU Open the door", true, u"", u""},
      {113, u"Fight the pirate, again", false, u"", u""},
      {114, deleted, false, u"", u""},
      {115, u"RU Dock", false, u"", u""},
  };
  for (const Expected& e : expected) {
    const int32_t n = MessageOfPath(*fresh, e.path);
    ASSERT_GT(n, 0) << e.path;
    EXPECT_EQ(fresh->GetTargetText(n), e.target) << e.path;
    EXPECT_EQ(fresh->NeedsReview(n), e.review) << e.path;
    EXPECT_EQ(fresh->Note(n), e.note) << e.path;
    EXPECT_EQ(fresh->PreviousSource(n), e.previous) << e.path;
  }
  EXPECT_EQ(fresh->TranslatedPositions(), plan.Kept + plan.Changed + plan.Moved);
  EXPECT_EQ(fresh->Setting(u"language"), u"ru");

  // The translation of the removed path is kept, and survives the project file.
  fresh->SaveToFile(folder.File("out.txg"));
  TtxgProject reloaded(projecttest::Catalogue());
  reloaded.LoadFromFile(folder.File("out.txg"));
  const auto unused = UnusedTranslations(reloaded);
  ASSERT_EQ(unused.size(), 1u);
  EXPECT_EQ(unused[0].Origin, u"Path(104).Start");
  EXPECT_EQ(unused[0].Source, u"Fight the pirate");
  EXPECT_EQ(unused[0].Translation, u"RU Fight the pirate");
}

TEST(ProjectUpdate, ATranslationKeptAsItIsIsKept) {
  ScratchFolder folder;
  const auto old = updatetest::OldProject();
  old->SetTranslatedAsIs(MessageOfPath(*old, 105), true);
  auto fresh = std::make_unique<TtxgProject>(projecttest::Catalogue());
  const TUpdatePlan plan = UpdateProject(*old, updatetest::WriteNewQuest(folder), *fresh);
  EXPECT_TRUE(fresh->TranslatedAsIs(MessageOfPath(*fresh, 105)));
  EXPECT_EQ(fresh->TranslatedPositions(), plan.Kept + plan.Changed + plan.Moved);
}

TEST(ProjectUpdate, UnusedTranslationsAccumulateOverUpdates) {
  ScratchFolder folder;
  const auto old = updatetest::OldProject();
  auto second = std::make_unique<TtxgProject>(projecttest::Catalogue());
  UpdateProject(*old, updatetest::WriteNewQuest(folder), *second);
  // Back to the old quest: path 112 is gone again; 110 gives its translation back to 103 (moved).
  old->SourceGame.SaveToFile(folder.File("old.xg"));
  auto third = std::make_unique<TtxgProject>(projecttest::Catalogue());
  const TUpdatePlan plan = UpdateProject(*second, folder.File("old.xg"), *third);
  std::vector<std::u16string> origins;
  for (const TMemoryEntry& entry : UnusedTranslations(*third)) origins.push_back(entry.Origin);
  // The first update's unused translation first, then this one's.
  EXPECT_EQ(origins, (std::vector<std::u16string>{u"Path(104).Start", u"Path(112).Start"}));
  EXPECT_EQ(plan.UnusedMessages.size(), 1u);
  EXPECT_EQ(plan.Moved, 1);
}

TEST(ProjectUpdate, UpdateToItsOwnQuestGivesTheSameProject) {
  ScratchFolder folder;
  const auto old = updatetest::OldProject();
  old->SetSetting(u"spelling", u"ru_RU");
  old->SetPreviousSource(MessageOfPath(*old, 101), u"Open that door");
  old->CurrentMessage = MessageOfPath(*old, 109);
  old->SaveToFile(folder.File("old.txg"));
  old->SourceGame.SaveToFile(folder.File("source.xg"));
  auto fresh = std::make_unique<TtxgProject>(projecttest::Catalogue());
  const TUpdatePlan plan = UpdateProject(*old, folder.File("source.xg"), *fresh);
  EXPECT_EQ(plan.Kept, old->TranslatedPositions());
  EXPECT_EQ(plan.New, old->PositionCount - old->TranslatedPositions());
  fresh->SaveToFile(folder.File("same.txg"));
  EXPECT_EQ(projecttest::ReadBytes(folder.File("same.txg")), projecttest::ReadBytes(folder.File("old.txg")));
}

TEST(ProjectUpdate, UnreadableQuestLeavesTheNewProjectEmpty) {
  ScratchFolder folder;
  const auto old = updatetest::OldProject();
  auto fresh = std::make_unique<TtxgProject>(projecttest::Catalogue());
  EXPECT_THROW(UpdateProject(*old, folder.File("missing.xg"), *fresh), EInOutError);
  EXPECT_EQ(fresh->SourceCount, 0);
  EXPECT_EQ(old->TranslatedPositions(), 7);
}

TEST(UnusedTranslations, DamagedSectionsAreRefusedWithOneText) {
  TtxgProject project(projecttest::Catalogue());
  SetUnusedTranslations(project, {{u"src", u"перевод", u"L(1).Text(1)"}});
  const std::vector<uint8_t> good = *project.Section("unused");
  ASSERT_EQ(UnusedTranslations(project).size(), 1u);

  std::vector<std::vector<uint8_t>> damaged;
  for (std::size_t cut = 1; cut < good.size(); ++cut) damaged.emplace_back(good.begin(), good.end() - cut);
  damaged.push_back(good);
  damaged.back().push_back(0);  // a byte too many
  damaged.push_back(good);
  damaged.back()[0] = 2;  // an unknown version
  damaged.push_back(good);
  damaged.back()[4] = 0xFF;  // a count beyond the bytes
  damaged.push_back(good);
  damaged.back()[8] = 0xFF;
  damaged.back()[11] = 0xFF;  // a negative length
  for (const auto& bytes : damaged) {
    project.SetSection("unused", bytes);
    try {
      UnusedTranslations(project);
      ADD_FAILURE() << "read " << bytes.size() << " bytes";
    } catch (const EUnusedSectionError& error) {
      EXPECT_STREQ(error.what(), "The unused translations of the project are damaged");
    }
  }
  SetUnusedTranslations(project, {});
  EXPECT_EQ(project.Section("unused"), nullptr);
  EXPECT_TRUE(UnusedTranslations(project).empty());
}

}  // namespace
