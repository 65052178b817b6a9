// xgtool catalogue FILE: the printed tree, the missing keys and the exit codes scripts rely on.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "support/JD_BlockPar.h"
#include "support/JD_Buf.h"
#include "support/JD_Str.h"
#include "support/SupportTestFiles.h"
#include "ui/keys/CatalogueKeys.h"

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
    EXPECT_EQ(result.err, "xgtool: " + c.file + ": " + c.message + "\n");
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

TEST(Catalogue, ShippedFileDefinesEveryKeyOnce) {
  ScratchFolder folder;
  const std::string path = folder.Copy(std::string(XG_DATA_DIR) + "/msg_cfg.txt", "msg_cfg.txt");
  TBufJD raw;
  raw.LoadFromFile(path);
  ASSERT_GE(raw.Size(), 2);
  EXPECT_EQ(raw.GetWord(), static_cast<int16_t>(0xFEFF)) << "the catalogue is UTF-16LE with its mark";

  TBlockParJD catalogue;
  catalogue.LoadFromFile(path, false);
  ASSERT_EQ(CatalogueKeys().size(), 101u);
  for (const std::u16string& key : CatalogueKeys()) {
    SCOPED_TRACE(WideToAnsi(key));
    int definitions = 0;
    for (TBlockParElJD* element = catalogue.First(); element != nullptr; element = element->Next)
      if (element->Kind == TBlockParElJD::KindParameter && element->Name == key) ++definitions;
    EXPECT_EQ(definitions, 1);
    EXPECT_FALSE(TrimJD(catalogue.Par_Get(key)).empty());
  }
  for (std::size_t i = 0; i < CatalogueKeys().size(); ++i)
    for (std::size_t j = i + 1; j < CatalogueKeys().size(); ++j) EXPECT_NE(CatalogueKeys()[i], CatalogueKeys()[j]);
}

// Every kind of message has a status text of its own in the shipped catalogue, and a type code
// decodes to the kind and record number the enumeration put into it.
TEST(Catalogue, EveryMessageKindHasAStatusText) {
  TBlockParJD catalogue;
  catalogue.LoadFromFile(std::string(XG_DATA_DIR) + "/msg_cfg.txt", false);
  std::vector<std::u16string> seen;
  for (int32_t kind = KindEditorParName; kind <= KindParViewString; ++kind) {
    const char16_t* key = MessageKindKey(static_cast<MessageKind>(kind));
    ASSERT_NE(key, nullptr) << kind;
    EXPECT_FALSE(TrimJD(catalogue.Par_Get(key)).empty()) << kind;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), key), 0) << kind;
    seen.emplace_back(key);
  }
  for (const int32_t code : {0, 12, 999, -7, -1001})
    EXPECT_EQ(MessageKindKey(DecodeMessageType(code).Kind), nullptr) << code;

  const struct {
    int32_t code;
    MessageKind kind;
    int32_t number;
  } cases[] = {
      {8, KindPathQuestion, 0},
      {1007, KindLocationText, 1},
      {300007, KindLocationText, 300},
      {11, KindParViewString, 0},
  };
  for (const auto& c : cases) {
    const TMessageType type = DecodeMessageType(c.code);
    EXPECT_EQ(type.Kind, c.kind) << c.code;
    EXPECT_EQ(type.Number, c.number) << c.code;
  }
}

}  // namespace
