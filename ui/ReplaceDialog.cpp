#include "ui/ReplaceDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "project/ProjectClass.h"

TReplaceDialog::TReplaceDialog(const TtxgProject& project, TCatalogueText text, QWidget* parent)
    : QDialog(parent), project_(project), text_(std::move(text)) {
  setWindowTitle(text_(u"ReplaceDialogTitle"));
  FindEdit = new QLineEdit(this);
  ReplaceEdit = new QLineEdit(this);
  CaseBox = new QCheckBox(text_(u"SearchCaseOption"), this);
  WordsBox = new QCheckBox(text_(u"SearchWordsOption"), this);
  RegexBox = new QCheckBox(text_(u"SearchRegexOption"), this);
  ShownButton = new QRadioButton(text_(u"ReplaceShownOption"), this);
  AllButton = new QRadioButton(text_(u"ReplaceAllOption"), this);
  AllButton->setChecked(true);
  PreviewLabel = new QLabel(this);
  ReplaceButton = new QPushButton(text_(u"ReplaceButton"), this);
  CloseButton = new QPushButton(text_(u"ReplaceCloseButton"), this);

  auto* fields = new QFormLayout;
  fields->addRow(text_(u"ReplaceFindLabel"), FindEdit);
  fields->addRow(text_(u"ReplaceWithLabel"), ReplaceEdit);
  auto* options = new QHBoxLayout;
  for (QWidget* box :
       {static_cast<QWidget*>(CaseBox), static_cast<QWidget*>(WordsBox), static_cast<QWidget*>(RegexBox)})
    options->addWidget(box);
  auto* scope = new QHBoxLayout;
  scope->addWidget(ShownButton);
  scope->addWidget(AllButton);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(PreviewLabel, 1);
  buttons->addWidget(ReplaceButton);
  buttons->addWidget(CloseButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(options);
  layout->addLayout(scope);
  layout->addLayout(buttons);

  for (QLineEdit* edit : {FindEdit, ReplaceEdit})
    connect(edit, &QLineEdit::textChanged, this, [this] { UpdatePreview(); });
  for (QAbstractButton* box : {static_cast<QAbstractButton*>(CaseBox), static_cast<QAbstractButton*>(WordsBox),
                               static_cast<QAbstractButton*>(RegexBox), static_cast<QAbstractButton*>(AllButton)})
    connect(box, &QAbstractButton::toggled, this, [this] { UpdatePreview(); });
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
  connect(ReplaceButton, &QPushButton::clicked, this, [this] {
    std::vector<TReplacement> plan;
    try {
      plan = Plan();
    } catch (const ESearchPatternError&) {
      // UpdatePreview already shows why.
    }
    if (!plan.empty() && OnReplace) OnReplace(std::move(plan));
    UpdatePreview();
  });
  UpdatePreview();
}

std::vector<TReplacement> TReplaceDialog::Plan() const {
  const TTextMatcher matcher(FindEdit->text().toStdU16String(), !CaseBox->isChecked(), WordsBox->isChecked(),
                             RegexBox->isChecked());
  std::vector<int32_t> messages;
  if (AllButton->isChecked())
    messages = MessagesAtPositions(project_);
  else if (ShownMessage)
    messages.push_back(ShownMessage());
  return PlanReplacements(project_, matcher, ReplaceEdit->text().toStdU16String(), messages);
}

void TReplaceDialog::UpdatePreview() {
  try {
    const std::size_t count = Plan().size();
    PreviewLabel->setStyleSheet(QString());
    PreviewLabel->setText(text_(u"ReplacePreviewFormat").arg(QLocale().toString(static_cast<qulonglong>(count))));
    ReplaceButton->setEnabled(count > 0);
  } catch (const ESearchPatternError& error) {
    PreviewLabel->setStyleSheet(QStringLiteral("color: #b00000"));
    PreviewLabel->setText(QString::fromUtf8(error.what()));
    ReplaceButton->setEnabled(false);
  }
}
