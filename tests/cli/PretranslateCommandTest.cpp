// xgtool pretranslate: the counts it prints, what it stores, the dry run and its exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "memory/Tmx.h"
#include "memory/WorkspaceFixtures.h"

namespace {

using clitest::ReadWhole;
using clitest::ToolResult;
using workspacetest::Workspace;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

TEST(PretranslateCommand, PrintsTheCountsAndSavesUnlessADryRun) {
  Workspace workspace;
  const std::string tmx = workspace.folder.File("extra.tmx");
  WriteTmx(tmx, {{u"Something completely different", u"Нечто совсем иное", u""}});
  ScratchFolder elsewhere;
  const std::string copy = elsewhere.Copy(workspace.open, "Open.txg");
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const std::vector<Case> cases = {
      {{"--dry-run", workspace.open}, "exact: 2\nfuzzy: 4\nnone: 1\n"},
      {{"--dry-run", "--min", "81", workspace.open}, "exact: 2\nfuzzy: 2\nnone: 3\n"},
      {{"--dry-run", "--min", "95", workspace.open}, "exact: 2\nfuzzy: 1\nnone: 4\n"},
      {{"--dry-run", "--min", "50", workspace.open}, "exact: 2\nfuzzy: 4\nnone: 1\n"},
      {{"--dry-run", "--min", "100", workspace.open}, "exact: 2\nfuzzy: 0\nnone: 5\n"},
      {{"--dry-run", "--memory", tmx, workspace.open}, "exact: 3\nfuzzy: 4\nnone: 0\n"},
      // Its own folder holds no other project; the workspace is given.
      {{"--dry-run", copy}, "exact: 0\nfuzzy: 0\nnone: 7\n"},
      {{"--dry-run", copy, workspace.folder.Path()}, "exact: 2\nfuzzy: 4\nnone: 1\n"},
      // Saved: a second run finds only what has no match.
      {{workspace.open}, "exact: 2\nfuzzy: 4\nnone: 1\n"},
      {{workspace.open}, "exact: 0\nfuzzy: 0\nnone: 1\n"},
  };
  const std::string before = ReadWhole(workspace.open);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    std::vector<std::string> args = {"pretranslate"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, c.out);
    // The damaged project is skipped and said so; the rest of the workspace works.
    EXPECT_EQ(result.err.rfind("warning: skipped " + workspace.broken + ": ", 0) == 0, c.args.back() != copy);
    EXPECT_EQ(ReadWhole(workspace.open) == before, c.args[0] == "--dry-run");
  }
  TtxgProject project(projecttest::Catalogue());
  project.LoadFromFile(workspace.open);
  EXPECT_EQ(project.TranslatedPositions(), 7);
  EXPECT_EQ(project.Note(updatetest::MessageOfPath(project, 102)), u"ask the author\nfuzzy 80% from chapter1/Vega");
}

TEST(PretranslateCommand, BadArgumentsAndUnreadableInputChangeNothing) {
  Workspace workspace;
  const std::string missing = workspace.folder.File("missing.txg");
  struct Case {
    std::vector<std::string> args;
    int exitCode;
  };
  const std::vector<Case> cases = {
      {{}, 2},
      {{"--min", "0", workspace.open}, 2},
      {{"--min", "101", workspace.open}, 2},
      {{"--min", "75%", workspace.open}, 2},
      {{workspace.open, "--min"}, 2},
      {{"--memory", workspace.open}, 2},
      {{"--fast", workspace.open}, 2},
      {{workspace.open, workspace.folder.Path(), workspace.folder.Path()}, 2},
      {{missing}, 3},
      {{workspace.broken}, 3},
      {{"--memory", workspace.folder.File("missing.tmx"), workspace.open}, 3},
      {{"--memory", workspace.broken, workspace.open}, 3},
      {{workspace.open, workspace.folder.File("no such folder")}, 3},
  };
  const std::string before = ReadWhole(workspace.open);
  for (const Case& c : cases) {
    std::vector<std::string> args = {"pretranslate"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(testing::PrintToString(args));
    const ToolResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(result.err.empty());
  }
  EXPECT_EQ(ReadWhole(workspace.open), before);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
