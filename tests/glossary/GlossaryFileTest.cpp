// Glossary files: TBX written and read back, read by translate-toolkit and read from what it
// writes; CSV lists; damaged input; entities; the project's list of glossary files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/ScratchFolder.h"
#include "common/ShippedData.h"
#include "glossary/Glossary.h"
#include "project/ProjectClass.h"
#include "support/BlockFile.h"
#include "support/ErrorDescription.h"
#include "support/Utf8.h"

namespace {

void WriteText(const std::string& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

std::string ReadText(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TGlossary Load(const std::string& file) {
  TGlossaryReport report;
  return LoadTbx(file, report);
}

bool HaveProgram(const char* name) {
  return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Describe(const TGlossaryEntry& entry) {
  std::string text = Utf16ToUtf8(entry.Source) + " ->";
  for (const std::u16string& target : entry.Targets) text += " [" + Utf16ToUtf8(target) + "]";
  return text + " note [" + Utf16ToUtf8(entry.Note) + "] status " + std::to_string(static_cast<int>(entry.Status));
}

void ExpectEntries(const std::vector<TGlossaryEntry>& read, const std::vector<TGlossaryEntry>& expected) {
  ASSERT_EQ(read.size(), expected.size());
  for (std::size_t i = 0; i < read.size(); ++i) EXPECT_EQ(Describe(read[i]), Describe(expected[i])) << "entry " << i;
}

const TGlossary& Sample() {
  static const TGlossary glossary{
      "ru",
      "en",
      {
          {u"карта", {u"map", u"chart"}, u"A star chart.\nNot a card.", TTermStatus::Preferred},
          {u"Рось", {u"Ross"}, u"", TTermStatus::Admitted},
          {u"доминатор", {u"dominator", u"domi"}, u"the machine race", TTermStatus::Forbidden},
          {u"Фэйян", {u"Faeyan"}, u"", TTermStatus::DoNotTranslate},
          {u"рейнджер", {}, u"kept as it is", TTermStatus::DoNotTranslate},
          {u"кредит", {}, u"", TTermStatus::Forbidden},
          {u"Ожог & <пламя>", {u"Burn & \"flame\""}, u"1 < 2", TTermStatus::Preferred},
      }};
  return glossary;
}

TEST(GlossaryFile, SavedTbxReadsBackAsWritten) {
  ScratchFolder folder;
  const std::string file = folder.File("game.tbx");
  SaveTbx(Sample(), file);
  const TGlossary read = Load(file);
  EXPECT_EQ(read.SourceLanguage, "ru");
  EXPECT_EQ(read.TargetLanguage, "en");
  ExpectEntries(read.Entries, Sample().Entries);

  const std::string text = ReadText(file);
  EXPECT_NE(text.find("<martif type=\"TBX-Basic\" xml:lang=\"ru\">"), std::string::npos);
  EXPECT_NE(text.find("TBXBasicXCSV02.xcs"), std::string::npos);
  EXPECT_NE(text.find("deprecatedTerm-admn-sts"), std::string::npos);
  // Other tools see one preferred term an entry at most: the first translation, or the source
  // term of an entry without translations that is not forbidden.
  std::size_t preferred = 0;
  for (std::size_t at = text.find("preferredTerm"); at != std::string::npos; at = text.find("preferredTerm", at + 1))
    ++preferred;
  EXPECT_EQ(preferred, 4u);
  if (!HaveProgram("xmllint")) GTEST_SKIP() << "xmllint is not installed";
  EXPECT_EQ(std::system(("xmllint --noout '" + file + "'").c_str()), 0);
}

// translate-toolkit reads our TBX (checked through its own CSV writer: source and first
// translation of each entry), and we read what its csv2tbx writes.
TEST(GlossaryFile, TranslateToolkitReadsOursAndWeReadItsOwn) {
  if (!HaveProgram("tbx2po") || !HaveProgram("po2csv") || !HaveProgram("csv2tbx"))
    GTEST_SKIP() << "translate-toolkit is not installed";
  ScratchFolder folder;
  auto run = [&folder](const char* program, const char* from, const char* to) {
    return std::system(
        (std::string(program) + " --progress=none '" + folder.File(from) + "' '" + folder.File(to) + "'").c_str());
  };
  SaveTbx(Sample(), folder.File("game.tbx"));
  ASSERT_EQ(run("tbx2po", "game.tbx", "game.po"), 0);
  ASSERT_EQ(run("po2csv", "game.po", "game.csv"), 0);
  TGlossaryReport report;
  const TGlossary read = ImportGlossaryCsv(folder.File("game.csv"), "ru", "en", report);
  ASSERT_EQ(read.Entries.size(), Sample().Entries.size()) << ReadText(folder.File("game.csv"));
  for (std::size_t i = 0; i < read.Entries.size(); ++i) {
    const TGlossaryEntry& written = Sample().Entries[i];
    EXPECT_EQ(Utf16ToUtf8(read.Entries[i].Source), Utf16ToUtf8(written.Source));
    EXPECT_EQ(read.Entries[i].Targets, written.Targets.empty() ? std::vector<std::u16string>{}
                                                               : std::vector<std::u16string>{written.Targets[0]});
  }

  WriteText(folder.File("list.csv"),
            "source,target,comment\n\"карта\",\"map\",\"\"\n\"Рось\",\"Ross, the star\",\"\"\n"
            "\"\"\"Кит\"\"\",\"Whale\",\"\"\n\"Эдем\",\"\",\"\"\n");
  ASSERT_EQ(run("csv2tbx", "list.csv", "list.tbx"), 0);
  const TGlossary other = Load(folder.File("list.tbx"));
  EXPECT_EQ(other.SourceLanguage, "en");  // csv2tbx names its languages "en" and "xx"
  EXPECT_EQ(other.TargetLanguage, "xx");
  ExpectEntries(other.Entries, {{u"карта", {u"map"}, u"", TTermStatus::Preferred},
                                {u"Рось", {u"Ross, the star"}, u"", TTermStatus::Preferred},
                                {u"\"Кит\"", {u"Whale"}, u"", TTermStatus::Preferred},
                                {u"Эдем", {}, u"", TTermStatus::Preferred}});
}

// Other tools' TBX: martif with ntig and termGrp, the second edition's <tbx>, statuses of all kinds.
TEST(GlossaryFile, ReadsOtherTbxForms) {
  struct Case {
    const char* name;
    std::string xml;
    std::string source, target;
    std::vector<TGlossaryEntry> entries;
    std::size_t withoutSource;
  };
  const std::vector<Case> cases = {
      {"ntig, termGrp, definitions and languages spelt differently",
       "<martif type=\"TBX\" xml:lang=\"en_US\"><text><body>"
       "<termEntry><descrip type=\"definition\">A weapon.</descrip>"
       "<langSet xml:lang=\"EN-us\"><ntig><termGrp><term> blaster </term>"
       "<termNote type=\"administrativeStatus\">preferredTerm-admn-sts</termNote></termGrp></ntig></langSet>"
       "<langSet xml:lang=\"de\"><tig><term>Blaster</term></tig></langSet>"
       "<langSet xml:lang=\"ru\"><tig><term>бластер</term><note>short</note></tig>"
       "<tig><term>лучемёт</term>"
       "<termNote type=\"administrativeStatus\">admittedTerm-admn-sts</termNote></tig></langSet>"
       "</termEntry></body></text></martif>",
       "en_US",
       "de",
       {{u"blaster", {u"Blaster"}, u"A weapon.\nshort", TTermStatus::Preferred}},
       0},
      {"the second edition, a deprecated term beside a preferred one, admitted before preferred",
       "<?xml version=\"1.0\"?><?xml-model href=\"TBXcoreStructV03.rng\"?>"
       "<tbx type=\"TBX-Basic\" style=\"dca\" xml:lang=\"ru\" xmlns=\"urn:iso:std:iso:30042:ed-2\">"
       "<tbxHeader/><text><body>"
       "<conceptEntry id=\"a\"><langSec xml:lang=\"ru\"><termSec><term>планета</term></termSec></langSec>"
       "<langSec xml:lang=\"en\"><termSec><term>world</term>"
       "<termNote type=\"administrativeStatus\">admittedTerm-admn-sts</termNote></termSec>"
       "<termSec><term>planet</term><termNote type=\"administrativeStatus\">preferredTerm-admn-sts</termNote></termSec>"
       "<termSec><term>globe</term><termNote type=\"administrativeStatus\">deprecatedTerm-admn-sts</termNote>"
       "</termSec></langSec></conceptEntry>"
       "<conceptEntry id=\"b\"><langSec xml:lang=\"ru\"><termSec><term>звезда</term></termSec>"
       "<termSec><term>светило</term></termSec></langSec>"
       "<langSec xml:lang=\"en\"><termSec><term>star</term>"
       "<termNote type=\"normativeAuthorization\">admittedTerm</termNote></termSec></langSec></conceptEntry>"
       "<conceptEntry id=\"c\"><langSec xml:lang=\"en\"><termSec><term>orphan</term></termSec></langSec></conceptEntry>"
       "</body></text></tbx>",
       "ru",
       "en",
       {{u"планета", {u"planet", u"world"}, u"", TTermStatus::Preferred},
        {u"планета", {u"globe"}, u"", TTermStatus::Forbidden},
        {u"звезда", {u"star"}, u"", TTermStatus::Admitted},
        {u"светило", {u"star"}, u"", TTermStatus::Admitted}},
       1},
      {"no language on the root: each entry's first langSet is its source",
       "<martif type=\"TBX\"><text><body>"
       "<termEntry><langSet xml:lang=\"ru\"><tig><term>груз</term></tig></langSet>"
       "<langSet xml:lang=\"en\"><tig><term>cargo</term></tig></langSet></termEntry>"
       "<termEntry><langSet xml:lang=\"ru\"><tig><term/></tig></langSet>"
       "<langSet xml:lang=\"en\"><tig><term>empty source</term></tig></langSet></termEntry>"
       "<termEntry/>"
       "<termEntry><langSet xml:lang=\"ru\"><tig><term>Гаал</term>"
       "<admin type=\"projectSubset\">Do-Not-Translate</admin></tig></langSet></termEntry>"
       "</body></text></martif>",
       "ru",
       "en",
       {{u"груз", {u"cargo"}, u"", TTermStatus::Preferred}, {u"Гаал", {}, u"", TTermStatus::DoNotTranslate}},
       2},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteText(folder.File("other.tbx"), c.xml);
    TGlossaryReport report;
    const TGlossary read = LoadTbx(folder.File("other.tbx"), report);
    EXPECT_EQ(read.SourceLanguage, c.source);
    EXPECT_EQ(read.TargetLanguage, c.target);
    ExpectEntries(read.Entries, c.entries);
    EXPECT_EQ(report.Entries, c.entries.size());
    EXPECT_EQ(report.WithoutSource, c.withoutSource);
  }
}

TEST(GlossaryFile, ReadsCsvLists) {
  struct Case {
    const char* name;
    std::string csv;
    std::vector<TGlossaryEntry> entries;
    std::size_t withoutSource;
  };
  const std::vector<Case> cases = {
      {"no header, LF, no final line break",
       "карта,map,a chart\nРось,Ross",
       {{u"карта", {u"map"}, u"a chart", TTermStatus::Preferred}, {u"Рось", {u"Ross"}, u"", TTermStatus::Preferred}},
       0},
      {"byte-order mark, CR LF, quotes holding separators, quotes and line breaks",
       "\xEF\xBB\xBF\"a, b\",\"say \"\"hi\"\"\",\"line one\r\nline two\"\r\n\"\",\"\",\"\"\r\nc,,\r\n",
       {{u"a, b", {u"say \"hi\""}, u"line one\nline two", TTermStatus::Preferred},
        {u"c", {}, u"", TTermStatus::Preferred}},
       0},
      {"a header places the columns; rows without a source are counted",
       "Note;Translation;Source term\nspace trade;goods;  товары  \n;orphan;\n\n;;\n",
       {{u"товары", {u"goods"}, u"space trade", TTermStatus::Preferred}},
       1},
      {"tabs, and a first row that is no header",
       "планета\tplanet\tsource of life\n",
       {{u"планета", {u"planet"}, u"source of life", TTermStatus::Preferred}},
       0},
      {"an empty file", "", {}, 0},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteText(folder.File("list.csv"), c.csv);
    TGlossaryReport report;
    const TGlossary read = ImportGlossaryCsv(folder.File("list.csv"), "ru", "en", report);
    EXPECT_EQ(read.SourceLanguage, "ru");
    EXPECT_EQ(read.TargetLanguage, "en");
    ExpectEntries(read.Entries, c.entries);
    EXPECT_EQ(report.Entries, c.entries.size());
    EXPECT_EQ(report.WithoutSource, c.withoutSource);
  }
}

// A damaged file is told as "FILE:LINE: what", and an entry added to it leaves it as it was.
TEST(GlossaryFile, DamagedFilesNameTheirLine) {
  struct Case {
    const char* name;  // the file's name: its extension picks the reader
    std::string text;
    std::string told;  // after "FILE:"
  };
  const std::vector<Case> cases = {
      {"empty.tbx", "", "1: the file is empty"},
      {"cut.tbx", "<martif>\n<text><body>\n<termEntry>", "3: Premature end of data in tag termEntry line 3"},
      {"mismatch.tbx", "<martif>\n<text>\n<body></text>\n</martif>",
       "3: Opening and ending tag mismatch: body line 3 and text"},
      {"entity.tbx", "<martif><text><body>\n<termEntry>&nbsp;</termEntry></body></text></martif>",
       "2: Entity 'nbsp' not defined"},
      {"latin1.tbx", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<martif>\n<p>\xE9t\xE9</p></martif>",
       "3: Input is not proper UTF-8, indicate encoding ! Bytes: 0xE9 0x74 0xE9 0x3C"},
      {"other.tbx", "<?xml version=\"1.0\"?>\n\n<tmx version=\"1.4\"/>",
       "3: the root element is <tmx>, not TBX's <martif> or <tbx>"},
      {"nobody.tbx", "<martif type=\"TBX\">\n<martifHeader/>\n<text/></martif>", "1: no <body> in <text>"},
      {"open.csv", "a,b\nc,\"open\nd,e\n", "2: a quoted field is not closed"},
      {"after.csv", "a,b\n\"a\nb\"c,d\n", "3: text after the closing quote of a field"},
      {"bytes.csv", "a,b\n\"c\nd\",\xD0\n", "3: the text is not UTF-8"},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = folder.File(c.name);
    WriteText(file, c.text);
    const bool tbx = std::filesystem::path(file).extension() == ".tbx";
    try {
      TGlossaryReport report;
      if (tbx)
        LoadTbx(file, report);
      else
        ImportGlossaryCsv(file, "ru", "en", report);
      ADD_FAILURE() << "read without complaint";
    } catch (const EGlossaryError& error) {
      EXPECT_EQ(DescribeError(error), std::vector<std::string>{file + ":" + c.told});
    }
    if (!tbx) continue;
    EXPECT_THROW(AddGlossaryEntry(file, {u"a", {u"b"}, u"", TTermStatus::Preferred}), EGlossaryError);
    EXPECT_EQ(ReadText(file), c.text);
  }
  TGlossaryReport report;
  EXPECT_THROW(LoadTbx(folder.File("missing.tbx"), report), EInOutError);
  EXPECT_THROW(ImportGlossaryCsv(folder.Path(), "ru", "en", report), EInOutError);
}

// Entities are neither substituted nor fetched, and a DTD is never loaded: a glossary is data.
TEST(GlossaryFile, EntitiesAndDtdsAreNotExpanded) {
  ScratchFolder folder;
  WriteText(folder.File("secret.txt"), "secret words");
  // Loaded, this DTD would not even parse.
  WriteText(folder.File("broken.dtd"), "<!ENTITY % broken \"");
  struct Case {
    const char* name;
    std::string doctype;
    std::string term;
  };
  const std::vector<Case> cases = {
      {"internal entity", "<!DOCTYPE martif [<!ENTITY x \"expanded\">]>", "a&x;b"},
      {"external entity", "<!DOCTYPE martif [<!ENTITY x SYSTEM \"file://" + folder.File("secret.txt") + "\">]>",
       "a&x;b"},
      {"external DTD", "<!DOCTYPE martif SYSTEM \"file://" + folder.File("broken.dtd") + "\">", "a<![CDATA[b]]>"},
      {"parameter entity", "<!DOCTYPE martif [<!ENTITY % p SYSTEM \"" + folder.File("broken.dtd") + "\"> %p;]>",
       "a<![CDATA[b]]>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = folder.File("entities.tbx");
    WriteText(file, "<?xml version=\"1.0\"?>\n" + c.doctype +
                        "\n<martif xml:lang=\"en\"><text><body><termEntry><langSet xml:lang=\"en\"><tig><term>" +
                        c.term + "</term></tig></langSet></termEntry></body></text></martif>");
    const TGlossary read = Load(file);
    ASSERT_EQ(read.Entries.size(), 1u);
    EXPECT_EQ(Utf16ToUtf8(read.Entries[0].Source), "ab");
  }
}

TEST(GlossaryFile, AddedEntriesKeepTheRest) {
  ScratchFolder folder;
  const std::string file = folder.File("new.tbx");
  AddGlossaryEntry(file, {u"шлюз", {u"gate"}, u"", TTermStatus::Preferred}, "ru", "en");
  AddGlossaryEntry(file, {u"Гаал", {}, u"a name", TTermStatus::DoNotTranslate});
  const TGlossary read = Load(file);
  EXPECT_EQ(read.SourceLanguage, "ru");
  EXPECT_EQ(read.TargetLanguage, "en");
  ExpectEntries(read.Entries, {{u"шлюз", {u"gate"}, u"", TTermStatus::Preferred},
                               {u"Гаал", {}, u"a name", TTermStatus::DoNotTranslate}});

  // A file made without languages still pairs its terms.
  AddGlossaryEntry(folder.File("bare.tbx"), {u"a", {u"b"}, u"", TTermStatus::Admitted});
  ExpectEntries(Load(folder.File("bare.tbx")).Entries, {{u"a", {u"b"}, u"", TTermStatus::Admitted}});
}

TEST(GlossaryFile, ProjectNamesItsGlossaries) {
  TtxgProject project(ShippedCatalogue());
  EXPECT_TRUE(ProjectGlossaryFiles(project).empty());
  SetProjectGlossaryFiles(project, {"/g/a.tbx", "", "two\nlines.tbx", "b.tbx"});
  EXPECT_EQ(project.Setting(u"glossaries"), u"/g/a.tbx\nb.tbx");
  EXPECT_EQ(ProjectGlossaryFiles(project), (std::vector<std::string>{"/g/a.tbx", "b.tbx"}));
  SetProjectGlossaryFiles(project, {});
  EXPECT_EQ(project.Setting(u"glossaries"), u"");
}

}  // namespace
