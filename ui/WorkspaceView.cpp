#include "ui/WorkspaceView.h"

#include <QAction>
#include <QDateTime>
#include <QDockWidget>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>

#include "ui/FileCommands.h"
#include "ui/MainMenu.h"
#include "ui/MessageChecks.h"
#include "ui/MessageListPanel.h"
#include "ui/MessageTools.h"
#include "ui/TranslationSession.h"
#include "ui/WorkspaceCommands.h"
#include "ui/XGTranslator.h"

TWorkspaceModel::TWorkspaceModel(TCatalogueText text, QObject* parent)
    : QAbstractTableModel(parent), text_(std::move(text)) {}

void TWorkspaceModel::SetProjects(std::vector<TWorkspaceProject> projects) {
  beginResetModel();
  projects_ = std::move(projects);
  total_ = WorkspaceTotal(projects_);
  endResetModel();
}

const TWorkspaceProject* TWorkspaceModel::ProjectAt(int row) const {
  return row >= 0 && row < static_cast<int>(projects_.size()) ? &projects_[static_cast<std::size_t>(row)] : nullptr;
}

int TWorkspaceModel::rowCount(const QModelIndex& parent) const {
  // No total for no workspace: the panel is empty until a folder is opened.
  return parent.isValid() || projects_.empty() ? 0 : static_cast<int>(projects_.size()) + 1;
}

int TWorkspaceModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

namespace {
int Percent(const TWorkspaceProject& project) {
  return project.Positions == 0 ? 0 : static_cast<int>(int64_t{project.Translated} * 100 / project.Positions);
}
}  // namespace

QVariant TWorkspaceModel::Display(const TWorkspaceProject& project, int column, bool total) const {
  if (column == NameColumn) return total ? text_(u"WorkspaceTotal") : QString::fromStdString(project.Name);
  if (project.Damaged) return column == MessagesColumn ? QVariant(text_(u"WorkspaceDamaged")) : QVariant();
  switch (column) {
    case MessagesColumn:
      return project.Positions;
    case TranslatedColumn:
      return QStringLiteral("%1%").arg(Percent(project));
    case ReviewColumn:
      return project.Review;
    case SavedColumn:
      if (project.LastSaved == 0) return {};
      return QDateTime::fromSecsSinceEpoch(project.LastSaved)
          .toLocalTime()
          .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    default:
      return {};
  }
}

QVariant TWorkspaceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const TWorkspaceProject* project = ProjectAt(index.row());
  const bool total = project == nullptr;
  if (total) project = &total_;
  switch (role) {
    case Qt::DisplayRole:
      return Display(*project, index.column(), total);
    case Qt::ToolTipRole:
      return project->Damaged ? QString::fromStdString(project->Error) : QVariant();
    case Qt::TextAlignmentRole:
      return index.column() == NameColumn ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case TotalRole:
      return total;
    case SortRole:
      switch (index.column()) {
        case NameColumn:
          return QString::fromStdString(project->Name);
        case MessagesColumn:  // damaged projects before the empty ones
          return project->Damaged ? -1 : project->Positions;
        case TranslatedColumn:
          return project->Damaged          ? -1.0
                 : project->Positions == 0 ? 0.0
                                           : double(project->Translated) / project->Positions;
        case ReviewColumn:
          return project->Damaged ? -1 : project->Review;
        case SavedColumn:
          return static_cast<qlonglong>(project->LastSaved);
        default:
          return {};
      }
    default:
      return {};
  }
}

QVariant TWorkspaceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char16_t* const keys[ColumnCount] = {u"WorkspaceColumnName", u"WorkspaceColumnMessages",
                                                    u"WorkspaceColumnTranslated", u"WorkspaceColumnReview",
                                                    u"WorkspaceColumnSaved"};
  return section >= 0 && section < ColumnCount ? QVariant(text_(keys[section])) : QVariant();
}

bool TWorkspaceSort::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  const bool leftTotal = left.data(TWorkspaceModel::TotalRole).toBool();
  const bool rightTotal = right.data(TWorkspaceModel::TotalRole).toBool();
  // Qt reverses the comparison for a descending sort: the total answers so that it ends last.
  if (leftTotal || rightTotal) return (sortOrder() == Qt::AscendingOrder) == rightTotal;
  return QSortFilterProxyModel::lessThan(left, right);
}

TWorkspaceView::TWorkspaceView(TForm1& window, TWindowDialogs& dialogs)
    : QObject(&window),
      FolderDialog(MakeFileDialog("OpenFolderDialog", TFileDialog::ChooseFolder, QString(), "")),
      window_(window),
      dialogs_(dialogs) {
  TTranslationSession& session = *window.Session;
  const TCatalogueText text = CatalogueLookup(session.Catalogue());
  FolderDialog.Title = text(u"OpenFolderDialogTitle");

  Model = new TWorkspaceModel(text, this);
  Sorted = new TWorkspaceSort(this);
  Sorted->setSourceModel(Model);
  Sorted->setSortRole(TWorkspaceModel::SortRole);
  Sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
  Table = new QTableView;
  Table->setModel(Sorted);
  Table->setSortingEnabled(true);
  Table->sortByColumn(TWorkspaceModel::NameColumn, Qt::AscendingOrder);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->setSelectionMode(QAbstractItemView::SingleSelection);
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->verticalHeader()->hide();
  Table->horizontalHeader()->setStretchLastSection(true);
  // Double-click and Enter both activate a row.
  connect(Table, &QAbstractItemView::activated, this,
          [this](const QModelIndex& index) { window_.RunGuarded([this, &index] { OpenRow(index.row()); }); });

  Dock = new QDockWidget(text(u"WorkspaceDockTitle"), &window);
  Dock->setObjectName(QStringLiteral("WorkspaceDock"));
  Dock->setWidget(Table);
  // A tab beside the message list: both are lists the translator picks from, and the editor keeps
  // its width.
  window.addDockWidget(Qt::BottomDockWidgetArea, Dock);
  window.tabifyDockWidget(window.ListDock, Dock);
  Dock->hide();  // shown when a folder is opened

  TMessageListPanel& list = *window.Tools->ListPanel;
  list.WorkspaceQuests = [&session]() -> const std::vector<TQuestTexts>& { return session.WorkspaceQuests(); };
  list.OpenQuest = [&session] { return session.OpenQuestIndex(); };
  list.OnOtherQuestChosen = [this](std::size_t quest, int32_t message) {
    window_.RunGuarded([this, quest, message] { OpenQuestAt(quest, message); });
  };
  // The open quest is searched in the project: another one opened, the rows follow.
  connect(&session, &TTranslationSession::ProjectReplaced, this, [&list] { list.WorkspaceChanged(); });
  connect(&session, &TTranslationSession::WorkspaceChanged, this, [this, &session, &list] {
    list.WorkspaceChanged();
    Model->SetProjects(session.WorkspaceProjects());
    // The shown message's checks: the other quests' translations came or changed.
    window_.ProcessEnabledControls();
  });
  window.Files->OpenFolder = [this](const QString& folder) { Open(folder); };

  TMainMenu& m = *window.Menu;
  // Beside the other ways of opening, before the recent files. Moving an entry cuts what the menu
  // itself connected to it, so the command is connected to this view.
  auto* openFolder = new QAction(text(u"MenuOpenFolder"), m.File);
  connect(openFolder, &QAction::triggered, this, [this] { window_.RunGuarded([this] { OpenFolder(); }); });
  m.AddAction(m.File, openFolder, {Qt::CTRL | Qt::SHIFT | Qt::Key_O});
  m.File->insertAction(m.RecentFiles->menuAction(), openFolder);
  Dock->toggleViewAction()->setText(text(u"WorkspacePanelAction"));
  m.AddAction(m.View, Dock->toggleViewAction(), {});
  Commands = new TWorkspaceCommands(window, dialogs, this);
  window.Checks->WorkspaceFindings = [&session](int32_t message) { return session.InconsistentFindings(message); };
}

void TWorkspaceView::OpenFolder() {
  FolderDialog.FileName = window_.Session->WorkspaceFolder();
  if (dialogs_.ExecuteFileDialog(&window_, FolderDialog)) Open(FolderDialog.FileName);
}

void TWorkspaceView::Open(const QString& folder) {
  window_.Session->OpenWorkspace(folder);
  Commands->ShowSettingsProblem();
  Dock->show();
  Dock->raise();
  Table->resizeColumnsToContents();
}

void TWorkspaceView::OpenQuestAt(std::size_t quest, int32_t message) {
  const std::vector<TWorkspaceProject>& projects = window_.Session->WorkspaceProjects();
  if (quest >= projects.size() || projects[quest].Damaged) return;
  window_.Files->OpenRecentFile(QString::fromStdString(projects[quest].FileName));
  // The translator may have kept the quest open at the save question.
  if (window_.Session->OpenQuestIndex() == static_cast<int>(quest)) window_.Tools->ShowMessage(message);
}

void TWorkspaceView::OpenRow(int row) {
  const QModelIndex index = Sorted->mapToSource(Sorted->index(row, 0));
  const TWorkspaceProject* project = Model->ProjectAt(index.row());
  if (project == nullptr || project->Damaged) return;
  window_.Files->OpenRecentFile(QString::fromStdString(project->FileName));
}
