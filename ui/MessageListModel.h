#pragma once
// TMessageListModel: the message list as a table over the project, one row per position. It reads
// every text from the project when the view asks and keeps only the order of the rows (the
// positions the filter and the search leave, sorted as the view asks).
#include <QAbstractTableModel>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "project/MessageFilter.h"
#include "ui/CatalogueText.h"

class TtxgProject;
class TMessageSearch;

// How the lists show a text in a cell (its first line) and in a tooltip (whole, one kind of line
// break), and the catalogue key of a state.
QString FirstLine(const std::u16string& text);
QString WholeText(const std::u16string& text);
const char16_t* StateKey(TMessageState state);

// The filters of the list, in the order the panel offers them: the four states, and the messages
// the checks find problems in (beyond being untranslated).
enum class TListFilter { All, Untranslated, NeedsReview, Translated, WithProblems };

class TMessageListModel : public QAbstractTableModel {
 public:
  enum Column { PositionColumn, IdColumn, KindColumn, StateColumn, SourceColumn, TranslationColumn, ColumnCount };

  TMessageListModel(const TtxgProject& project, TCatalogueText text, QObject* parent = nullptr);
  ~TMessageListModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  void SetFilter(TListFilter filter);
  TListFilter Filter() const { return filter_; }
  // nullptr shows every message the state filter lets through.
  void SetSearch(std::unique_ptr<TMessageSearch> search);
  const TMessageSearch* Search() const { return search_.get(); }

  // What the project's change notification calls: one message's translation or state changed
  // (its row is repainted and stays, so a row does not vanish under the typing translator), or,
  // with 0, the whole table changed (rows are filtered and sorted again).
  void MessageChanged(int32_t message);
  void Refilter();

  int32_t MessageAtRow(int row) const;
  int RowOfMessage(int32_t message) const;  // -1 when the message is not listed
  int32_t TotalPositions() const;
  // True when the rows are not simply every position in order: filtered, searched or sorted.
  bool Arranged() const;
  // The message of the first row after (step +1) or before (-1) the row of `message` that `wanted`
  // accepts (every row when it is empty), in the rows' order; with `wrap` going round past the
  // end, `message` itself coming last. A message that is not listed starts from the listed position
  // nearest after (before) its own. 0 when no row is found.
  int32_t NextListed(int32_t message, int step, bool wrap, const std::function<bool(int32_t)>& wanted = {}) const;

 private:
  void SortRows();
  std::vector<int32_t> FilteredPositions() const;
  bool HasProblems(int32_t message) const;
  void IndexRows();
  int NearestListedRow(int32_t message, int step, bool wrap) const;

  const TtxgProject& project_;
  TCatalogueText text_;
  TListFilter filter_ = TListFilter::All;
  std::unique_ptr<TMessageSearch> search_;
  std::vector<int32_t> rows_;           // per row: its position
  std::vector<int32_t> rowOfPosition_;  // per position: its row, or -1
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};
