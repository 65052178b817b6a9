// PO files: what gettext's own tools make of the files we write, what an import reports, and the
// files it refuses without touching the project.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "FormatTestSupport.h"
#include "formats/PoFormat.h"
#include "support/ErrorDescription.h"
#include "support/JD_Str.h"

using namespace formattest;

namespace {

std::string ReadText(const std::string& fileName) {
  const std::vector<uint8_t> bytes = projecttest::ReadBytes(fileName);
  return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& fileName, const std::string& text) {
  projecttest::WriteBytes(fileName, std::vector<uint8_t>(text.begin(), text.end()));
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

// Reading as bytes for one scope: the tests also run gettext's tools, which must not inherit it.
struct ReadingAsBytes {
  ReadingAsBytes() { ReadPoFilesAsBytes(); }
  ~ReadingAsBytes() { unsetenv("OLD_PO_FILE_INPUT"); }
};

class PoFile : public ::testing::Test {
 protected:
  PoFile() : project(std::make_unique<TtxgProject>(projecttest::Catalogue())) { MakeOddProject(*project); }
  std::string Export() {
    const std::string file = folder.File("odd.po");
    SavePo(*project, file, Options);
    return file;
  }
  // The project as read back from its file, which trims texts at both ends as quest files do.
  void Reload() {
    project->SaveToFile(folder.File("made.txg"));
    project = std::make_unique<TtxgProject>(projecttest::Catalogue());
    project->LoadFromFile(folder.File("made.txg"));
  }
  std::unique_ptr<TtxgProject> project;
  ScratchFolder folder;
};

TEST_F(PoFile, EntriesCarryContextKindAndTheMappedTexts) {
  const std::string text = ReadText(Export());
  const std::vector<std::string> expected = {
      "\"Project-Id-Version: odd.xg\\n\"",
      "\"Language: en\\n\"",
      "\"Content-Type: text/plain; charset=UTF-8\\n\"",
      "\"X-Generator: XGTranslator 0.1\\n\"",
      "#. Path question\n#| msgid \"old text\"\nmsgctxt \"Path(103).Start\"\nmsgid \"lone\\\\u{000A}line feed\"\n",
      "msgctxt \"Path(101).Start\"\nmsgid \"\"\n\"two lines\\n\"\n\"of text\"\nmsgstr \"\"\n\"two lines\\n\"\n"
      "\"of text [T\\\\u{0002}\\\\u{DC01}] \"\n",
      "#. Parameter name\nmsgctxt \"Par(1).Name\"\nmsgid \"\"\nmsgstr \"\"\n",
      "msgctxt \"L(5).Text(1)\"\nmsgid \"first of two L(5)\"",
      "msgctxt \"L(5).Text(1)#2\"\nmsgid \"second of two L(5)\"",
      "#. Location text (5)\n",
      // States: review (for an untranslated message in the "#." comment), note, previous source.
      "# check the <b> tag\n#  second line with a lone\\u{000D}CR and \\u{005C}u{0041}\n#. Path question\n"
      "#, fuzzy\n#| msgid \"\"\n#| \"the old\\n\"\n#| \"question \\\\u{0001}\"\nmsgctxt \"Path(101).Start\"",
      "#. Path question\n#. needs review\nmsgctxt \"Path(102).Start\"\nmsgid \"lone\\\\u{000D}carriage "
      "return\"\nmsgstr "
      "\"\"\n",
      "#  leading space\n#. Location text (5)\nmsgctxt \"L(5).Text(1)\"",
      "msgid \"tab\\tinside\\tand at the end\\t\"",
      // Kept as it is: finished, not fuzzy.
      "#. Path question\nmsgctxt \"Path(112).Start\"\nmsgid \"stray > bracket\"\nmsgstr \"stray > bracket\"\n",
  };
  for (const std::string& piece : expected) EXPECT_NE(text.find(piece), std::string::npos) << piece;
  // The linked duplicate question is carried by the first of its kind.
  std::size_t contexts = 0;
  for (std::size_t at = text.find("msgctxt "); at != std::string::npos; at = text.find("msgctxt ", at + 1)) ++contexts;
  EXPECT_EQ(static_cast<int32_t>(contexts), project->PositionCount);
}

// Every odd text, note and previous source reads the same when gettext reads the file as bytes.
TEST_F(PoFile, ReadingAsBytesGivesTheSameUnits) {
  const std::string file = Export();
  const std::vector<TIncomingUnit> byCharacter = ReadPoUnits(file);
  ReadingAsBytes reading;
  const std::vector<TIncomingUnit> byByte = ReadPoUnits(file);
  ASSERT_EQ(byByte.size(), byCharacter.size());
  ASSERT_EQ(static_cast<int32_t>(byByte.size()), project->PositionCount);
  for (std::size_t i = 0; i < byByte.size(); ++i) {
    const TIncomingUnit& a = byByte[i];
    const TIncomingUnit& b = byCharacter[i];
    EXPECT_TRUE(a.Context == b.Context && a.Source == b.Source && a.Translation == b.Translation &&
                a.NeedsReview == b.NeedsReview && a.Note == b.Note && a.PreviousSource == b.PreviousSource)
        << i;
  }
}

// The file is written as gettext's own writer writes it (gettext wraps long lines; msgcat is told
// not to, as we do not): msgcat reading and writing it again changes no byte.
TEST_F(PoFile, GettextsOwnWriterWritesTheSameBytes) {
  const std::string file = Export();
  const std::string rewritten = folder.File("rewritten.po");
  const ToolRun run = RunShell("msgcat --no-wrap -o " + Quoted(rewritten) + " " + Quoted(file));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(ReadText(rewritten), ReadText(file));
}

TEST_F(PoFile, GettextChecksPassAndCountsAgree) {
  const std::string file = Export();
  const ToolRun check = RunShell("msgfmt -c --statistics -o /dev/null " + Quoted(file));
  EXPECT_EQ(check.exitCode, 0) << check.output;
  // gettext counts a translation that needs review as fuzzy, not as translated.
  int32_t fuzzy = 0;
  for (int32_t p = 1; p <= project->PositionCount; ++p) {
    const int32_t n = project->MessageAtPosition(p);
    fuzzy += project->IsTranslated(n) && project->NeedsReview(n);
  }
  ASSERT_EQ(fuzzy, 1);
  const int32_t translated = project->TranslatedPositions();
  EXPECT_EQ(check.output, std::to_string(translated - fuzzy) + " translated messages, 1 fuzzy translation, " +
                              std::to_string(project->PositionCount - translated) + " untranslated messages.\n");

  // pocount --csv: "FILE, translated, words, words, fuzzy, words, untranslated, ..." on one line.
  const ToolRun count = RunShell("pocount --csv " + Quoted(file) + " 2>/dev/null");
  EXPECT_EQ(count.exitCode, 0) << count.output;
  const std::size_t line = count.output.find(file + ",");
  ASSERT_NE(line, std::string::npos) << count.output;
  std::vector<int> fields;
  std::istringstream row(count.output.substr(line + file.size() + 1));
  for (std::string field; fields.size() < 6 && std::getline(row, field, ',');) fields.push_back(std::stoi(field));
  ASSERT_EQ(fields.size(), 6u);
  EXPECT_EQ(fields[0], translated - fuzzy);
  EXPECT_EQ(fields[3], fuzzy);
  // pocount takes an entry with an empty msgid (a blank parameter name) for a header.
  int32_t blank = 0;
  for (int32_t p = 1; p <= project->PositionCount; ++p)
    blank += project->GetSourceText(project->MessageAtPosition(p)).empty();
  ASSERT_EQ(blank, 1);
  EXPECT_EQ(fields[5], project->PositionCount - translated - blank);
}

TEST_F(PoFile, ImportReportsWhatDoesNotFitAndStoresTheRest) {
  const std::string file = Export();
  std::string text = ReadText(file);
  // An entry for an id the quest does not have, one entry dropped, a translation that loses a
  // tag, a source changed by someone else, an obsolete entry, and a translation removed.
  text += "\nmsgctxt \"Path(999).Start\"\nmsgid \"x\"\nmsgstr \"y\"\n";
  text += "\n#~ msgctxt \"Path(104).Old\"\n#~ msgid \"old\"\n#~ msgstr \"ignored\"\n";
  Replace(text, "msgctxt \"Path(103).Start\"", "msgctxt \"Path(103).Gone\"");
  Replace(text, "msgstr \"[T\\\\u{0002}\\\\u{DC01}] <b>tag</b>", "msgstr \"[T\\\\u{0002}\\\\u{DC01}] <i>tag</b>");
  Replace(text, "msgid \"lone\\\\u{000D}carriage return\"\nmsgstr \"\"",
          "msgid \"lone carriage return\"\nmsgstr \"New\"");
  Replace(text, "msgstr \"non-characters",
          "msgstr \"\"\n\n#. x\nmsgctxt \"unused\"\nmsgid \"u\"\nmsgstr \"non-characters");
  WriteText(file, text);

  const int32_t tagged = MessageOf(*project, u"Path(111).Start");
  const int32_t changed = MessageOf(*project, u"Path(102).Start");
  const int32_t escape = MessageOf(*project, u"Path(115).Start");
  ASSERT_FALSE(project->IsNotEdited(escape));
  TConversionReport report;
  LoadPo(*project, file, report);
  EXPECT_EQ(report.Lines(),
            u"Changed source: Path(102).Start\n"
            u"Unknown id: Path(103).Gone\n"
            u"Different tags: Path(111).Start: <b> <i>\n"
            u"Unknown id: unused\n"
            u"Unknown id: Path(999).Start\n"
            u"Not found: Path(103).Start\n");
  EXPECT_EQ(project->GetTargetText(tagged), u"[T\x02\xDC01] <i>tag</b> [expression] {other} <unclosed");
  EXPECT_TRUE(project->NeedsReview(tagged));  // reported and marked, though the file did not flag it
  EXPECT_FALSE(project->NeedsReview(escape));
  EXPECT_EQ(project->GetTargetText(changed), u"New");
  EXPECT_TRUE(project->IsNotEdited(escape));  // an empty translation takes the translation back
  EXPECT_EQ(project->GetTargetText(escape), project->GetSourceText(escape));
}

TEST_F(PoFile, BlankTranslationMarksTheMessageDeleted) {
  const std::string file = Export();
  std::string text = ReadText(file);
  Replace(text, "msgid \"first of two L(5)\"\nmsgstr \"\"", "msgid \"first of two L(5)\"\nmsgstr \" \\t\"");
  WriteText(file, text);
  TConversionReport report;
  LoadPo(*project, file, report);
  EXPECT_TRUE(report.Empty());
  EXPECT_EQ(project->GetTargetText(MessageOf(*project, u"L(5).Text(1)")), project->DeletedMessageText());
  EXPECT_EQ(project->TargetCount, project->SourceCount);
}

struct BrokenPo {
  std::string name;
  std::string text;
  std::string error;  // the whole message after the file name
};

TEST_F(PoFile, UnparsableFilesAreRefusedWithLineAndTheProjectIsUntouched) {
  const std::string header = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
  const std::vector<BrokenPo> cases = {
      {"unterminated", header + "msgctxt \"GovMsg\"\nmsgid \"a\nmsgstr \"b\"\n", ":6: end-of-line within string"},
      {"keyword", header + "msgctxt \"Par(1).Name\"\nmsgid \"a\"\nmsgstring \"b\"\n",
       ":6: keyword \"msgstring\" unknown"},
      {"not utf-8", header + "msgctxt \"Par(1).Name\"\nmsgid \"a\"\nmsgstr \"\xC3\x28\"\n",
       ":6: invalid multibyte sequence"},
      {"duplicate", header + "msgctxt \"a\"\nmsgid \"a\"\nmsgstr \"\"\n\nmsgctxt \"a\"\nmsgid \"a\"\nmsgstr \"\"\n",
       ":9: duplicate message definition"},
      {"charset",
       "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n\nmsgctxt \"a\"\nmsgid "
       "\"\xE9\"\nmsgstr \"\"\n",
       ": the charset is ISO-8859-1, not UTF-8"},
      {"no header, bad bytes", "msgctxt \"a\"\nmsgid \"x\"\nmsgstr \"\xE9\"\n", ": the entry \"a\" is not UTF-8"},
      {"bad bytes in a comment", header + "# note \xE9t\xE9\nmsgctxt \"a\"\nmsgid \"a\"\nmsgstr \"\"\n",
       ":4: invalid multibyte sequence"},
      {"encoded surrogate", header + "msgctxt \"a\"\nmsgid \"a\"\nmsgstr \"\xED\xA0\x80\"\n",
       ":6: invalid multibyte sequence"},
      {"cut at the end", header + "msgctxt \"a\"\nmsgid \"a\"\nmsgstr \"\"\n# \xE2\x82",
       ":7: invalid multibyte sequence"},
  };
  const std::string saved = folder.File("before.txg");
  project->SaveToFile(saved);
  // Read as bytes or character by character, a file is refused alike.
  for (const bool asBytes : {false, true}) {
    std::optional<ReadingAsBytes> reading;
    if (asBytes) reading.emplace();
    for (const BrokenPo& test : cases) {
      const std::string file = folder.File("broken.po");
      WriteText(file, test.text);
      TConversionReport report;
      try {
        LoadPo(*project, file, report);
        ADD_FAILURE() << test.name << ": accepted";
      } catch (const EFormatParseError& error) {
        EXPECT_EQ(DescribeError(error).front(), file + test.error) << test.name << (asBytes ? " (as bytes)" : "");
      }
      project->SaveToFile(folder.File("after.txg"));
      EXPECT_EQ(projecttest::ReadBytes(folder.File("after.txg")), projecttest::ReadBytes(saved)) << test.name;
    }
  }
  EXPECT_THROW(
      {
        TConversionReport report;
        LoadPo(*project, folder.File("missing.po"), report);
      },
      EInOutError);
}

// gettext's own tools change a file the way a translator's workflow does; the import follows them.
TEST_F(PoFile, FilesChangedByGettextToolsImportAsTheyMeant) {
  Reload();
  const std::string file = Export();
  const std::string saved = folder.File("before.txg");
  project->SaveToFile(saved);

  // msgmerge against a fresh template keeps every translation, flag and note; on an exact match
  // it drops the "#|" lines, and the previous sources with them.
  auto untranslated = std::make_unique<TtxgProject>(projecttest::Catalogue());
  untranslated->LoadFromFile(saved);
  untranslated->TargetGame.Assign(untranslated->SourceGame);
  untranslated->RebuildMessageTable();
  const std::string pot = folder.File("odd.pot");
  SavePo(*untranslated, pot, Options);
  const std::string merged = folder.File("merged.po");
  ToolRun run = RunShell("msgmerge --quiet -o " + Quoted(merged) + " " + Quoted(file) + " " + Quoted(pot));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  TConversionReport report;
  LoadPo(*untranslated, merged, report);
  EXPECT_TRUE(report.Empty()) << WideToAnsi(report.Lines());
  int32_t previousSources = 0;
  for (int32_t n = 1; n <= project->SourceCount; ++n) {
    EXPECT_EQ(untranslated->GetTargetText(n), project->GetTargetText(n)) << n;
    EXPECT_EQ(untranslated->NeedsReview(n), project->NeedsReview(n)) << n;
    EXPECT_EQ(untranslated->Note(n), project->Note(n)) << n;
    EXPECT_EQ(untranslated->PreviousSource(n), u"") << n;
    previousSources += !project->PreviousSource(n).empty();
  }
  EXPECT_EQ(previousSources, 2);

  // msgattrib --set-fuzzy flags every translation for review.
  const std::string flagged = folder.File("flagged.po");
  run = RunShell("msgattrib --set-fuzzy -o " + Quoted(flagged) + " " + Quoted(file));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  LoadPo(*untranslated, flagged, report);
  for (int32_t p = 1; p <= project->PositionCount; ++p) {
    const int32_t n = project->MessageAtPosition(p);
    EXPECT_EQ(untranslated->NeedsReview(n), project->IsTranslated(n) || project->NeedsReview(n)) << n;
  }
  // Only the flags changed: the previous sources came back from the unmerged file.
  untranslated->SaveToFile(folder.File("flagged.txg"));
  for (int32_t p = 1; p <= project->PositionCount; ++p)
    if (project->IsTranslated(project->MessageAtPosition(p)))
      project->SetNeedsReview(project->MessageAtPosition(p), true);
  project->SaveToFile(folder.File("expected.txg"));
  EXPECT_EQ(projecttest::ReadBytes(folder.File("flagged.txg")), projecttest::ReadBytes(folder.File("expected.txg")));

  // msgfilter rewrites every translation and nothing else.
  const std::string filtered = folder.File("filtered.po");
  run = RunShell("msgfilter --keep-header -i " + Quoted(file) + " -o " + Quoted(filtered) + " sed -e s/text/TEXT/");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  LoadPo(*project, filtered, report);
  const int32_t twoLines = MessageOf(*project, u"Path(101).Start");
  EXPECT_EQ(project->GetTargetText(twoLines), u"two lines\r\nof TEXT [T\x02\xDC01]");
  EXPECT_EQ(project->GetTargetText(MessageOf(*project, u"Path(102).Start")), u"lone\rcarriage return");
}

}  // namespace
