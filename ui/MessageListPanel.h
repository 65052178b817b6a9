#pragma once
// TMessageListPanel: the message list with its state filter, the search field and its options,
// and the count of listed positions ("123 of 26,095"). Choosing a row asks the window to show that
// message; the window tells the panel which message it shows. With a workspace open, the search's
// scope may be all its quests: a second table lists what it finds in each, and choosing (Enter,
// double-click) a row of another quest asks the window to open that quest at that message.
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

#include "ui/CatalogueText.h"
#include "ui/Controls.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class TMessageListModel;
class TQuestSearchModel;
struct TQuestTexts;
class TtxgProject;

class TMessageListPanel : public QWidget {
 public:
  TMessageListPanel(const TtxgProject& project, TCatalogueText text, QWidget* parent = nullptr);

  QComboBox* FilterBox = nullptr;  // all, untranslated, needs review, translated
  QLineEdit* SearchEdit = nullptr;
  QComboBox* SearchInBox = nullptr;  // source and translation, source, translation, id
  QCheckBox* CaseBox = nullptr;
  QCheckBox* WordsBox = nullptr;
  QCheckBox* RegexBox = nullptr;
  TElidedLabel* CountLabel = nullptr;  // the count, or why the search text is no valid expression
  QTableView* Table = nullptr;
  TMessageListModel* Model = nullptr;
  QComboBox* ScopeBox = nullptr;  // this quest, all quests (shown only with a workspace)
  QTableView* QuestTable = nullptr;
  TQuestSearchModel* QuestModel = nullptr;

  // The quests of the open workspace (none: no workspace) and which of them is the open project
  // (-1: none).
  std::function<const std::vector<TQuestTexts>&()> WorkspaceQuests;
  std::function<int()> OpenQuest;
  // A row of another quest chosen: `quest` indexes WorkspaceQuests().
  std::function<void(std::size_t quest, int32_t message)> OnOtherQuestChosen;
  // The workspace or the open project changed: the scope follows, and a search of all quests runs
  // again.
  void WorkspaceChanged();
  bool SearchesAllQuests() const;

  // The user chose a row (click, keyboard).
  std::function<void(int32_t message)> OnMessageChosen;
  // The window shows `message`: its row becomes the current one, without OnMessageChosen.
  void SelectMessage(int32_t message);
  void FocusSearch();
  // The message of the row after (or before) the row of `message`, wrapping around; for a message
  // that is not listed, the listed one nearest after (before) it by position. 0 for an empty list.
  int32_t NextListed(int32_t message, bool backward) const;
  // The reason the search text is no valid expression; empty when it is valid.
  const QString& SearchError() const { return searchError_; }

 private:
  void SizeColumns();
  void ApplySearch();
  void UpdateCount();

  const TtxgProject& project_;
  TCatalogueText text_;
  QString searchError_;
  int32_t shown_ = 0;
  bool selecting_ = false;
};
