#pragma once
// The journal of unsaved changes that a session left behind (a crash, a killed program, a power
// cut), offered to the user: when its project is opened or made again, and at start-up for
// projects never saved. It says how many changes wait and from when, and offers to recover them
// (one undo step), to discard them (the journal is kept as FILE.journal.discarded) or to decide
// later (the journal stays). A journal that no longer matches its file is never applied: its
// changes can only be listed.
#include <QString>

#include <functional>
#include <optional>
#include <string>

#include "journal/JournalFile.h"
#include "ui/WindowDialogs.h"

class QWidget;
class TTranslationSession;

class TJournalOffer {
 public:
  TJournalOffer(TTranslationSession& session, TWindowDialogs& dialogs, QWidget* window);

  // The journal waiting at the session's journal path, after a project was opened or made.
  void OfferWaiting();
  // The journals of projects never saved in the state folder, one after the other. Recovering one
  // calls makeProject with its quest (false: the user kept the project open), then applies it.
  void OfferNeverSaved(const std::function<bool(const QString& quest)>& makeProject);

 private:
  struct TFound {
    std::string File;
    std::optional<TJournal> Journal;  // none when it cannot be read
    QString Problem;                  // why not
    bool Fits = false;                // it may be applied to the project it names
  };
  TFound Read(const std::string& file) const;
  // The question for `found`, about the project or quest `subject`; Show lists the changes and
  // asks again.
  TJournalAnswer Ask(const TFound& found, const QString& subject, bool neverSaved);
  QString ChangesText(const TJournal& journal) const;
  QString Text(const char16_t* key) const;

  TTranslationSession& session_;
  TWindowDialogs& dialogs_;
  QWidget* window_;
};
