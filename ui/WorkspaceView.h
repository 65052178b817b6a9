#pragma once
// The open workspace in the window, as a view of the session: the Workspace panel (a dock listing
// the folder's projects with their counts, a total row for the game that stays last whatever the
// sort) and File → Open Folder… (Ctrl+Shift+O). Activating a row (double-click or Enter) opens that
// project the way Open Recent does, the save question included.
#include <QAbstractTableModel>
#include <QObject>
#include <QSortFilterProxyModel>

#include <vector>

#include "ui/CatalogueText.h"
#include "ui/WindowDialogs.h"
#include "workspace/Workspace.h"

class QDockWidget;
class QTableView;
class TForm1;
class TWorkspaceCommands;

// The rows of the panel: one per project, then the total when a folder is open.
class TWorkspaceModel : public QAbstractTableModel {
 public:
  enum Columns { NameColumn, MessagesColumn, TranslatedColumn, ReviewColumn, SavedColumn, ColumnCount };
  // The value a column sorts by (numbers as numbers, times as seconds).
  static constexpr int SortRole = Qt::UserRole;
  // True on the total row.
  static constexpr int TotalRole = Qt::UserRole + 1;
  explicit TWorkspaceModel(TCatalogueText text, QObject* parent = nullptr);

  void SetProjects(std::vector<TWorkspaceProject> projects);
  // The project of a row; nullptr for the total row.
  const TWorkspaceProject* ProjectAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QVariant Display(const TWorkspaceProject& project, int column, bool total) const;
  TCatalogueText text_;
  std::vector<TWorkspaceProject> projects_;
  TWorkspaceProject total_;
};

// Sorts by SortRole, the total row last in either order.
class TWorkspaceSort : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

class TWorkspaceView : public QObject {
 public:
  // Adds the dock and File → Open Folder… to `window`, whose menus are made already.
  TWorkspaceView(TForm1& window, TWindowDialogs& dialogs);

  TWorkspaceModel* Model = nullptr;
  TWorkspaceSort* Sorted = nullptr;
  QTableView* Table = nullptr;
  QDockWidget* Dock = nullptr;
  TFileDialog FolderDialog;
  TWorkspaceCommands* Commands = nullptr;  // pre-translation and the other commands of a game

  // The folder chosen in its dialog opened as the workspace.
  void OpenFolder();
  // `folder` opened as the workspace and the panel shown; no project is opened by it.
  void Open(const QString& folder);
  // The project of a row of the table (as sorted) opened in the editor, after the save question.
  void OpenRow(int row);
  // Quest `quest` of the workspace opened (after the save question) at `message`.
  void OpenQuestAt(std::size_t quest, int32_t message);

 private:
  TForm1& window_;
  TWindowDialogs& dialogs_;
};
