#include "ui/AddTermDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "ui/QtText.h"

QString SelectionAsTerm(const QString& selected) { return selected.simplified(); }

TAddTermDialog::TAddTermDialog(const TCatalogueText& text, const QString& source, const QString& target,
                               QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("AddTermDialog"));
  setWindowTitle(text(u"AddTermDialogTitle"));
  auto* layout = new QFormLayout(this);
  SourceEdit = new QLineEdit(SelectionAsTerm(source), this);
  TargetEdit = new QLineEdit(SelectionAsTerm(target), this);
  NoteEdit = new QLineEdit(this);
  StatusBox = new QComboBox(this);
  for (const char16_t* key :
       {u"TermStatusPreferred", u"TermStatusAdmitted", u"TermStatusForbidden", u"TermStatusDoNotTranslate"})
    StatusBox->addItem(text(key));
  layout->addRow(text(u"AddTermSource"), SourceEdit);
  layout->addRow(text(u"AddTermTarget"), TargetEdit);
  layout->addRow(text(u"AddTermNote"), NoteEdit);
  layout->addRow(text(u"AddTermStatus"), StatusBox);
  Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addRow(Buttons);
  setMinimumWidth(360);

  connect(SourceEdit, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
  connect(TargetEdit, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
  connect(StatusBox, &QComboBox::currentIndexChanged, this, [this] { UpdateOk(); });
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  UpdateOk();
  (SourceEdit->text().isEmpty() ? SourceEdit : TargetEdit)->setFocus();
}

TGlossaryEntry TAddTermDialog::Entry() const {
  TGlossaryEntry entry;
  entry.Source = ToWide(SourceEdit->text().trimmed());
  entry.Status = static_cast<TTermStatus>(StatusBox->currentIndex());
  if (const QString target = TargetEdit->text().trimmed(); !target.isEmpty())
    entry.Targets.push_back(ToWide(target));
  else if (entry.Status == TTermStatus::DoNotTranslate)
    entry.Targets.push_back(entry.Source);
  entry.Note = ToWide(NoteEdit->text().trimmed());
  return entry;
}

void TAddTermDialog::UpdateOk() {
  const TGlossaryEntry entry = Entry();
  Buttons->button(QDialogButtonBox::Ok)->setEnabled(!entry.Source.empty() && !entry.Targets.empty());
}
