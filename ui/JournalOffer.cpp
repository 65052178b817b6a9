#include "ui/JournalOffer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <map>

#include "journal/JournalReplay.h"
#include "support/ErrorDescription.h"
#include "ui/QtText.h"
#include "ui/SessionJournal.h"
#include "ui/TranslationSession.h"

namespace {

QString FromLibrary(const std::string& fileName) { return QFile::decodeName(fileName.c_str()); }

QString LocalTime(int64_t milliseconds) {
  return QLocale().toString(QDateTime::fromMSecsSinceEpoch(milliseconds), QLocale::ShortFormat);
}

}  // namespace

TJournalOffer::TJournalOffer(TTranslationSession& session, TWindowDialogs& dialogs, QWidget* window)
    : session_(session), dialogs_(dialogs), window_(window) {}

QString TJournalOffer::Text(const char16_t* key) const { return session_.Text(key); }

TJournalOffer::TFound TJournalOffer::Read(const std::string& file) const {
  TFound found;
  found.File = file;
  try {
    found.Journal = ReadJournal(file);
  } catch (const std::exception& error) {
    found.Problem = QString::fromStdString(DescribeErrorText(error));
  }
  return found;
}

void TJournalOffer::OfferWaiting() {
  TSessionJournal& journal = session_.Journal();
  const std::string file = journal.FileName();
  std::error_code ignored;
  if (file.empty() || !std::filesystem::exists(file, ignored)) return;
  // Nothing is written to the journal while the user decides about it.
  const auto hold = journal.Hold();
  TFound found = Read(file);
  const bool neverSaved = !session_.HasFile();
  const QString subject = neverSaved ? session_.QuestFileName() : session_.FileName();
  if (found.Journal) {
    // A journal emptied by a save: the program ended before its project was changed again.
    if (found.Journal->Entries.empty()) return RemoveJournal(file);
    const TJournalHeader& header = found.Journal->Header;
    found.Fits = header.Kind == (neverSaved ? TJournalKind::NewProjectQuest : TJournalKind::ProjectFile) &&
                 JournalMatches(header, FileNameForLibrary(subject));
    try {
      if (found.Fits) CheckJournalFits(session_.Project(), *found.Journal);
    } catch (const EJournalError&) {
      found.Fits = false;
    }
  }
  switch (Ask(found, subject, neverSaved)) {
    case TJournalAnswer::Recover:
      session_.RecoverJournal(*found.Journal);
      break;
    case TJournalAnswer::Discard:
      DiscardJournal(file);
      break;
    default:
      // Left for later: the next changes go after the waiting ones, so the next open offers all.
      if (found.Fits) journal.KeepWaiting(*found.Journal);
      break;
  }
}

void TJournalOffer::OfferNeverSaved(const std::function<bool(const QString& quest)>& makeProject) {
  const QDir folder(TSessionJournal::StateFolder());
  const QStringList names = folder.entryList({QStringLiteral("*.journal")}, QDir::Files, QDir::Name);
  for (const QString& name : names) {
    const std::string file = FileNameForLibrary(folder.filePath(name));
    if (file == session_.Journal().FileName()) continue;
    TFound found = Read(file);
    QString quest;
    if (found.Journal) {
      if (found.Journal->Entries.empty()) {
        RemoveJournal(file);
        continue;
      }
      const TJournalHeader& header = found.Journal->Header;
      quest = FromLibrary(header.FileName);
      // Recovering makes the project again from its quest, which must be as it was then.
      found.Fits = header.Kind == TJournalKind::NewProjectQuest &&
                   NewProjectJournalFile(FileNameForLibrary(folder.path()), header.FileName) == file &&
                   JournalMatches(header, header.FileName);
    }
    const TJournalAnswer answer = Ask(found, quest, true);
    if (answer == TJournalAnswer::Discard) DiscardJournal(file);
    if (answer == TJournalAnswer::Recover && makeProject(quest)) session_.RecoverJournal(*found.Journal);
  }
}

TJournalAnswer TJournalOffer::Ask(const TFound& found, const QString& subject, bool neverSaved) {
  if (!found.Journal) {
    const TJournalAnswer answer = dialogs_.AskJournal(
        window_, Text(u"JournalUnreadable").arg(FromLibrary(found.File), found.Problem), false, false);
    return answer == TJournalAnswer::Discard ? answer : TJournalAnswer::Later;
  }
  const std::vector<TJournalEntry>& entries = found.Journal->Entries;
  const auto [first, last] =
      std::minmax_element(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.Time < b.Time; });
  const QString count = entries.size() == 1 ? Text(u"JournalOneChange")
                                            : Text(u"JournalChanges").arg(static_cast<qulonglong>(entries.size()));
  const QString name = QFileInfo(subject).fileName();
  QString text;
  if (!found.Fits)
    text = Text(u"JournalNotMatching");
  else
    text = Text(neverSaved ? u"JournalNeverSavedWaiting" : u"JournalWaiting") + QLatin1Char('\n') +
           Text(u"JournalQuestion");
  text = text.arg(name, count, LocalTime(first->Time), LocalTime(last->Time));
  for (;;) {
    const TJournalAnswer answer = dialogs_.AskJournal(window_, text, found.Fits, true);
    if (answer == TJournalAnswer::Show)
      dialogs_.ShowErrorBox(window_, Text(u"JournalChangesCaption").arg(name), ChangesText(*found.Journal));
    else
      return answer == TJournalAnswer::Recover && !found.Fits ? TJournalAnswer::Later : answer;
  }
}

QString TJournalOffer::ChangesText(const TJournal& journal) const {
  // The last record of a message is its state.
  std::map<int32_t, const TJournalEntry*> last;
  for (const TJournalEntry& entry : journal.Entries) last[entry.Message] = &entry;
  QStringList lines;
  for (const auto& [message, entry] : last) {
    QString line = Text(u"JournalChangeLine").arg(QString::number(message), QString::fromStdU16String(entry->Text));
    if (entry->NeedsReview) line += QLatin1Char(' ') + Text(u"JournalNeedsReview");
    lines << line;
    if (!entry->Note.empty())
      lines << QStringLiteral("    ") + Text(u"JournalNoteLine").arg(QString::fromStdU16String(entry->Note));
  }
  return lines.join(QLatin1Char('\n'));
}
