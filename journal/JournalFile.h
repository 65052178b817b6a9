#pragma once
// The recovery journal: what was typed since the last save, appended record by record beside the
// project so that a crash or a power cut costs at most the record being written.
//
// The file, little-endian throughout (support/BlockFile.h writes and reads every field):
//
//   Header (44 bytes + the name)
//   offset size  field
//        0    8  magic "XGJOURNL"
//        8    4  format version, 1
//       12    4  kind: 0 the project file named below, 1 the quest of a project never saved
//       16    8  size of that file when the journal was started
//       24    4  CRC-32 of the whole file then
//       28    8  when the journal was started, milliseconds since 1970 (UTC)
//       36    4  length L of the file's name in bytes (0..MaxJournalNameBytes)
//       40    L  the file's name (UTF-8), as the one who started the journal gave it
//     40+L    4  CRC-32 of the header's bytes 0 .. 40+L
//
//   Record (8 bytes + P), any number, each the whole new state of one message
//        0    4  payload length P (MinRecordPayload..MaxRecordPayload)
//        4    4  CRC-32 of the payload
//        8    P  payload:
//                  0  4  message number (1 or more)
//                  4  8  when the change was made, milliseconds since 1970 (UTC)
//                 12  1  flags: bit 0 needs review, bit 1 translated as is; other bits 0
//                 13  4  length T of the translation in UTF-16 code units
//                 17 2T  the translation, exactly as the project stores it
//              17+2T  4  length N of the note in UTF-16 code units
//              21+2T 2N  the note; P is exactly 21 + 2T + 2N
//
// A record that ends past the file, or whose length, checksum or fields do not hold, ends the
// replay: the records before it are recovered, none after it (a torn last record is the usual
// case, written while the power went). Replaying is idempotent: the last record of a message wins.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/JD_Error.h"

inline constexpr char JournalMagic[8] = {'X', 'G', 'J', 'O', 'U', 'R', 'N', 'L'};
inline constexpr int32_t JournalVersion = 1;
inline constexpr int64_t JournalHeaderFixedBytes = 40;  // the header up to the name
inline constexpr int32_t MaxJournalNameBytes = 4096;
inline constexpr int64_t RecordHeadBytes = 8;
inline constexpr int32_t MinRecordPayload = 21;
inline constexpr int32_t MaxRecordPayload = 1 << 26;

// Raised where a journal cannot be used at all; its text is one of
//   "The journal has no header"            the file ends before its header does
//   "This is not a journal"                the magic is wrong
//   "The journal is of a later version"    a version above JournalVersion
//   "The journal's header is damaged"      a kind, name length or header checksum that does not hold
//   "The journal does not match the project file"   (the replay's checks, JournalReplay.h)
class EJournalError : public std::runtime_error, public TFileErrorContext {
 public:
  using std::runtime_error::runtime_error;
};

enum class TJournalKind : int32_t { ProjectFile = 0, NewProjectQuest = 1 };

struct TJournalHeader {
  TJournalKind Kind = TJournalKind::ProjectFile;
  std::string FileName;
  int64_t FileSize = 0;
  uint32_t FileCrc = 0;
  int64_t Started = 0;  // milliseconds since 1970
  bool operator==(const TJournalHeader&) const = default;
};

// The whole new state of one message.
struct TJournalEntry {
  int32_t Message = 0;
  int64_t Time = 0;  // milliseconds since 1970
  bool NeedsReview = false;
  bool TranslatedAsIs = false;
  std::u16string Text;
  std::u16string Note;
  bool operator==(const TJournalEntry&) const = default;
};

struct TJournal {
  TJournalHeader Header;
  std::vector<TJournalEntry> Entries;  // in file order; a message may come more than once
  int64_t ValidSize = 0;               // the header and the records read: where the next one goes
  int64_t DamagedAt = -1;              // the first record that could not be read; -1 when none
};

// Milliseconds since 1970, the clock of the header and the records.
int64_t JournalClock();
uint32_t Crc32(const void* data, std::size_t size, uint32_t crc = 0);

// FILE.txg -> FILE.txg.journal
std::string JournalFileFor(const std::string& projectFile);
// The journal of a project never saved: STATEFOLDER/QUEST.journal, QUEST being the quest's file
// name without its folder.
std::string NewProjectJournalFile(const std::string& stateFolder, const std::string& questFile);
// FILE.journal -> FILE.journal.discarded
std::string DiscardedJournalFile(const std::string& journalFile);

// The header for `file` as it is now (its size and checksum are read from it), started now.
TJournalHeader JournalHeaderFor(const std::string& file, TJournalKind kind = TJournalKind::ProjectFile);
// The header's size and checksum equal those of `file` now; a missing file matches nothing.
bool JournalMatches(const TJournalHeader& header, const std::string& file);

// Reads a journal; EInOutError when it cannot be read, EJournalError when it is unusable.
TJournal ReadJournal(const std::string& journalFile);
TJournal ReadJournalBytes(std::vector<uint8_t> bytes);
std::vector<uint8_t> EncodeJournalHeader(const TJournalHeader& header);
std::vector<uint8_t> EncodeJournalRecord(const TJournalEntry& entry);

// Appends records to a journal. One thread owns a writer: the window hands it records on a
// thread of its own, so neither the write nor the flush blocks a keystroke.
class TJournalWriter {
 public:
  // A journal holding only `header`, replacing any file of that name atomically (so emptying the
  // journal after a save leaves the old journal or the new one, never neither).
  static TJournalWriter Start(const std::string& journalFile, const TJournalHeader& header);
  // Appends to an existing journal; a damaged tail is cut off first, or records appended after it
  // would never be read.
  static TJournalWriter Continue(const std::string& journalFile);

  TJournalWriter(TJournalWriter&& other) noexcept;
  TJournalWriter& operator=(TJournalWriter&& other) noexcept;
  ~TJournalWriter();

  // Writes the record at the end of the file; it is on disk after the next Sync().
  void Append(const TJournalEntry& entry);
  void AppendEncoded(const std::vector<uint8_t>& record);
  void Sync();
  // After a save: the journal starts again with the header of the saved file.
  void Restart(const TJournalHeader& header);
  // After a clean close: the journal is gone.
  void Remove();
  const std::string& FileName() const { return fileName_; }

 private:
  explicit TJournalWriter(std::string journalFile);
  void Open();
  void Close() noexcept;

  std::string fileName_;
  int descriptor_ = -1;
};

// Renames the journal to DiscardedJournalFile (replacing an older one): the user said no to it,
// but it is kept for a while rather than deleted.
void DiscardJournal(const std::string& journalFile);
// Removes the journal; a journal that is not there is no error.
void RemoveJournal(const std::string& journalFile);
