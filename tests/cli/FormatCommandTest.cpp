// xgtool's PO and XLIFF commands: a translation's way out and back, the report and its exit
// code, refused files (exit 3, file and line named, project untouched) and wrong arguments.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"

namespace {

using clitest::ReadWhole;
using clitest::ToolResult;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

void Replace(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

struct FormatCase {
  std::string format;     // po, xliff
  std::string extension;  // .po, .xlf
  std::string sourceOfRVagrel;
  std::string translatedRVagrel;  // the same unit translated
  std::string languageMark;
};

const std::vector<FormatCase>& Formats() {
  static const std::vector<FormatCase> cases = {
      {"po", ".po", "msgid \"курьер\"\nmsgstr \"\"", "msgid \"курьер\"\nmsgstr \"courier\"", "\"Language: en\\n\""},
      {"xliff", ".xlf", "<source>курьер</source>\n<target state=\"needs-translation\"/>",
       "<source>курьер</source>\n<target state=\"translated\">courier</target>", "target-language=\"en\""},
  };
  return cases;
}

TEST(FormatCommand, TranslationGoesOutAndComesBack) {
  for (const FormatCase& test : Formats()) {
    ScratchFolder folder;
    const std::string project = folder.File("sample.txg");
    ASSERT_EQ(RunTool({"new", clitest::SampleQuest, project}).exitCode, 0);
    const std::string before = ReadWhole(project);
    const std::string file = folder.File("out" + test.extension);
    ToolResult run = RunTool({"export-" + test.format, "--language", "en", project, file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadWhole(project), before) << "export changed the project";
    std::string text = ReadWhole(file);
    EXPECT_NE(text.find(test.languageMark), std::string::npos) << test.format;

    // Unchanged, it comes back without a report and leaves the project as it was.
    run = RunTool({"import-" + test.format, project, file});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadWhole(project), before) << test.format;

    Replace(text, test.sourceOfRVagrel, test.translatedRVagrel);
    folder.Write("out" + test.extension, text);
    run = RunTool({"import-" + test.format, project, file});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    const ToolResult messages = RunTool({"messages", project});
    EXPECT_NE(messages.out.find("\tRVagrel\tcourier\n"), std::string::npos) << messages.out;
  }
}

// msgfmt counts a translation flagged for review as fuzzy: its three counts add up to xgtool's.
TEST(FormatCommand, GettextStatisticsAgreeWithStats) {
  ScratchFolder folder;
  const std::string project = folder.File("sample.txg");
  ASSERT_EQ(RunTool({"new", clitest::SampleQuest, project}).exitCode, 0);
  const std::string po = folder.File("out.po");
  ASSERT_EQ(RunTool({"export-po", "--language", "en", project, po}).exitCode, 0);
  std::string text = ReadWhole(po);
  Replace(text, "msgid \"курьер\"\nmsgstr \"\"", "msgid \"курьер\"\nmsgstr \"courier\"");
  folder.Write("out.po", text);
  ASSERT_EQ(RunTool({"import-po", project, po}).exitCode, 0);
  // Message 1 (untranslated) and message 3 (RVagrel, translated) need review.
  ASSERT_EQ(RunTool({"review", project, "1", "3"}).exitCode, 0);
  // Without a language msgfmt warns first; with one it says only the counts.
  ASSERT_EQ(RunTool({"export-po", "--language", "en", project, po}).exitCode, 0);

  const ToolResult stats = RunTool({"stats", project});
  ASSERT_EQ(stats.exitCode, 0) << stats.err;
  const std::vector<std::string> lines = stats.Lines();
  ASSERT_EQ(lines.size(), 4u);
  const int positions = std::stoi(lines[0].substr(lines[0].find(' ') + 1));
  const int translated = std::stoi(lines[1].substr(lines[1].find(' ') + 1));
  EXPECT_EQ(lines[3], "review: 2");
  const std::string command = "msgfmt -c --statistics -o /dev/null " + clitest::Quoted(po) + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buffer[256] = {};
  ASSERT_NE(fgets(buffer, sizeof buffer, pipe), nullptr);
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(translated, 1);
  EXPECT_EQ(std::string(buffer), std::to_string(translated - 1) + " translated messages, 1 fuzzy translation, " +
                                     std::to_string(positions - translated) + " untranslated messages.\n");

  // --language names the language of the file.
  ASSERT_EQ(RunTool({"export-po", "--language", "de", project, po}).exitCode, 0);
  EXPECT_NE(ReadWhole(po).find("\"Language: de\\n\""), std::string::npos);
}

TEST(FormatCommand, ReportIsPrintedAndExitsWithOne) {
  for (const FormatCase& test : Formats()) {
    ScratchFolder folder;
    const std::string project = folder.File("sample.txg");
    ASSERT_EQ(RunTool({"new", clitest::SampleQuest, project}).exitCode, 0);
    const std::string file = folder.File("out" + test.extension);
    ASSERT_EQ(RunTool({"export-" + test.format, project, file}).exitCode, 0);
    std::string text = ReadWhole(file);
    Replace(text, test.format == "po" ? "msgctxt \"RVagrel\"" : "id=\"RVagrel\"",
            test.format == "po" ? "msgctxt \"RVagrel2\"" : "id=\"RVagrel2\"");
    folder.Write("out" + test.extension, text);
    const ToolResult run = RunTool({"import-" + test.format, project, file});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, "Unknown id: RVagrel2\nNot found: RVagrel\n") << test.format;
  }
}

TEST(FormatCommand, UnparsableFileExitsWithThreeNamingFileAndLine) {
  struct Case {
    std::string command;
    std::string extension;
    std::string text;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"import-po", ".po", "msgid \"\"\nmsgstr \"\"\n\nmsgid \"a\nmsgstr \"\"\n", ":5: end-of-line within string\n"},
      {"import-xliff", ".xlf", "<?xml version=\"1.0\"?>\n<xliff version=\"1.2\">\n<file>\n</xliff>\n",
       ":4: Opening and ending tag mismatch: file line 3 and xliff\n"},
      {"import-xliff", ".xlf", "<?xml version=\"1.0\"?>\n<html/>\n",
       ":2: the root element is <html>, not XLIFF 1.2's <xliff>\n"},
  };
  for (const Case& test : cases) {
    ScratchFolder folder;
    const std::string project = folder.File("sample.txg");
    ASSERT_EQ(RunTool({"new", clitest::SampleQuest, project}).exitCode, 0);
    const std::string before = ReadWhole(project);
    const std::string file = folder.Write("broken" + test.extension, test.text);
    const ToolResult run = RunTool({test.command, project, file});
    EXPECT_EQ(run.exitCode, 3) << test.command;
    EXPECT_EQ(run.err, "xgtool: " + file + test.error);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadWhole(project), before) << test.command;
  }
}

TEST(FormatCommand, WrongArgumentsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"export-po"},          {"export-po", "a.txg"}, {"export-po", "--language"}, {"export-xliff", "a.txg", "b", "c"},
      {"import-po", "a.txg"}, {"import-xliff"},
  };
  for (const std::vector<std::string>& args : cases) {
    const ToolResult run = RunTool(args);
    EXPECT_EQ(run.exitCode, 2) << args.size();
    EXPECT_NE(run.err.find("usage: xgtool " + args[0]), std::string::npos) << run.err;
  }
}

}  // namespace
