#include "journal/JournalReplay.h"

#include "project/ProjectClass.h"

TJournalEntry JournalEntryOf(const TtxgProject& project, int32_t n, int64_t time) {
  TJournalEntry entry;
  entry.Message = n;
  entry.Time = time;
  entry.NeedsReview = project.NeedsReview(n);
  entry.TranslatedAsIs = project.TranslatedAsIs(n);
  entry.Text = project.GetTargetText(n);
  entry.Note = project.Note(n);
  return entry;
}

void CheckJournalFits(const TtxgProject& project, const TJournal& journal) {
  for (const TJournalEntry& entry : journal.Entries)
    if (entry.Message > project.SourceCount || entry.Message > project.TargetCount)
      throw EJournalError("The journal does not match the project file");
}

void ApplyJournalEntry(TtxgProject& project, const TJournalEntry& entry) {
  // The text first: a new text drops the mark of translated as is, which the record then sets.
  project.SetTargetText(entry.Message, entry.Text);
  project.SetTranslatedAsIs(entry.Message, entry.TranslatedAsIs);
  project.SetNeedsReview(entry.Message, entry.NeedsReview);
  project.SetNote(entry.Message, entry.Note);
}

int32_t ApplyJournal(TtxgProject& project, const TJournal& journal) {
  CheckJournalFits(project, journal);
  for (const TJournalEntry& entry : journal.Entries) ApplyJournalEntry(project, entry);
  return static_cast<int32_t>(journal.Entries.size());
}
