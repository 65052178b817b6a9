// xgtool on translation projects: the whole road of a translation from the command line, the
// import report and its exit code, and the failures scripts rely on.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "quest/GameContent.h"
#include "support/BlockFile.h"
#include "support/JD_BlockPar.h"
#include "support/JD_Str.h"

namespace {

using clitest::ReadWhole;
using clitest::ToolResult;

const std::string Catalogue = clitest::ShippedCatalogue;
const std::string Sample = clitest::SampleQuest;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

std::u16string ReadExchange(const std::string& fileName) {
  TBlockFileReader file(fileName);
  file.ReadByte();
  file.ReadByte();
  return file.ReadUnits(static_cast<int32_t>(file.BytesLeft() / 2));
}

void WriteExchange(const std::string& fileName, const std::u16string& text) {
  TBlockFileWriter file(fileName);
  file.WriteByte(0xFF);
  file.WriteByte(0xFE);
  file.WriteUnits(text);
  file.Commit();
}

// Lines of `xgtool messages`: the text column of each.
std::vector<std::string> TextColumn(const std::string& listing) {
  std::vector<std::string> texts;
  std::istringstream lines(listing);
  std::string line;
  while (std::getline(lines, line))
    texts.push_back(line.substr(line.find('\t', line.find('\t', line.find('\t') + 1) + 1) + 1));
  return texts;
}

std::string Line(const std::string& text, const std::string& start) {
  const std::size_t at = text.find(start);
  return at == std::string::npos ? std::string() : text.substr(at, text.find('\n', at) - at);
}

TEST(ProjectCommand, WholeRoadOfATranslation) {
  ScratchFolder folder;
  const std::string project = folder.File("sample.txg");
  ASSERT_EQ(RunTool({"new", Sample, project}).exitCode, 0);

  ToolResult info = RunTool({"info", project});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  const std::string messages = Line(info.out, "Source messages: ").substr(17);
  EXPECT_EQ(Line(info.out, "Target messages: "), "Target messages: " + messages);
  EXPECT_EQ(Line(info.out, "Current message: "), "Current message: 1 (position 1)");
  const std::string positions = Line(info.out, "Positions: ").substr(11);
  EXPECT_EQ(Line(info.out, "Not edited: "), "Not edited: " + positions);

  const std::string before = ReadWhole(project);
  ASSERT_EQ(RunTool({"export-messages", project, folder.File("out.txt")}).exitCode, 0);
  EXPECT_EQ(ReadWhole(project), before) << "export changed the project";

  // The translator marks every body.
  const std::u16string exported = ReadExchange(folder.File("out.txt"));
  std::u16string translated = exported;
  for (std::size_t at = translated.find(u"<Begin "); at != std::u16string::npos;
       at = translated.find(u"<Begin ", at + 1))
    translated.insert(translated.find(u">\r\n", at) + 3, u"RU ");
  WriteExchange(folder.File("in.txt"), translated);
  ToolResult import = RunTool({"import-messages", project, folder.File("in.txt")});
  EXPECT_EQ(import.exitCode, 0) << import.out << import.err;
  EXPECT_EQ(import.out, "");

  ToolResult target = RunTool({"messages", project});
  ToolResult source = RunTool({"messages", "--source", project});
  ASSERT_EQ(target.exitCode, 0);
  ASSERT_EQ(source.exitCode, 0);
  const std::vector<std::string> targetTexts = TextColumn(target.out);
  const std::vector<std::string> sourceTexts = TextColumn(source.out);
  ASSERT_EQ(targetTexts.size(), std::stoul(messages));
  ASSERT_EQ(sourceTexts.size(), targetTexts.size());
  for (std::size_t i = 0; i < targetTexts.size(); ++i) {
    EXPECT_EQ(targetTexts[i].rfind("RU ", 0), 0u) << targetTexts[i];
    EXPECT_NE(sourceTexts[i].rfind("RU ", 0), 0u) << sourceTexts[i];
  }
  EXPECT_EQ(Line(RunTool({"info", project}).out, "Not edited: "), "Not edited: 0");

  // The exported quests: the target carries the translation, the source is the sample saved anew.
  ASSERT_EQ(RunTool({"export-target", project, folder.File("target.xg")}).exitCode, 0);
  ASSERT_EQ(RunTool({"export-source", project, folder.File("source.xg")}).exitCode, 0);
  ToolResult exportedTarget = RunTool({"messages", folder.File("target.xg")});
  EXPECT_EQ(TextColumn(exportedTarget.out), targetTexts);
  ASSERT_EQ(RunTool({"convert", Sample, folder.File("converted.xg")}).exitCode, 0);
  EXPECT_EQ(ReadWhole(folder.File("source.xg")), ReadWhole(folder.File("converted.xg")));
}

TEST(ProjectCommand, ImportWithProblemsPrintsTheReportAndExitsWithOne) {
  ScratchFolder folder;
  const std::string project = folder.File("p.txg");
  ASSERT_EQ(RunTool({"new", Sample, project}).exitCode, 0);
  WriteExchange(folder.File("in.txt"), u"<Begin Nowhere(1).Start GovMsg>\r\nМиссия\r\n<End>\r\n");
  ToolResult import = RunTool({"import-messages", project, folder.File("in.txt")});
  EXPECT_EQ(import.exitCode, 1);
  EXPECT_EQ(import.out.rfind("Unknown id: Nowhere(1).Start\r\nNot found id:GovMsgSuccessNot found id:", 0), 0u)
      << import.out;
  // The import is saved all the same.
  EXPECT_EQ(TextColumn(RunTool({"messages", project}).out).at(0), "Миссия");
}

TEST(ProjectCommand, FileThatIsNotUnicodeLeavesTheProjectUntouched) {
  ScratchFolder folder;
  const std::string project = folder.File("p.txg");
  ASSERT_EQ(RunTool({"new", Sample, project}).exitCode, 0);
  const std::string before = ReadWhole(project);
  std::ofstream(folder.File("plain.txt")) << "<Begin GovMsg>\r\nplain\r\n<End>\r\n";
  ToolResult import = RunTool({"import-messages", project, folder.File("plain.txt")});
  EXPECT_EQ(import.exitCode, 3);
  EXPECT_EQ(import.err, "xgtool: " + folder.File("plain.txt") + ": Error. This is not a Unicode Text Document\n");
  EXPECT_EQ(import.out, "");
  EXPECT_EQ(ReadWhole(project), before);
}

TEST(ProjectCommand, UsageAndFileErrors) {
  ScratchFolder folder;
  const std::string project = folder.File("p.txg");
  ASSERT_EQ(RunTool({"new", Sample, project}).exitCode, 0);
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string err;  // the start of stderr
  };
  const std::vector<Case> cases = {
      {{"new", Sample}, 2, "xgtool: new needs"},
      {{"messages", "--source", project, project}, 2, "xgtool: messages needs"},
      {{"info", project, project}, 2, "xgtool: info needs"},
      {{"export-messages", project}, 2, "xgtool: export-messages needs"},
      {{"import-messages", project}, 2, "xgtool: import-messages needs"},
      {{"export-target", project}, 2, "xgtool: export-target needs"},
      {{"export-source"}, 2, "xgtool: export-source needs"},
      {{"info", folder.File("absent.txg")}, 3, "xgtool: " + folder.File("absent.txg") + ": File not found\n"},
      {{"new", folder.File("absent.xg"), folder.File("new.txg")},
       3,
       "xgtool: " + folder.File("absent.xg") + ": File not found\n"},
      {{"import-messages", project, folder.File("absent.txt")},
       3,
       "xgtool: " + folder.File("absent.txt") + ": File not found\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + std::to_string(c.args.size()));
    ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.err.rfind(c.err, 0), 0u) << result.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("new.txg")));
}

}  // namespace
