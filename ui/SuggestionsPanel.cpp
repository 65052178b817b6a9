#include "ui/SuggestionsPanel.h"

#include <QScrollArea>
#include <QVBoxLayout>

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
  Clear();
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
