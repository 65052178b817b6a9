// xgtool find on a translated sample project: each option against a plain filter of the
// `messages` listings, and every exit code.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "support/BlockFile.h"

namespace {

using clitest::ToolResult;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

std::vector<std::string> Columns(const std::string& line) {
  std::vector<std::string> columns;
  std::istringstream stream(line);
  for (std::string column; std::getline(stream, column, '\t');) columns.push_back(column);
  return columns;
}

struct Message {
  std::string id, source, target;
};

// A new project of the sample quest in which every translation is "RU " + the source.
class FindCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    project = folder.File("sample.txg");
    ASSERT_EQ(RunTool({"new", clitest::SampleQuest, project}).exitCode, 0);
    ASSERT_EQ(RunTool({"export-messages", project, folder.File("out.txt")}).exitCode, 0);
    TBlockFileReader in(folder.File("out.txt"));
    in.ReadByte();
    in.ReadByte();
    std::u16string text = in.ReadUnits(static_cast<int32_t>(in.BytesLeft() / 2));
    for (std::size_t at = text.find(u"<Begin "); at != std::u16string::npos; at = text.find(u"<Begin ", at + 1))
      text.insert(text.find(u">\r\n", at) + 3, u"RU ");
    TBlockFileWriter out(folder.File("in.txt"));
    out.WriteByte(0xFF);
    out.WriteByte(0xFE);
    out.WriteUnits(text);
    out.Commit();
    ASSERT_EQ(RunTool({"import-messages", project, folder.File("in.txt")}).exitCode, 0);

    const ToolResult target = RunTool({"messages", project});
    const ToolResult source = RunTool({"messages", "--source", project});
    for (const std::string& line : target.Lines()) messages.push_back({Columns(line).at(2), "", Columns(line).at(3)});
    const std::vector<std::string> sourceLines = source.Lines();
    ASSERT_EQ(sourceLines.size(), messages.size());
    for (std::size_t i = 0; i < messages.size(); ++i) messages[i].source = Columns(sourceLines[i]).at(3);

    // An empty pattern matches every position: the map of positions to messages.
    const ToolResult all = RunTool({"find", "", project});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    for (const std::string& line : all.Lines()) positions.push_back(std::stoi(Columns(line).at(1)));
    const std::string info = RunTool({"info", project}).out;
    ASSERT_NE(info.find("Positions: " + std::to_string(positions.size()) + "\n"), std::string::npos) << info;
  }

  // What find must print: the positions whose message passes `wanted`, in the contract's format.
  std::string Expected(const std::function<bool(const Message&)>& wanted) const {
    std::string out;
    for (std::size_t p = 0; p < positions.size(); ++p) {
      const Message& m = messages.at(static_cast<std::size_t>(positions[p] - 1));
      if (wanted(m))
        out += std::to_string(p + 1) + "\t" + std::to_string(positions[p]) + "\t" + m.id + "\t" + m.target + "\n";
    }
    return out;
  }

  ScratchFolder folder;
  std::string project;
  std::vector<Message> messages;
  std::vector<int32_t> positions;  // per position - 1: its message
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(FindCommand, EachOptionAgainstAPlainFilter) {
  ASSERT_EQ(positions.size(), 76u);
  struct Case {
    std::vector<std::string> options;
    std::string pattern;
    std::function<bool(const Message&)> wanted;
  };
  const std::vector<Case> cases = {
      {{},
       "Осмотреться",
       [](const Message& m) { return Has(m.source, "Осмотреться") || Has(m.target, "Осмотреться"); }},
      {{"--source"}, "Вернуться", [](const Message& m) { return Has(m.source, "Вернуться"); }},
      {{"--target"}, "RU Вернуться", [](const Message& m) { return Has(m.target, "RU Вернуться"); }},
      {{"--id"}, "Delta(", [](const Message& m) { return Has(m.id, "Delta("); }},
      {{"--id", "--regex"},
       "^Path\\(1[0-9]\\)\\.End$",
       [](const Message& m) { return std::regex_search(m.id, std::regex("^Path\\(1[0-9]\\)\\.End$")); }},
      {{"--ignore-case"}, "ЛАСТОЧК", [](const Message& m) { return Has(m.source, "Ласточк"); }},
      {{"--target", "--regex", "--ignore-case"},
       "^ru (вер|ОСМ)",
       [](const Message& m) { return m.target.rfind("RU Вер", 0) == 0 || m.target.rfind("RU Осм", 0) == 0; }},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"find"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.insert(args.end(), {c.pattern, project});
    const ToolResult result = RunTool(args);
    const std::string expected = Expected(c.wanted);
    ASSERT_FALSE(expected.empty()) << c.pattern;
    EXPECT_EQ(result.exitCode, 0) << c.pattern << result.err;
    EXPECT_EQ(result.out, expected) << c.pattern;
  }
}

TEST_F(FindCommand, ExitCodes) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string err;  // the start of stderr
  };
  const std::vector<Case> cases = {
      {{"find", "--source", "RU ", project}, 1, ""},
      {{"find", "--id", "Вернуться", project}, 1, ""},
      {{"find", "--", "--source", project}, 1, ""},
      {{"find", "станции", project}, 0, ""},
      {{"find"}, 2, "xgtool: find needs a pattern and one project file"},
      {{"find", "x"}, 2, "xgtool: find needs a pattern and one project file"},
      {{"find", "--source", "--id", "x", project}, 2, "xgtool: find takes one of --source, --target and --id"},
      {{"find", "--whole", "x", project}, 2, "xgtool: find does not know the option --whole"},
      {{"find", "--regex", "(шлюз", project},
       3,
       "xgtool: Invalid regular expression at offset 5: missing closing parenthesis\n"},
      {{"find", "x", folder.File("absent.txg")}, 3, "xgtool: " + folder.File("absent.txg") + ": File not found\n"},
  };
  for (const Case& c : cases) {
    const ToolResult result = RunTool(c.args);
    SCOPED_TRACE(c.args.at(c.args.size() > 1 ? c.args.size() - 2 : 0));
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.err.rfind(c.err, 0), 0u) << result.err;
    if (c.exitCode != 0) {
      EXPECT_EQ(result.out, "");
    }
  }
}

}  // namespace
