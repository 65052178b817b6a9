#include "ui/QuestSearchModel.h"

#include "project/MessageSearch.h"
#include "project/ProjectClass.h"
#include "ui/MessageListModel.h"

TQuestSearchModel::TQuestSearchModel(const TtxgProject& project, TCatalogueText text, QObject* parent)
    : QAbstractTableModel(parent), project_(project), text_(std::move(text)) {}

int TQuestSearchModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TQuestSearchModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

void TQuestSearchModel::Clear() {
  beginResetModel();
  rows_.clear();
  quests_ = nullptr;
  openQuest_ = -1;
  total_ = 0;
  endResetModel();
}

void TQuestSearchModel::Search(const std::vector<TQuestTexts>& quests, int openQuest, const TMessageSearch& search,
                               TStateFilter filter) {
  beginResetModel();
  quests_ = &quests;
  openQuest_ = openQuest;
  rows_.clear();
  total_ = 0;
  const std::vector<TQuestFinding> found = SearchQuests(quests, search, filter);
  const auto open = static_cast<std::size_t>(openQuest);
  auto addOpenQuest = [&] {
    for (int32_t position : FilterPositions(project_, filter, &search)) rows_.push_back({open, position, 0});
    total_ += project_.PositionCount;
  };
  bool openAdded = openQuest < 0;
  for (const TQuestFinding& finding : found) {
    if (finding.Quest == open) continue;  // read from the project instead
    if (!openAdded && finding.Quest > open) {
      addOpenQuest();
      openAdded = true;
    }
    rows_.push_back({finding.Quest, quests[finding.Quest].Positions[finding.Index].Position, finding.Index});
  }
  if (!openAdded) addOpenQuest();
  for (std::size_t q = 0; q < quests.size(); ++q)
    if (q != open || openQuest < 0) total_ += static_cast<int32_t>(quests[q].Positions.size());
  endResetModel();
}

int32_t TQuestSearchModel::MessageAtRow(int row) const {
  const TRow& at = rows_.at(static_cast<std::size_t>(row));
  if (static_cast<int>(at.Quest) == openQuest_) return project_.MessageAtPosition(at.Position);
  return (*quests_)[at.Quest].Positions[at.Index].Message;
}

QVariant TQuestSearchModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || quests_ == nullptr || index.row() >= rowCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  const TRow& at = rows_[static_cast<std::size_t>(index.row())];
  const bool fromProject = static_cast<int>(at.Quest) == openQuest_;
  const int32_t n = fromProject ? project_.MessageAtPosition(at.Position) : 0;
  const TQuestPosition* kept = fromProject ? nullptr : &(*quests_)[at.Quest].Positions[at.Index];
  switch (index.column()) {
    case QuestColumn:
      return QString::fromStdU16String((*quests_)[at.Quest].Quest);
    case PositionColumn:
      return at.Position;
    case IdColumn:
      return QString::fromStdU16String(fromProject ? project_.TargetIds[static_cast<std::size_t>(n)] : kept->Id);
    case StateColumn:
      return text_(StateKey(fromProject ? MessageState(project_, n) : MessageState(kept->Translated, kept->Review)));
    case SourceColumn:
    case TranslationColumn: {
      const bool source = index.column() == SourceColumn;
      const std::u16string text = fromProject ? (source ? project_.GetSourceText(n) : project_.GetTargetText(n))
                                              : (source ? kept->Source : kept->Translation);
      return role == Qt::ToolTipRole ? WholeText(text) : FirstLine(text);
    }
  }
  return {};
}

QVariant TQuestSearchModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
  static const char16_t* const keys[] = {u"WorkspaceColumnName", u"ListColumnPosition", u"ListColumnId",
                                         u"ListColumnState",     u"ListColumnSource",   u"ListColumnTranslation"};
  return text_(keys[section]);
}
