#include "ui/SuggestionsPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "memory/Concordance.h"
#include "memory/TranslationMemory.h"
#include "ui/WordDiffHtml.h"

namespace {

// Where a suggestion comes from when it is not the open project: its quest or TMX file, in grey.
QString QuestHtml(const TMemoryEntry& entry) {
  if (entry.Quest.empty()) return {};
  return QStringLiteral("<span style=\"color:gray\">[%1]</span> &nbsp;").arg(PlainTextHtml(entry.Quest));
}

}  // namespace

TSuggestionsPanel::TSuggestionsPanel(TCatalogueText text, QWidget* parent) : QWidget(parent), text_(std::move(text)) {
  setObjectName(QStringLiteral("SuggestionsPanel"));
  // The rows keep the height their wrapped text needs and scroll: squeezed into the panel's height
  // they would show one line each.
  auto* scroll = new QScrollArea(this);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* rows = new QWidget(scroll);
  auto* layout = new QVBoxLayout(rows);
  scroll->setWidget(rows);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
  auto makeLabel = [rows, layout](const QString& name) {
    auto* label = new QLabel(rows);
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
  };
  PreviousSourceLabel = makeLabel(QStringLiteral("PreviousSourceLabel"));
  for (int i = 0; i < MaxSuggestions; ++i) Rows.push_back(makeLabel(QStringLiteral("SuggestionRow%1").arg(i + 1)));
  EmptyLabel = makeLabel(QStringLiteral("NoSuggestionLabel"));
  EmptyLabel->setText(text_(u"SuggestionsEmpty"));
  layout->addStretch(1);

  ConcordanceEdit = new QLineEdit(this);
  ConcordanceEdit->setObjectName(QStringLiteral("ConcordanceEdit"));
  ConcordanceEdit->setPlaceholderText(text_(u"ConcordancePlaceholder"));
  ConcordanceEdit->setClearButtonEnabled(true);
  ConcordanceCount = new QLabel(this);
  ConcordanceCount->setWordWrap(true);
  ConcordanceList = new QListWidget(this);
  ConcordanceList->setObjectName(QStringLiteral("ConcordanceList"));
  ConcordanceList->setWordWrap(true);
  ConcordanceList->setAlternatingRowColors(true);
  outer->addWidget(ConcordanceEdit);
  outer->addWidget(ConcordanceCount);
  outer->addWidget(ConcordanceList, 1);
  // A search reads the whole memory: it waits until the typing pauses.
  concordanceTimer_ = new QTimer(this);
  concordanceTimer_->setSingleShot(true);
  concordanceTimer_->setInterval(300);
  connect(concordanceTimer_, &QTimer::timeout, this, [this] { FindConcordance(); });
  connect(ConcordanceEdit, &QLineEdit::textEdited, concordanceTimer_, qOverload<>(&QTimer::start));
  connect(ConcordanceEdit, &QLineEdit::returnPressed, this, [this] { FindConcordance(); });
  connect(ConcordanceList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const QString translation = item->data(Qt::UserRole).toString();
    QApplication::clipboard()->setText(translation);
    if (OnConcordanceCopied) OnConcordanceCopied(translation);
  });
  Clear();
  FindConcordance();
}

void TSuggestionsPanel::FindConcordance() {
  concordanceTimer_->stop();
  ConcordanceList->clear();
  const TTranslationMemory* memory = Memory ? Memory() : nullptr;
  const std::u16string text = ConcordanceEdit->text().toStdU16String();
  const TConcordance found = memory != nullptr ? FindInMemory(*memory, text, MaxConcordance) : TConcordance{};
  for (std::size_t index : found.Entries) {
    const TMemoryEntry& entry = memory->Entry(index);
    const QString where = QString::fromStdU16String(entry.Quest.empty() ? entry.Origin : entry.Quest);
    auto* item = new QListWidgetItem(QString::fromStdU16String(entry.Source) + QStringLiteral("\n→ ") +
                                     QString::fromStdU16String(entry.Translation) + QStringLiteral("\n[") + where +
                                     QLatin1Char(']'));
    item->setData(Qt::UserRole, QString::fromStdU16String(entry.Translation));
    item->setToolTip(where);
    ConcordanceList->addItem(item);
  }
  const bool searched = !ConcordanceEdit->text().trimmed().isEmpty();
  ConcordanceCount->setText(!searched          ? QString()
                            : found.Total == 0 ? text_(u"ConcordanceNone")
                                               : text_(u"ConcordanceCount").arg(found.Entries.size()).arg(found.Total));
  ConcordanceCount->setVisible(searched);
  ConcordanceList->setVisible(found.Total != 0);
}

void TSuggestionsPanel::Clear() {
  shown_.clear();
  percents_.clear();
  PreviousSourceLabel->clear();
  PreviousSourceLabel->hide();
  for (QLabel* row : Rows) {
    row->clear();
    row->hide();
  }
  EmptyLabel->show();
}

void TSuggestionsPanel::ShowMessage(const TTranslationMemory* memory, const std::u16string& source,
                                    const std::u16string& messageId, const std::u16string& previousSource) {
  Clear();
  if (!previousSource.empty()) {
    PreviousSourceLabel->setText(QStringLiteral("<b>") + text_(u"SuggestionsSourceChanged").toHtmlEscaped() +
                                 QStringLiteral("</b> ") + WordDiffHtml(previousSource, source));
    PreviousSourceLabel->show();
  }
  if (memory == nullptr) return;
  // One more than shown, in case the message's own translation is among them.
  for (const TSuggestion& suggestion : memory->Suggest(source, MaxSuggestions + 1, OfferedSimilarity)) {
    const TMemoryEntry& entry = memory->Entry(suggestion.Entry);
    // The message's own translation; another quest's message of the same id is a suggestion.
    if (!messageId.empty() && entry.Origin == messageId && entry.Quest.empty()) continue;
    if (shown_.size() == static_cast<std::size_t>(MaxSuggestions)) break;
    QLabel* row = Rows[shown_.size()];
    row->setText(
        QStringLiteral("<b>Ctrl+%1</b> &nbsp;<b>%2%</b> &nbsp;").arg(shown_.size() + 1).arg(suggestion.Percent) +
        QuestHtml(entry) + WordDiffHtml(entry.Source, source) + QLatin1String("<br>&rarr; ") +
        PlainTextHtml(entry.Translation));
    row->setToolTip(QString::fromStdU16String(entry.Origin));
    row->show();
    shown_.push_back(entry);
    percents_.push_back(suggestion.Percent);
  }
  EmptyLabel->setVisible(shown_.empty());
}

bool TSuggestionsPanel::InsertSuggestion(int index) {
  if (index < 0 || index >= Count()) return false;
  const auto i = static_cast<std::size_t>(index);
  if (OnInsert) OnInsert(shown_[i].Translation, percents_[i]);
  return true;
}
