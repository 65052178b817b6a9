// xgtool as installed: where it finds its catalogue from any folder, --help and --version.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"

namespace {

using clitest::RunProgram;
using clitest::RunTool;
using clitest::ToolResult;

// An installed tree in a scratch folder: bin/xgtool, share/xgtranslator/ and a folder to work in.
// The binary is copied, not linked: the program's folder is where the file really lies.
struct InstalledTree {
  InstalledTree() {
    std::filesystem::create_directories(root.File("bin"));
    std::filesystem::create_directories(root.File("share/xgtranslator"));
    std::filesystem::create_directories(root.File("work"));
    std::filesystem::copy_file(std::string(XG_BIN_DIR) + "/xgtool", root.File("bin/xgtool"));
  }
  ToolResult Run(const std::vector<std::string>& args) const {
    return RunProgram(root.File("bin/xgtool"), args, root.File("work"));
  }
  ScratchFolder root;
};

TEST(InstalledTool, FindsTheCatalogueInTheFirstPlaceThatHasOne) {
  const std::string broken = "A=1\r\n{ x\r\n";
  const struct {
    const char* name;
    const char* good;    // folder (in the tree) holding the shipped catalogue, or ""
    const char* broken;  // folder holding an unreadable one, or ""
    int exitCode;
  } cases[] = {
      {"current folder", "work", "", 0},
      {"beside the program", "bin", "", 0},
      {"installed data folder", "share/xgtranslator", "", 0},
      {"current folder before the program's", "work", "bin", 0},
      {"program's folder before the data folder", "share/xgtranslator", "bin", 3},
      {"current folder before the data folder", "share/xgtranslator", "work", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    InstalledTree tree;
    if (*c.good) tree.root.Copy(clitest::ShippedCatalogue, std::string(c.good) + "/msg_cfg.txt");
    if (*c.broken) tree.root.Write(std::string(c.broken) + "/msg_cfg.txt", broken);
    const ToolResult result = tree.Run({"info", clitest::SampleQuest});
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    if (c.exitCode == 0) {
      EXPECT_EQ(result.out.rfind("File: " + clitest::SampleQuest + "\n", 0), 0u) << result.out;
    } else {
      // The unreadable catalogue was the one taken: its own error, not "not found".
      EXPECT_NE(result.err.find("TBlockParJD.LoadFromBuf_r. tstr={ x"), std::string::npos) << result.err;
    }
  }
}

TEST(InstalledTool, WithoutAnyCatalogueNamesEveryPlaceItTried) {
  if (std::filesystem::exists(XG_INSTALLED_DATA_DIR "/msg_cfg.txt"))
    GTEST_SKIP() << "a catalogue is installed at " XG_INSTALLED_DATA_DIR;
  InstalledTree tree;
  const ToolResult result = tree.Run({"info", clitest::SampleQuest});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(result.out, "");
  const std::string places = "Catalogue not found. Looked in:\n  " + tree.root.File("work/msg_cfg.txt") + "\n  " +
                             tree.root.File("bin/msg_cfg.txt") + "\n  " +
                             tree.root.File("share/xgtranslator/msg_cfg.txt") +
                             "\n  " XG_INSTALLED_DATA_DIR "/msg_cfg.txt\n";
  EXPECT_NE(result.err.find(places), std::string::npos) << result.err;

  // An explicit --catalogue is not searched for: its own open error stands.
  const ToolResult named = tree.Run({"--catalogue", "none.txt", "info", clitest::SampleQuest});
  EXPECT_EQ(named.exitCode, 3);
  EXPECT_NE(named.err.find("TFileJD.Open. FileName=none.txt"), std::string::npos) << named.err;
}

TEST(InstalledTool, HelpAndVersion) {
  const struct {
    std::vector<std::string> args;
    int exitCode;
    const char* outStart;  // what stdout begins with
    const char* errStart;  // what stderr begins with
  } cases[] = {
      {{"--help"}, 0, "usage: xgtool [--catalogue FILE] COMMAND ARGS...\n", ""},
      {{"-h"}, 0, "usage: xgtool [--catalogue FILE] COMMAND ARGS...\n", ""},
      {{"--catalogue", "x.txt", "--help"}, 0, "usage: xgtool", ""},
      {{"--version"}, 0, "xgtool " XG_PROJECT_VERSION "\n", ""},
      {{}, 2, "", "usage: xgtool [--catalogue FILE] COMMAND ARGS...\n"},
      {{"--versions"}, 2, "", "xgtool: unknown command '--versions'\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args.front());
    const ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.out.rfind(c.outStart, 0), 0u) << result.out;
    EXPECT_EQ(result.err.rfind(c.errStart, 0), 0u) << result.err;
    if (*c.outStart == '\0') {
      EXPECT_EQ(result.out, "");
    }
    if (*c.errStart == '\0') {
      EXPECT_EQ(result.err, "");
    }
  }
  // The help lists every command and says where the catalogue is looked for.
  const ToolResult help = RunTool({"--help"});
  for (const char* command : {"catalogue [--all] FILE", "convert ", "export-messages ", "import-messages ", "info "})
    EXPECT_NE(help.out.find(std::string("  xgtool ") + command), std::string::npos) << command;
  EXPECT_NE(help.out.find("share/xgtranslator"), std::string::npos);
}

}  // namespace
