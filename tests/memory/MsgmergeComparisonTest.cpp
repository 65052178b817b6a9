// The update compared with gettext's msgmerge on the same old and new quests, both written as the
// PO files `xgtool export-po` gives users (msgctxt = message id, msgid = source, msgstr =
// translation, "#, fuzzy" = needs review).
#include <gettext-po.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "formats/PoFormat.h"
#include "memory/ProjectUpdate.h"
#include "memory/UpdateFixtures.h"
#include "support/Utf8.h"

namespace {

struct MergedEntry {
  bool fuzzy = false;
  bool translated = false;
  bool hasPreviousContext = false;
  std::string previousContext;
};

void Complain(int severity, po_message_t, const char* file, size_t line, size_t, int, const char* text) {
  ADD_FAILURE() << "gettext: " << (file != nullptr ? file : "") << ":" << line << ": " << text;
  if (severity == PO_SEVERITY_FATAL_ERROR) std::abort();
}
void Complain2(int severity, po_message_t, const char*, size_t, size_t, int, const char* text, po_message_t,
               const char*, size_t, size_t, int, const char*) {
  Complain(severity, nullptr, nullptr, 0, 0, 0, text);
}

// The live entries of a PO file read by libgettextpo, by msgctxt.
std::map<std::string, MergedEntry> ReadMerged(const std::string& fileName) {
  const po_xerror_handler handler{Complain, Complain2};
  po_file_t file = po_file_read(fileName.c_str(), &handler);
  std::map<std::string, MergedEntry> entries;
  if (file == nullptr) return entries;
  po_message_iterator_t iterator = po_message_iterator(file, nullptr);
  for (po_message_t message = po_next_message(iterator); message != nullptr; message = po_next_message(iterator)) {
    if (po_message_is_obsolete(message) || po_message_msgctxt(message) == nullptr) continue;
    MergedEntry entry;
    entry.fuzzy = po_message_is_fuzzy(message) != 0;
    entry.translated = po_message_msgstr(message)[0] != '\0';
    if (const char* previous = po_message_prev_msgctxt(message); previous != nullptr) {
      entry.hasPreviousContext = true;
      entry.previousContext = previous;
    }
    entries[po_message_msgctxt(message)] = entry;
  }
  po_message_iterator_free(iterator);
  po_file_free(file);
  return entries;
}

// What `xgtool export-po PROJECT.txg OUT.po` writes: the project as read from its file (which trims
// texts as quest files do), its references resolved.
void ExportPoOfProjectFile(const std::string& projectFile, const std::string& poFile) {
  TtxgProject project(projecttest::Catalogue());
  project.LoadFromFile(projectFile);
  project.Relink();
  SavePo(project, poFile, {"quest.xg", ""});
}

TEST(MsgmergeComparison, GettextsFuzzyEntriesUnderTheirOldContextAreChangedHere) {
  if (std::system("msgmerge --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "msgmerge is not installed";
  ScratchFolder folder;
  updatetest::OldProject()->SaveToFile(folder.File("old.txg"));
  const std::string newQuest = updatetest::WriteNewQuest(folder);
  {
    TtxgProject fresh(projecttest::Catalogue());
    fresh.NewFromSource(newQuest);
    fresh.SaveToFile(folder.File("new.txg"));
  }
  ExportPoOfProjectFile(folder.File("old.txg"), folder.File("old.po"));
  ExportPoOfProjectFile(folder.File("new.txg"), folder.File("new.pot"));
  const std::string command = "msgmerge --quiet --previous -o '" + folder.File("merged.po") + "' '" +
                              folder.File("old.po") + "' '" + folder.File("new.pot") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const auto merged = ReadMerged(folder.File("merged.po"));

  // The update as `xgtool update old.txg new.xg` makes it.
  TtxgProject old(projecttest::Catalogue());
  old.LoadFromFile(folder.File("old.txg"));
  TtxgProject updated(projecttest::Catalogue());
  const TUpdatePlan plan = UpdateProject(old, newQuest, updated);
  const std::vector<TOutgoingUnit> units = OutgoingUnits(updated);
  ASSERT_EQ(static_cast<int32_t>(merged.size()), updated.PositionCount);
  ASSERT_EQ(units.size(), plan.Steps.size());

  int32_t fuzzyUnderOldContext = 0;
  int32_t exact = 0;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const TUpdateStep& step = plan.Steps[i];
    ASSERT_EQ(units[i].Message, step.NewMessage);
    const std::string id = Utf16ToUtf8(units[i].Context);
    ASSERT_EQ(merged.count(id), 1u) << id;
    const MergedEntry& entry = merged.at(id);
    if (entry.fuzzy && entry.previousContext == id) {
      ++fuzzyUnderOldContext;
      EXPECT_EQ(step.Rule, UpdateRule::Changed) << id;
    }
    // An exact match keeps its translation and the old entry's own fuzzy flag (a message that
    // needed review), with no previous context: a fuzzy match always names the one it came from.
    if (entry.translated && !entry.hasPreviousContext) {
      ++exact;
      EXPECT_EQ(step.Rule, UpdateRule::Kept) << id;
      EXPECT_EQ(entry.fuzzy, updated.NeedsReview(step.NewMessage)) << id;
    }
    // Where gettext fills in a translation from another context, the text here is identical
    // (moved) or the message is new and the translation only a suggestion.
    if (entry.fuzzy && entry.hasPreviousContext && entry.previousContext != id) {
      EXPECT_TRUE(step.Rule == UpdateRule::Moved || step.Rule == UpdateRule::New) << id;
    }
  }
  EXPECT_EQ(fuzzyUnderOldContext, plan.Changed);
  EXPECT_EQ(exact, plan.Kept);
}

}  // namespace
