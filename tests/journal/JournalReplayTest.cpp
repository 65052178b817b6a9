// The journal applied to a project: every kind of change comes back through the project's own
// operations, the last record of a message wins, and a journal of another project changes nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/ScratchFolder.h"
#include "common/ShippedData.h"
#include "journal/JournalReplay.h"
#include "project/ProjectClass.h"

namespace {

std::unique_ptr<TtxgProject> SampleProject() {
  auto project = std::make_unique<TtxgProject>(ShippedCatalogue());
  project->NewFromSource(SampleQuestPath());
  return project;
}

// Every message's state as the journal sees it.
std::vector<TJournalEntry> States(const TtxgProject& project) {
  std::vector<TJournalEntry> states;
  for (int32_t n = 1; n <= project.SourceCount; ++n) states.push_back(JournalEntryOf(project, n, 0));
  return states;
}

TEST(JournalReplay, EveryKindOfChangeComesBackFromTheJournal) {
  auto edited = SampleProject();
  auto saved = SampleProject();
  ASSERT_GE(edited->SourceCount, 6);
  ScratchFolder folder;
  TJournalWriter writer = TJournalWriter::Start(folder.File("p.txg.journal"), TJournalHeader{});
  // Each step changes the project as a window command would, and journals the message it changed.
  const struct {
    int32_t message;
    void (*change)(TtxgProject& project, int32_t n);
  } steps[] = {
      {1, [](TtxgProject& p, int32_t n) { p.StoreTranslation(n, u"typed"); }},
      {1, [](TtxgProject& p, int32_t n) { p.StoreTranslation(n, u"typed more"); }},
      {2, [](TtxgProject& p, int32_t n) { p.StoreTranslation(n, u""); }},  // cleared
      {3, [](TtxgProject& p, int32_t n) { p.SetNeedsReview(n, true); }},
      {4, [](TtxgProject& p, int32_t n) { p.SetNote(n, u"ask the author"); }},
      {5, [](TtxgProject& p, int32_t n) { p.SetTranslatedAsIs(n, true); }},
      {6, [](TtxgProject& p, int32_t n) { p.StoreTranslation(n, u"six"); }},
      {6, [](TtxgProject& p, int32_t n) { p.StoreTranslation(n, p.GetSourceText(n)); }},  // copied source
      {6, [](TtxgProject& p, int32_t n) { p.SetTranslatedAsIs(n, true); }},
      {3, [](TtxgProject& p, int32_t n) { p.SetNeedsReview(n, false); }},
  };
  for (const auto& step : steps) {
    step.change(*edited, step.message);
    writer.Append(JournalEntryOf(*edited, step.message, JournalClock()));
  }
  const TJournal journal = ReadJournal(folder.File("p.txg.journal"));
  ASSERT_NE(States(*saved), States(*edited));
  EXPECT_EQ(ApplyJournal(*saved, journal), 10);
  EXPECT_EQ(States(*saved), States(*edited));
  EXPECT_EQ(saved->TranslatedPositions(), edited->TranslatedPositions());
  EXPECT_EQ(saved->ReviewPositions(), edited->ReviewPositions());
  EXPECT_EQ(saved->NotePositions(), edited->NotePositions());
  // Idempotent: a second replay changes nothing.
  EXPECT_EQ(ApplyJournal(*saved, journal), 10);
  EXPECT_EQ(States(*saved), States(*edited));
}

TEST(JournalReplay, AJournalNamingAMessageTheProjectLacksChangesNothing) {
  auto project = SampleProject();
  const std::vector<TJournalEntry> before = States(*project);
  for (const int32_t message : {project->SourceCount + 1, 0x7FFFFFFF}) {
    TJournal journal;
    journal.Entries = {{1, 0, true, false, u"first", u"note"}, {message, 0, false, false, u"x", u""}};
    try {
      ApplyJournal(*project, journal);
      ADD_FAILURE() << message << ": applied";
    } catch (const EJournalError& error) {
      EXPECT_STREQ(error.what(), "The journal does not match the project file");
    }
    EXPECT_EQ(States(*project), before) << message;
  }
}

}  // namespace
