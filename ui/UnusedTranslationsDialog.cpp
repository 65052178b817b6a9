#include "ui/UnusedTranslationsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

TUnusedTranslationsModel::TUnusedTranslationsModel(std::vector<TMemoryEntry> entries, TCatalogueText text,
                                                   QObject* parent)
    : QAbstractTableModel(parent), entries_(std::move(entries)), text_(std::move(text)) {}

int TUnusedTranslationsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int TUnusedTranslationsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant TUnusedTranslationsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const TMemoryEntry& entry = entries_[static_cast<std::size_t>(index.row())];
  switch (index.column()) {
    case IdColumn:
      return QString::fromStdU16String(entry.Origin);
    case SourceColumn:
      return QString::fromStdU16String(entry.Source);
    case TranslationColumn:
      return QString::fromStdU16String(entry.Translation);
    default:
      return {};
  }
}

QVariant TUnusedTranslationsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case IdColumn:
      return text_(u"UnusedColumnMessage");
    case SourceColumn:
      return text_(u"UnusedColumnOldSource");
    case TranslationColumn:
      return text_(u"UnusedColumnTranslation");
    default:
      return {};
  }
}

TUnusedTranslationsDialog::TUnusedTranslationsDialog(std::vector<TMemoryEntry> entries, const TCatalogueText& text,
                                                     QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("UnusedTranslationsDialog"));
  setWindowTitle(text(u"UnusedDialogTitle"));
  auto* layout = new QVBoxLayout(this);
  auto* hint = new QLabel(text(u"UnusedDialogHint"), this);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  Model = new TUnusedTranslationsModel(std::move(entries), text, this);
  Table = new QTableView(this);
  Table->setModel(Model);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->setWordWrap(true);
  Table->horizontalHeader()->setStretchLastSection(true);
  Table->verticalHeader()->hide();
  layout->addWidget(Table);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(720, 420);
}
