#include "ui/GlossariesDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TGlossariesDialog::TGlossariesDialog(TWindowDialogs& dialogs, const TCatalogueText& text,
                                     const std::vector<std::string>& files, QWidget* parent)
    : QDialog(parent),
      OpenDialog(MakeFileDialog("GlossaryOpenDialog", TFileDialog::Open, QStringLiteral("TBX|*.tbx"), "tbx")),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("GlossariesDialog"));
  setWindowTitle(text(u"GlossariesDialogTitle"));
  OpenDialog.Title = text(u"GlossaryOpenDialogTitle");

  auto* layout = new QVBoxLayout(this);
  auto* hint = new QLabel(text(u"GlossariesDialogHint"), this);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  List = new QListWidget(this);
  for (const std::string& file : files) List->addItem(QString::fromStdString(file));
  layout->addWidget(List);
  auto* row = new QHBoxLayout;
  AddButton = new QPushButton(text(u"GlossaryAddButton"), this);
  RemoveButton = new QPushButton(text(u"GlossaryRemoveButton"), this);
  UpButton = new QPushButton(text(u"GlossaryUpButton"), this);
  DownButton = new QPushButton(text(u"GlossaryDownButton"), this);
  for (QPushButton* button : {AddButton, RemoveButton, UpButton, DownButton}) row->addWidget(button);
  row->addStretch(1);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);

  connect(AddButton, &QPushButton::clicked, this, [this] { AddClick(); });
  connect(RemoveButton, &QPushButton::clicked, this, [this] { RemoveClick(); });
  connect(UpButton, &QPushButton::clicked, this, [this] { MoveClick(-1); });
  connect(DownButton, &QPushButton::clicked, this, [this] { MoveClick(+1); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<std::string> TGlossariesDialog::Files() const {
  std::vector<std::string> files;
  for (int i = 0; i < List->count(); ++i) files.push_back(List->item(i)->text().toStdString());
  return files;
}

void TGlossariesDialog::AddClick() {
  OpenDialog.FileName.clear();
  if (!dialogs_.ExecuteFileDialog(this, OpenDialog)) return;
  if (!List->findItems(OpenDialog.FileName, Qt::MatchExactly).isEmpty()) return;
  List->addItem(OpenDialog.FileName);
}

void TGlossariesDialog::RemoveClick() { delete List->takeItem(List->currentRow()); }

void TGlossariesDialog::MoveClick(int step) {
  const int from = List->currentRow();
  const int to = from + step;
  if (from < 0 || to < 0 || to >= List->count()) return;
  List->insertItem(to, List->takeItem(from));
  List->setCurrentRow(to);
}
