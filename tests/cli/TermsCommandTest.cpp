// xgtool terms and xgtool check --glossary: the glossary terms of a project's sources, the terms
// findings of its translations, and the exit codes scripts rely on.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/ToolRunner.h"
#include "common/ScratchFolder.h"
#include "support/BlockFile.h"

namespace {

using clitest::ToolResult;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

// A TBX-Basic file of Russian terms with their English translations and, where given, a
// translation not to use.
struct TbxTerm {
  std::string source;
  std::string target;
  std::string forbidden;
};

void WriteTbx(const std::string& fileName, const std::vector<TbxTerm>& terms) {
  std::ofstream out(fileName, std::ios::binary);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<martif type=\"TBX-Basic\" xml:lang=\"ru\">\n"
         "<martifHeader><fileDesc><sourceDesc><p>test</p></sourceDesc></fileDesc>"
         "<encodingDesc><p type=\"XCSURI\">TBXBasicXCSV02.xcs</p></encodingDesc></martifHeader>\n"
         "<text><body>\n";
  for (std::size_t i = 0; i < terms.size(); ++i) {
    out << "<termEntry id=\"c" << i + 1 << "\">"
        << "<langSet xml:lang=\"ru\"><tig><term>" << terms[i].source << "</term></tig></langSet>"
        << "<langSet xml:lang=\"en\"><tig><term>" << terms[i].target << "</term></tig>";
    if (!terms[i].forbidden.empty())
      out << "<tig><term>" << terms[i].forbidden
          << "</term><termNote type=\"administrativeStatus\">deprecatedTerm-admn-sts</termNote></tig>";
    out << "</langSet></termEntry>\n";
  }
  out << "</body></text>\n</martif>\n";
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
    WriteTbx(glossary, {{"топливо", "fuel", "gas"}, {"сыворотка", "serum", ""}, {"звездолёт", "starship", ""}});
  }
  ScratchFolder folder;
  const std::string project = folder.File("sample.txg");
  const std::string glossary = folder.File("game.tbx");
};

TEST_F(TermsCommand, PrintsEachTermFoundOnceAMessageInMessageOrder) {
  const ToolResult result = RunTool({"terms", "--glossary", glossary, project});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  // "сыворотки", "сыворотку", "Сыворотка", "топлива": any form, each message once.
  EXPECT_EQ(result.Lines(), (std::vector<std::string>{
                                "1\tGovMsg\tсыворотка\tserum",
                                "8\tPar(1).Name\tтопливо\tfuel",
                                "9\tPar(1).Format(1)\tтопливо\tfuel",
                                "10\tPar(1).Format(2)\tтопливо\tfuel",
                                "32\tL(4).Text(1)\tсыворотка\tserum",
                                "34\tL(5).Delta(1).\tтопливо\tfuel",
                                "42\tL(10).Text(1)\tсыворотка\tserum",
                                "59\tPath(10).Start\tсыворотка\tserum",
                                "68\tPath(15).Start\tсыворотка\tserum",
                                "70\tPath(16).Start\tтопливо\tfuel",
                            }));
}

TEST_F(TermsCommand, ExitsWithOneWhenNoTermIsFound) {
  WriteTbx(folder.File("none.tbx"), {{"звездолёт", "starship", ""}});
  const ToolResult result = RunTool({"terms", "--glossary", folder.File("none.tbx"), project});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_EQ(result.out, "");
}

TEST_F(TermsCommand, WrongArgumentsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"terms"},
      {"terms", project},
      {"terms", "--glossary"},
      {"terms", "--glossary", glossary},
      {"terms", "--glossary", glossary, project, project},
      {"terms", "--glossary", glossary, "--fast", project},
      {"check", "--glossary"},
  };
  for (const std::vector<std::string>& args : cases) {
    SCOPED_TRACE(args.size());
    const ToolResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("usage: xgtool " + args[0] + " "), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(TermsCommand, AnUnreadableGlossaryOrProjectExitsWithThree) {
  std::ofstream(folder.File("bad.tbx")) << "<?xml version=\"1.0\"?>\n<martif>\n<text><body>\n</martif>\n";
  struct Case {
    std::vector<std::string> args;
    std::string errorStart;
  };
  const std::vector<Case> cases = {
      {{"terms", "--glossary", folder.File("missing.tbx"), project}, "xgtool: " + folder.File("missing.tbx") + ": "},
      {{"terms", "--glossary", folder.File("bad.tbx"), project}, "xgtool: " + folder.File("bad.tbx") + ":4: "},
      {{"check", "--glossary", folder.File("bad.tbx"), project}, "xgtool: " + folder.File("bad.tbx") + ":4: "},
      {{"terms", "--glossary", glossary, folder.File("missing.txg")}, "xgtool: " + folder.File("missing.txg")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[2]);
    const ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err.substr(0, c.errorStart.size()), c.errorStart) << result.err;
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
