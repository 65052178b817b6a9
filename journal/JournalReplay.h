#pragma once
// The journal and the project: the state of a message as a record, and records applied back
// through the project's own operations.
#include <cstdint>

#include "journal/JournalFile.h"

class TtxgProject;

// The whole state of message n now, as the record of a change made at `time`.
TJournalEntry JournalEntryOf(const TtxgProject& project, int32_t n, int64_t time);

// Raises EJournalError("The journal does not match the project file") unless every record names a
// message of the project: a journal of another file is never applied in part.
void CheckJournalFits(const TtxgProject& project, const TJournal& journal);

// Stores the record's translation, then its marks and note, as the window's commands would.
void ApplyJournalEntry(TtxgProject& project, const TJournalEntry& entry);

// CheckJournalFits, then every record in order; returns the number of records applied.
int32_t ApplyJournal(TtxgProject& project, const TJournal& journal);
