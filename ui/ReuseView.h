#pragma once
// Reusing translations in the window, as a view of the session: the suggestions panel beside the
// texts, the offer to fill a translation just left into the same untranslated sources, and the
// commands Update source quest, Translation memory and Unused translations. Every rule is the
// session's or the memory library's; this view asks the translator and shows the results.
#include <QObject>

#include "ui/WindowDialogs.h"

#include "memory/ProjectUpdate.h"
#include "ui/CatalogueText.h"

class QWidget;
class TSuggestionsPanel;
class TTranslationSession;

// What an update did, a line a number, each said in words, and that the old project file is kept.
QString UpdateReport(const TUpdatePlan& plan, const TCatalogueText& text);

class TReuseView : public QObject {
 public:
  // `owner` is the window the dialogs belong to.
  TReuseView(TTranslationSession& session, TWindowDialogs& dialogs, QWidget* owner);

  TSuggestionsPanel* Panel = nullptr;  // placed by the window (a dock)
  TFileDialog UpdateSourceDialog;

  // The window shows the session's current message (after every move and change).
  void MessageShown();
  // What the memory's last fill could not read, when anything.
  void ShowMemoryProblems();
  void UpdateSourceQuest();
  void EditMemoryFiles();
  void ShowUnusedTranslations();

 private:
  TTranslationSession& session_;
  TWindowDialogs& dialogs_;
  QWidget* owner_;
  bool offeringFill_ = false;
};
