#include "ui/MemoryFilesDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TMemoryFilesDialog::TMemoryFilesDialog(TWindowDialogs& dialogs, const TCatalogueText& text,
                                       const std::vector<std::string>& files, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("MemoryFilesDialog"));
  setWindowTitle(text(u"MemoryDialogTitle"));
  OpenDialog.Name = QStringLiteral("MemoryOpenDialog");
  OpenDialog.Kind = TFileDialog::Open;
  OpenDialog.Filter = QStringLiteral("Translation memory|*.tmx");
  OpenDialog.DefaultExt = QStringLiteral("tmx");
  OpenDialog.Title = text(u"MemoryOpenDialogTitle");

  auto* layout = new QVBoxLayout(this);
  auto* hint = new QLabel(text(u"MemoryDialogHint"), this);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  List = new QListWidget(this);
  for (const std::string& file : files) List->addItem(QString::fromStdString(file));
  layout->addWidget(List);
  auto* row = new QHBoxLayout;
  AddButton = new QPushButton(text(u"MemoryAddButton"), this);
  RemoveButton = new QPushButton(text(u"MemoryRemoveButton"), this);
  row->addWidget(AddButton);
  row->addWidget(RemoveButton);
  row->addStretch(1);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);

  connect(AddButton, &QPushButton::clicked, this, [this] { AddClick(); });
  connect(RemoveButton, &QPushButton::clicked, this, [this] { RemoveClick(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<std::string> TMemoryFilesDialog::Files() const {
  std::vector<std::string> files;
  for (int i = 0; i < List->count(); ++i) files.push_back(List->item(i)->text().toStdString());
  return files;
}

void TMemoryFilesDialog::AddClick() {
  OpenDialog.FileName.clear();
  if (!dialogs_.ExecuteFileDialog(this, OpenDialog)) return;
  if (!List->findItems(OpenDialog.FileName, Qt::MatchExactly).isEmpty()) return;
  List->addItem(OpenDialog.FileName);
}

void TMemoryFilesDialog::RemoveClick() { delete List->takeItem(List->currentRow()); }
