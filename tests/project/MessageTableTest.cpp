// The message table: enumeration of both quests, folding of duplicated path questions, positions,
// text access, "<Empty>" references and the search for messages not edited yet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "support/JD_Str.h"

using namespace projecttest;

namespace {

class MessageTable : public ::testing::Test {
 protected:
  MessageTable() : project(Catalogue()) {}
  void SetUp() override { MakeBareQuest(project.SourceGame); }
  void Open() { OpenFromSource(project); }
  // The message whose target id is `id`.
  int32_t Message(const std::u16string& id) {
    const int32_t n = project.FindTargetId(id);
    EXPECT_GT(n, 0) << "no message " << WideToAnsi(id);
    return n;
  }
  std::vector<int32_t> Positions() const {
    return std::vector<int32_t>(project.PositionMessage.begin() + 1,
                                project.PositionMessage.begin() + 1 + project.PositionCount);
  }
  TtxgProject project;
};

TEST_F(MessageTable, QuestWithoutTextsHasNoMessages) {
  Open();
  EXPECT_EQ(project.SourceCount, 0);
  EXPECT_EQ(project.TargetCount, 0);
  EXPECT_EQ(project.PositionCount, 0);
  EXPECT_EQ(project.FindNotEdited(0), -1);
  EXPECT_EQ(project.FindNotEdited(1), -1);
  EXPECT_EQ(project.MessageAtPosition(1), 0);
}

TEST_F(MessageTable, MessageZeroAndOutsideTheTableHoldNoText) {
  AddPaths(project.SourceGame, {{1, u"Go?"}});
  Open();
  ASSERT_EQ(project.SourceCount, 1);
  EXPECT_EQ(project.GetSourceText(0), u"");
  EXPECT_EQ(project.GetTargetText(0), u"");
  EXPECT_EQ(project.GetTargetText(2), u"");
  EXPECT_EQ(project.GetTargetText(-1), u"");
  project.SetTargetText(0, u"changed");
  project.SetTargetText(2, u"changed");
  EXPECT_EQ(project.GetTargetText(1), u"Go?");
  EXPECT_EQ(project.PositionOfMessage(0), -1);
  EXPECT_EQ(project.PositionOfMessage(2), -1);
  EXPECT_FALSE(project.IsLinked(0));
}

struct LinkCase {
  const char* name;
  std::vector<TestPathTexts> paths;
  std::vector<int32_t> linkedPath;  // per message (all are path questions), 1-based in order
};

TEST_F(MessageTable, LinkingFoldsEqualQuestionsOfOneValue2) {
  const std::vector<LinkCase> cases = {
      {"three equal up to blanks", {{7, u"Go?"}, {7, u"  Go?"}, {7, u"Go?\r\n"}}, {0, 1, 1}},
      {"different Value2", {{7, u"Go?"}, {8, u"Go?"}}, {0, 0}},
      {"case matters", {{7, u"Go?"}, {7, u"go?"}}, {0, 0}},
      {"inner blanks matter", {{7, u"Go ?"}, {7, u"Go?"}}, {0, 0}},
      {"every code up to 32 is trimmed", {{7, u"\x01Go?\x1F"}, {7, u"Go?"}}, {0, 1}},
      {"two groups interleaved", {{1, u"A"}, {2, u"A"}, {1, u"A"}, {2, u"A "}, {1, u"B"}}, {0, 0, 1, 2, 0}},
      {"negative Value2", {{-1, u"A"}, {65535, u"A"}, {-1, u"A"}}, {0, 0, 1}},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.name);
    MakeBareQuest(project.SourceGame);
    AddPaths(project.SourceGame, c.paths);
    Open();
    ASSERT_EQ(project.SourceCount, static_cast<int32_t>(c.paths.size()));
    std::vector<int32_t> linked(project.LinkedPath.begin() + 1, project.LinkedPath.end());
    EXPECT_EQ(linked, c.linkedPath);
    std::vector<int32_t> expectedPositions;
    for (std::size_t n = 1; n <= c.linkedPath.size(); ++n) {
      const auto message = static_cast<int32_t>(n);
      if (c.linkedPath[n - 1] == 0) {
        expectedPositions.push_back(message);
        EXPECT_EQ(project.PositionOfMessage(message), static_cast<int32_t>(expectedPositions.size()));
      } else {
        EXPECT_TRUE(project.IsLinked(message));
        EXPECT_EQ(project.PositionOfMessage(message), -1);
      }
    }
    EXPECT_EQ(Positions(), expectedPositions);
  }
}

TEST_F(MessageTable, LinkPointsToThePathOfTheFirstMessageNotToItsNumber) {
  // Path 2's question is message 3 (path 1 has an answer), path 3's is message 4.
  AddPaths(project.SourceGame, {{1, u"Other", u"Answer"}, {5, u"Same"}, {5, u"Same"}});
  Open();
  const int32_t first = Message(u"Path(102).Start");
  const int32_t second = Message(u"Path(103).Start");
  EXPECT_EQ(project.LinkedPath[static_cast<std::size_t>(first)], 0);
  EXPECT_EQ(project.LinkedPath[static_cast<std::size_t>(second)], 2);
}

TEST_F(MessageTable, OnlyQuestionsAreLinkedNotEqualAnswers) {
  AddPaths(project.SourceGame, {{1, u"Q", u"Same answer"}, {1, u"R", u"Same answer"}});
  Open();
  EXPECT_EQ(project.PositionCount, project.SourceCount);
}

TEST_F(MessageTable, SetTargetTextCopiesTheQuestionToItsDuplicates) {
  AddPaths(project.SourceGame, {{7, u"Go?"}, {7, u" Go?"}, {7, u"Go?"}, {8, u"Go?"}});
  Open();
  project.SetTargetText(Message(u"Path(101).Start"), u"Idti?");
  EXPECT_EQ(project.GetTargetText(Message(u"Path(102).Start")), u"Idti?");
  EXPECT_EQ(project.GetTargetText(Message(u"Path(103).Start")), u"Idti?");
  EXPECT_EQ(project.GetTargetText(Message(u"Path(104).Start")), u"Go?");
  // The source is never touched.
  EXPECT_EQ(project.GetSourceText(Message(u"Path(102).Start")), u" Go?");
  // A duplicate given a text of its own gets its question back; another group's text leaves it.
  project.SetTargetText(Message(u"Path(103).Start"), u"Other?");
  project.SetTargetText(Message(u"Path(104).Start"), u"Idi?");
  EXPECT_EQ(project.GetTargetText(Message(u"Path(103).Start")), u"Idti?");
  EXPECT_EQ(project.GetTargetText(Message(u"Path(102).Start")), u"Idti?");
}

TEST_F(MessageTable, GroupsFollowTheTargetTexts) {
  AddPaths(project.SourceGame, {{7, u"Go?"}, {7, u"Go?"}});
  Open();
  ASSERT_EQ(project.PositionCount, 1);
  // A different translation of the second question splits the group at the next linking.
  project.TargetGame.Path(2).StartText.Text = u"Stay?";
  project.LinkDuplicatePaths();
  EXPECT_EQ(project.PositionCount, 2);
  // And equal translations of different questions join them.
  project.TargetGame.Path(2).StartText.Text = u"Go?  ";
  project.LinkDuplicatePaths();
  EXPECT_EQ(project.PositionCount, 1);
}

TEST_F(MessageTable, ClearEmptiesTheTable) {
  AddPaths(project.SourceGame, {{7, u"Go?"}, {7, u"Go?"}});
  Open();
  project.Clear();
  EXPECT_EQ(project.SourceCount, 0);
  EXPECT_EQ(project.TargetCount, 0);
  EXPECT_EQ(project.PositionCount, 0);
  EXPECT_EQ(project.CurrentMessage, 0);
  EXPECT_EQ(project.MessageAtPosition(1), 0);
  EXPECT_EQ(project.GetTargetText(1), u"");
  EXPECT_EQ(project.SourceGame.PathCount, 0);
}

TEST_F(MessageTable, NewFromSourceThatFailsLeavesAnEmptyProject) {
  project.NewFromSource(SampleQuest());
  ASSERT_GT(project.SourceCount, 0);
  ScratchFolder folder;
  std::vector<uint8_t> bytes = ReadBytes(SampleQuest());
  bytes.resize(bytes.size() / 2);
  WriteBytes(folder.File("cut.xg"), bytes);
  EXPECT_THROW(project.NewFromSource(folder.File("cut.xg")), EInOutError);
  EXPECT_EQ(project.SourceCount, 0);
  EXPECT_EQ(project.TargetCount, 0);
  EXPECT_EQ(project.PositionCount, 0);
  EXPECT_EQ(project.CurrentMessage, 0);
}

TEST_F(MessageTable, NewFromSourceStartsAtMessageOne) {
  project.NewFromSource(SampleQuest());
  EXPECT_EQ(project.CurrentMessage, 1);
  EXPECT_EQ(project.SourceCount, project.TargetCount);
  for (int32_t n = 1; n <= project.SourceCount; ++n) {
    ASSERT_EQ(project.SourceIds[static_cast<std::size_t>(n)], project.TargetIds[static_cast<std::size_t>(n)]);
    ASSERT_EQ(project.GetSourceText(n), project.GetTargetText(n));
    ASSERT_NE(project.SourceTexts[static_cast<std::size_t>(n)], project.TargetTexts[static_cast<std::size_t>(n)]);
  }
}

// ----- "<Empty>" references -----

TEST_F(MessageTable, EmptyReferenceTakesTheQuestionOfThePathAtThatIndex) {
  AddPaths(project.SourceGame, {{1, u"First"}, {2, u"<Empty>3"}, {3, u"Third"}, {4, u" 1 <Empty> "}});
  Open();
  project.ResolveEmptyReferences();
  EXPECT_EQ(project.TargetGame.Path(2).StartText.Text, u"Third");
  EXPECT_EQ(project.TargetGame.Path(4).StartText.Text, u"First");
  EXPECT_EQ(project.SourceGame.Path(2).StartText.Text, u"<Empty>3");
}

TEST_F(MessageTable, EmptyReferencesAreResolvedInPathOrder) {
  // Path 1 copies path 2 before path 2 is resolved; path 3 copies path 2 after.
  AddPaths(project.SourceGame, {{1, u"<Empty>2"}, {2, u"<Empty>4"}, {3, u"<Empty>2"}, {4, u"Four"}});
  Open();
  project.ResolveEmptyReferences();
  EXPECT_EQ(project.TargetGame.Path(1).StartText.Text, u"<Empty>4");
  EXPECT_EQ(project.TargetGame.Path(2).StartText.Text, u"Four");
  EXPECT_EQ(project.TargetGame.Path(3).StartText.Text, u"Four");
}

TEST_F(MessageTable, BadEmptyReferencesFailBeforeAnyPathChanges) {
  struct Case {
    const char* name;
    std::u16string reference;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"letter before the mark", u"x<Empty>3", "'x3' is not a valid integer value"},
      {"nothing but the mark", u"<Empty>", "'' is not a valid integer value"},
      {"index beyond the paths", u"<Empty>9",
       "The question of path 3 (Path(103).Start) refers to path 9, but the quest has paths 1 to 3"},
      {"index zero", u"<Empty>0",
       "The question of path 3 (Path(103).Start) refers to path 0, but the quest has paths 1 to 3"},
      {"negative index", u"<Empty>-1",
       "The question of path 3 (Path(103).Start) refers to path -1, but the quest has paths 1 to 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeBareQuest(project.SourceGame);
    AddPaths(project.SourceGame, {{1, u"<Empty>2"}, {2, u"Two"}, {3, c.reference}});
    Open();
    try {
      project.ResolveEmptyReferences();
      ADD_FAILURE() << "no error";
    } catch (const std::exception& error) {
      EXPECT_EQ(std::string(error.what()), c.error);
    }
    EXPECT_EQ(project.TargetGame.Path(1).StartText.Text, u"<Empty>2");
  }
}

TEST_F(MessageTable, EmptyReferenceToABlankQuestionStoresTheDeletedText) {
  AddPaths(project.SourceGame, {{1, u"<Empty>2"}, {2, u"", u"Answer"}});
  Open();
  const int32_t before = project.TargetCount;
  project.ResolveEmptyReferences();
  EXPECT_EQ(project.TargetGame.Path(1).StartText.Text, project.DeletedMessageText());
  project.RebuildMessageTable();
  EXPECT_EQ(project.TargetCount, before);
  EXPECT_EQ(project.SourceCount, project.TargetCount);
}

// Whatever the user or a file leaves blank becomes the deleted-message text, never an empty text
// that would drop the message; anything with a visible unit is stored exactly as given.
TEST_F(MessageTable, StoreTranslationKeepsEveryMessageInTheList) {
  const std::u16string deleted = Catalogue().Par_Get(u"MessageDeletedMSG");
  const struct {
    const char* name;
    std::u16string text;
    bool blank;
  } cases[] = {
      {"empty", u"", true},
      {"spaces and line breaks", u" \r\n\t ", true},
      {"control units", u"\x01\x1F", true},
      {"no-break space", u"\u00A0", false},
      {"padded word", u"  Idti?  ", false},
  };
  AddPaths(project.SourceGame, {{7, u"Go?"}, {7, u"Go?"}, {8, u"Stay?"}});
  Open();
  const int32_t first = Message(u"Path(101).Start");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(project.TranslationToStore(c.text), c.blank ? deleted : c.text);
    project.StoreTranslation(first, c.text);
    EXPECT_EQ(project.GetTargetText(first), c.blank ? deleted : c.text);
    // The linked duplicate follows, as with SetTargetText.
    EXPECT_EQ(project.GetTargetText(Message(u"Path(102).Start")), project.GetTargetText(first));
    project.RebuildMessageTable();
    EXPECT_EQ(project.TargetCount, project.SourceCount);
  }
}

// A resolved reference can make two questions equal: Relink folds them at once.
TEST_F(MessageTable, RelinkResolvesReferencesThenFoldsTheNewDuplicates) {
  AddPaths(project.SourceGame, {{7, u"Go?"}, {7, u"<Empty>1"}});
  Open();
  ASSERT_EQ(project.PositionCount, 2);
  project.Relink();
  EXPECT_EQ(project.TargetGame.Path(2).StartText.Text, u"Go?");
  EXPECT_EQ(project.PositionCount, 1);
  EXPECT_TRUE(project.IsLinked(Message(u"Path(102).Start")));
}

// ----- FindNotEdited -----

TEST_F(MessageTable, FindNotEditedSearchesForwardAndWraps) {
  // Five messages; `edited` marks the ones whose target differs from the source.
  struct Case {
    const char* name;
    std::vector<bool> edited;
    int32_t from;  // position
    int32_t found;
  };
  const std::vector<Case> cases = {
      {"next one", {false, false, false, false, false}, 1, 2},
      {"skips edited", {false, true, true, false, false}, 1, 4},
      {"from the last position wraps to the first", {false, true, true, true, false}, 5, 1},
      {"from position 0 starts at the first", {false, true, true, true, true}, 0, 1},
      {"current one is examined last", {true, true, false, true, true}, 3, 3},
      {"all edited", {true, true, true, true, true}, 2, -1},
      {"position outside the table starts at the first", {true, false, true, true, true}, 9, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeBareQuest(project.SourceGame);
    for (int32_t p = 1; p <= 5; ++p)
      AddPaths(project.SourceGame, {{p, u"Question " + std::u16string(1, static_cast<char16_t>(u'0' + p))}});
    Open();
    for (int32_t n = 1; n <= 5; ++n)
      if (c.edited[static_cast<std::size_t>(n - 1)]) project.SetTargetText(n, u"translated");
    EXPECT_EQ(project.FindNotEdited(c.from), c.found);
  }
}

TEST_F(MessageTable, DeletedTextCountsAsNotEditedAndLinkedMessagesAreSkipped) {
  AddPaths(project.SourceGame, {{1, u"A"}, {2, u"B"}, {2, u"B"}, {3, u"C"}});
  Open();
  ASSERT_EQ(project.PositionCount, 3);
  project.SetTargetText(1, u"a");
  project.SetTargetText(4, project.DeletedMessageText());
  project.SetTargetText(2, u"b");  // message 3 follows it
  EXPECT_TRUE(project.IsNotEdited(4));
  EXPECT_FALSE(project.IsNotEdited(3));
  // From position 1 (message 1): message 2 edited, 3 linked, 4 deleted: position 3.
  EXPECT_EQ(project.FindNotEdited(1), 3);
  // A linked message equal to its source is still never chosen.
  project.SetTargetText(4, u"c");
  project.TargetGame.Path(3).StartText.Text = u"B";
  EXPECT_EQ(project.FindNotEdited(1), -1);
}

}  // namespace
