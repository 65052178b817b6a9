#include "ui/ReviewPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalBlocker>
#include <QToolBar>

#include "project/ProjectClass.h"

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

void TReviewPanel::ShowMessage(const TtxgProject& project, int32_t message) {
  Show(message >= 1 && !project.IsLinked(message), message >= 1 && project.NeedsReview(message),
       message >= 1 ? QString::fromStdU16String(project.Note(message)) : QString());
}

TReviewPanel* TReviewPanel::AddAsToolBar(QMainWindow& window, const TCatalogueText& text) {
  auto* bar = new QToolBar(&window);
  bar->setObjectName(QStringLiteral("ReviewBar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  auto* panel = new TReviewPanel(text, bar);
  bar->addWidget(panel);
  window.addToolBar(Qt::BottomToolBarArea, bar);
  return panel;
}
