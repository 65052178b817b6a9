#include "ui/WorkspaceSettingsDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/GlossariesDialog.h"
#include "ui/MemoryFilesDialog.h"
#include "ui/WindowDialogs.h"

TWorkspaceSettingsDialog::TWorkspaceSettingsDialog(TWindowDialogs& dialogs, const TCatalogueText& text,
                                                   TWorkspaceSettings settings, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), text_(text), settings_(std::move(settings)) {
  setObjectName(QStringLiteral("WorkspaceSettingsDialog"));
  setWindowTitle(text(u"WorkspaceSettingsTitle"));
  auto* hint = new QLabel(text(u"WorkspaceSettingsHint"), this);
  hint->setWordWrap(true);
  LanguageEdit = new QLineEdit(settings_.Language, this);
  LanguageEdit->setPlaceholderText(QStringLiteral("en-US"));
  MemoryButton = new QPushButton(text(u"WorkspaceSettingsMemories"), this);
  GlossaryButton = new QPushButton(text(u"WorkspaceSettingsGlossaries"), this);
  MemoryFilesLabel = new QLabel(this);
  GlossaryFilesLabel = new QLabel(this);
  for (QLabel* label : {MemoryFilesLabel, GlossaryFilesLabel}) {
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  auto* form = new QFormLayout;
  form->addRow(text(u"WorkspaceSettingsLanguage"), LanguageEdit);
  form->addRow(MemoryButton, MemoryFilesLabel);
  form->addRow(GlossaryButton, GlossaryFilesLabel);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(MemoryButton, &QPushButton::clicked, this, [this] { EditMemoryFiles(); });
  connect(GlossaryButton, &QPushButton::clicked, this, [this] { EditGlossaryFiles(); });
  ShowFiles();
}

void TWorkspaceSettingsDialog::ShowFiles() {
  auto names = [this](const std::vector<std::string>& files) {
    QStringList shown;
    for (const std::string& file : files) shown << QFileInfo(QString::fromStdString(file)).fileName();
    return shown.isEmpty() ? text_(u"WorkspaceSettingsNone") : shown.join(QStringLiteral(", "));
  };
  MemoryFilesLabel->setText(names(settings_.MemoryFiles));
  GlossaryFilesLabel->setText(names(settings_.GlossaryFiles));
}

void TWorkspaceSettingsDialog::EditMemoryFiles() {
  TMemoryFilesDialog dialog(dialogs_, text_, settings_.MemoryFiles, this, u"WorkspaceMemoryHint");
  if (!dialogs_.ExecuteDialog(this, dialog)) return;
  settings_.MemoryFiles = dialog.Files();
  ShowFiles();
}

void TWorkspaceSettingsDialog::EditGlossaryFiles() {
  TGlossariesDialog dialog(dialogs_, text_, settings_.GlossaryFiles, this, u"WorkspaceGlossariesHint");
  if (!dialogs_.ExecuteDialog(this, dialog)) return;
  settings_.GlossaryFiles = dialog.Files();
  ShowFiles();
}

TWorkspaceSettings TWorkspaceSettingsDialog::Settings() const {
  TWorkspaceSettings settings = settings_;
  settings.Language = LanguageEdit->text().trimmed();
  return settings;
}
