// XLIFF 1.2 files: the strict schema, markup as <ph>, the import of plain and grouped units, and
// the files it refuses without touching the project.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FormatTestSupport.h"
#include "formats/XliffFormat.h"
#include "support/ErrorDescription.h"
#include "support/JD_Str.h"

using namespace formattest;

namespace {

const std::string SchemaFile = std::string(XG_TEST_DIR) + "/data/xliff-core-1.2-strict.xsd";

std::string ReadText(const std::string& fileName) {
  const std::vector<uint8_t> bytes = projecttest::ReadBytes(fileName);
  return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& fileName, const std::string& text) {
  projecttest::WriteBytes(fileName, std::vector<uint8_t>(text.begin(), text.end()));
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  std::size_t count = 0;
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()), ++count)
    text.replace(at, from.size(), to);
  ASSERT_GT(count, 0u) << from;
}

class XliffFile : public ::testing::Test {
 protected:
  XliffFile() : project(std::make_unique<TtxgProject>(projecttest::Catalogue())) { MakeOddProject(*project); }
  std::string Export(const TExportOptions& options = Options) {
    const std::string file = folder.File("odd.xlf");
    SaveXliff(*project, file, options);
    return file;
  }
  std::unique_ptr<TtxgProject> project;
  ScratchFolder folder;
};

TEST_F(XliffFile, ValidatesAgainstTheStrictSchema) {
  for (const TExportOptions& options : {Options, TExportOptions{"no language.xg", ""}}) {
    const ToolRun run = RunShell("xmllint --noout --schema " + Quoted(SchemaFile) + " " + Quoted(Export(options)));
    EXPECT_EQ(run.exitCode, 0) << run.output;
  }
  auto sample = std::make_unique<TtxgProject>(projecttest::Catalogue());
  sample->NewFromSource(projecttest::SampleQuest());
  SaveXliff(*sample, folder.File("sample.xlf"), Options);
  const ToolRun run =
      RunShell("xmllint --noout --schema " + Quoted(SchemaFile) + " " + Quoted(folder.File("sample.xlf")));
  EXPECT_EQ(run.exitCode, 0) << run.output;
}

TEST_F(XliffFile, UnitsCarryStatesKindsAndMarkupAsPlaceholders) {
  const std::string text = ReadText(Export());
  const std::vector<std::string> expected = {
      "<file original=\"odd.xg\" source-language=\"ru\" target-language=\"en\" datatype=\"plaintext\">",
      "<trans-unit id=\"Path(111).Start\" xml:space=\"preserve\" approved=\"yes\">\n"
      "<source><ph id=\"1\">&lt;b&gt;</ph>tag<ph id=\"2\">&lt;/b&gt;</ph> <ph id=\"3\">[expression]</ph> "
      "<ph id=\"4\">{other}</ph> <ph id=\"5\">&lt;unclosed</ph></source>\n"
      "<target state=\"translated\"><ph id=\"1\">[T\\u{0002}\\u{DC01}]</ph> <ph id=\"2\">&lt;b&gt;</ph>tag",
      "<trans-unit id=\"Path(102).Start\" xml:space=\"preserve\">\n"
      "<source>lone<ph id=\"1\">\\u{000D}</ph>carriage return</source>\n"
      "<target state=\"needs-review-translation\"/>\n<note from=\"developer\">Path question</note>\n"
      "<note from=\"translator\">\n\nafter two breaks \\u{D800}</note>\n</trans-unit>",
      "<target state=\"needs-translation\"/>\n<note from=\"developer\">Path question</note>\n</trans-unit>",
      "<note from=\"translator\">check the &lt;b&gt; tag\n second line with a lone\\u{000D}CR and "
      "\\u{005C}u{0041}</note>",
      "<trans-unit id=\"L(5).Text(1)#2\"",
      "<note from=\"developer\">Location text (5)</note>",
      "<source>XML specials &amp; <ph id=\"1\">&lt; &gt;</ph> &quot; '</source>",
      "<source>stray &gt; bracket</source>\n<target state=\"translated\">stray &gt; bracket</target>",
      // Only a translation that needs no review is approved; translated as is counts.
      "<trans-unit id=\"Path(101).Start\" xml:space=\"preserve\">\n",
      "<trans-unit id=\"Path(112).Start\" xml:space=\"preserve\" approved=\"yes\">\n",
  };
  for (const std::string& piece : expected) EXPECT_NE(text.find(piece), std::string::npos) << piece;
}

TEST_F(XliffFile, PlainTextInsteadOfPlaceholdersAndGroupedUnitsImportAlike) {
  const std::string file = Export();
  const std::string saved = folder.File("before.txg");
  project->SaveToFile(saved);
  std::string text = ReadText(file);
  // What a tool that drops placeholders writes: their content as text; and units inside groups.
  for (int id = 1; id <= 9; ++id) {
    const std::string open = "<ph id=\"" + std::to_string(id) + "\">";
    if (text.find(open) != std::string::npos) ReplaceAll(text, open, "");
  }
  ReplaceAll(text, "</ph>", "");
  ReplaceAll(text, "<body>", "<body><group id=\"g\">");
  ReplaceAll(text, "</body>", "</group></body>");
  WriteText(file, text);
  TConversionReport report;
  LoadXliff(*project, file, report);
  EXPECT_TRUE(report.Empty()) << WideToAnsi(report.Lines());
  project->SaveToFile(folder.File("after.txg"));
  EXPECT_EQ(projecttest::ReadBytes(folder.File("after.txg")), projecttest::ReadBytes(saved));
}

TEST_F(XliffFile, ImportReportsWhatDoesNotFit) {
  const std::string file = Export();
  std::string text = ReadText(file);
  ReplaceAll(text, "<trans-unit id=\"Path(103).Start\"", "<trans-unit id=\"Path(103).Gone\"");
  ReplaceAll(
      text,
      "<source>lone<ph id=\"1\">\\u{000D}</ph>carriage return</source>\n<target state=\"needs-review-translation\"/>",
      "<source>lone carriage return</source>\n<target>New</target>");
  WriteText(file, text);
  TConversionReport report;
  LoadXliff(*project, file, report);
  EXPECT_EQ(report.Lines(),
            u"Changed source: Path(102).Start\nUnknown id: Path(103).Gone\nNot found: Path(103).Start\n");
  const int32_t changed = MessageOf(*project, u"Path(102).Start");
  EXPECT_EQ(project->GetTargetText(changed), u"New");
  EXPECT_FALSE(project->NeedsReview(changed));  // a target without a state
  EXPECT_EQ(project->Note(changed), u"\r\n\r\nafter two breaks \xD800");
}

// approved="yes" makes a unit final whatever its target's state; without it the state decides.
TEST_F(XliffFile, ApprovedClearsTheReviewFlag) {
  const std::pair<const char*, bool> cases[] = {
      {" approved=\"yes\"><source>s</source><target state=\"needs-review-translation\">", false},
      {" approved=\"no\"><source>s</source><target state=\"needs-review-translation\">", true},
      {"><source>s</source><target state=\"needs-review-translation\">", true},
      {" approved=\"yes\"><source>s</source><target>", false},
  };
  std::string text = "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\"><file><body>";
  for (const auto& [unit, review] : cases)
    text += std::string("<trans-unit id=\"u\"") + unit + "t</target></trans-unit>";
  WriteText(folder.File("approved.xlf"), text + "</body></file></xliff>");
  const std::vector<TIncomingUnit> units = ReadXliffUnits(folder.File("approved.xlf"));
  ASSERT_EQ(units.size(), std::size(cases));
  for (std::size_t i = 0; i < units.size(); ++i) EXPECT_EQ(units[i].NeedsReview, cases[i].second) << cases[i].first;
}

struct BrokenXliff {
  std::string name;
  std::string text;
  std::string error;  // the whole message after the file name
};

TEST(XmlLanguage, LocaleSpellingsBecomeLanguageTags) {
  const std::pair<const char*, const char*> valid[] = {
      {"", ""}, {"de", "de"}, {"pt_BR", "pt-BR"}, {"sr@latin", "sr"}, {"de_DE.UTF-8", "de-DE"}, {"es-419", "es-419"}};
  for (const auto& [code, tag] : valid) EXPECT_EQ(XmlLanguage(code), tag) << code;
  for (const char* code : {"pt BR", "9x", "de_", "toolongsubtag", "ru--RU", "é"})
    EXPECT_THROW(XmlLanguage(code), std::invalid_argument) << code;
}

// A file of megabytes goes to disk while it is written: a target that cannot be replaced fails
// with its own error part way, leaving the old file and no temporary; a writable one gets it all.
TEST_F(XliffFile, ALargeExportStreamsToTheFileAndFailsCleanly) {
  const std::u16string longNote(std::size_t{2} << 20, u'n');
  project->SetNote(1, longNote);
  const std::string file = folder.File("odd.xlf");
  WriteText(file, "old");
  std::filesystem::permissions(file, std::filesystem::perms(0444));
  int number = 0;
  try {
    SaveXliff(*project, file, Options);
  } catch (const EInOutError& error) {
    number = error.ErrorCode;
  }
  EXPECT_EQ(number, 5);
  EXPECT_EQ(ReadText(file), "old");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"odd.xlf"});
  std::filesystem::permissions(file, std::filesystem::perms(0644));
  ASSERT_EQ(Export(), file);
  const std::vector<TIncomingUnit> units = ReadXliffUnits(file);
  EXPECT_EQ(std::count_if(units.begin(), units.end(), [&](const TIncomingUnit& unit) { return unit.Note == longNote; }),
            1);
}

TEST_F(XliffFile, UnparsableFilesAreRefusedWithLineAndTheProjectIsUntouched) {
  const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  const std::vector<BrokenXliff> cases = {
      {"unclosed", head + "<xliff version=\"1.2\">\n<file>\n</xliff>\n",
       ":4: Opening and ending tag mismatch: file line 3 and xliff"},
      {"wrong root", head + "<tmx version=\"1.4\"/>\n", ":2: the root element is <tmx>, not XLIFF 1.2's <xliff>"},
      {"other namespace", head + "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:2.0\"/>\n",
       ":2: the root element is <xliff>, not XLIFF 1.2's <xliff>"},
      {"not utf-8", head + "<xliff version=\"1.2\">\n<file><body><trans-unit id=\"a\"><source>\xE9</source>",
       ":3: Input is not proper UTF-8, indicate encoding ! Bytes: 0xE9 0x3C 0x2F 0x73"},
      {"empty", "", ":1: Document is empty"},
  };
  const std::string saved = folder.File("before.txg");
  project->SaveToFile(saved);
  for (const BrokenXliff& test : cases) {
    const std::string file = folder.File("broken.xlf");
    WriteText(file, test.text);
    TConversionReport report;
    try {
      LoadXliff(*project, file, report);
      ADD_FAILURE() << test.name << ": accepted";
    } catch (const EFormatParseError& error) {
      EXPECT_EQ(DescribeError(error).front(), file + test.error) << test.name;
    }
    project->SaveToFile(folder.File("after.txg"));
    EXPECT_EQ(projecttest::ReadBytes(folder.File("after.txg")), projecttest::ReadBytes(saved)) << test.name;
  }
}

}  // namespace
