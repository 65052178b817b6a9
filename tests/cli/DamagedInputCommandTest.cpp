// xgtool on inputs that are not what they should be: every command that loads a project says
// what it dropped and keeps a damaged file before saving over it, and every file a command reads
// is named in its error.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"

namespace {

using clitest::ReadWhole;
using clitest::ToolResult;

const std::string Sample = clitest::SampleQuest;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

// `args` with every "@" replaced by `file`.
std::vector<std::string> WithFile(std::vector<std::string> args, const std::string& file) {
  std::replace(args.begin(), args.end(), std::string("@"), file);
  return args;
}

std::string Joined(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& arg : args) text += arg + " ";
  return text;
}

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(DamagedProject, EveryProjectCommandWarnsAndASaveKeepsTheFileItReplaces) {
  ScratchFolder folder;
  const std::string whole = folder.File("whole.txg");
  ASSERT_EQ(RunTool({"new", Sample, whole}).exitCode, 0);
  ASSERT_EQ(RunTool({"export-po", whole, folder.File("in.po")}).exitCode, 0);
  ASSERT_EQ(RunTool({"export-xliff", whole, folder.File("in.xlf")}).exitCode, 0);
  ASSERT_EQ(RunTool({"export-messages", whole, folder.File("in.txt")}).exitCode, 0);
  ASSERT_EQ(RunTool({"review", whole, "1", "2"}).exitCode, 0);
  std::string damaged = ReadWhole(whole);
  damaged[damaged.size() - 8] ^= 0x01;  // inside the block's body: its checksum no longer matches

  struct Case {
    std::vector<std::string> args;  // "@" = the damaged project
    int exitCode;
    bool saves;
  };
  const std::vector<Case> cases = {
      {{"messages", "@"}, 0, false},
      {{"messages", "--source", "@"}, 0, false},
      {{"info", "@"}, 0, false},
      {{"stats", "@"}, 0, false},
      {{"review", "@", "3"}, 0, true},
      {{"note", "@", "3", "n"}, 0, true},
      {{"export-messages", "@", folder.File("out.txt")}, 0, false},
      {{"import-messages", "@", folder.File("in.txt")}, 0, true},
      {{"export-target", "@", folder.File("out.xg")}, 0, false},
      {{"export-source", "@", folder.File("out.xg")}, 0, false},
      {{"check", "@"}, 1, false},  // untranslated texts are findings
      {{"find", "--id", "GovMsg", "@"}, 0, false},
      {{"export-po", "@", folder.File("out.po")}, 0, false},
      {{"import-po", "@", folder.File("in.po")}, 0, true},
      {{"export-xliff", "@", folder.File("out.xlf")}, 0, false},
      {{"import-xliff", "@", folder.File("in.xlf")}, 0, true},
      {{"export-tmx", "@", folder.File("out.tmx")}, 0, false},
      {{"update", "@", Sample, folder.File("updated.txg")}, 0, false},  // a new file: nothing replaced
      {{"propagate", "@"}, 0, true},
  };
  const std::string project = folder.File("p.txg");
  const std::string kept = project + ".damaged";
  for (const Case& c : cases) {
    const std::vector<std::string> args = WithFile(c.args, project);
    SCOPED_TRACE(Joined(args));
    folder.Write("p.txg", damaged);
    std::filesystem::remove(kept);
    ToolResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    const std::string warning =
        "warning: The message states, notes and settings stored after the quests in the "
        "project file were dropped: the block's checksum does not match";
    EXPECT_EQ(result.err.rfind(warning, 0), 0u) << result.err;
    const std::string keptLine = "\nwarning: the damaged project file was kept as " + kept + "\n";
    EXPECT_EQ(result.err.find(keptLine) != std::string::npos, c.saves) << result.err;
    EXPECT_EQ(CountOf(result.err, "warning: "), c.saves ? 2 : 1) << result.err;
    if (c.saves) {
      EXPECT_EQ(ReadWhole(kept), damaged);
      // The saved file lost the dropped block; a second save keeps nothing more.
      ToolResult again = RunTool(args);
      EXPECT_EQ(CountOf(again.err, "warning: "), 0) << again.err;
    } else {
      EXPECT_FALSE(std::filesystem::exists(kept));
      EXPECT_EQ(ReadWhole(project), damaged);
    }
  }
  // A copy kept earlier is not replaced: the next one takes the next free name.
  folder.Write("p.txg", damaged);
  folder.Write("p.txg.damaged", "earlier");
  ToolResult import = RunTool({"import-po", project, folder.File("in.po")});
  EXPECT_EQ(import.exitCode, 0);
  EXPECT_NE(import.err.find("\nwarning: the damaged project file was kept as " + kept + ".1\n"), std::string::npos)
      << import.err;
  EXPECT_EQ(ReadWhole(kept), "earlier");
  EXPECT_EQ(ReadWhole(kept + ".1"), damaged);
}

// A file that exists and is not a folder but cannot be read by this process, or "" when there is
// none to be had: a file without permissions for a user; for root, whom permissions do not stop, a
// write-only attribute of the kernel, which refuses every reader.
std::string UnreadableFile(const ScratchFolder& folder) {
  std::vector<std::string> candidates;
  if (geteuid() != 0) {
    const std::string file = folder.Write("unreadable", "x");
    chmod(file.c_str(), 0);
    candidates.push_back(file);
  }
  candidates.push_back("/sys/bus/pci/rescan");
  for (const std::string& candidate : candidates) {
    std::ifstream probe(candidate, std::ios::binary);
    if (std::filesystem::is_regular_file(candidate) && !probe.is_open()) return candidate;
  }
  return {};
}

TEST(UnusableInput, EveryFileACommandReadsIsNamedInItsError) {
  ScratchFolder folder;
  const std::string project = folder.File("p.txg");
  ASSERT_EQ(RunTool({"new", Sample, project}).exitCode, 0);
  const std::string projectBytes = ReadWhole(project);
  const std::string questBytes = ReadWhole(Sample);

  struct Row {
    std::vector<std::string> args;  // "@" = the file under test
    std::string extension;          // of the file under test: "info" tells a quest from a project by it
    std::string damaged;            // the content of its damaged variant
  };
  const std::string cutProject = projectBytes.substr(0, projectBytes.size() / 2);
  const std::string cutQuest = questBytes.substr(0, questBytes.size() / 2);
  const std::string badPo = "msgid \"a\"\nmsgstr \"b\"\nmsgid\n";
  const std::string badXliff = "<?xml version=\"1.0\"?>\n<xliff version=\"1.2\">\n<file>\n</xliff>\n";
  const std::string badCatalogue = "A=1\r\n{ x\r\n";
  const std::vector<Row> rows = {
      {{"info", "@"}, ".txg", cutProject},
      {{"stats", "@"}, ".txg", cutProject},
      {{"check", "@"}, ".txg", cutProject},
      {{"find", "x", "@"}, ".txg", cutProject},
      {{"export-po", "@", folder.File("o.po")}, ".txg", cutProject},
      {{"import-xliff", "@", folder.File("none.xlf")}, ".txg", cutProject},
      {{"export-tmx", "@", folder.File("o.tmx")}, ".txg", cutProject},
      {{"pretranslate", "@"}, ".txg", cutProject},
      {{"pretranslate", "--memory", "@", project}, ".tmx", "<tmx><body><tu>"},
      {{"update", "@", Sample, folder.File("o.txg")}, ".txg", cutProject},
      {{"update", project, "@", folder.File("o.txg")}, ".xg", cutQuest},
      {{"new", "@", folder.File("o.txg")}, ".xg", cutQuest},
      {{"info", "@"}, ".xg", cutQuest},
      {{"convert", "@", folder.File("o.xg")}, ".xg", cutQuest},
      {{"import-po", project, "@"}, ".po", badPo},
      {{"import-xliff", project, "@"}, ".xlf", badXliff},
      {{"import-messages", project, "@"}, ".txt", "plain text, no byte-order mark\n"},
      {{"catalogue", "@"}, ".txt", badCatalogue},
      {{"--catalogue", "@", "stats", project}, ".txt", badCatalogue},
  };
  const std::string unreadable = UnreadableFile(folder);
  int index = 0;
  for (const Row& row : rows) {
    const std::string name = "input" + std::to_string(index++);
    const std::string folderInput = folder.File(name + "-folder" + row.extension);
    std::filesystem::create_directory(folderInput);
    std::vector<std::string> inputs = {folder.File(name + "-missing" + row.extension), folderInput,
                                       folder.Write(name + "-damaged" + row.extension, row.damaged)};
    if (!unreadable.empty()) inputs.push_back(unreadable);
    for (const std::string& input : inputs) {
      const std::vector<std::string> args = WithFile(row.args, input);
      SCOPED_TRACE(Joined(args));
      // The catalogue option comes before the command; every other row uses the shipped one.
      ToolResult result = args[0] == "--catalogue" ? clitest::RunTool(args) : RunTool(args);
      EXPECT_EQ(result.exitCode, 3) << result.err;
      EXPECT_EQ(result.err.rfind("xgtool: " + input + ":", 0), 0u) << result.err;
    }
  }
  if (unreadable.empty()) GTEST_SKIP() << "no unreadable file to be had here: every other input was tried";
}

}  // namespace
