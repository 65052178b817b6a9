// xgtool catalogue FILE: the printed tree, the missing keys and the exit codes scripts rely on.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "support/JD_BlockPar.h"
#include "support/JD_Str.h"
#include "support/SupportTestFiles.h"

namespace {

using clitest::RunTool;
using clitest::ToolResult;

std::string MissingLines(const std::vector<std::u16string>& present) {
  std::string lines;
  for (const std::u16string& key : CatalogueKeys()) {
    bool found = false;
    for (const auto& have : present) found = found || have == key;
    if (!found) lines += "missing: " + WideToAnsi(key) + "\n";
  }
  return lines;
}

TEST(CatalogueCommand, ShippedCatalogueListsEveryKeyAndNothingMissing) {
  ScratchFolder folder;
  ToolResult result = RunTool({"catalogue", folder.Copy(std::string(XG_DATA_DIR) + "/msg_cfg.txt", "msg_cfg.txt")});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out.find("missing:"), std::string::npos);
  std::istringstream lines(result.out);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    EXPECT_EQ(line.rfind("0\t1\t", 0), 0u) << line;
    ++count;
  }
  EXPECT_EQ(count, static_cast<int>(CatalogueKeys().size()));
}

TEST(CatalogueCommand, PrintsDepthKindNameAndEscapedValueThenMissingKeysInTableOrder) {
  ScratchFolder folder;
  std::string file = folder.Write("c.txt", Utf16LeBytes(u"A{\r\nK=x\\y\tz\r\nInner{\r\nC=\x01\xD800"
                                                        u"é\r\n}\r\n}\r\n"
                                                        u"RVagrel= рейнджер\r\nNewProjectButtonHint=Hi\r\n"
                                                        u"LoadProjectButtonHint{\r\n}\r\n"));
  ToolResult result = RunTool({"catalogue", file});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "0\t2\tA\t\n"
            "1\t1\tK\tx\\\\y\\tz\n"
            "1\t2\tInner\t\n"
            "2\t1\tC\t\\u0001\\ud800é\n"
            "0\t1\tRVagrel\t рейнджер\n"
            "0\t1\tNewProjectButtonHint\tHi\n"
            "0\t2\tLoadProjectButtonHint\t\n" +
                MissingLines({u"NewProjectButtonHint", u"RVagrel"}));
}

TEST(CatalogueCommand, EmptyFileMissesEveryKey) {
  ScratchFolder folder;
  ToolResult result = RunTool({"catalogue", folder.Write("empty.txt", "")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, MissingLines({}));
}

TEST(CatalogueCommand, LoadFailuresExitWithThreeAndTheMessage) {
  ScratchFolder folder;
  struct Case {
    std::string file;
    std::string message;
  };
  const std::vector<Case> cases = {
      {folder.File("none.txt"), "TFileJD.Open. FileName=" + folder.File("none.txt")},
      {folder.Write("bad.txt", "A=1\r\n{ x\r\n"), "TBlockParJD.LoadFromBuf_r. tstr={ x"},
      {folder.Path(), "TFileJD.Open. FileName=" + folder.Path()},
  };
  for (const auto& c : cases) {
    ToolResult result = RunTool({"catalogue", c.file});
    EXPECT_EQ(result.exitCode, 3) << c.file;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.message + "\n");
  }
}

TEST(CatalogueCommand, WrongArgumentsAreAUsageError) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"catalogue"}, std::vector<std::string>{"catalogue", "a.txt", "b.txt"}}) {
    ToolResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("usage: xgtool catalogue FILE"), std::string::npos) << result.err;
  }
}

}  // namespace
