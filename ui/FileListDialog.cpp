#include "ui/FileListDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFileListDialog::TFileListDialog(TWindowDialogs& dialogs, const TCatalogueText& text,
                                 const std::vector<std::string>& files, const TKeys& keys, TFileDialog openDialog,
                                 QWidget* parent)
    : QDialog(parent), OpenDialog(std::move(openDialog)), dialogs_(dialogs) {
  setWindowTitle(text(keys.Title));
  auto* layout = new QVBoxLayout(this);
  auto* hint = new QLabel(text(keys.Hint), this);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  List = new QListWidget(this);
  for (const std::string& file : files) List->addItem(QString::fromStdString(file));
  layout->addWidget(List);
  auto* row = new QHBoxLayout;
  AddButton = new QPushButton(text(keys.Add), this);
  RemoveButton = new QPushButton(text(keys.Remove), this);
  row->addWidget(AddButton);
  row->addWidget(RemoveButton);
  if (keys.Up != nullptr && keys.Down != nullptr) {
    UpButton = new QPushButton(text(keys.Up), this);
    DownButton = new QPushButton(text(keys.Down), this);
    row->addWidget(UpButton);
    row->addWidget(DownButton);
    connect(UpButton, &QPushButton::clicked, this, [this] { MoveClick(-1); });
    connect(DownButton, &QPushButton::clicked, this, [this] { MoveClick(+1); });
  }
  row->addStretch(1);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);

  connect(AddButton, &QPushButton::clicked, this, [this] { AddClick(); });
  connect(RemoveButton, &QPushButton::clicked, this, [this] { RemoveClick(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<std::string> TFileListDialog::Files() const {
  std::vector<std::string> files;
  for (int i = 0; i < List->count(); ++i) files.push_back(List->item(i)->text().toStdString());
  return files;
}

void TFileListDialog::AddClick() {
  OpenDialog.FileName.clear();
  if (!dialogs_.ExecuteFileDialog(this, OpenDialog)) return;
  if (!List->findItems(OpenDialog.FileName, Qt::MatchExactly).isEmpty()) return;
  List->addItem(OpenDialog.FileName);
}

void TFileListDialog::RemoveClick() { delete List->takeItem(List->currentRow()); }

void TFileListDialog::MoveClick(int step) {
  const int from = List->currentRow();
  const int to = from + step;
  if (from < 0 || to < 0 || to >= List->count()) return;
  List->insertItem(to, List->takeItem(from));
  List->setCurrentRow(to);
}
