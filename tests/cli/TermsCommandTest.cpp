// xgtool terms and xgtool check --glossary: the glossary terms of a project's
// sources, the terms findings of its translations, and the exit codes scripts
// rely on.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/ToolRunner.h"
#include "common/ScratchFolder.h"
#include "glossary/Glossary.h"
#include "support/BlockFile.h"

namespace {

using clitest::ToolResult;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

// Russian terms with their English translations; "gas" is a fuel not to call
// so.
void WriteTbx(const std::string& fileName, std::vector<TGlossaryEntry> entries) {
  SaveTbx(TGlossary{"ru", "en", std::move(entries)}, fileName);
}

void WriteExchange(const std::string& fileName, const std::u16string& text) {
  TBlockFileWriter file(fileName);
  file.WriteByte(0xFF);
  file.WriteByte(0xFE);
  file.WriteUnits(text);
  file.Commit();
}

class TermsCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunTool({"new", clitest::SampleQuest, project}).exitCode, 0);
    WriteTbx(glossary, {{u"топливо", {u"fuel"}, u"", TTermStatus::Preferred},
                        {u"топливо", {u"gas"}, u"", TTermStatus::Forbidden},
                        {u"сыворотка", {u"serum"}, u"", TTermStatus::Preferred},
                        {u"звездолёт", {u"starship"}, u"", TTermStatus::Preferred}});
  }
  ScratchFolder folder;
  const std::string project = folder.File("sample.txg");
  const std::string glossary = folder.File("game.tbx");
};

// Any form counts ("сыворотки", "Сыворотка", "топлива"), each term once a
// message; a forbidden translation is not listed; nothing found exits with 1.
TEST_F(TermsCommand, PrintsEachTermFoundOnceAMessageInMessageOrder) {
  WriteTbx(folder.File("none.tbx"), {{u"звездолёт", {u"starship"}, u"", TTermStatus::Preferred}});
  struct Case {
    std::string glossary;
    int exitCode;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {glossary,
       0,
       {"1\tGovMsg\tсыворотка\tserum", "8\tPar(1).Name\tтопливо\tfuel", "9\tPar(1).Format(1)\tтопливо\tfuel",
        "10\tPar(1).Format(2)\tтопливо\tfuel", "32\tL(4).Text(1)\tсыворотка\tserum",
        "34\tL(5).Delta(1).\tтопливо\tfuel", "42\tL(10).Text(1)\tсыворотка\tserum",
        "59\tPath(10).Start\tсыворотка\tserum", "68\tPath(15).Start\tсыворотка\tserum",
        "70\tPath(16).Start\tтопливо\tfuel"}},
      {folder.File("none.tbx"), 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.glossary);
    const ToolResult result = RunTool({"terms", "--glossary", c.glossary, project});
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_EQ(result.Lines(), c.lines);
  }
}

// Wrong arguments exit with 2 and the command's usage on the second line; a glossary or project
// that cannot be read with 3 and the file (and line) it concerns.
TEST_F(TermsCommand, WrongArgumentsExitWithTwoUnreadableFilesWithThree) {
  std::ofstream(folder.File("bad.tbx")) << "<?xml version=\"1.0\"?>\n<martif>\n<text><body>\n</martif>\n";
  const std::string bad = "xgtool: " + folder.File("bad.tbx") + ":4: ";
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string err;  // how its line starts
  };
  const Case cases[] = {
      {{"terms"}, 2, "usage: xgtool terms "},
      {{"terms", project}, 2, "usage: xgtool terms "},
      {{"terms", "--glossary"}, 2, "usage: xgtool terms "},
      {{"terms", "--glossary", glossary}, 2, "usage: xgtool terms "},
      {{"terms", "--glossary", glossary, project, project}, 2, "usage: xgtool terms "},
      {{"terms", "--glossary", glossary, "--fast", project}, 2, "usage: xgtool terms "},
      {{"check", "--glossary"}, 2, "usage: xgtool check "},
      {{"terms", "--glossary", folder.File("missing.tbx"), project}, 3, "xgtool: " + folder.File("missing.tbx") + ": "},
      {{"terms", "--glossary", folder.File("bad.tbx"), project}, 3, bad},
      {{"check", "--glossary", folder.File("bad.tbx"), project}, 3, bad},
      {{"terms", "--glossary", glossary, folder.File("missing.txg")}, 3, "xgtool: " + folder.File("missing.txg")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.args.back() + " " + std::to_string(c.args.size()));
    const ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode);
    const std::size_t line = c.exitCode == 2 ? result.err.find('\n') + 1 : 0;
    EXPECT_EQ(result.err.substr(line, c.err.size()), c.err) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(TermsCommand, CheckWithAGlossaryAddsTheTermsFindings) {
  struct Case {
    std::u16string translation;
    std::vector<std::string> terms;  // the lines of code "terms"
  };
  const std::vector<Case> cases = {
      {u"Gas low: <>", {"9\tPar(1).Format(1)\tterms\tтопливо → fuel", "9\tPar(1).Format(1)\tterms\tforbidden: Gas"}},
      {u"Low fuel: <>", {}},
      {u"Low fuel, no gas: <>", {"9\tPar(1).Format(1)\tterms\tforbidden: gas"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.translation.begin(), c.translation.end()));
    WriteExchange(folder.File("in.txt"), u"<Begin Par(1).Format(1)>\r\n" + c.translation + u"\r\n<End>\r\n");
    ASSERT_LE(RunTool({"import-messages", project, folder.File("in.txt")}).exitCode, 1);
    const ToolResult result = RunTool({"check", "--glossary", glossary, project});
    EXPECT_EQ(result.exitCode, 1) << result.err;  // the other messages are not translated
    std::vector<std::string> terms;
    for (const std::string& line : result.Lines())
      if (line.find("\tterms\t") != std::string::npos) terms.push_back(line);
    EXPECT_EQ(terms, c.terms);
    // Without the glossary the same findings but the terms.
    EXPECT_EQ(RunTool({"check", project}).Lines().size() + c.terms.size(), result.Lines().size());
  }
}

}  // namespace
