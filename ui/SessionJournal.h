#pragma once
// TSessionJournal: the recovery journal of the session's project (journal/JournalFile.h), so that a
// crash or a power cut costs at most about a second of typing.
//
// It follows the project's changes. The messages changed are collected; a short timer later takes
// their states, encodes them and hands the records to a thread of its own, which owns the file:
// it appends them and flushes them to disk. Neither the write nor the flush ever runs on the
// window's thread. The file exists only while the project has unsaved changes: the first change
// after an open, a new project or a save starts it, a save empties it, and a clean close (or
// changes thrown away) removes it.
//
// A journal already lying at the path when the first change comes, and not taken over with
// KeepWaiting or ContinueRecovered, is set aside as FILE.journal.discarded first, never lost.
#include <QObject>
#include <QString>
#include <QTimer>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "journal/JournalFile.h"

class TtxgProject;

class TSessionJournal : public QObject {
  Q_OBJECT

 public:
  // How long changes are collected before they are handed to the writing thread.
  static constexpr int CollectMilliseconds = 200;

  // `modified` tells whether the project has unsaved changes now.
  TSessionJournal(TtxgProject& project, std::function<bool()> modified, QObject* parent = nullptr);
  // Waits for the records handed over; the file stays as it is (see Closing).
  ~TSessionJournal() override;
  TSessionJournal(const TSessionJournal&) = delete;
  TSessionJournal& operator=(const TSessionJournal&) = delete;

  // Where the journals of projects never saved are kept: the user's state folder, made when missing.
  static QString StateFolder();

  // While a scope is alive: Pause ignores what the project announces (the project is being
  // replaced, or the session records the changed messages itself); Hold keeps the changes
  // collected instead of writing them (a found journal is being offered).
  class TScope {
   public:
    explicit TScope(std::function<void()> end) : end_(std::move(end)) {}
    ~TScope() { End(); }
    // Ends it before the scope does.
    void End() {
      if (end_) std::exchange(end_, nullptr)();
    }
    TScope(const TScope&) = delete;
    TScope& operator=(const TScope&) = delete;

   private:
    std::function<void()> end_;
  };
  [[nodiscard]] TScope Pause();
  [[nodiscard]] TScope Hold();

  // From now on changes go to `journalFile`, whose header names `file` (the project's file, or the
  // quest of a project never saved) with its size and checksum as they are now.
  void Follow(const std::string& journalFile, const std::string& file, TJournalKind kind);
  // The journal file changes go to; empty before Follow and after Close.
  const std::string& FileName() const { return fileName_; }

  // A change of message n to record (0: every message, when the project is modified).
  void Record(int32_t message);
  // The journal at FileName() holds `waiting`, which the user left for later: the next changes are
  // appended after them, and closing keeps just them.
  void KeepWaiting(const TJournal& waiting);
  // The records of the journal at FileName() are to be applied to the project: it goes on from
  // them, after the changes collected so far.
  void ContinueRecovered();
  // The changes collected so far are in the journal already (those of its own records applied).
  void Forget();
  // Hands the changes collected so far to the writing thread.
  void Flush();
  // After a save to `file`: the journal goes on as `journalFile`, empty, with the saved file's
  // header; records left for later are set aside (FILE.journal.discarded).
  void Saved(const std::string& journalFile, const std::string& file);
  // The project's changes were saved or thrown away: the journal is removed (or back to just the
  // records left for later), and nothing is recorded until the next Follow.
  void Close();
  // Said when the unsaved changes are to be thrown away (the window closes without saving them).
  void DiscardOnClose() { discardOnClose_ = true; }
  // The session ends: a clean close (or changes thrown away) removes the journal; unsaved changes
  // are written and their journal stays.
  void Closing(bool modified);
  // Flush, then waits until the writing thread has written and flushed to disk everything handed
  // over; raises the first error it met since the last Wait.
  void Wait();

 signals:
  // Writing the journal failed (a full disk, a folder that cannot be written); said once until a
  // write succeeds again.
  void WriteFailed(const QString& error);

 private:
  void Post(std::function<void()> task);
  void Run();
  void StartWriter();
  void Failed(const std::string& error);

  TtxgProject& project_;
  std::function<bool()> modified_;
  int listener_ = 0;
  QTimer timer_;
  std::string fileName_;
  std::set<int32_t> changed_;
  bool everything_ = false;
  int paused_ = 0;
  int held_ = 0;
  bool discardOnClose_ = false;
  bool written_ = false;  // records were handed over since Follow or the last save

  // The writing thread and its queue.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::function<void()>> tasks_;
  bool busy_ = false;
  bool stopping_ = false;
  std::string error_;     // the first error since the last Wait
  bool failing_ = false;  // a write failed and none succeeded since
  std::thread thread_;

  // Owned by the writing thread alone.
  std::string file_;
  TJournalHeader header_;
  std::optional<TJournalWriter> writer_;
  bool continue_ = false;  // the next writer continues the file instead of starting it
  std::optional<TJournalHeader> waitingHeader_;
  std::vector<std::vector<uint8_t>> waiting_;
};
