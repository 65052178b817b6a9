// xgtool over several projects: stats of a folder, find and check over files and folders, each
// against the same command run on one project at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"

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

// The four numbers of `stats FILE` as the columns of `stats DIR`.
std::vector<int> StatsOf(const std::string& out) {
  std::istringstream lines(out);
  std::vector<int> numbers;
  for (std::string line; std::getline(lines, line);) numbers.push_back(std::stoi(line.substr(line.find(": ") + 2)));
  return numbers;
}

// A game: two chapters of the sample quest in different states, and a project cut short.
class WorkspaceCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder.File("game/chapter2/extra"));
    ASSERT_EQ(RunTool({"new", clitest::SampleQuest, a}).exitCode, 0);
    ASSERT_EQ(RunTool({"new", clitest::SampleQuest, b}).exitCode, 0);
    ASSERT_EQ(RunTool({"review", b, "1", "2", "3"}).exitCode, 0);
    ASSERT_EQ(RunTool({"new", clitest::SampleQuest, c}).exitCode, 0);
    ASSERT_EQ(RunTool({"review", c, "5"}).exitCode, 0);
    // One message translated: the counts of the three differ.
    ASSERT_EQ(RunTool({"export-messages", c, folder.File("c.txt")}).exitCode, 0);
    std::string text = ReadWhole(folder.File("c.txt"));
    const std::string begin = std::string("<\0B\0e\0g\0i\0n\0 \0", 14);
    const std::size_t body = text.find(std::string(">\0\r\0\n\0", 6), text.find(begin)) + 6;
    text.insert(body, std::string("R\0U\0 \0", 6));
    folder.Write("c-in.txt", text);
    ASSERT_EQ(RunTool({"import-messages", c, folder.File("c-in.txt")}).exitCode, 0);
    folder.Write("game/notes.txt", std::string("not a project"));
  }
  void AddBroken() { folder.Write("game/chapter2/broken.txg", ReadWhole(a).substr(0, 5000)); }

  ScratchFolder folder;
  const std::string game = folder.File("game");
  const std::string a = folder.File("game/a.txg");
  const std::string b = folder.File("game/chapter2/b.txg");
  const std::string c = folder.File("game/chapter2/extra/c.txg");
  const std::string broken = folder.File("game/chapter2/broken.txg");
};

TEST_F(WorkspaceCommand, StatsOfAFolderIsALineForEachProjectAndTheTotal) {
  std::string expected;
  std::vector<int> total(4, 0);
  for (const std::string& project : {a, b, c}) {
    const ToolResult one = RunTool({"stats", project});
    ASSERT_EQ(one.exitCode, 0);
    const std::vector<int> numbers = StatsOf(one.out);
    ASSERT_EQ(numbers.size(), 4u);
    expected += project;
    for (std::size_t i = 0; i < 4; ++i) {
      expected += '\t' + std::to_string(numbers[i]);
      total[i] += numbers[i];
    }
    expected += '\n';
  }
  expected += "total\t" + std::to_string(total[0]) + '\t' + std::to_string(total[1]) + '\t' + std::to_string(total[2]) +
              '\t' + std::to_string(total[3]) + '\n';
  EXPECT_EQ(total, (std::vector<int>{3 * 76, 1, 3 * 76 - 1, 4}));

  const ToolResult whole = RunTool({"stats", game});
  EXPECT_EQ(whole.exitCode, 0);
  EXPECT_EQ(whole.out, expected);
  EXPECT_EQ(whole.err, "");
  // "game/" names the files as "game/a.txg" all the same.
  EXPECT_EQ(RunTool({"stats", game + "/"}).out, expected);

  // A damaged project: its error on stderr, the others' lines and their total as before.
  AddBroken();
  const ToolResult damaged = RunTool({"stats", game});
  EXPECT_EQ(damaged.exitCode, 3);
  EXPECT_EQ(damaged.out, expected);
  EXPECT_EQ(damaged.err.rfind("xgtool: " + broken + ": Read beyond end of file (at byte ", 0), 0u) << damaged.err;
  EXPECT_EQ(std::count(damaged.err.begin(), damaged.err.end(), '\n'), 1);

  const ToolResult missing = RunTool({"stats", folder.File("absent")});
  EXPECT_EQ(missing.exitCode, 3);
  EXPECT_EQ(missing.out, "");
  std::filesystem::create_directory(folder.File("none"));
  const ToolResult none = RunTool({"stats", folder.File("none")});
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_EQ(none.out, "total\t0\t0\t0\t0\n");
}

TEST_F(WorkspaceCommand, FindAndCheckNameTheFileOfEachLineWhenThereAreSeveralProjects) {
  AddBroken();
  struct Case {
    std::vector<std::string> command;  // the pattern included
    std::vector<std::string> operands;
    std::vector<std::string> projects;  // what the operands stand for; empty: the output of one project
    int exitCode;
    std::string errStart;
  };
  const std::string chapter2 = folder.File("game/chapter2");
  const std::vector<Case> cases = {
      {{"find", "Вернуться"}, {a}, {}, 0, ""},
      {{"find", "Вернуться"}, {b, a}, {b, a}, 0, ""},
      {{"find", "--target", "RU "}, {a, c}, {a, c}, 0, ""},
      {{"find", "--target", "RU "}, {a, b}, {a, b}, 1, ""},
      {{"find", "Вернуться"}, {folder.File("game/chapter2/extra")}, {}, 0, ""},
      {{"find", "Вернуться"}, {a, folder.File("game/chapter2/extra")}, {a, c}, 0, ""},
      // The damaged project is told, the others still searched; the exit code says it.
      {{"find", "Вернуться"}, {game}, {a, b, c}, 3, "xgtool: " + broken + ": Read beyond end of file (at byte "},
      {{"find", "Вернуться"}, {a, b, a}, {}, 2, "xgtool: find needs one project file or more, each once: "},
      {{"find", "Вернуться"}, {chapter2, c}, {}, 2, "xgtool: find needs one project file or more, each once: "},
      {{"find", "Вернуться"}, {folder.File("absent")}, {}, 3, "xgtool: " + folder.File("absent") + ": File not found"},
      {{"check"}, {c}, {}, 1, ""},
      {{"check"}, {a, c}, {a, c}, 1, ""},
      {{"check"}, {chapter2}, {b, c}, 3, "xgtool: " + broken + ": Read beyond end of file (at byte "},
      {{"check", "--report", folder.File("r.csv")}, {a, c}, {}, 2, "xgtool: check --report needs one project file"},
  };
  for (const Case& t : cases) {
    std::vector<std::string> args = t.command;
    args.insert(args.end(), t.operands.begin(), t.operands.end());
    SCOPED_TRACE(testing::PrintToString(args));
    const ToolResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, t.exitCode);
    EXPECT_EQ(result.err.rfind(t.errStart, 0), 0u) << result.err;
    if (t.exitCode == 2 || t.operands[0] == folder.File("absent")) {
      EXPECT_EQ(result.out, "");
      continue;
    }
    // What the command prints for each project alone, after its file and a tab.
    std::string expected;
    const bool several = !t.projects.empty();
    for (const std::string& project : several ? t.projects : std::vector<std::string>{t.operands[0]}) {
      std::vector<std::string> alone = t.command;
      alone.push_back(several ? project : t.operands[0]);
      if (!several && std::filesystem::is_directory(project)) alone.back() = c;
      const ToolResult one = RunTool(alone);
      EXPECT_EQ(one.err, "");
      expected += several ? Prefixed(project + '\t', one.out) : one.out;
    }
    EXPECT_EQ(result.out, expected);
    if (t.exitCode != 1) {
      EXPECT_NE(result.out, "");
    }
  }
}

}  // namespace
