// Message states: the needs-review flag, notes and previous source texts, their counts over
// positions, linked duplicates, change listeners, settings and sections.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "ProjectTestSupport.h"

using namespace projecttest;

namespace {

class MessageStates : public ::testing::Test {
 protected:
  MessageStates() : project(Catalogue()) {}
  void SetUp() override {
    MakeBareQuest(project.SourceGame);
    // Messages 1..5 are the path questions (2 and 3 fold into 1), 6 and 7 the answers.
    AddPaths(project.SourceGame,
             {{7, u"Go?", u"Gone"}, {7, u"Go? "}, {7, u"Go?"}, {8, u"Stay?"}, {9, u"Wait?", u"Waited"}});
    OpenFromSource(project);
  }
  int32_t Message(const std::u16string& id) { return project.FindTargetId(id); }
  TtxgProject project;
};

// The counts as a plain loop over the positions would give them.
struct Counts {
  int32_t translated, review, notes;
  bool operator==(const Counts&) const = default;
};
Counts Recount(const TtxgProject& p) {
  Counts counts{0, 0, 0};
  for (int32_t position = 1; position <= p.PositionCount; ++position) {
    const int32_t m = p.MessageAtPosition(position);
    counts.translated += p.IsNotEdited(m) ? 0 : 1;
    counts.review += p.NeedsReview(m) ? 1 : 0;
    counts.notes += p.Note(m).empty() ? 0 : 1;
  }
  return counts;
}
Counts Kept(const TtxgProject& p) { return {p.TranslatedPositions(), p.ReviewPositions(), p.NotePositions()}; }

TEST_F(MessageStates, LinkedDuplicatesShareTheStateOfTheMessageTheyFoldInto) {
  const int32_t first = Message(u"Path(101).Start");
  const int32_t duplicate = Message(u"Path(103).Start");
  ASSERT_TRUE(project.IsLinked(duplicate));
  EXPECT_EQ(project.StateMessage(duplicate), first);

  project.SetNeedsReview(duplicate, true);
  project.SetNote(duplicate, u"asked through the duplicate");
  project.SetPreviousSource(duplicate, u"Went?");
  for (int32_t n : {first, duplicate, Message(u"Path(102).Start")}) {
    EXPECT_TRUE(project.NeedsReview(n)) << n;
    EXPECT_EQ(project.Note(n), u"asked through the duplicate") << n;
    EXPECT_EQ(project.PreviousSource(n), u"Went?") << n;
  }
  EXPECT_FALSE(project.NeedsReview(Message(u"Path(104).Start")));
  // One position carries the flag, however many duplicates were asked.
  EXPECT_EQ(project.ReviewPositions(), 1);
  EXPECT_EQ(project.NotePositions(), 1);

  project.SetTargetText(first, u"Idti?");
  EXPECT_TRUE(project.IsTranslated(duplicate));
  EXPECT_FALSE(project.IsTranslated(Message(u"Path(104).Start")));
}

TEST_F(MessageStates, NumbersOutsideTheTable) {
  for (int32_t n : {0, -1, project.SourceCount + 1}) {
    SCOPED_TRACE(n);
    EXPECT_FALSE(project.NeedsReview(n));
    EXPECT_FALSE(project.IsTranslated(n));
    EXPECT_EQ(project.Note(n), u"");
    EXPECT_EQ(project.PreviousSource(n), u"");
    const std::string expected =
        "There is no message " + std::to_string(n) + " in the project: its messages are 1 to 7";
    try {
      project.SetNeedsReview(n, true);
      FAIL() << "no error";
    } catch (const std::out_of_range& error) {
      EXPECT_EQ(error.what(), expected);
    }
    EXPECT_THROW(project.SetNote(n, u"x"), std::out_of_range);
    EXPECT_THROW(project.SetPreviousSource(n, u"x"), std::out_of_range);
  }
  project.Clear();
  try {
    project.SetNote(1, u"x");
    FAIL() << "no error";
  } catch (const std::out_of_range& error) {
    EXPECT_STREQ(error.what(), "There is no message 1: the project has no messages");
  }
}

// Every operation that moves a count, checked against a plain recount after each step: random
// texts (source, deleted text, a translation), flags, notes, and relinking that forms and splits
// groups, so a count kept for a message that lost or gained its position is caught.
TEST_F(MessageStates, KeptCountsAgreeWithARecountThroughRandomEdits) {
  std::mt19937 random(5);
  const std::vector<std::u16string> texts = {u"Go?", u"Go? ", u"Stay?", u"Idti?", u"", project.DeletedMessageText()};
  EXPECT_EQ(Kept(project), Recount(project));
  for (int step = 0; step < 3000; ++step) {
    const int32_t n = 1 + static_cast<int32_t>(random() % static_cast<uint32_t>(project.SourceCount));
    switch (random() % 7) {
      case 0:
        project.SetTargetText(n, texts[random() % texts.size()]);
        if (project.GetTargetText(n).empty()) project.SetTargetText(n, project.DeletedMessageText());
        break;
      case 1:
        project.SetNeedsReview(n, random() % 2 == 0);
        break;
      case 2:
        project.SetNote(n, random() % 2 == 0 ? u"" : u"note " + std::u16string(1, u'a' + random() % 3));
        break;
      case 3:
        project.SetTargetText(n, project.GetSourceText(n));
        break;
      case 4:
        project.LinkDuplicatePaths();
        break;
      case 5:
        project.SetTranslatedAsIs(n, random() % 3 != 0);
        break;
      default:
        project.SetPreviousSource(n, random() % 2 == 0 ? u"" : u"old");
        break;
    }
    ASSERT_EQ(Kept(project), Recount(project)) << "step " << step;
    const int32_t m = project.StateMessage(n);  // a linked duplicate's text follows another source
    ASSERT_TRUE(!project.TranslatedAsIs(m) || project.GetTargetText(m) == project.GetSourceText(m)) << "step " << step;
  }
}

TEST_F(MessageStates, TranslatedAsIsHoldsWhileTheTranslationEqualsTheSource) {
  const int32_t stay = Message(u"Path(104).Start");
  const int32_t wait = Message(u"Path(105).Start");
  project.SetTargetText(wait, u"Warte?");
  project.SetTranslatedAsIs(wait, true);                         // a translation of its own takes no mark
  project.SetTranslatedAsIs(Message(u"Path(103).Start"), true);  // marks the message it folds into
  EXPECT_TRUE(project.TranslatedAsIs(Message(u"Path(101).Start")));
  struct Step {
    std::u16string text;
    bool mark, asIs;
    int32_t translated;
  };
  const Step steps[] = {{u"Stay?", true, true, 3},
                        {u"Bleib?", false, false, 3},  // a new text drops the mark
                        {u"Stay?", false, false, 2},
                        {project.DeletedMessageText(), true, false, 2}};
  for (const Step& step : steps) {
    project.SetTargetText(stay, step.text);
    if (step.mark) project.SetTranslatedAsIs(stay, true);
    EXPECT_EQ(project.TranslatedAsIs(stay), step.asIs);
    EXPECT_EQ(project.TranslatedPositions(), step.translated);
    EXPECT_EQ(Kept(project), Recount(project));
  }
  EXPECT_FALSE(project.TranslatedAsIs(wait));
  // Find next not edited passes a kept translation by.
  project.SetTargetText(stay, u"Stay?");
  project.SetTranslatedAsIs(stay, true);
  for (int32_t position = 0; position <= project.PositionCount; ++position)
    EXPECT_NE(project.FindNotEdited(position), project.PositionOfMessage(stay));
  EXPECT_THROW(project.SetTranslatedAsIs(project.SourceCount + 1, true), std::out_of_range);
}

TEST_F(MessageStates, ListenersHearEachChangeOnce) {
  std::vector<int32_t> heard;
  const int id = project.AddChangeListener([&heard](int32_t message) { heard.push_back(message); });
  const int32_t first = Message(u"Path(101).Start");
  const int32_t duplicate = Message(u"Path(102).Start");
  const int32_t other = Message(u"Path(104).Start");

  struct Step {
    const char* name;
    std::function<void()> action;
    std::vector<int32_t> heard;
  };
  const std::vector<Step> steps = {
      {"flag", [&] { project.SetNeedsReview(other, true); }, {other}},
      {"same flag again", [&] { project.SetNeedsReview(other, true); }, {}},
      {"flag through a duplicate", [&] { project.SetNeedsReview(duplicate, true); }, {first}},
      {"note", [&] { project.SetNote(other, u"n"); }, {other}},
      {"same note", [&] { project.SetNote(other, u"n"); }, {}},
      {"previous source", [&] { project.SetPreviousSource(other, u"p"); }, {other}},
      {"text", [&] { project.SetTargetText(other, u"t"); }, {other}},
      {"same text", [&] { project.SetTargetText(other, u"t"); }, {}},
      {"text of a duplicate, which follows its path", [&] { project.SetTargetText(duplicate, u"t"); }, {}},
      {"relink", [&] { project.LinkDuplicatePaths(); }, {0}},
      {"rebuild", [&] { project.RebuildMessageTable(); }, {0}},
      {"clear", [&] { project.Clear(); }, {0}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    heard.clear();
    step.action();
    EXPECT_EQ(heard, step.heard);
  }
  project.RemoveChangeListener(id);
  heard.clear();
  project.Clear();
  EXPECT_TRUE(heard.empty());
}

TEST_F(MessageStates, ListenerMayRemoveItselfWhileCalled) {
  int calls = 0;
  int id = 0;
  id = project.AddChangeListener([&](int32_t) {
    ++calls;
    project.RemoveChangeListener(id);
  });
  project.SetNeedsReview(1, true);
  project.SetNeedsReview(1, false);
  EXPECT_EQ(calls, 1);
}

TEST_F(MessageStates, ANewProjectAndClearDropEveryState) {
  project.SetNeedsReview(1, true);
  project.SetNote(4, u"n");
  project.SetSetting(u"language", u"ru");
  project.SetSection("unused", {1, 2});
  project.Clear();
  EXPECT_EQ(Kept(project), (Counts{0, 0, 0}));
  EXPECT_EQ(project.Setting(u"language"), u"");
  EXPECT_EQ(project.Section("unused"), nullptr);

  project.NewFromSource(SampleQuest());
  project.SetNeedsReview(1, true);
  project.SetNote(2, u"n");
  project.SetSetting(u"spelling", u"ru_RU");
  project.NewFromSource(SampleQuest());
  EXPECT_FALSE(project.NeedsReview(1));
  EXPECT_EQ(project.Note(2), u"");
  EXPECT_EQ(project.Setting(u"spelling"), u"");
  EXPECT_EQ(Kept(project), (Counts{0, 0, 0}));
}

TEST_F(MessageStates, SettingsAndSections) {
  project.SetSetting(u"language", u"ru");
  project.SetSetting(u"language", u"uk");
  EXPECT_EQ(project.Setting(u"language"), u"uk");
  project.SetSetting(u"language", u"");
  EXPECT_EQ(project.Setting(u"language"), u"");
  EXPECT_THROW(project.SetSetting(u"", u"x"), std::invalid_argument);

  project.SetSection("unused", {1, 2, 3});
  ASSERT_NE(project.Section("unused"), nullptr);
  EXPECT_EQ(*project.Section("unused"), (std::vector<uint8_t>{1, 2, 3}));
  project.SetSection("unused", {});
  EXPECT_EQ(project.Section("unused"), nullptr);
  for (const std::string& name : {std::string("states"), std::string("settings"), std::string(), std::string(65, 'a'),
                                  std::string("two words"), std::string("tab\t")}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(project.SetSection(name, {1}), std::invalid_argument);
  }
  EXPECT_EQ(project.Section("states"), nullptr);
}

}  // namespace
