// xgtool check: one line per finding over the positions of a project, in message order, and the
// exit codes scripts rely on.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "common/ScratchFolder.h"
#include "support/BlockFile.h"
#include "support/JD_Str.h"

namespace {

using clitest::ToolResult;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

void WriteExchange(const std::string& fileName, const std::u16string& text) {
  TBlockFileWriter file(fileName);
  file.WriteByte(0xFF);
  file.WriteByte(0xFE);
  file.WriteUnits(text);
  file.Commit();
}

std::u16string ReadExchange(const std::string& fileName) {
  TBlockFileReader file(fileName);
  file.ReadByte();
  file.ReadByte();
  return file.ReadUnits(static_cast<int32_t>(file.BytesLeft() / 2));
}

std::vector<std::string> Columns(const std::string& line) {
  std::vector<std::string> columns;
  std::istringstream stream(line);
  for (std::string column; std::getline(stream, column, '\t');) columns.push_back(column);
  if (!line.empty() && line.back() == '\t') columns.emplace_back();
  return columns;
}

class CheckCommand : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(RunTool({"new", clitest::SampleQuest, project}).exitCode, 0); }
  void Import(const std::u16string& text) {
    WriteExchange(folder.File("in.txt"), text);
    ASSERT_LE(RunTool({"import-messages", project, folder.File("in.txt")}).exitCode, 1);
  }
  // The message numbers and ids of the project, from `xgtool messages`.
  std::map<std::string, std::string> IdsByNumber() {
    std::map<std::string, std::string> ids;
    std::istringstream lines(RunTool({"messages", project}).out);
    for (std::string line; std::getline(lines, line);) ids[Columns(line)[0]] = Columns(line)[2];
    return ids;
  }
  ScratchFolder folder;
  const std::string project = folder.File("sample.txg");
};

TEST_F(CheckCommand, ListsEachFindingOfEachPositionInMessageOrder) {
  Import(
      u"<Begin GovMsgSuccess>\r\nYou saved Vega-7. The goverment pays you credits\r\n<End>\r\n"
      u"<Begin Par(1).Format(1)>\r\nFuel  low: <>\r\n<End>\r\n");
  const ToolResult result = RunTool({"check", project});
  ASSERT_EQ(result.exitCode, 1) << result.err;
  const std::map<std::string, std::string> ids = IdsByNumber();
  std::vector<std::string> translated;
  std::set<std::string> numbers;
  int previous = 0;
  for (const std::string& line : result.Lines()) {
    const std::vector<std::string> columns = Columns(line);
    ASSERT_EQ(columns.size(), 4u) << line;
    EXPECT_EQ(columns[1], ids.at(columns[0])) << line;
    EXPECT_GE(std::stoi(columns[0]), previous) << line;
    previous = std::stoi(columns[0]);
    numbers.insert(columns[0]);
    if (columns[2] == "unchanged")
      EXPECT_EQ(columns[3], "");
    else
      translated.push_back(line);
  }
  EXPECT_EQ(translated, (std::vector<std::string>{"2\tGovMsgSuccess\ttags\tmissing <Money>",
                                                  "2\tGovMsgSuccess\tpunctuation\t\"\" instead of \".\"",
                                                  "9\tPar(1).Format(1)\tdoublespace\tat 5"}));
  // Every position once: the 79 messages fold three linked path questions into their paths.
  EXPECT_EQ(numbers.size(), 76u);

  const ToolResult spelled = RunTool({"check", "--spell", "en_US", project});
  ASSERT_EQ(spelled.exitCode, 1) << spelled.err;
  std::vector<std::string> spelling;
  for (const std::string& line : spelled.Lines())
    if (Columns(line)[2] == "spelling") spelling.push_back(line);
  EXPECT_EQ(spelling, std::vector<std::string>{"2\tGovMsgSuccess\tspelling\tgoverment"});
  EXPECT_EQ(spelled.Lines().size(), result.Lines().size() + 1);
}

TEST_F(CheckCommand, AProjectWithoutFindingsExitsWithZero) {
  // Every body blank: every message holds the deleted-message text, which has no findings.
  ASSERT_EQ(RunTool({"export-messages", project, folder.File("out.txt")}).exitCode, 0);
  const std::u16string text = ReadExchange(folder.File("out.txt"));
  std::u16string blanked;
  std::size_t pos = 0;
  for (std::size_t begin; (begin = text.find(u"<Begin", pos)) != std::u16string::npos;) {
    const std::size_t header = text.find(u">\r\n", begin);
    blanked += text.substr(pos, header + 3 - pos);
    pos = text.find(u"\r\n<End>", header + 3);
  }
  blanked += text.substr(pos);
  Import(blanked);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"check", project}, std::vector<std::string>{"check", "--spell", "ru", project}}) {
    const ToolResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "");
  }
}

// Python's csv module reads the report back as the lines of the check: N, id, code, detail.
const char* const CsvAsCheckLines = R"(import csv, sys
def escape(text):
    return ''.join({'\\': '\\\\', '\r': '\\r', '\n': '\\n', '\t': '\\t'}.get(c) or
                   (c if ord(c) >= 32 else '\\u%04x' % ord(c)) for c in text)
rows = list(csv.reader(open(sys.argv[1], newline='', encoding='utf-8-sig')))
assert rows[0] == ['Position', 'Message', 'Id', 'Kind', 'Check', 'Detail', 'Source', 'Translation'], rows[0]
lines = ''.join('\t'.join([r[1], escape(r[2]), r[4], escape(r[5])]) + '\n' for r in rows[1:])
sys.stdout.buffer.write(lines.encode('utf-8')))";

TEST_F(CheckCommand, TheReportHoldsWhatTheCheckPrints) {
  Import(
      u"<Begin GovMsgSuccess>\r\nYou saved Vega-7, \"the\" goverment pays you credits\r\n<End>\r\n"
      u"<Begin Par(1).Format(1)>\r\nFuel  low: <>\r\n<End>\r\n");
  const std::string csv = folder.File("report.csv");
  const std::string html = folder.File("report.html");
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{}, std::vector<std::string>{"--spell", "en_US"}}) {
    std::vector<std::string> args = {"check"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(project);
    const ToolResult plain = RunTool(args);
    ASSERT_EQ(plain.exitCode, 1) << plain.err;
    for (const std::string& report : {csv, html}) {
      std::vector<std::string> reporting = args;
      reporting.insert(reporting.begin() + 1, {"--report", report});
      const ToolResult result = RunTool(reporting);
      EXPECT_EQ(result.exitCode, 1) << result.err;
      EXPECT_EQ(result.out, plain.out);
    }
    const ToolResult read = clitest::RunProgram("python3", {"-c", CsvAsCheckLines, csv});
    EXPECT_EQ(read.err, "");
    EXPECT_EQ(read.out, plain.out);
    const ToolResult lint = clitest::RunProgram("xmllint", {"--html", "--noout", html});
    EXPECT_EQ(lint.exitCode, 0);
    EXPECT_EQ(lint.err, "");
  }
}

TEST_F(CheckCommand, UsageErrorsAndFailures) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string errStart;
  };
  const std::vector<Case> cases = {
      {{"check"}, 2, "xgtool: check needs one project file"},
      {{"check", project, project}, 2, "xgtool: check needs one project file"},
      {{"check", project, "--spell"}, 2, "xgtool: --spell needs a language"},
      {{"check", folder.File("missing.txg")}, 3, ""},
      {{"check", "--spell", "xx", project}, 3, "xgtool: Unknown spelling language: xx (dictionaries: "},
      {{"check", "--report", folder.File("r.txt"), project}, 2, "xgtool: --report needs an .html or .csv file"},
      {{"check", project, "--report"}, 2, "xgtool: --report needs an .html or .csv file"},
      {{"check", "--report", folder.File("none/r.csv"), project}, 3, "xgtool: "},
  };
  for (const Case& c : cases) {
    const ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.args.back();
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.substr(0, c.errStart.size()), c.errStart);
  }
  const ToolResult unknown = RunTool({"check", "--spell", "xx", project});
  EXPECT_NE(unknown.err.find("en_US"), std::string::npos) << unknown.err;
  EXPECT_NE(unknown.err.find("ru_RU"), std::string::npos) << unknown.err;
}

}  // namespace
