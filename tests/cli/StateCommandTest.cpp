// xgtool on message states: stats, the counts of info, review and note, and the warning for a
// damaged block of states.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "support/BlockFile.h"

namespace {

using clitest::ReadWhole;
using clitest::ToolResult;

const std::string Sample = clitest::SampleQuest;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

std::string Line(const std::string& text, const std::string& start) {
  const std::size_t at = text.find(start);
  return at == std::string::npos ? std::string() : text.substr(at, text.find('\n', at) - at);
}

std::string Stats(int positions, int translated, int review) {
  return "positions: " + std::to_string(positions) + "\ntranslated: " + std::to_string(translated) +
         "\nuntranslated: " + std::to_string(positions - translated) + "\nreview: " + std::to_string(review) + "\n";
}

class StateCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunTool({"new", Sample, project}).exitCode, 0);
    positions = std::stoi(Line(RunTool({"info", project}).out, "Positions: ").substr(11));
  }
  void ExpectStats(int translated, int review) {
    ToolResult stats = RunTool({"stats", project});
    EXPECT_EQ(stats.exitCode, 0) << stats.err;
    EXPECT_EQ(stats.out, Stats(positions, translated, review));
    EXPECT_EQ(stats.err, "");
  }
  ScratchFolder folder;
  const std::string project = folder.File("p.txg");
  int positions = 0;
};

TEST_F(StateCommand, ReviewNoteAndTheCounts) {
  ExpectStats(0, 0);
  struct Step {
    std::vector<std::string> args;
    int review, notes;
  };
  const std::vector<Step> steps = {
      {{"review", project, "1", "2", "5"}, 3, 0},
      {{"review", project, "2", "--off"}, 2, 0},
      {{"review", project, "--off", "3"}, 2, 0},  // clearing a clear flag
      {{"review", project, "1"}, 2, 0},           // flagging a flagged one
      {{"note", project, "4", "Проверить\nформу"}, 2, 1},
      {{"note", project, "6", "x"}, 2, 2},
      {{"note", project, "4", ""}, 2, 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.args[0] + " " + step.args[2]);
    ToolResult result = RunTool(step.args);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");
    ExpectStats(0, step.review);
    ToolResult info = RunTool({"info", project});
    EXPECT_EQ(Line(info.out, "Needs review: "), "Needs review: " + std::to_string(step.review));
    EXPECT_EQ(Line(info.out, "Notes: "), "Notes: " + std::to_string(step.notes));
    EXPECT_EQ(Line(info.out, "Translated: "), "Translated: 0");
    EXPECT_EQ(Line(info.out, "Untranslated: "), "Untranslated: " + std::to_string(positions));
  }
}

TEST_F(StateCommand, FlagsSurviveImportAndStayOutOfTheExportedQuest) {
  ASSERT_EQ(RunTool({"export-target", project, folder.File("before.xg")}).exitCode, 0);
  ASSERT_EQ(RunTool({"review", project, "1", "2"}).exitCode, 0);
  ASSERT_EQ(RunTool({"note", project, "2", "n"}).exitCode, 0);
  // One translated record: the mission text.
  TBlockFileWriter exchange(folder.File("in.txt"));
  exchange.WriteByte(0xFF);
  exchange.WriteByte(0xFE);
  exchange.WriteUnits(u"<Begin GovMsg>\r\nМиссия\r\n<End>\r\n");
  exchange.Commit();
  EXPECT_EQ(RunTool({"import-messages", project, folder.File("in.txt")}).exitCode, 1);
  ExpectStats(1, 2);
  EXPECT_EQ(Line(RunTool({"info", project}).out, "Notes: "), "Notes: 1");

  // The exported quest is the quest alone: the same as a project without states exports.
  const std::string plain = folder.File("plain.txg");
  ASSERT_EQ(RunTool({"new", Sample, plain}).exitCode, 0);
  ASSERT_EQ(RunTool({"import-messages", plain, folder.File("in.txt")}).exitCode, 1);
  ASSERT_EQ(RunTool({"export-target", project, folder.File("flagged.xg")}).exitCode, 0);
  ASSERT_EQ(RunTool({"export-target", plain, folder.File("plain.xg")}).exitCode, 0);
  EXPECT_EQ(ReadWhole(folder.File("flagged.xg")), ReadWhole(folder.File("plain.xg")));
  EXPECT_NE(ReadWhole(folder.File("flagged.xg")), ReadWhole(folder.File("before.xg")));
}

TEST_F(StateCommand, BadNumbersChangeNothing) {
  ASSERT_EQ(RunTool({"review", project, "3"}).exitCode, 0);
  const std::string before = ReadWhole(project);
  const std::string messages = Line(RunTool({"info", project}).out, "Source messages: ").substr(17);
  const std::string range = " in the project: its messages are 1 to " + messages + "\n";
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"review", project, "1", "0"}, 3, "xgtool: There is no message 0" + range},
      {{"review", project, "2", std::to_string(std::stoi(messages) + 1)},
       3,
       "xgtool: There is no message " + std::to_string(std::stoi(messages) + 1) + range},
      {{"review", project, "-4", "--off"}, 3, "xgtool: There is no message -4" + range},
      {{"review", project, "two"}, 3, "xgtool: 'two' is not a valid integer value\n"},
      {{"note", project, "0", "text"}, 3, "xgtool: There is no message 0" + range},
      {{"note", project, "x1", "text"}, 3, "xgtool: 'x1' is not a valid integer value\n"},
      {{"review", project}, 2, "xgtool: review needs a project file and message numbers\n"},
      {{"review", project, "--off"}, 2, "xgtool: review needs"},
      {{"note", project, "1"}, 2, "xgtool: note needs a project file, a message number and a text\n"},
      {{"stats"}, 2, "xgtool: stats needs one project file\n"},
      {{"stats", folder.File("absent.txg")}, 3, "xgtool: " + folder.File("absent.txg") + ": File not found\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + (c.args.size() > 2 ? c.args[2] : ""));
    ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.err.rfind(c.err, 0), 0u) << result.err;
    EXPECT_EQ(ReadWhole(project), before);
  }
}

TEST_F(StateCommand, DamagedStatesAreReportedOnStderrAndTheCommandGoesOn) {
  ASSERT_EQ(RunTool({"review", project, "1", "2"}).exitCode, 0);
  std::string bytes = ReadWhole(project);
  bytes.resize(bytes.size() - 3);
  const std::string damaged = folder.Write("damaged.txg", std::vector<uint8_t>(bytes.begin(), bytes.end()));
  const std::string quests = ReadWhole(folder.File("damaged.txg"));

  ToolResult stats = RunTool({"stats", damaged});
  EXPECT_EQ(stats.exitCode, 0);
  EXPECT_EQ(stats.out, Stats(positions, 0, 0));
  const std::string warning = stats.err;
  EXPECT_EQ(warning.rfind("warning: The message states, notes and settings stored after the quests in the project "
                          "file were dropped: the block is cut (",
                          0),
            0u)
      << warning;
  EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1);
  EXPECT_EQ(ReadWhole(damaged), quests) << "a read rewrote the file";

  // The warning does not change a command's exit code, and a save writes what is left.
  ToolResult info = RunTool({"info", damaged});
  EXPECT_EQ(info.exitCode, 0);
  EXPECT_EQ(info.err, warning);
  ToolResult review = RunTool({"review", damaged, "1"});
  EXPECT_EQ(review.exitCode, 0);
  EXPECT_EQ(review.err, warning + "warning: the damaged project file was kept as " + damaged + ".damaged\n");
  EXPECT_EQ(ReadWhole(damaged + ".damaged"), quests);
  ToolResult again = RunTool({"stats", damaged});
  EXPECT_EQ(again.out, Stats(positions, 0, 1));
  EXPECT_EQ(again.err, "");
}

}  // namespace
