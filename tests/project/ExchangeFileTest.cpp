// The exchange file: what SaveMessages writes, what LoadMessages stores and reports, tags.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "common/FullQuest.h"
#include "project/ExchangeFormat.h"
#include "support/JD_Str.h"

using namespace projecttest;

namespace {

std::vector<std::u16string> ToVector(const TStringsJD& list) {
  std::vector<std::u16string> result;
  for (const TStringsElJD* element = list.First(); element != nullptr; element = element->Next)
    result.push_back(element->Text);
  return result;
}

void Fill(TStringsJD& list, const std::vector<std::u16string>& texts) {
  for (const std::u16string& text : texts) list.Add(text);
}

std::u16string Record(const std::u16string& ids, const std::u16string& body) {
  return u"<Begin " + ids + u">\r\n" + body + u"\r\n<End>\r\n\r\n";
}

class ExchangeFile : public ::testing::Test {
 protected:
  ExchangeFile() : project(Catalogue()) {}
  void SetUp() override { MakeBareQuest(project.SourceGame); }
  // Messages: 1 Path(101).Start, 2 Path(101).End, 3 Path(102).Start, 4 Path(102).End,
  // 5 Path(103).Start.
  void OpenThreePaths() {
    AddPaths(project.SourceGame,
             {{1, u"Take <b>it</b>?", u"Taken <i>now</i>."}, {2, u"Leave?", u"Left."}, {3, u"Stay?"}});
    OpenFromSource(project);
    ASSERT_EQ(project.TargetCount, 5);
  }
  std::u16string Import(const std::u16string& text) {
    WriteExchangeFile(folder.File("in.txt"), text);
    std::u16string report;
    project.LoadMessages(folder.File("in.txt"), report);
    return report;
  }
  std::u16string Target(const std::u16string& id) { return project.GetTargetText(project.FindTargetId(id)); }
  ScratchFolder folder;
  TtxgProject project;
};

TEST_F(ExchangeFile, EqualTextsUpToBlanksShareOneRecordAtTheFirstMessage) {
  AddPaths(project.SourceGame, {{1, u" Go?"}, {2, u"Done", u"Go?\r\n"}, {3, u"Go?"}});
  OpenFromSource(project);
  project.SaveMessages(folder.File("out.txt"));
  EXPECT_EQ(ReadExchangeText(folder.File("out.txt")),
            u"<Begin Path(101).Start Path(102).End Path(103).Start>\r\n Go?\r\n<End>\r\n\r\n"
            u"<Begin Path(102).Start>\r\nDone\r\n<End>\r\n\r\n");
}

TEST_F(ExchangeFile, ProjectWithoutMessagesWritesTheMarkOnly) {
  OpenFromSource(project);
  project.SaveMessages(folder.File("out.txt"));
  EXPECT_EQ(ReadBytes(folder.File("out.txt")), (std::vector<uint8_t>{0xFF, 0xFE}));
}

TEST_F(ExchangeFile, ImportingARecordSetsEveryIdOfIt) {
  AddPaths(project.SourceGame, {{1, u"Go?", u"Yes"}, {2, u"Go? "}});
  OpenFromSource(project);
  EXPECT_EQ(Import(Record(u"Path(101).Start Path(102).Start", u"Idti?") + Record(u"Path(101).End", u"Da")), u"");
  EXPECT_EQ(Target(u"Path(101).Start"), u"Idti?");
  EXPECT_EQ(Target(u"Path(102).Start"), u"Idti?");
  EXPECT_EQ(Target(u"Path(101).End"), u"Da");
}

TEST_F(ExchangeFile, ReportListsEveryProblemInTheOrderMet) {
  OpenThreePaths();
  const std::u16string report = Import(Record(u"Path(999).Start Path(101).Start", u"Nimm <b>es</b>?") +
                                       Record(u"Path(101).End", u"Genommen <i>jetzt.") +
                                       u"ignored text between records " + Record(u"Path(102).Start", u"Gehen <u>?"));
  EXPECT_EQ(report,
            u"Unknown id: Path(999).Start\r\n"
            u"DifTag in Path(101).End:  </i>\r\n"
            u"DifTag in Path(102).Start:  <u>\r\n"
            u"Not found id:Path(102).EndNot found id:Path(103).Start");
  EXPECT_EQ(Target(u"Path(101).Start"), u"Nimm <b>es</b>?");
  EXPECT_EQ(Target(u"Path(101).End"), u"Genommen <i>jetzt.");
  EXPECT_EQ(Target(u"Path(102).Start"), u"Gehen <u>?");
  EXPECT_EQ(Target(u"Path(102).End"), u"Left.");
}

TEST_F(ExchangeFile, TagsAreCheckedForTheFirstIdOfARecordOnly) {
  OpenThreePaths();
  struct Case {
    const char* name;
    std::u16string ids;
    std::u16string body;
    std::u16string report;
  };
  const std::vector<Case> cases = {
      {"same tags in another order", u"Path(101).Start", u"</b>Nimm<b>?", u""},
      {"tags on both sides", u"Path(101).Start", u"Nimm <b>es<c>?", u"DifTag in Path(101).Start:  </b> <c>\r\n"},
      {"second id not checked", u"Path(102).Start Path(101).Start", u"Nimm?", u""},
      {"piece 0 empty: nothing checked", u" Path(101).Start", u"Nimm?", u""},
      {"stray bracket", u"Path(102).Start", u"Gehen -> ja", u"DifTag in Path(102).Start:  Gehen ->\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string all;
    for (const char16_t* id :
         {u"Path(101).Start", u"Path(101).End", u"Path(102).Start", u"Path(102).End", u"Path(103).Start"})
      all += Record(id, project.GetSourceText(project.FindSourceId(id)));
    EXPECT_EQ(Import(all + Record(c.ids, c.body)), c.report);
  }
}

TEST_F(ExchangeFile, DifferentNumberingIsReportedAndStillStored) {
  AddPaths(project.SourceGame, {{1, u"A?"}, {2, u"B?", u"b"}});
  OpenFromSource(project);
  // The target gains an answer the source lacks: every later target id moves up by one.
  project.TargetGame.Path(1).EndText.Text = u"extra";
  project.RebuildMessageTable();
  ASSERT_EQ(project.FindSourceId(u"Path(102).Start"), 2);
  ASSERT_EQ(project.FindTargetId(u"Path(102).Start"), 3);
  const std::u16string report = Import(Record(u"Path(101).Start", u"A!") + Record(u"Path(102).Start", u"<x>B!") +
                                       Record(u"Path(101).End", u"E!") + Record(u"Path(102).End", u"b!"));
  // No tag check after a numbering difference.
  EXPECT_EQ(report,
            u"Different sou and des quest. id: Path(102).Start\r\n"
            u"Different sou and des quest. id: Path(101).End\r\n"
            u"Different sou and des quest. id: Path(102).End\r\n");
  EXPECT_EQ(Target(u"Path(102).Start"), u"<x>B!");
  EXPECT_EQ(Target(u"Path(101).End"), u"E!");
}

TEST_F(ExchangeFile, TheLastRecordOfAnIdWins) {
  OpenThreePaths();
  Import(Record(u"Path(103).Start", u"first") + Record(u"Path(103).Start", u"second"));
  EXPECT_EQ(Target(u"Path(103).Start"), u"second");
}

TEST_F(ExchangeFile, BrokenHeaderSwallowsTheRestOfTheFile) {
  OpenThreePaths();
  const std::u16string report = Import(Record(u"Path(101).Start", u"A <b></b>") +
                                       u"<Begin Path(101).End>\nB\r\n<End>\r\n\r\n" + Record(u"Path(102).Start", u"C"));
  EXPECT_EQ(
      report,
      u"Unknown id: Path(101).End>\nB\r\n<End\r\n"
      u"Not found id:Path(101).EndNot found id:Path(102).StartNot found id:Path(102).EndNot found id:Path(103).Start");
  EXPECT_EQ(Target(u"Path(101).Start"), u"A <b></b>");
  EXPECT_EQ(Target(u"Path(102).Start"), u"Leave?");
}

TEST_F(ExchangeFile, RecordWithoutEndIsAbsent) {
  OpenThreePaths();
  const std::u16string report =
      Import(Record(u"Path(101).Start", u"A <b></b>") + u"<Begin Path(101).End>\r\nB\r\n<Fin>");
  EXPECT_EQ(
      report,
      u"Not found id:Path(101).EndNot found id:Path(102).StartNot found id:Path(102).EndNot found id:Path(103).Start");
  EXPECT_EQ(Target(u"Path(101).End"), u"Taken <i>now</i>.");
}

TEST_F(ExchangeFile, BlankBodiesStoreTheDeletedTextAndKeepNumberingAligned) {
  OpenThreePaths();
  const std::u16string report = Import(Record(u"Path(101).Start", u"") + Record(u"Path(102).End", u" \t\r\n ") +
                                       Record(u"Path(103).Start", u"\x01"));
  EXPECT_EQ(project.TargetCount, 5);
  EXPECT_EQ(project.SourceCount, project.TargetCount);
  for (const char16_t* id : {u"Path(101).Start", u"Path(102).End", u"Path(103).Start"})
    EXPECT_EQ(Target(id), project.DeletedMessageText()) << WideToAnsi(id);
  EXPECT_EQ(report, u"DifTag in Path(101).Start:  <b> </b>\r\nNot found id:Path(101).EndNot found id:Path(102).Start");
  // A deleted message counts as not edited.
  EXPECT_EQ(project.FindNotEdited(0), 1);
}

TEST_F(ExchangeFile, FileThatIsNotUnicodeIsRejectedAndNothingChanges) {
  OpenThreePaths();
  const std::vector<std::vector<uint8_t>> files = {
      {},
      {0xFF, 0xFE},
      {0xFF, 0xFE, 0x41},
      {0xFF, 0xFE, 0x41, 0x00, 0x42},
      {0xFE, 0xFF, 0x00, 0x41},
      {0xFF, 0xFF, 0x41, 0x00},
      {0x41, 0x00, 0x42, 0x00},
  };
  for (const std::vector<uint8_t>& bytes : files) {
    SCOPED_TRACE(bytes.size());
    WriteBytes(folder.File("bad.txt"), bytes);
    std::u16string report = u"kept";
    try {
      project.LoadMessages(folder.File("bad.txt"), report);
      ADD_FAILURE() << "accepted";
    } catch (const ENotUnicodeText& error) {
      EXPECT_EQ(std::string(error.what()), "Error. This is not a Unicode Text Document");
    }
    EXPECT_EQ(report, u"kept");
    EXPECT_EQ(Target(u"Path(101).Start"), u"Take <b>it</b>?");
  }
}

TEST_F(ExchangeFile, MarkAndOneUnitIsAnEmptyFile) {
  OpenThreePaths();
  WriteBytes(folder.File("small.txt"), {0xFF, 0xFE, 0x41, 0x00});
  std::u16string report = u"from an earlier import";
  project.LoadMessages(folder.File("small.txt"), report);
  EXPECT_EQ(report,
            u"Not found id:Path(101).StartNot found id:Path(101).EndNot found id:Path(102).Start"
            u"Not found id:Path(102).EndNot found id:Path(103).Start");
}

TEST_F(ExchangeFile, MissingFileIsAnInputOutputError) {
  OpenThreePaths();
  std::u16string report;
  try {
    project.LoadMessages(folder.File("absent.txt"), report);
    ADD_FAILURE() << "loaded";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode, IoFileNotFound);
  }
}

TEST(ExchangeTags, ExtractTags) {
  struct Case {
    std::u16string text;
    std::vector<std::u16string> tags;
  };
  const std::vector<Case> cases = {
      {u"", {}},
      {u"plain text", {}},
      {u"a <b> c <d>", {u"<b>", u"<d>"}},
      {u"<>", {u"<>"}},
      {u"x > y", {u"x >"}},
      {u">y", {}},  // a stray bracket at the very start does not count
      {u"<a> tail> more", {u"<a>", u" tail>"}},
      {u"<a> <open", {u"<a>", u"<open"}},
      {u"<a<b> c", {u"<a<b>"}},
      {u"<Money> кредитов", {u"<Money>"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToAnsi(c.text));
    TStringsJD tags;
    TtxgProject::ExtractTags(c.text, tags);
    EXPECT_EQ(ToVector(tags), c.tags);
  }
}

TEST(ExchangeTags, RemoveCommonTagsLeavesTheDifferenceInEachDirection) {
  struct Case {
    std::vector<std::u16string> a, b, restA, restB;
  };
  const std::vector<Case> cases = {
      {{u"<a>", u"<b>", u"<a>"}, {u"<a>", u"<c>"}, {u"<b>", u"<a>"}, {u"<c>"}},
      {{u"<a>", u"<a>"}, {u"<a>", u"<a>", u"<a>"}, {}, {u"<a>"}},
      {{u"<x>", u"<y>"}, {u"<y>", u"<x>"}, {}, {}},
      {{u"<x>"}, {u"<X>"}, {u"<x>"}, {u"<X>"}},
      {{}, {u"<b>"}, {}, {u"<b>"}},
  };
  for (const Case& c : cases) {
    TStringsJD a, b;
    Fill(a, c.a);
    Fill(b, c.b);
    TtxgProject::RemoveCommonTags(a, b);
    EXPECT_EQ(ToVector(a), c.restA);
    EXPECT_EQ(ToVector(b), c.restB);
  }
}

TEST(ExchangeTags, TagDifferenceNamesWhatEachSideLacks) {
  struct Case {
    std::u16string source, translation, difference;
  };
  const std::vector<Case> cases = {
      {u"no tags", u"нет", u""},
      {u"<a> and <b>", u"<b> then <a>", u""},  // order does not matter
      {u"<a> <b> <a>", u"<a> <c>", u" <b> <a> <c>"},
      {u"<a>", u"<a> <a>", u" <a>"},  // repetitions count
      {u"<x>", u"<X>", u" <x> <X>"},  // case counts
      {u"x > y", u"y", u" x >"},      // the stray-bracket tag keeps the text before it
      {u"<open", u"", u" <open"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToAnsi(c.source + u" | " + c.translation));
    EXPECT_EQ(TagDifference(c.source, c.translation), c.difference);
  }
}

// ----- the whole road on the sample quest -----

TEST_F(ExchangeFile, ExportTranslateImportOnTheSampleQuest) {
  project.NewFromSource(SampleQuest());
  project.Relink();
  project.SaveMessages(folder.File("out.txt"));

  // The translator puts a mark before every body and keeps the tags.
  std::u16string text = ReadExchangeText(folder.File("out.txt"));
  std::u16string translated;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t header = text.find(u">\r\n", pos);
    if (header == std::u16string::npos) break;
    translated += text.substr(pos, header + 3 - pos) + u"RU ";
    pos = header + 3;
    const std::size_t end = text.find(u"\r\n<End>\r\n\r\n", pos);
    ASSERT_NE(end, std::u16string::npos);
    translated += text.substr(pos, end + 11 - pos);
    pos = end + 11;
  }
  ASSERT_EQ(pos, text.size());
  WriteExchangeFile(folder.File("in.txt"), translated);

  std::u16string report;
  project.LoadMessages(folder.File("in.txt"), report);
  EXPECT_EQ(report, u"");
  ASSERT_EQ(project.SourceCount, project.TargetCount);
  for (int32_t n = 1; n <= project.TargetCount; ++n) {
    // Messages sharing a record get the body of its first message.
    int32_t first = 1;
    while (TrimJD(project.GetSourceText(first)) != TrimJD(project.GetSourceText(n))) ++first;
    ASSERT_EQ(project.GetTargetText(n), u"RU " + project.GetSourceText(first)) << n;
  }
  EXPECT_EQ(project.FindNotEdited(0), -1);

  // The exported translation is a quest whose messages are the translated texts.
  project.TargetGame.SaveToFile(folder.File("target.xg"));
  TGame quest(Catalogue());
  quest.LoadFromFile(folder.File("target.xg"));
  const TMessageList messages = quest.Messages();
  ASSERT_EQ(messages.Count, project.TargetCount);
  for (int32_t n = 1; n <= messages.Count; ++n) {
    const auto i = static_cast<std::size_t>(n);
    EXPECT_EQ(messages.Ids[i], project.TargetIds[i]);
    EXPECT_EQ(messages.Texts[i]->Text, TrimQuestText(project.GetTargetText(n)));
  }
}

// The largest quest: far more messages than the old fixed table held, all path questions folded.
TEST_F(ExchangeFile, FullCapacityQuestTravelsThroughTheExchangeFile) {
  FullQuestOptions options;
  options.AllPathQuestionsEqual = true;
  BuildFullQuest(project.SourceGame, options);
  OpenFromSource(project);
  ASSERT_EQ(project.SourceCount, FullQuestMessageCount);
  ASSERT_EQ(project.TargetCount, FullQuestMessageCount);
  EXPECT_EQ(project.PositionCount, FullQuestMessageCount - (MaxPaths - 1));
  project.SaveMessages(folder.File("full.txt"));
  std::u16string report;
  project.LoadMessages(folder.File("full.txt"), report);
  EXPECT_EQ(report, u"");
  EXPECT_EQ(project.TargetCount, FullQuestMessageCount);
  EXPECT_EQ(project.FindNotEdited(project.PositionCount), 1);
}

}  // namespace
