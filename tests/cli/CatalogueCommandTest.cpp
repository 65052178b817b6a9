// xgtool catalogue FILE: the printed tree, the missing keys and the exit codes scripts rely on.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "project/CatalogueKeys.h"
#include "support/JD_BlockPar.h"
#include "support/JD_Buf.h"
#include "support/JD_Error.h"
#include "support/JD_Str.h"
#include "support/SupportTestFiles.h"

namespace {

using clitest::RunTool;
using clitest::ToolResult;

std::string MissingLines(const std::vector<std::u16string>& present) {
  std::string lines;
  for (const std::u16string& key : RequiredCatalogueKeys()) {
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
    EXPECT_NE(result.err.find("usage: xgtool catalogue [--all] FILE"), std::string::npos) << result.err;
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
  ASSERT_EQ(RequiredCatalogueKeys().size(), 57u);
  ASSERT_EQ(CatalogueKeys().size(), 320u);
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

// A catalogue of the first version: every required key, each with a text of its own.
std::u16string RequiredOnlyCatalogue(const std::u16string& without = {}) {
  std::u16string text;
  for (const std::u16string& key : RequiredCatalogueKeys())
    if (key != without) text += key + u"=text of " + key + u"\r\n";
  return text;
}

std::string TreeLines(const std::u16string& without = {}) {
  std::string lines;
  for (const std::u16string& key : RequiredCatalogueKeys())
    if (key != without) lines += "0\t1\t" + WideToAnsi(key) + "\ttext of " + WideToAnsi(key) + "\n";
  return lines;
}

std::string DefaultLines() {
  std::string lines;
  for (const TAddedCatalogueKey& added : AddedCatalogueKeys()) lines += "default: " + WideToAnsi(added.Key) + "\n";
  return lines;
}

TEST(CatalogueCommand, RequiredKeysDecideTheExitAndAllListsTheDefaultedOnes) {
  ScratchFolder folder;
  const std::string complete = folder.Write("first.txt", Utf16LeBytes(RequiredOnlyCatalogue()));
  const std::string lacking = folder.Write("lacking.txt", Utf16LeBytes(RequiredOnlyCatalogue(u"RDate")));
  const struct {
    std::vector<std::string> args;
    int exitCode;
    std::string out;
  } cases[] = {
      {{"catalogue", complete}, 0, TreeLines()},
      {{"catalogue", "--all", complete}, 0, TreeLines() + DefaultLines()},
      {{"catalogue", lacking}, 1, TreeLines(u"RDate") + "missing: RDate\n"},
      {{"catalogue", "--all", lacking}, 1, TreeLines(u"RDate") + "missing: RDate\n" + DefaultLines()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1]);
    ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, c.out);
  }
  // An added key the file has is no default; the shipped catalogue has them all.
  ToolResult one = RunTool({"catalogue", "--all", folder.Write("one.txt", "MenuQuit=Q\r\n")});
  EXPECT_EQ(one.out.find("default: MenuQuit\n"), std::string::npos);
  EXPECT_NE(one.out.find("default: MenuFile\n"), std::string::npos);
  ToolResult shipped = RunTool({"catalogue", "--all", std::string(XG_DATA_DIR) + "/msg_cfg.txt"});
  EXPECT_EQ(shipped.exitCode, 0);
  EXPECT_EQ(shipped.out.find("default:"), std::string::npos);
}

// The built-in texts are the shipped catalogue's, so the window looks the same with either.
TEST(Catalogue, AddedKeysDefaultToTheShippedText) {
  TBlockParJD shipped;
  shipped.LoadFromFile(std::string(XG_DATA_DIR) + "/msg_cfg.txt", false);
  for (const TAddedCatalogueKey& added : AddedCatalogueKeys()) {
    SCOPED_TRACE(WideToAnsi(added.Key));
    EXPECT_EQ(shipped.Par_Get(added.Key), added.DefaultText);
    EXPECT_EQ(CatalogueDefaultText(added.Key), added.DefaultText);
  }
  for (const std::u16string& key : RequiredCatalogueKeys()) EXPECT_EQ(CatalogueDefaultText(key), nullptr);
}

TEST(Catalogue, ValueOfTheCatalogueElseTheDefaultElseTheMissingKeyError) {
  TBlockParJD catalogue;
  catalogue.Par_Add(u"MenuQuit", u"&Beenden");
  catalogue.Par_Add(u"RDate", u"Datum");
  catalogue.Par_Add(u"Empty", u"");
  const struct {
    std::u16string key;
    std::u16string value;  // the error text when empty
    std::string error;
  } cases[] = {
      {u"MenuQuit", u"&Beenden", ""},  // an added key the catalogue has: its value wins
      {u"MenuFile", u"&File", ""},     // an added key it lacks: the built-in text
      {u"RDate", u"Datum", ""},
      {u"Empty", u"", ""},  // no key of ours, but present
      {u"RMoney", u"", "TBlockParJD.Block_Get. name=RMoney"},
      {u"NoSuchKey", u"", "TBlockParJD.Block_Get. name=NoSuchKey"},
      {u"menuquit", u"", "TBlockParJD.Block_Get. name=menuquit"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToAnsi(c.key));
    if (c.error.empty()) {
      EXPECT_EQ(CatalogueValue(catalogue, c.key), c.value);
    } else {
      try {
        CatalogueValue(catalogue, c.key);
        ADD_FAILURE() << "no error";
      } catch (const TExceptionJD& error) {
        EXPECT_EQ(std::string(error.what()), c.error);
      }
    }
  }
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
