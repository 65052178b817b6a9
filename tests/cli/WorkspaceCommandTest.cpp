// xgtool over several projects: stats of a folder, find and check over files and folders, each
// against the same command run on one project at a time.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/ToolRunner.h"
#include "support/BlockFile.h"

namespace {

using clitest::ReadWhole;
using clitest::ToolResult;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

// Each line of `out` after `prefix`.
std::string Prefixed(const std::string& prefix, const std::string& out) {
  std::istringstream lines(out);
  std::string result;
  for (std::string line; std::getline(lines, line);) result += prefix + line + '\n';
  return result;
}

// A game of three projects of the sample quest with different review flags, and one cut short.
class WorkspaceCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder.File("game/chapter2/extra"));
    for (const std::string& project : {a, b, c}) ASSERT_EQ(RunTool({"new", clitest::SampleQuest, project}).exitCode, 0);
    ASSERT_EQ(RunTool({"review", b, "1", "2", "3"}).exitCode, 0);
    ASSERT_EQ(RunTool({"review", c, "5"}).exitCode, 0);
    folder.Write("game/notes.txt", std::string("not a project"));
    folder.Write("game/chapter2/broken.txg", ReadWhole(a).substr(0, 5000));
  }

  ScratchFolder folder;
  const std::string game = folder.File("game"), chapter2 = folder.File("game/chapter2");
  const std::string a = folder.File("game/a.txg"), b = folder.File("game/chapter2/b.txg");
  const std::string c = folder.File("game/chapter2/extra/c.txg"), broken = folder.File("game/chapter2/broken.txg");
  const std::string brokenError = "xgtool: " + broken + ": Read beyond end of file (at byte ";
};

TEST_F(WorkspaceCommand, StatsOfAFolderIsALineForEachProjectThenTheTotal) {
  std::string expected;
  for (const std::string& project : {a, b, c}) {
    std::string out = RunTool({"stats", project}).out;
    for (const char* name : {"positions: ", "\ntranslated: ", "\nuntranslated: ", "\nreview: "})
      out.replace(out.find(name), std::string(name).size(), "\t");
    expected += project + out;
  }
  EXPECT_EQ(expected, a + "\t76\t0\t76\t0\n" + b + "\t76\t0\t76\t3\n" + c + "\t76\t0\t76\t1\n");
  expected += "total\t228\t0\t228\t4\n";
  // The damaged project: its error on stderr, the others' lines and their total all the same.
  const ToolResult result = RunTool({"stats", game + "/"});  // the paths are "game/a.txg" all the same
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(result.out, expected);
  EXPECT_EQ(result.err.rfind(brokenError, 0), 0u) << result.err;
  EXPECT_EQ(result.err.find('\n'), result.err.size() - 1);
  std::filesystem::remove(broken);
  EXPECT_EQ(RunTool({"stats", game}).exitCode, 0);
  std::filesystem::create_directory(folder.File("none"));
  EXPECT_EQ(RunTool({"stats", folder.File("none")}).out, "total\t0\t0\t0\t0\n");
}

TEST_F(WorkspaceCommand, FindAndCheckNameTheFileOfEachLineWhenThereAreSeveralProjects) {
  struct Case {
    std::vector<std::string> command, operands;
    std::vector<std::string> projects;  // what the operands stand for; one: its output as it is
    int exitCode;
    std::string errStart;
  };
  const std::string twice = " needs one project file or more, each once: ";
  const std::vector<Case> cases = {
      {{"find", "Вернуться"}, {a}, {a}, 0, ""},
      {{"find", "Вернуться"}, {b, a}, {b, a}, 0, ""},
      {{"find", "--target", "RU "}, {a, b}, {a, b}, 1, ""},
      {{"find", "Вернуться"}, {folder.File("game/chapter2/extra")}, {c}, 0, ""},
      {{"find", "Вернуться"}, {a, folder.File("game/chapter2/extra")}, {a, c}, 0, ""},
      // The damaged project is told, the others still searched; the exit code says it.
      {{"find", "Вернуться"}, {game}, {a, b, c}, 3, brokenError},
      {{"find", "Вернуться"}, {chapter2, c}, {}, 2, "xgtool: find" + twice},
      {{"check"}, {c}, {c}, 1, ""},
      {{"check"}, {a, c}, {a, c}, 1, ""},
      {{"check"}, {chapter2}, {b, c}, 3, brokenError},
      {{"check", "--report", folder.File("r.csv")}, {a, c}, {}, 2, "xgtool: check --report needs one project file"},
  };
  for (const Case& t : cases) {
    std::vector<std::string> args = t.command;
    args.insert(args.end(), t.operands.begin(), t.operands.end());
    SCOPED_TRACE(testing::PrintToString(args));
    const ToolResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, t.exitCode);
    EXPECT_EQ(result.err.rfind(t.errStart, 0), 0u) << result.err;
    std::string expected;
    for (const std::string& project : t.projects) {
      std::vector<std::string> alone = t.command;
      alone.push_back(project);
      const std::string out = RunTool(alone).out;
      expected += t.projects.size() == 1 ? out : Prefixed(project + '\t', out);
    }
    EXPECT_EQ(result.out, expected);
    // Not two empty outputs agreeing: only a usage error and a find without a match print nothing.
    EXPECT_EQ(result.out.empty(), t.projects.empty() || (t.command[0] == "find" && t.exitCode == 1));
  }
}

// Several projects are one workspace: a source another project translates otherwise gets a line
// "inconsistent" naming that project and its translation; the other lines are those of each alone.
TEST_F(WorkspaceCommand, CheckOfSeveralProjectsAddsTheInconsistentTranslations) {
  const std::string exchange = folder.File("in.txt");
  const std::vector<std::pair<std::string, std::u16string>> translations = {
      {a, u"<Begin GovMsgSuccess>\r\nPaid.\r\n<End>\r\n<Begin Par(1).Format(1)>\r\nFuel: <>\r\n<End>\r\n"},
      // the same as a's but for the blanks at the ends
      {b, u"<Begin GovMsgSuccess>\r\nPaid!\r\n<End>\r\n<Begin Par(1).Format(1)>\r\n Fuel: <> \r\n<End>\r\n"},
      {c, u"<Begin Par(1).Format(1)>\r\nFuel left: <>\r\n<End>\r\n"},
  };
  for (const auto& [project, text] : translations) {
    TBlockFileWriter file(exchange);
    file.WriteByte(0xFF);
    file.WriteByte(0xFE);
    file.WriteUnits(text);
    file.Commit();
    ASSERT_LE(RunTool({"import-messages", project, exchange}).exitCode, 1);
  }
  const std::string gov = "\t2\tGovMsgSuccess\tinconsistent\t", fuel = "\t9\tPar(1).Format(1)\tinconsistent\t";
  const std::vector<std::string> inconsistent = {
      a + gov + b + ": Paid!",          a + fuel + c + ": Fuel left: <>", b + gov + a + ": Paid.",
      b + fuel + c + ": Fuel left: <>", c + fuel + a + ": Fuel: <>",      c + fuel + b + ": Fuel: <>",
  };
  struct Case {
    std::vector<std::string> operands, projects;
    int exitCode;
    std::vector<std::string> inconsistent;
  };
  const std::vector<Case> cases = {
      {{game}, {a, b, c}, 3, inconsistent},
      {{a, b}, {a, b}, 1, {a + gov + b + ": Paid!", b + gov + a + ": Paid."}},
      {{b}, {b}, 1, {}},
  };
  for (const Case& t : cases) {
    std::vector<std::string> args = {"check"};
    args.insert(args.end(), t.operands.begin(), t.operands.end());
    SCOPED_TRACE(testing::PrintToString(args));
    const ToolResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, t.exitCode);
    // The damaged project is told once: the index passes it over silently.
    EXPECT_EQ(result.err.find('\n'), t.exitCode != 3 ? std::string::npos : result.err.size() - 1) << result.err;
    std::string expected;
    for (const std::string& project : t.projects) {
      const std::string out = RunTool({"check", project}).out;
      expected += t.projects.size() == 1 ? out : Prefixed(project + '\t', out);
    }
    std::vector<std::string> found;
    std::string others;
    for (const std::string& line : result.Lines()) {
      if (line.find("\tinconsistent\t") != std::string::npos)
        found.push_back(line);
      else
        others += line + '\n';
    }
    EXPECT_EQ(found, t.inconsistent);
    EXPECT_EQ(others, expected);
  }
}

}  // namespace
