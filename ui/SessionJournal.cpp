#include "ui/SessionJournal.h"

#include <QDir>
#include <QStandardPaths>

#include <exception>
#include <filesystem>
#include <future>
#include <memory>
#include <stdexcept>
#include <utility>

#include "journal/JournalReplay.h"
#include "project/ProjectClass.h"
#include "support/ErrorDescription.h"

TSessionJournal::TSessionJournal(TtxgProject& project, std::function<bool()> modified, QObject* parent)
    : QObject(parent), project_(project), modified_(std::move(modified)) {
  timer_.setSingleShot(true);
  timer_.setInterval(CollectMilliseconds);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (held_ == 0) Flush();
  });
  listener_ = project_.AddChangeListener([this](int32_t message) {
    if (paused_ == 0) Record(message);
  });
  thread_ = std::thread([this] { Run(); });
}

TSessionJournal::~TSessionJournal() {
  project_.RemoveChangeListener(listener_);
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

QString TSessionJournal::StateFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  QDir().mkpath(folder);
  return folder;
}

TSessionJournal::TScope TSessionJournal::Pause() {
  ++paused_;
  return TScope([this] { --paused_; });
}

TSessionJournal::TScope TSessionJournal::Hold() {
  ++held_;
  return TScope([this] {
    if (--held_ == 0 && (everything_ || !changed_.empty())) timer_.start();
  });
}

// ---------------------------------------------------------------------------------------------
// The window's thread: collecting changes and handing them over

void TSessionJournal::Follow(const std::string& journalFile, const std::string& file, TJournalKind kind) {
  Close();
  fileName_ = journalFile;
  discardOnClose_ = false;
  written_ = false;
  Post([this, journalFile, file, kind] {
    file_ = journalFile;
    header_ = TJournalHeader{kind, file, 0, 0, JournalClock()};
    header_ = JournalHeaderFor(file, kind);
  });
}

void TSessionJournal::Record(int32_t message) {
  if (fileName_.empty()) return;
  discardOnClose_ = false;
  if (message == 0)
    everything_ = true;
  else
    changed_.insert(message);
  if (!timer_.isActive()) timer_.start();
}

void TSessionJournal::KeepWaiting(const TJournal& waiting) {
  std::vector<std::vector<uint8_t>> records;
  records.reserve(waiting.Entries.size());
  for (const TJournalEntry& entry : waiting.Entries) records.push_back(EncodeJournalRecord(entry));
  Post([this, header = waiting.Header, records = std::move(records)]() mutable {
    continue_ = true;
    waitingHeader_ = std::move(header);
    waiting_ = std::move(records);
  });
}

void TSessionJournal::ContinueRecovered() {
  written_ = true;
  Post([this] {
    continue_ = true;
    StartWriter();
  });
  Flush();
}

void TSessionJournal::Forget() {
  timer_.stop();
  everything_ = false;
  changed_.clear();
}

void TSessionJournal::Flush() {
  timer_.stop();
  std::vector<int32_t> messages;
  // A change of the whole table that left the project as saved (a relink that changed nothing)
  // has nothing to record.
  if (everything_ && modified_()) {
    for (int32_t n = 1; n <= project_.SourceCount; ++n) messages.push_back(n);
  } else {
    messages.assign(changed_.begin(), changed_.end());
  }
  everything_ = false;
  changed_.clear();
  // The journal exists only while there are unsaved changes: a change the project counts as none
  // (a text shown in its stored form) starts none.
  if (fileName_.empty() || messages.empty() || (!written_ && !modified_())) return;
  // Linked duplicates follow their message: its record is theirs.
  std::vector<std::vector<uint8_t>> records;
  const int64_t now = JournalClock();
  for (int32_t n : messages)
    if (n <= project_.SourceCount && n <= project_.TargetCount && !project_.IsLinked(n))
      records.push_back(EncodeJournalRecord(JournalEntryOf(project_, n, now)));
  if (records.empty()) return;
  written_ = true;
  Post([this, records = std::move(records)] {
    StartWriter();
    for (const std::vector<uint8_t>& record : records) writer_->AppendEncoded(record);
    writer_->Sync();
  });
}

void TSessionJournal::Saved(const std::string& journalFile, const std::string& file) {
  Forget();  // what was collected is in the saved file
  fileName_ = journalFile;
  discardOnClose_ = false;
  written_ = false;
  Post([this, journalFile, file] {
    if (waitingHeader_) {
      // Records left for later belong to the file as it was: kept aside, not applied to the new one.
      writer_.reset();
      if (std::filesystem::exists(file_)) DiscardJournal(file_);
      waitingHeader_.reset();
      waiting_.clear();
    }
    continue_ = false;
    header_ = JournalHeaderFor(file);
    if (writer_ && writer_->FileName() == journalFile) {
      writer_->Restart(header_);
    } else if (writer_) {
      writer_->Remove();
      writer_.reset();
    }
    file_ = journalFile;
  });
}

void TSessionJournal::Close() {
  Forget();
  if (fileName_.empty()) return;
  fileName_.clear();
  Post([this] {
    if (waitingHeader_ && writer_) {
      // Back to just the records the user left for later.
      writer_.reset();
      TJournalWriter writer = TJournalWriter::Start(file_, *waitingHeader_);
      for (const std::vector<uint8_t>& record : waiting_) writer.AppendEncoded(record);
      writer.Sync();
    } else if (writer_) {
      writer_->Remove();
    }
    writer_.reset();
    waitingHeader_.reset();
    waiting_.clear();
    continue_ = false;
    file_.clear();
  });
}

void TSessionJournal::Closing(bool modified) {
  if (modified && !discardOnClose_)
    Flush();
  else
    Close();
}

void TSessionJournal::Wait() {
  Flush();
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return tasks_.empty() && !busy_; });
  if (!error_.empty()) throw std::runtime_error(std::exchange(error_, std::string()));
}

// ---------------------------------------------------------------------------------------------
// The writing thread

void TSessionJournal::Post(std::function<void()> task) {
  {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  wake_.notify_one();
}

void TSessionJournal::StartWriter() {
  if (writer_) return;
  if (continue_) {
    writer_ = TJournalWriter::Continue(file_);
    return;
  }
  // A journal nobody took over (another session's, or one left for later that did not match).
  if (std::filesystem::exists(file_)) DiscardJournal(file_);
  writer_ = TJournalWriter::Start(file_, header_);
}

void TSessionJournal::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
    if (tasks_.empty()) return;
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    busy_ = true;
    lock.unlock();
    std::string error;
    try {
      task();
    } catch (const std::exception& failure) {
      error = DescribeErrorText(failure);
    }
    lock.lock();
    busy_ = false;
    if (!error.empty()) Failed(error);
    if (error.empty()) failing_ = false;
    if (tasks_.empty()) idle_.notify_all();
  }
}

void TSessionJournal::Failed(const std::string& error) {
  if (error_.empty()) error_ = error;
  if (std::exchange(failing_, true)) return;
  QMetaObject::invokeMethod(
      this, [this, text = QString::fromStdString(error)] { emit WriteFailed(text); }, Qt::QueuedConnection);
}
