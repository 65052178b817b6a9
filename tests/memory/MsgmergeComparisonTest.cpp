// The update compared with gettext's msgmerge on the same old and new quests written as PO files
// (msgctxt = message id, msgid = source as the quest trims it, msgstr = translation).
#include <gettext-po.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "memory/ProjectUpdate.h"
#include "memory/UpdateFixtures.h"
#include "memory/Utf8.h"

namespace {

std::string PoString(const std::u16string& text) {
  std::string quoted = "\"";
  for (char c : Utf16ToUtf8(text)) {
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        quoted += c;
    }
  }
  return quoted + "\"";
}

// One entry per position; a translated one carries its translation.
void WritePo(const TtxgProject& project, const std::string& fileName, bool withTranslations) {
  std::ofstream po(fileName);
  po << "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n";
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t n = project.MessageAtPosition(position);
    const bool translated = withTranslations && project.IsTranslated(n);
    po << "\nmsgctxt " << PoString(project.SourceIds[static_cast<std::size_t>(n)]) << "\nmsgid "
       << PoString(TrimQuestText(project.GetSourceText(n))) << "\nmsgstr "
       << PoString(translated ? TrimQuestText(project.GetTargetText(n)) : u"") << "\n";
  }
}

struct MergedEntry {
  bool fuzzy = false;
  bool translated = false;
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
    if (const char* previous = po_message_prev_msgctxt(message); previous != nullptr) entry.previousContext = previous;
    entries[po_message_msgctxt(message)] = entry;
  }
  po_message_iterator_free(iterator);
  po_file_free(file);
  return entries;
}

TEST(MsgmergeComparison, GettextsFuzzyEntriesUnderTheirOldContextAreChangedHere) {
  if (std::system("msgmerge --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "msgmerge is not installed";
  ScratchFolder folder;
  const auto old = updatetest::OldProject();
  const auto fresh = updatetest::NewProject();
  WritePo(*old, folder.File("old.po"), true);
  WritePo(*fresh, folder.File("new.pot"), false);
  const std::string command = "msgmerge --quiet --previous -o '" + folder.File("merged.po") + "' '" +
                              folder.File("old.po") + "' '" + folder.File("new.pot") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const auto merged = ReadMerged(folder.File("merged.po"));
  ASSERT_EQ(static_cast<int32_t>(merged.size()), fresh->PositionCount);

  const TUpdatePlan plan = PlanUpdate(*old, *fresh);
  int32_t fuzzyUnderOldContext = 0;
  int32_t exact = 0;
  for (const TUpdateStep& step : plan.Steps) {
    const std::string id = Utf16ToUtf8(fresh->SourceIds[static_cast<std::size_t>(step.NewMessage)]);
    ASSERT_EQ(merged.count(id), 1u) << id;
    const MergedEntry& entry = merged.at(id);
    if (entry.fuzzy && entry.previousContext == id) {
      ++fuzzyUnderOldContext;
      EXPECT_EQ(step.Rule, UpdateRule::Changed) << id;
    }
    if (!entry.fuzzy && entry.translated) {
      ++exact;
      EXPECT_EQ(step.Rule, UpdateRule::Kept) << id;
    }
    // Where gettext fills in a translation from another context, the text here is identical
    // (moved) or the message is new and the translation only a suggestion.
    if (entry.fuzzy && entry.previousContext != id) {
      EXPECT_TRUE(step.Rule == UpdateRule::Moved || step.Rule == UpdateRule::New) << id;
    }
  }
  EXPECT_EQ(fuzzyUnderOldContext, plan.Changed);
  EXPECT_EQ(exact, plan.Kept);
}

}  // namespace
