#include "ui/TermsView.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "glossary/TermMatcher.h"
#include "ui/QtText.h"

namespace {

constexpr int PreferredWidth = 300;
constexpr int PreferredHeight = 160;

// The translations, preferred first; a term kept as it is without any is its own.
QString Translations(const TGlossaryEntry& entry) {
  if (entry.Targets.empty() && entry.Status == TTermStatus::DoNotTranslate) return FromWide(entry.Source);
  QStringList targets;
  for (const std::u16string& target : entry.Targets) targets << FromWide(target);
  return targets.join(QStringLiteral(", "));
}

}  // namespace

std::u16string TermToInsert(const TGlossaryEntry& entry) {
  switch (entry.Status) {
    case TTermStatus::Forbidden:
      return {};
    case TTermStatus::DoNotTranslate:
      return entry.Source;
    default:
      return entry.Targets.empty() ? std::u16string() : entry.Targets.front();
  }
}

QString TermStatusText(TTermStatus status, const TCatalogueText& text) {
  switch (status) {
    case TTermStatus::Admitted:
      return text(u"TermStatusAdmitted");
    case TTermStatus::Forbidden:
      return text(u"TermStatusForbidden");
    case TTermStatus::DoNotTranslate:
      return text(u"TermStatusDoNotTranslate");
    default:
      return text(u"TermStatusPreferred");
  }
}

QString TermTip(const TGlossaryEntry& entry, const TCatalogueText& text) {
  QString tip = FromWide(entry.Source) + QStringLiteral(" \u2192 ") + Translations(entry);
  if (!entry.Note.empty()) tip += QLatin1Char('\n') + FromWide(entry.Note);
  return tip + QLatin1Char('\n') + TermStatusText(entry.Status, text);
}

std::vector<std::size_t> SourceTermEntries(const TTermMatcher& matcher, std::u16string_view source) {
  std::vector<std::size_t> entries;
  for (const TTermMatch& match : matcher.FindSourceTerms(source))
    if (std::find(entries.begin(), entries.end(), match.Entry) == entries.end()) entries.push_back(match.Entry);
  return entries;
}

TTermsPanel::TTermsPanel(TCatalogueText text, QWidget* parent) : QWidget(parent), text_(std::move(text)) {
  setObjectName(QStringLiteral("TermsPanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Table = new QTreeWidget(this);
  Table->setObjectName(QStringLiteral("TermsTable"));
  Table->setRootIsDecorated(false);
  Table->setColumnCount(ColumnCount);
  Table->setHeaderLabels({QString(), text_(u"TermsColumnSource"), text_(u"TermsColumnTranslations"),
                          text_(u"TermsColumnNote"), text_(u"TermsColumnStatus")});
  // The note takes what room is left, cut short (whole in its tooltip): the status stays in view.
  Table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Table->header()->setSectionResizeMode(NoteColumn, QHeaderView::Stretch);
  Table->header()->setStretchLastSection(false);
  Table->setToolTip(text_(u"TermsPanelHint"));
  layout->addWidget(Table);
  EmptyLabel = new QLabel(text_(u"TermsEmpty"), this);
  EmptyLabel->setObjectName(QStringLiteral("NoTermsLabel"));
  EmptyLabel->setWordWrap(true);
  EmptyLabel->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(EmptyLabel);
  connect(Table, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { InsertTerm(Table->indexOfTopLevelItem(item)); });
  Clear();
}

QSize TTermsPanel::sizeHint() const { return {PreferredWidth, PreferredHeight}; }

void TTermsPanel::Clear() {
  shown_.clear();
  Table->clear();
  Table->hide();
  EmptyLabel->show();
}

void TTermsPanel::ShowTerms(const TTermMatcher* matcher, std::u16string_view source) {
  Clear();
  if (matcher == nullptr) return;
  for (const std::size_t index : SourceTermEntries(*matcher, source)) {
    const TGlossaryEntry& entry = matcher->Entries()[index];
    const int row = Count();
    auto* item = new QTreeWidgetItem({row < ShortcutRows ? QStringLiteral("Alt+%1").arg(row + 1) : QString(),
                                      FromWide(entry.Source), Translations(entry), FromWide(entry.Note),
                                      TermStatusText(entry.Status, text_)});
    item->setToolTip(NoteColumn, FromWide(entry.Note));
    Table->addTopLevelItem(item);
    shown_.push_back(entry);
  }
  Table->setVisible(!shown_.empty());
  EmptyLabel->setVisible(shown_.empty());
}

bool TTermsPanel::InsertTerm(int row) {
  if (row < 0 || row >= Count()) return false;
  const std::u16string translation = TermToInsert(Shown(row));
  if (translation.empty()) return false;
  if (OnInsert) OnInsert(translation);
  return true;
}
