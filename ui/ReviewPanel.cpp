#include "ui/ReviewPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>

TReviewPanel::TReviewPanel(const TCatalogueText& text, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ReviewPanel"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 2, 8, 2);
  NeedsReview = new QCheckBox(text(u"ReviewCheckBox"), this);
  NeedsReview->setObjectName(QStringLiteral("NeedsReviewBox"));
  NeedsReview->setToolTip(text(u"ReviewCheckBoxHint"));
  Note = new QLineEdit(this);
  Note->setObjectName(QStringLiteral("NoteEdit"));
  Note->setPlaceholderText(text(u"ReviewNotePlaceholder"));
  Note->setClearButtonEnabled(true);
  layout->addWidget(NeedsReview);
  layout->addWidget(Note, 1);
  connect(NeedsReview, &QCheckBox::clicked, this, [this] {
    if (OnReviewClicked) OnReviewClicked();
  });
  connect(Note, &QLineEdit::textEdited, this, [this] {
    if (OnNoteEdited) OnNoteEdited();
  });
}

void TReviewPanel::Show(bool enabled, bool needsReview, const QString& note) {
  const QSignalBlocker reviewBlocker(NeedsReview);
  const QSignalBlocker noteBlocker(Note);
  NeedsReview->setEnabled(enabled);
  Note->setEnabled(enabled);
  NeedsReview->setChecked(needsReview);
  if (Note->text() != note) Note->setText(note);
}
