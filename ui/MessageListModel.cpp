#include "ui/MessageListModel.h"

#include <algorithm>
#include <string>

#include "checks/ProblemSearch.h"
#include "project/CatalogueKeys.h"
#include "project/MessageSearch.h"
#include "project/ProjectClass.h"

namespace {

const std::u16string NoText;

const std::u16string& TextOf(const std::vector<TTextField*>& texts, int32_t count, int32_t n) {
  if (n < 1 || n > count || static_cast<std::size_t>(n) >= texts.size() ||
      texts[static_cast<std::size_t>(n)] == nullptr)
    return NoText;
  return texts[static_cast<std::size_t>(n)]->Text;
}

// A cell shows the first line; the tooltip shows the whole text.
const std::u16string& IdOf(const TtxgProject& project, std::size_t n) {
  return n < project.TargetIds.size() ? project.TargetIds[n] : NoText;
}

int32_t TypeOf(const TtxgProject& project, std::size_t n) {
  return n < project.SourceTypes.size() ? project.SourceTypes[n] : 0;
}

}  // namespace

QString FirstLine(const std::u16string& text) {
  const std::size_t end = text.find_first_of(u"\r\n");
  return QString::fromStdU16String(end == std::u16string::npos ? text : text.substr(0, end));
}

QString WholeText(const std::u16string& text) {
  QString shown = QString::fromStdU16String(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

const char16_t* StateKey(TMessageState state) {
  switch (state) {
    case TMessageState::Untranslated:
      return u"StateUntranslated";
    case TMessageState::NeedsReview:
      return u"StateNeedsReview";
    case TMessageState::Translated:
      return u"StateTranslated";
  }
  return u"StateUntranslated";
}

TMessageListModel::TMessageListModel(const TtxgProject& project, TCatalogueText text, QObject* parent)
    : QAbstractTableModel(parent), project_(project), text_(std::move(text)) {
  rows_ = FilteredPositions();
  IndexRows();
}

TMessageListModel::~TMessageListModel() = default;

int TMessageListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TMessageListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

int32_t TMessageListModel::MessageAtRow(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return 0;
  return project_.MessageAtPosition(rows_[static_cast<std::size_t>(row)]);
}

int TMessageListModel::RowOfMessage(int32_t message) const {
  const int32_t position = project_.PositionOfMessage(message);
  if (position < 1 || static_cast<std::size_t>(position) >= rowOfPosition_.size()) return -1;
  return rowOfPosition_[static_cast<std::size_t>(position)];
}

int32_t TMessageListModel::TotalPositions() const { return project_.PositionCount; }

bool TMessageListModel::Arranged() const {
  const bool inOrder = sortColumn_ < 0 || (sortColumn_ == PositionColumn && sortOrder_ == Qt::AscendingOrder);
  return filter_ != TListFilter::All || search_ != nullptr || !inOrder;
}

int TMessageListModel::NearestListedRow(int32_t message, int step, bool wrap) const {
  const int32_t position = project_.PositionOfMessage(message);
  int32_t best = 0;
  int32_t first = 0;  // where going round starts
  for (int32_t candidate : rows_) {
    const bool ahead = step < 0 ? candidate < position : candidate > position;
    if (ahead && (best == 0 || (step < 0 ? candidate > best : candidate < best))) best = candidate;
    if (first == 0 || (step < 0 ? candidate > first : candidate < first)) first = candidate;
  }
  if (best == 0 && wrap) best = first;
  return best == 0 ? -1 : rowOfPosition_[static_cast<std::size_t>(best)];
}

int32_t TMessageListModel::NextListed(int32_t message, int step, bool wrap,
                                      const std::function<bool(int32_t)>& wanted) const {
  const int rows = rowCount();
  int row = RowOfMessage(message);
  if (row < 0) {
    row = NearestListedRow(message, step, wrap);
    if (row < 0) return 0;
    row -= step;  // the loop's first step lands on it
  }
  for (int tried = 0; tried < rows; ++tried) {
    row += step;
    if (row < 0 || row >= rows) {
      if (!wrap) return 0;
      row = (row + rows) % rows;
    }
    const int32_t n = MessageAtRow(row);
    if (!wanted || wanted(n)) return n;
  }
  return 0;
}

QVariant TMessageListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const int32_t n = MessageAtRow(index.row());
  if (n == 0) return {};
  const auto i = static_cast<std::size_t>(n);
  switch (index.column()) {
    case PositionColumn:
      return rows_[static_cast<std::size_t>(index.row())];
    case IdColumn:
      return QString::fromStdU16String(IdOf(project_, i));
    case KindColumn: {
      const TMessageType type = DecodeMessageType(TypeOf(project_, i));
      const char16_t* key = MessageKindKey(type.Kind);
      if (key == nullptr) return QString();
      return type.Number > 0 ? text_(key) + QStringLiteral(" %1").arg(type.Number) : text_(key);
    }
    case StateColumn: {
      const QString state = text_(StateKey(MessageState(project_, n)));
      return HasProblems(n) ? state + QStringLiteral(", ") + text_(u"StateHasProblems") : state;
    }
    case SourceColumn:
    case TranslationColumn: {
      const std::u16string& text = index.column() == SourceColumn
                                       ? TextOf(project_.SourceTexts, project_.SourceCount, n)
                                       : TextOf(project_.TargetTexts, project_.TargetCount, n);
      return role == Qt::ToolTipRole ? WholeText(text) : FirstLine(text);
    }
    default:
      return {};
  }
}

QVariant TMessageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  static const char16_t* const keys[] = {u"ListColumnPosition", u"ListColumnId",     u"ListColumnKind",
                                         u"ListColumnState",    u"ListColumnSource", u"ListColumnTranslation"};
  if (section < 0 || section >= ColumnCount) return {};
  return text_(keys[section]);
}

void TMessageListModel::SetFilter(TListFilter filter) {
  filter_ = filter;
  Refilter();
}

void TMessageListModel::SetSearch(std::unique_ptr<TMessageSearch> search) {
  search_ = std::move(search);
  Refilter();
}

void TMessageListModel::Refilter() {
  beginResetModel();
  rows_ = FilteredPositions();
  SortRows();
  IndexRows();
  endResetModel();
}

// A message not edited yet has no findings but "unchanged", which its state already says.
bool TMessageListModel::HasProblems(int32_t message) const { return ::HasProblems(project_, message); }

std::vector<int32_t> TMessageListModel::FilteredPositions() const {
  const bool problemsOnly = filter_ == TListFilter::WithProblems;
  const TStateFilter states = problemsOnly ? TStateFilter::All : static_cast<TStateFilter>(filter_);
  std::vector<int32_t> positions = FilterPositions(project_, states, search_.get());
  if (problemsOnly)
    std::erase_if(positions, [this](int32_t position) { return !HasProblems(project_.MessageAtPosition(position)); });
  return positions;
}

void TMessageListModel::MessageChanged(int32_t message) {
  if (message == 0) {
    Refilter();
    return;
  }
  const int row = RowOfMessage(message);
  if (row >= 0) emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void TMessageListModel::sort(int column, Qt::SortOrder order) {
  sortColumn_ = column;
  sortOrder_ = order;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int32_t> positions;
  for (const QModelIndex& index : before) positions.push_back(rows_[static_cast<std::size_t>(index.row())]);
  SortRows();
  IndexRows();
  QModelIndexList after;
  for (std::size_t i = 0; i < positions.size(); ++i)
    after.push_back(
        index(rowOfPosition_[static_cast<std::size_t>(positions[i])], before[static_cast<int>(i)].column()));
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TMessageListModel::SortRows() {
  if (sortColumn_ < 0 || sortColumn_ >= ColumnCount) return;
  const TtxgProject& p = project_;
  auto message = [&p](int32_t position) { return static_cast<std::size_t>(p.MessageAtPosition(position)); };
  // The state, then whether the checks find problems, as the column reads.
  std::vector<int32_t> ranks;
  if (sortColumn_ == StateColumn) {
    ranks.assign(static_cast<std::size_t>(std::max(p.SourceCount, 0)) + 1, 0);
    for (int32_t position : rows_) {
      const int32_t n = p.MessageAtPosition(position);
      ranks[static_cast<std::size_t>(n)] =
          2 * static_cast<int32_t>(MessageState(p, n)) + static_cast<int32_t>(HasProblems(n));
    }
  }
  auto StateRank = [&ranks](int32_t n) { return ranks[static_cast<std::size_t>(n)]; };
  auto less = [&](int32_t a, int32_t b) -> bool {
    const std::size_t m = message(a);
    const std::size_t n = message(b);
    switch (sortColumn_) {
      case IdColumn:
        return IdOf(p, m) < IdOf(p, n);
      case KindColumn:
        return TypeOf(p, m) < TypeOf(p, n);
      case StateColumn:
        return StateRank(static_cast<int32_t>(m)) < StateRank(static_cast<int32_t>(n));
      case SourceColumn:
        return TextOf(p.SourceTexts, p.SourceCount, static_cast<int32_t>(m)) <
               TextOf(p.SourceTexts, p.SourceCount, static_cast<int32_t>(n));
      case TranslationColumn:
        return TextOf(p.TargetTexts, p.TargetCount, static_cast<int32_t>(m)) <
               TextOf(p.TargetTexts, p.TargetCount, static_cast<int32_t>(n));
      default:
        return a < b;
    }
  };
  // Equal keys keep position order, whichever way the column is sorted.
  std::stable_sort(rows_.begin(), rows_.end(), [&](int32_t a, int32_t b) {
    if (sortOrder_ == Qt::AscendingOrder) return less(a, b);
    return less(b, a);
  });
}

void TMessageListModel::IndexRows() {
  rowOfPosition_.assign(static_cast<std::size_t>(std::max(project_.PositionCount, 0)) + 1, -1);
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    const auto position = static_cast<std::size_t>(rows_[row]);
    if (position < rowOfPosition_.size()) rowOfPosition_[position] = static_cast<int>(row);
  }
}
