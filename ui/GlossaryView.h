#pragma once
// The glossaries in the window, as a view of the session: the Terms panel (a dock beside the
// suggestions), the terms marked in the source box with their translations in a tooltip and the
// "terms" check among the live checks, and the commands Tools → Glossaries…, Edit → Add Term…
// (Ctrl+T) and Edit → Insert Term 1 … 9 (Alt+1 … Alt+9). Every rule is the session's or the
// glossary library's; this view asks the translator and shows the results.
#include <QObject>

#include <string>

#include "ui/WindowDialogs.h"

class QDockWidget;
class TForm1;
class TTermsPanel;

class TGlossaryView : public QObject {
 public:
  // Adds the dock, the menu entries and the terms to the checks of `window`, whose menus, checks and
  // suggestions dock are made already.
  TGlossaryView(TForm1& window, TWindowDialogs& dialogs);

  TTermsPanel* Panel = nullptr;
  QDockWidget* Dock = nullptr;
  // Asked for a new glossary when a term is added and no glossary can take it.
  TFileDialog NewGlossaryDialog;

  // The terms of the source shown, in the panel.
  void ShowTerms();
  // What the last reading of the glossaries could not read, when anything.
  void ShowProblems();
  void EditGlossaries();
  // The Add Term dialog with the selected texts; the term goes into the first writable glossary,
  // or, when none can take it, into a new one the translator names.
  void AddTerm();
  // `translation` typed at the cursor of the translation box (replacing its selection), one
  // typing step; nothing when the box takes no typing.
  void InsertTerm(const std::u16string& translation);

 private:
  TForm1& window_;
  TWindowDialogs& dialogs_;
};
