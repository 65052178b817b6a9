// xgtool recover: the journal of unsaved changes applied and saved, its exact output and exit
// codes, and every refusal leaving the project and the journal as they were.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "common/ShippedData.h"
#include "journal/JournalReplay.h"
#include "project/ProjectClass.h"

namespace {

using clitest::ReadWhole;

const std::vector<TJournalEntry> Typed = {{1, 0, false, false, u"first", u""},
                                          {2, 0, true, false, u"second", u"check"},
                                          {1, 0, false, false, u"first, typed on", u""}};

void WriteJournal(const std::string& project, const std::vector<TJournalEntry>& entries) {
  TJournalWriter writer = TJournalWriter::Start(JournalFileFor(project), JournalHeaderFor(project));
  for (const TJournalEntry& entry : entries) writer.Append(entry);
}

TEST(RecoverCommand, ExactOutputAndExitCodeForEveryJournal) {
  const struct {
    const char* what;
    std::function<void(const ScratchFolder& folder, const std::string& project)> prepare;
    std::vector<std::string> options;
    int exitCode;
    std::string out;
    std::string err;  // '@' stands for the project file
    bool changes;     // the project and its journal change
  } cases[] = {
      {"recovered", [](auto&, const std::string& p) { WriteJournal(p, Typed); }, {}, 0, "recovered: 3\n", "", true},
      {"dry run",
       [](auto&, const std::string& p) { WriteJournal(p, Typed); },
       {"--dry-run"},
       0,
       "recovered: 3\n",
       "",
       false},
      {"empty journal", [](auto&, const std::string& p) { WriteJournal(p, {}); }, {}, 0, "recovered: 0\n", "", true},
      {"torn last record",
       [](auto&, const std::string& p) {
         WriteJournal(p, Typed);
         const std::vector<uint8_t> record = EncodeJournalRecord({3, 0, false, false, u"lost", u""});
         TJournalWriter::Continue(JournalFileFor(p)).AppendEncoded({record.begin(), record.end() - 1});
       },
       {},
       0,
       "recovered: 3\n",
       "",
       true},
      {"no journal", [](auto&, const std::string&) {}, {}, 1, "", "xgtool: @: there is no journal @.journal\n", false},
      {"saved since",
       [](auto&, const std::string& p) {
         WriteJournal(p, Typed);
         ASSERT_EQ(clitest::RunToolWithShippedCatalogue({"note", p, "3", "saved elsewhere"}).exitCode, 0);
       },
       {},
       3,
       "",
       "xgtool: @.journal: the journal does not match @: the project was saved since it was written\n",
       false},
      {"not a journal",
       [](const ScratchFolder& f, auto&) { f.Write("p.txg.journal", std::string(48, 'x')); },
       {},
       3,
       "",
       "xgtool: @.journal: This is not a journal\n",
       false},
      {"message the project lacks",
       [](auto&, const std::string& p) {
         WriteJournal(p, {{1, 0, false, false, u"x", u""}, {100000, 0, false, false, u"y", u""}});
       },
       {},
       3,
       "",
       "xgtool: @.journal: The journal does not match the project file\n",
       false},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    const std::string project = folder.File("p.txg");
    ASSERT_EQ(clitest::RunToolWithShippedCatalogue({"new", clitest::SampleQuest, project}).exitCode, 0);
    c.prepare(folder, project);
    const std::string projectBefore = ReadWhole(project);
    const std::string journalBefore = ReadWhole(JournalFileFor(project));
    std::vector<std::string> args = {"recover", project};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const clitest::ToolResult result = clitest::RunToolWithShippedCatalogue(args);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.what << ": " << result.err;
    EXPECT_EQ(result.out, c.out) << c.what;
    std::string err = c.err;
    for (std::size_t at = err.find('@'); at != std::string::npos; at = err.find('@', at + project.size()))
      err.replace(at, 1, project);
    EXPECT_EQ(result.err, err) << c.what;
    EXPECT_EQ(ReadWhole(project) != projectBefore, c.changes && c.out != "recovered: 0\n") << c.what;
    if (!c.changes) {
      EXPECT_EQ(ReadWhole(JournalFileFor(project)), journalBefore) << c.what;
      continue;
    }
    // The journal starts again for the saved file.
    const TJournal journal = ReadJournal(JournalFileFor(project));
    EXPECT_TRUE(journal.Entries.empty()) << c.what;
    EXPECT_TRUE(JournalMatches(journal.Header, project)) << c.what;
  }
}

TEST(RecoverCommand, TheSavedProjectHoldsTheLastStateOfEachMessage) {
  ScratchFolder folder;
  const std::string file = folder.File("p.txg");
  ASSERT_EQ(clitest::RunToolWithShippedCatalogue({"new", clitest::SampleQuest, file}).exitCode, 0);
  WriteJournal(file, Typed);
  ASSERT_EQ(clitest::RunToolWithShippedCatalogue({"recover", file}).exitCode, 0);
  auto project = std::make_unique<TtxgProject>(ShippedCatalogue());
  project->LoadFromFile(file);
  EXPECT_EQ(JournalEntryOf(*project, 1, 0), Typed[2]);
  EXPECT_EQ(JournalEntryOf(*project, 2, 0), Typed[1]);
}

}  // namespace
