#include "ui/MessageListPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <utility>

#include "project/MessageSearch.h"
#include "project/ProjectClass.h"
#include "ui/Controls.h"
#include "ui/MessageListModel.h"
#include "ui/QuestSearchModel.h"

TMessageListPanel::TMessageListPanel(const TtxgProject& project, TCatalogueText text, QWidget* parent)
    : QWidget(parent), project_(project), text_(std::move(text)) {
  FilterBox = new QComboBox(this);
  for (const char16_t* key :
       {u"FilterAll", u"FilterUntranslated", u"FilterNeedsReview", u"FilterTranslated", u"FilterWithProblems"})
    FilterBox->addItem(text_(key));
  SearchEdit = new QLineEdit(this);
  SearchEdit->setPlaceholderText(text_(u"SearchPlaceholder"));
  SearchEdit->setClearButtonEnabled(true);
  SearchInBox = new QComboBox(this);
  for (const char16_t* key : {u"SearchInBoth", u"SearchInSource", u"SearchInTranslation", u"SearchInId"})
    SearchInBox->addItem(text_(key));
  CaseBox = new QCheckBox(text_(u"SearchCaseOption"), this);
  WordsBox = new QCheckBox(text_(u"SearchWordsOption"), this);
  RegexBox = new QCheckBox(text_(u"SearchRegexOption"), this);
  CountLabel = new TElidedLabel(this);
  Model = new TMessageListModel(project, text_, this);
  Table = new QTableView(this);
  Table->setModel(Model);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->setSelectionMode(QAbstractItemView::SingleSelection);
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->setSortingEnabled(true);
  Table->sortByColumn(TMessageListModel::PositionColumn, Qt::AscendingOrder);
  Table->setWordWrap(false);
  // Tab leaves the table for the next control instead of walking its cells.
  Table->setTabKeyNavigation(false);
  Table->verticalHeader()->hide();
  Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
  SizeColumns();
  ScopeBox = new QComboBox(this);
  ScopeBox->addItem(text_(u"SearchScopeThisQuest"));
  ScopeBox->addItem(text_(u"SearchScopeAllQuests"));
  // Only a workspace has other quests to search: the choice is not there without one.
  ScopeBox->hide();
  QuestModel = new TQuestSearchModel(project, text_, this);
  QuestTable = new QTableView(this);
  QuestTable->setObjectName(QStringLiteral("QuestSearchTable"));
  QuestTable->setModel(QuestModel);
  QuestTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  QuestTable->setSelectionMode(QAbstractItemView::SingleSelection);
  QuestTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QuestTable->setWordWrap(false);
  QuestTable->setTabKeyNavigation(false);
  QuestTable->verticalHeader()->hide();
  QuestTable->verticalHeader()->setDefaultSectionSize(Table->verticalHeader()->defaultSectionSize());
  {
    // As the one quest's list: the short columns as wide as their usual contents, the texts share
    // the rest.
    QHeaderView* header = QuestTable->horizontalHeader();
    const QFontMetrics metrics = QuestTable->fontMetrics();
    const int margin = 2 * metrics.averageCharWidth();
    header->setStretchLastSection(false);
    const std::pair<int, const char*> widths[] = {{TQuestSearchModel::QuestColumn, "chapter0/quest00"},
                                                  {TQuestSearchModel::PositionColumn, "00000"},
                                                  {TQuestSearchModel::IdColumn, "P000.00"},
                                                  {TQuestSearchModel::StateColumn, "Untranslated"}};
    for (const auto& [column, sample] : widths)
      header->resizeSection(column, metrics.horizontalAdvance(QLatin1String(sample)) + margin);
    for (int column : {TQuestSearchModel::SourceColumn, TQuestSearchModel::TranslationColumn})
      header->setSectionResizeMode(column, QHeaderView::Stretch);
  }
  QuestTable->hide();

  // The scope comes right after what is searched, as the row shows them.
  setTabOrder(SearchEdit, SearchInBox);
  setTabOrder(SearchInBox, ScopeBox);
  setTabOrder(ScopeBox, CaseBox);

  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(FilterBox);
  searchRow->addWidget(SearchEdit, 1);
  searchRow->addWidget(SearchInBox);
  searchRow->addWidget(ScopeBox);
  auto* optionRow = new QHBoxLayout;
  optionRow->addWidget(CaseBox);
  optionRow->addWidget(WordsBox);
  optionRow->addWidget(RegexBox);
  optionRow->addStretch(1);
  optionRow->addWidget(CountLabel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addLayout(searchRow);
  layout->addLayout(optionRow);
  layout->addWidget(Table, 1);
  layout->addWidget(QuestTable, 1);

  connect(FilterBox, &QComboBox::currentIndexChanged, this, [this](int index) {
    Model->SetFilter(static_cast<TListFilter>(index));
    if (SearchesAllQuests()) ApplySearch();
  });
  connect(ScopeBox, &QComboBox::currentIndexChanged, this, [this] {
    if (SearchesAllQuests() && FilterBox->currentIndex() == static_cast<int>(TListFilter::WithProblems))
      FilterBox->setCurrentIndex(0);
    WorkspaceChanged();
  });
  // A row of the open quest is shown at once; opening another quest waits for Enter or a double-click.
  connect(QuestTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!current.isValid() || !QuestModel->IsOpenQuest(current.row())) return;
            shown_ = QuestModel->MessageAtRow(current.row());
            if (OnMessageChosen) OnMessageChosen(shown_);
          });
  connect(QuestTable, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
    if (!index.isValid()) return;
    if (QuestModel->IsOpenQuest(index.row())) {
      if (OnMessageChosen) OnMessageChosen(QuestModel->MessageAtRow(index.row()));
    } else if (OnOtherQuestChosen) {
      OnOtherQuestChosen(QuestModel->QuestAtRow(index.row()), QuestModel->MessageAtRow(index.row()));
    }
  });
  connect(QuestModel, &QAbstractItemModel::modelReset, this, [this] { UpdateCount(); });
  connect(SearchEdit, &QLineEdit::textChanged, this, [this] { ApplySearch(); });
  connect(SearchInBox, &QComboBox::currentIndexChanged, this, [this] { ApplySearch(); });
  for (QCheckBox* box : {CaseBox, WordsBox, RegexBox})
    connect(box, &QCheckBox::toggled, this, [this] { ApplySearch(); });
  connect(Table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
    if (selecting_ || !current.isValid()) return;
    shown_ = Model->MessageAtRow(current.row());
    if (OnMessageChosen) OnMessageChosen(shown_);
  });
  // A new order keeps the shown message's row in sight.
  connect(Model, &QAbstractItemModel::layoutChanged, this, [this] {
    if (Table->currentIndex().isValid()) Table->scrollTo(Table->currentIndex());
  });
  // A new filter or table drops the selection; the shown message keeps its row when listed.
  connect(Model, &QAbstractItemModel::modelReset, this, [this] {
    SelectMessage(shown_);
    UpdateCount();
  });
  UpdateCount();
}

void TMessageListPanel::SizeColumns() {
  QHeaderView* header = Table->horizontalHeader();
  const QFontMetrics metrics = Table->fontMetrics();
  const int margin = 2 * metrics.averageCharWidth();
  // The short columns as wide as their usual contents and their titles; the source and the
  // translation share the rest, so both stay in sight whatever the width.
  header->setStretchLastSection(false);
  header->setMinimumSectionSize(3 * margin);
  const std::pair<int, const char*> widths[] = {{TMessageListModel::PositionColumn, "00000"},
                                                {TMessageListModel::IdColumn, "P000.00"},
                                                {TMessageListModel::KindColumn, "Question 00"},
                                                {TMessageListModel::StateColumn, "Untranslated"}};
  for (const auto& [column, sample] : widths)
    header->resizeSection(
        column, std::max(metrics.horizontalAdvance(QLatin1String(sample)) + margin, header->sectionSizeHint(column)));
  for (int column : {TMessageListModel::SourceColumn, TMessageListModel::TranslationColumn})
    header->setSectionResizeMode(column, QHeaderView::Stretch);
}

void TMessageListPanel::ApplySearch() {
  TSearchOptions options;
  const int in = SearchInBox->currentIndex();
  options.InSource = in == 0 || in == 1;
  options.InTarget = in == 0 || in == 2;
  options.InId = in == 3;
  options.IgnoreCase = !CaseBox->isChecked();
  options.WholeWords = WordsBox->isChecked();
  options.RegularExpression = RegexBox->isChecked();
  const std::u16string pattern = SearchEdit->text().toStdU16String();
  try {
    auto search = pattern.empty() ? nullptr : std::make_unique<TMessageSearch>(pattern, options);
    searchError_.clear();
    const bool allQuests = SearchesAllQuests();
    QuestTable->setVisible(allQuests);
    Table->setVisible(!allQuests);
    if (allQuests) {
      // Problems are known for the open quest only: that filter is for one quest's list.
      const auto filter = static_cast<TListFilter>(FilterBox->currentIndex());
      const TMessageSearch everything({}, options);
      QuestModel->Search(WorkspaceQuests(), OpenQuest ? OpenQuest() : -1, search ? *search : everything,
                         filter == TListFilter::WithProblems ? TStateFilter::All : static_cast<TStateFilter>(filter));
    } else {
      QuestModel->Clear();
    }
    Model->SetSearch(std::move(search));
  } catch (const ESearchPatternError& error) {
    // Half-typed expressions are common: the list stays as it was and the reason is shown.
    searchError_ = QString::fromUtf8(error.what());
    UpdateCount();
  }
}

void TMessageListPanel::UpdateCount() {
  if (!searchError_.isEmpty()) {
    CountLabel->SetFullText(searchError_);
    CountLabel->setStyleSheet(QStringLiteral("color: #b00000"));
    return;
  }
  CountLabel->setStyleSheet(QString());
  const QLocale locale;
  if (SearchesAllQuests())
    return CountLabel->SetFullText(
        text_(u"ListCountFormat")
            .arg(locale.toString(QuestModel->rowCount()), locale.toString(QuestModel->TotalPositions())));
  CountLabel->SetFullText(
      text_(u"ListCountFormat").arg(locale.toString(Model->rowCount()), locale.toString(Model->TotalPositions())));
}

void TMessageListPanel::SelectMessage(int32_t message) {
  shown_ = message;
  const int row = Model->RowOfMessage(message);
  selecting_ = true;
  if (row >= 0) {
    const QModelIndex index = Model->index(row, 0);
    Table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Table->scrollTo(index);
  } else {
    Table->selectionModel()->clearSelection();
    Table->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
  selecting_ = false;
}

void TMessageListPanel::FocusSearch() {
  SearchEdit->setFocus(Qt::ShortcutFocusReason);
  SearchEdit->selectAll();
}

int32_t TMessageListPanel::NextListed(int32_t message, bool backward) const {
  return Model->NextListed(message, backward ? -1 : +1, true);
}

bool TMessageListPanel::SearchesAllQuests() const {
  return ScopeBox->currentIndex() == 1 && WorkspaceQuests && !WorkspaceQuests().empty();
}

void TMessageListPanel::WorkspaceChanged() {
  const bool workspace = WorkspaceQuests && !WorkspaceQuests().empty();
  ScopeBox->setVisible(workspace);
  if (!workspace) ScopeBox->setCurrentIndex(0);
  // The filter of problems lists one quest: not offered while all are searched.
  if (auto* filters = qobject_cast<QStandardItemModel*>(FilterBox->model()))
    filters->item(static_cast<int>(TListFilter::WithProblems))->setEnabled(!SearchesAllQuests());
  ApplySearch();
}
