#include "ui/ProblemsView.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <utility>

#include "project/ProjectClass.h"
#include "ui/MessageNavigator.h"
#include "ui/QtText.h"
#include "ui/TranslationSession.h"

namespace {

// A cell shows a text on one line: each line break as an arrow.
QString OneLine(const std::u16string& text) {
  QString line = FromWide(text);
  line.replace(QStringLiteral("\r\n"), QStringLiteral(" \u21B5 "));
  line.replace(QLatin1Char('\n'), QStringLiteral(" \u21B5 "));
  line.replace(QLatin1Char('\r'), QStringLiteral(" \u21B5 "));
  return line;
}

bool BeforePosition(const TReportRow& row, int32_t position) { return row.Position < position; }

}  // namespace

TProblemsModel::TProblemsModel(const TCatalogueText& text, QObject* parent) : QAbstractTableModel(parent) {
  for (const char16_t* key :
       {u"ProblemsColumnPosition", u"ProblemsColumnId", u"ProblemsColumnKind", u"ProblemsColumnCheck",
        u"ProblemsColumnDetail", u"ProblemsColumnSource", u"ProblemsColumnTranslation"})
    headers_ << text(key);
}

int TProblemsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TProblemsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TProblemsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const TReportRow& row = rows_[static_cast<std::size_t>(index.row())];
  const bool tip = role == Qt::ToolTipRole;
  switch (index.column()) {
    case PositionColumn:
      return row.Position;
    case IdColumn:
      return FromWide(row.Id);
    case KindColumn:
      return FromWide(row.Kind);
    case CheckColumn:
      return QString::fromUtf8(tip ? row.Finding.Description : row.Finding.Code);
    case DetailColumn:
      return FromWide(row.Finding.Detail);
    case SourceColumn:
      return tip ? FromWide(row.Source) : OneLine(row.Source);
    case TranslationColumn:
      return tip ? FromWide(row.Translation) : OneLine(row.Translation);
    default:
      return {};
  }
}

QVariant TProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headers_.size()) return {};
  return headers_[section];
}

void TProblemsModel::SetRows(std::vector<TReportRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

void TProblemsModel::ReplacePosition(int32_t position, std::vector<TReportRow> rows) {
  auto first = std::lower_bound(rows_.begin(), rows_.end(), position, BeforePosition);
  auto last = std::find_if(first, rows_.end(), [position](const TReportRow& row) { return row.Position != position; });
  const int at = static_cast<int>(first - rows_.begin());
  if (first != last) {
    beginRemoveRows({}, at, at + static_cast<int>(last - first) - 1);
    rows_.erase(first, last);
    endRemoveRows();
  }
  if (rows.empty()) return;
  beginInsertRows({}, at, at + static_cast<int>(rows.size()) - 1);
  rows_.insert(rows_.begin() + at, std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
  endInsertRows();
}

TProblemsDialog::TProblemsDialog(TTranslationSession& session, TMessageNavigator& navigator, TWindowDialogs& dialogs,
                                 QWidget* parent)
    : QDialog(parent),
      SaveDialog(MakeFileDialog("ProblemsReportDialog", TFileDialog::Save, QString::fromUtf8(ReportDialogFilter()),
                                "html", true)),
      session_(session),
      sessionAlive_(&session),
      navigator_(navigator),
      dialogs_(dialogs) {
  const TCatalogueText text = CatalogueLookup(session.Catalogue());
  setObjectName(QStringLiteral("ProblemsDialog"));
  setWindowTitle(text(u"ProblemsDialogTitle"));
  SaveDialog.Title = text(u"ProblemsSaveDialogTitle");
  auto* layout = new QVBoxLayout(this);
  Summary = new QLabel(this);
  layout->addWidget(Summary);
  Model = new TProblemsModel(text, this);
  Table = new QTableView(this);
  Table->setObjectName(QStringLiteral("ProblemsTable"));
  Table->setModel(Model);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->setSelectionMode(QAbstractItemView::SingleSelection);
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->setWordWrap(false);
  Table->verticalHeader()->hide();
  Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 8);
  Table->horizontalHeader()->setStretchLastSection(true);
  int column = 0;
  for (const int width : {70, 130, 150, 100, 170, 260}) Table->setColumnWidth(column++, width);
  layout->addWidget(Table);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  SaveButton = buttons->addButton(text(u"ProblemsSaveButton"), QDialogButtonBox::ActionRole);
  layout->addWidget(buttons);
  resize(1180, 460);

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(SaveButton, &QPushButton::clicked, this, [this] { Guarded([this] { SaveReport(); }); });
  connect(Table, &QTableView::clicked, this, [this](const QModelIndex& index) { RowActivated(index); });
  connect(Table, &QTableView::activated, this, [this](const QModelIndex& index) { RowActivated(index); });
  // A change is often one of many (an import, a replace): the rows follow once it is over.
  changes_ = new QTimer(this);
  changes_->setSingleShot(true);
  connect(changes_, &QTimer::timeout, this, [this] { Guarded([this] { UpdateChanged(); }); });
  listener_ = session_.Project().AddChangeListener([this](int32_t message) {
    changed_.insert(message);
    changes_->start(0);
  });
  // Other glossaries find other terms in any message, and another workspace other translations.
  for (auto signal : {&TTranslationSession::GlossariesChanged, &TTranslationSession::WorkspaceChanged})
    connect(&session, signal, this, [this] {
      changed_.insert(0);
      changes_->start(0);
    });
}

TProblemsDialog::~TProblemsDialog() {
  if (sessionAlive_ != nullptr) session_.Project().RemoveChangeListener(listener_);
}

TSpellChecker* TProblemsDialog::Speller() const { return navigator_.Speller ? navigator_.Speller() : nullptr; }

TReportRows TProblemsDialog::Rows() const {
  return TReportRows(session_.Project(), Speller(), session_.TermMatcher(), session_.ConsistencyIndex(),
                     session_.ConsistencyQuest());
}

TCheckReport TProblemsDialog::Report() const {
  TCheckReport report;
  report.Title = QFileInfo(session_.ProjectOrQuestFileName()).fileName().toStdString();
  report.Checks = Rows().Checks();
  report.Rows = Model->Rows();
  return report;
}

void TProblemsDialog::Refresh() {
  changed_.clear();
  Model->SetRows(MakeCheckReport(session_.Project(), Speller(), session_.TermMatcher(), session_.ConsistencyIndex(),
                                 session_.ConsistencyQuest())
                     .Rows);
  ShowSummary();
}

void TProblemsDialog::UpdateChanged() {
  if (changed_.empty()) return;
  if (changed_.count(0) != 0) return Refresh();
  const TtxgProject& project = session_.Project();
  TReportRows rows = Rows();
  for (const int32_t message : std::exchange(changed_, {})) {
    const int32_t position = project.PositionOfMessage(message);
    if (position < 1) continue;
    std::vector<TReportRow> found;
    rows.AppendPosition(position, found);
    Model->ReplacePosition(position, std::move(found));
  }
  ShowSummary();
}

void TProblemsDialog::ShowSummary() {
  std::set<int32_t> positions;
  for (const TReportRow& row : Model->Rows()) positions.insert(row.Position);
  Summary->setText(session_.Text(u"ProblemsSummary").arg(Model->rowCount()).arg(positions.size()));
}

void TProblemsDialog::RowActivated(const QModelIndex& index) {
  if (!index.isValid() || index.row() >= Model->rowCount()) return;
  const int32_t message = Model->Rows()[static_cast<std::size_t>(index.row())].Message;
  Guarded([this, message] { navigator_.ShowPosition(session_.Project().PositionOfMessage(message)); });
}

void TProblemsDialog::SaveReport() {
  UpdateChanged();  // a change still waiting is in the report too
  if (SaveDialog.FileName.isEmpty()) SaveDialog.FileName = session_.SuggestedFileName(QStringLiteral("problems.html"));
  if (!dialogs_.ExecuteFileDialog(this, SaveDialog)) return;
  SaveCheckReport(Report(), FileNameForLibrary(SaveDialog.FileName));
}

void TProblemsDialog::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    dialogs_.ShowError(this, QString::fromUtf8(error.what()), ErrorPlaceOf(error));
  }
}

TProblemsDialog* ShowProblems(TTranslationSession& session, TMessageNavigator& navigator, TWindowDialogs& dialogs,
                              QWidget* window) {
  auto* dialog = window->findChild<TProblemsDialog*>(QString(), Qt::FindDirectChildrenOnly);
  if (dialog == nullptr) {
    dialog = new TProblemsDialog(session, navigator, dialogs, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
  }
  dialog->Refresh();
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  return dialog;
}
