#pragma once
// The translations an update found no place for, listed for the translator: id, source, translation.
#include <QAbstractTableModel>
#include <QDialog>

#include <vector>

#include "memory/TranslationMemory.h"
#include "ui/CatalogueText.h"

class QTableView;

class TUnusedTranslationsModel : public QAbstractTableModel {
 public:
  enum Column { IdColumn, SourceColumn, TranslationColumn, ColumnCount };

  TUnusedTranslationsModel(std::vector<TMemoryEntry> entries, TCatalogueText text, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  std::vector<TMemoryEntry> entries_;
  TCatalogueText text_;
};

class TUnusedTranslationsDialog : public QDialog {
 public:
  TUnusedTranslationsDialog(std::vector<TMemoryEntry> entries, const TCatalogueText& text, QWidget* parent = nullptr);
  TUnusedTranslationsModel* Model = nullptr;
  QTableView* Table = nullptr;
};
