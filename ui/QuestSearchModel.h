#pragma once
// TQuestSearchModel: the message list's search over every quest of a workspace, one row per
// position found, the quest's name first. The open quest is searched in the live project (its
// unsaved translations are found); the others in the texts the workspace keeps of them.
#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

#include "project/MessageFilter.h"
#include "ui/CatalogueText.h"
#include "workspace/Workspace.h"

class TMessageSearch;
class TtxgProject;

class TQuestSearchModel : public QAbstractTableModel {
 public:
  enum Column { QuestColumn, PositionColumn, IdColumn, StateColumn, SourceColumn, TranslationColumn, ColumnCount };

  TQuestSearchModel(const TtxgProject& project, TCatalogueText text, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // Searches `quests` again, `openQuest` (-1: none of them) standing for the live project.
  void Search(const std::vector<TQuestTexts>& quests, int openQuest, const TMessageSearch& search, TStateFilter filter);
  void Clear();

  // The quest (its index among the workspace's) and message of a row.
  std::size_t QuestAtRow(int row) const { return rows_.at(static_cast<std::size_t>(row)).Quest; }
  int32_t MessageAtRow(int row) const;
  bool IsOpenQuest(int row) const { return static_cast<int>(QuestAtRow(row)) == openQuest_; }
  // All the positions of the quests searched.
  int32_t TotalPositions() const { return total_; }

 private:
  struct TRow {
    std::size_t Quest;
    int32_t Position;
    std::size_t Index;  // into the quest's kept positions; unused for the open quest
  };
  const TtxgProject& project_;
  TCatalogueText text_;
  const std::vector<TQuestTexts>* quests_ = nullptr;
  int openQuest_ = -1;
  std::vector<TRow> rows_;
  int32_t total_ = 0;
};
