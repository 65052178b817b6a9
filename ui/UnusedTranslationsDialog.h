#pragma once
// The translations an update found no place for, listed for the translator: id, source, translation.
#include <QAbstractTableModel>
#include <QDialog>

#include <vector>

#include "memory/TranslationMemory.h"

class QTableView;

class TUnusedTranslationsModel : public QAbstractTableModel {
 public:
  enum Column { IdColumn, SourceColumn, TranslationColumn, ColumnCount };

  explicit TUnusedTranslationsModel(std::vector<TMemoryEntry> entries, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  std::vector<TMemoryEntry> entries_;
};

class TUnusedTranslationsDialog : public QDialog {
 public:
  TUnusedTranslationsDialog(std::vector<TMemoryEntry> entries, QWidget* parent = nullptr);
  TUnusedTranslationsModel* Model = nullptr;
  QTableView* Table = nullptr;
};
