// xgtool glossary-import: a CSV term list made into a TBX glossary.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "glossary/Glossary.h"

namespace {

using clitest::RunTool;
using clitest::ToolResult;

void WriteText(const std::string& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

TEST(GlossaryImportCommand, WritesTheListAsTbxAndReports) {
  ScratchFolder folder;
  const std::string csv = folder.File("list.csv");
  WriteText(csv, "source,target,note\nкарта,map,a chart\n,lost,\nРось,Ross,\n");
  struct Case {
    std::vector<std::string> options;
    std::string source, target;
  };
  const std::vector<Case> cases = {
      {{}, "ru", "und"},
      {{"--target-language", "pt_BR", "--source-language", "EN"}, "EN", "pt-BR"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const std::string tbx = folder.File("out-" + c.target + ".tbx");
    std::vector<std::string> args = {"glossary-import", csv, tbx};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const ToolResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, 1) << result.err;  // a row without a source was left out
    EXPECT_EQ(result.out, "entries: 2\nskipped without source: 1\n");
    EXPECT_EQ(result.err, "");
    TGlossaryReport report;
    const TGlossary read = LoadTbx(tbx, report);
    EXPECT_EQ(read.SourceLanguage, c.source);
    EXPECT_EQ(read.TargetLanguage, c.target);
    EXPECT_EQ(read.Entries, (std::vector<TGlossaryEntry>{{u"карта", {u"map"}, u"a chart", TTermStatus::Preferred},
                                                         {u"Рось", {u"Ross"}, u"", TTermStatus::Preferred}}));
  }
  WriteText(csv, "карта,map\n");
  const ToolResult clean = RunTool({"glossary-import", csv, folder.File("clean.tbx")});
  EXPECT_EQ(clean.exitCode, 0) << clean.err;
  EXPECT_EQ(clean.out, "entries: 1\nskipped without source: 0\n");
}

TEST(GlossaryImportCommand, RefusesWithoutWritingAnything) {
  ScratchFolder folder;
  const std::string good = folder.File("good.csv"), bad = folder.File("bad.csv"), out = folder.File("out.tbx");
  WriteText(good, "a,b\n");
  WriteText(bad, "a,b\n\"c,d\n");
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string err;  // the first line of stderr
  };
  const std::vector<Case> cases = {
      {{"glossary-import", good}, 2, "xgtool: glossary-import needs a CSV file and a TBX file"},
      {{"glossary-import", good, out, "--source-language"}, 2, "xgtool: --source-language needs a language code"},
      {{"glossary-import", good, out, "--target-language", "r u"},
       2,
       "xgtool: The language \"r u\" is not a language code such as de or pt_BR"},
      {{"glossary-import", good, out, "--dialect", "x"}, 2, "xgtool: unknown option --dialect"},
      {{"glossary-import", bad, out}, 3, "xgtool: " + bad + ":2: a quoted field is not closed"},
      {{"glossary-import", folder.File("missing.csv"), out},
       3,
       "xgtool: " + folder.File("missing.csv") + ": File not found"},
      {{"glossary-import", good, folder.File("no-folder/out.tbx")},
       3,
       "xgtool: " + folder.File("no-folder/out.tbx") + ": Invalid filename"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    const ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), c.err);
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(folder.File("no-folder")));
  }
}

}  // namespace
