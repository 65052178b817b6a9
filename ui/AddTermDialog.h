#pragma once
// Edit → Add Term… (Ctrl+T): a source term, its translation, a note and a status, for the project's
// glossary. Opened with the text selected in the source and in the translation.
#include <QDialog>

#include "glossary/Glossary.h"
#include "ui/CatalogueText.h"

class QComboBox;
class QDialogButtonBox;
class QLineEdit;

class TAddTermDialog : public QDialog {
 public:
  TAddTermDialog(const TCatalogueText& text, const QString& source, const QString& target, QWidget* parent = nullptr);

  // The entry as filled in, blanks trimmed; a term kept as it is and given no translation has itself.
  TGlossaryEntry Entry() const;

  QLineEdit* SourceEdit = nullptr;
  QLineEdit* TargetEdit = nullptr;
  QLineEdit* NoteEdit = nullptr;
  QComboBox* StatusBox = nullptr;  // the items in the order of TTermStatus
  QDialogButtonBox* Buttons = nullptr;

 private:
  // OK needs a source term, and a translation unless the term is kept as it is.
  void UpdateOk();
};

// A selection of a text box as one line: paragraph breaks and runs of blanks one space, trimmed.
QString SelectionAsTerm(const QString& selected);
