#include "ui/MessageChecks.h"

#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>
#include <algorithm>

#include "checks/Spelling.h"
#include "checks/TermsCheck.h"
#include "glossary/TermMatcher.h"
#include "project/ProjectClass.h"
#include "ui/Controls.h"
#include "ui/MarkupHighlighter.h"
#include "ui/QtText.h"
#include "ui/TermsView.h"

namespace {

constexpr int BadgeSize = 16;
constexpr int BadgeGap = 2;

// The text as the box shows it: every line break one "\n".
QString ShownText(const std::u16string& stored) {
  QString shown = FromWide(stored);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

// Where a stored text starts inside a box, or -1 when the box no longer shows that text (the box
// may show it with the blanks at its ends that the store trims).
qsizetype ShownBase(const QPlainTextEdit* box, const std::u16string& stored) {
  return stored.empty() ? 0 : box->toPlainText().indexOf(ShownText(stored));
}

// The underlines of some spans of a stored text inside a box, or none when the box no longer
// shows that text.
void AddUnderlines(const QPlainTextEdit* box, const std::u16string& stored, const std::vector<TTextSpan>& spans,
                   TUnderline::Kinds kind, std::vector<TUnderline>& underlines) {
  if (spans.empty()) return;
  const qsizetype base = ShownBase(box, stored);
  if (base < 0) return;
  for (const TTextSpan& span : spans)
    underlines.push_back({static_cast<int>(base) + ShownPosition(stored, span.Begin),
                          static_cast<int>(base) + ShownPosition(stored, span.End), kind});
}

QString Quoted(const std::u16string& mark) { return QLatin1Char('"') + FromWide(mark) + QLatin1Char('"'); }

// One finding as plain text: a punctuation finding names both marks ("ends with "!" instead of ".").
QString FindingLine(const TCheckFinding& finding, const TCatalogueText& text) {
  if (!finding.Expected.empty())
    return text(u"PunctuationFinding")
        .arg(finding.Found.empty() ? text(u"PunctuationNoMark") : Quoted(finding.Found), Quoted(finding.Expected));
  QString line = QString::fromUtf8(finding.Description.data(), static_cast<qsizetype>(finding.Description.size()));
  if (!finding.Detail.empty()) line += QStringLiteral(": ") + FromWide(finding.Detail);
  return line;
}

QString ToolTip(const std::vector<TCheckFinding>& findings, const TCatalogueText& text) {
  QStringList lines;
  for (const TCheckFinding& finding : findings) lines << FindingLine(finding, text).toHtmlEscaped();
  return QStringLiteral("<p style='white-space:pre'>") + lines.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
}

}  // namespace

int ShownPosition(std::u16string_view stored, int position) {
  int shown = position;
  for (int i = 0; i + 1 < position && i + 1 < static_cast<int>(stored.size()); ++i)
    if (stored[static_cast<std::size_t>(i)] == u'\r' && stored[static_cast<std::size_t>(i) + 1] == u'\n') --shown;
  return shown;
}

TMessageChecks::TMessageChecks(QPlainTextEdit* source, TMemo* target, TCatalogueText text)
    : QObject(target),
      source_(source),
      sourceView_(source->viewport()),
      target_(target),
      text_(std::move(text)),
      sourceHighlighter_(new TMarkupHighlighter(source->document())),
      targetHighlighter_(new TMarkupHighlighter(target->document())),
      badge_(new QLabel(target)) {
  badge_->setObjectName(QStringLiteral("FindingsBadge"));
  badge_->setPixmap(target->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(BadgeSize, BadgeSize));
  badge_->setFixedSize(BadgeSize, BadgeSize);
  badge_->hide();
  // The sign has a margin of its own, so it never covers the end of the first line.
  target->ReserveRightMargin(BadgeSize + 2 * BadgeGap);
  target->installEventFilter(this);
  sourceView_->installEventFilter(this);
  target->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(target, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
    std::unique_ptr<QMenu> menu(ContextMenu(at));
    menu->exec(target_->viewport()->mapToGlobal(at));
  });
  ReplaceText = [this](int begin, int end, const QString& replacement) {
    QTextCursor cursor(target_->document());
    cursor.setPosition(begin);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.insertText(replacement);
  };
}

TMessageChecks::~TMessageChecks() = default;

void TMessageChecks::ChooseSpelling(const std::string& language) {
  if (project_ == nullptr) return;
  project_->SetSetting(u"spelling", std::u16string(language.begin(), language.end()));
  Refresh(project_, message_);
}

void TMessageChecks::FillSpellingMenu(QMenu* menu) {
  qDeleteAll(menu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly));  // of an earlier filling
  auto* choices = new QActionGroup(menu);
  const std::string chosen = spellingSetting_;
  auto add = [&](const QString& title, const std::string& language) {
    QAction* action = menu->addAction(title);
    action->setCheckable(true);
    action->setChecked(language == chosen);
    action->setData(QString::fromStdString(language));
    choices->addAction(action);
    connect(action, &QAction::triggered, this, [this, language] { RunGuarded([&] { ChooseSpelling(language); }); });
  };
  add(text_(u"SpellingNone"), std::string());
  for (const std::string& name : AvailableDictionaries(DictionaryFolders())) add(QString::fromStdString(name), name);
  if (!chosen.empty() && !speller_) add(QString::fromStdString(chosen) + text_(u"SpellingNotInstalled"), chosen);
}

std::string TMessageChecks::SpellingDictionary() const { return speller_ ? speller_->Dictionary() : std::string(); }

void TMessageChecks::Refresh(TtxgProject* project, int32_t message) {
  project_ = project;
  message_ = message;
  const std::u16string setting = project != nullptr ? project->Setting(u"spelling") : std::u16string();
  if (const std::string language(setting.begin(), setting.end()); language != spellingSetting_) {
    spellingSetting_ = language;
    speller_.reset();
    try {
      if (!language.empty()) speller_ = std::make_unique<TSpellChecker>(language);
    } catch (const std::exception& error) {
      if (OnSpellingError) OnSpellingError(QString::fromUtf8(error.what()));
    }
  }
  findings_.clear();
  misspellings_.clear();
  terms_.clear();
  std::vector<TUnderline> sourceLines;
  std::vector<TUnderline> targetLines;
  if (project != nullptr && message >= 1) {
    const TTermMatcher* terms = TermMatcher ? TermMatcher() : nullptr;
    findings_ = CheckMessage(*project, message);
    if (terms != nullptr)
      for (TCheckFinding& finding : CheckMessageTerms(*project, message, *terms))
        findings_.push_back(std::move(finding));
    if (WorkspaceFindings)
      for (TCheckFinding& finding : WorkspaceFindings(message)) findings_.push_back(std::move(finding));
    if (speller_) misspellings_ = CheckSpelling(*project, message, *speller_);
    const std::u16string source = project->GetSourceText(message);
    const std::u16string target = project->GetTargetText(message);
    // The terms first: a finding's underline on the same letters is drawn over theirs.
    if (const qsizetype base = ShownBase(source_, source); terms != nullptr && base >= 0)
      for (const TTermMatch& match : terms->FindSourceTerms(source)) {
        const int begin = static_cast<int>(base) + ShownPosition(source, match.Begin);
        const int end = static_cast<int>(base) + ShownPosition(source, match.End);
        sourceLines.push_back({begin, end, TUnderline::Term});
        terms_.push_back({begin, end, TermTip(terms->Entries()[match.Entry], text_)});
      }
    for (const TCheckFinding& finding : findings_) {
      if (finding.Code == "unchanged") continue;  // the grey text says so already
      std::vector<TTextSpan> inSource;
      std::vector<TTextSpan> inTarget;
      for (const TTextSpan& span : finding.Spans) (span.InSource ? inSource : inTarget).push_back(span);
      AddUnderlines(source_, source, inSource, TUnderline::Finding, sourceLines);
      AddUnderlines(target_, target, inTarget, TUnderline::Finding, targetLines);
    }
    for (const TCheckFinding& word : misspellings_)
      AddUnderlines(target_, target, word.Spans, TUnderline::Spelling, targetLines);
  }
  sourceHighlighter_->SetUnderlines(std::move(sourceLines));
  targetHighlighter_->SetUnderlines(std::move(targetLines));
  const bool show = std::any_of(findings_.begin(), findings_.end(),
                                [](const TCheckFinding& finding) { return finding.Code != "unchanged"; });
  badge_->setToolTip(show ? ToolTip(findings_, text_) : QString());
  badge_->setVisible(show);
  PlaceBadge();
}

QString TMessageChecks::Problems() const {
  QStringList lines;
  for (const TCheckFinding& finding : findings_)
    if (finding.Code != "unchanged") lines << FindingLine(finding, text_);
  for (const TCheckFinding& word : misspellings_) lines << FindingLine(word, text_);
  return lines.isEmpty() ? text_(u"NoProblemsInMessage") : lines.join(QLatin1Char('\n'));
}

void TMessageChecks::PlaceBadge() {
  const int scrollBar = target_->verticalScrollBar()->isVisible() ? target_->verticalScrollBar()->width() : 0;
  const int frame = target_->frameWidth();
  badge_->move(target_->width() - frame - scrollBar - BadgeSize - BadgeGap, frame + BadgeGap);
  badge_->raise();
}

QString TMessageChecks::TermTipAt(int position) const {
  for (const TTermMark& term : terms_)
    if (position >= term.Begin && position < term.End) return term.Tip;
  return {};
}

bool TMessageChecks::eventFilter(QObject* watched, QEvent* event) {
  if (watched == target_ && event->type() == QEvent::Resize) PlaceBadge();
  if (watched == sourceView_ && event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = TermTipAt(source_->cursorForPosition(help->pos()).position());
    if (tip.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), tip, sourceView_);
    }
    return true;
  }
  return QObject::eventFilter(watched, event);
}

QMenu* TMessageChecks::ContextMenu(QPoint at) {
  QMenu* menu = target_->createStandardContextMenu(at);
  if (project_ != nullptr) {
    menu->addSeparator();
    QMenu* languages = menu->addMenu(text_(u"SpellingLanguageMenu"));
    languages->setObjectName(QStringLiteral("SpellingLanguageMenu"));
    FillSpellingMenu(languages);
  }
  if (!speller_) return menu;
  const int position = target_->cursorForPosition(at).position();
  const auto& underlines = targetHighlighter_->Underlines();
  const auto word = std::find_if(underlines.begin(), underlines.end(), [position](const TUnderline& underline) {
    return underline.Kind == TUnderline::Spelling && position >= underline.Begin && position <= underline.End;
  });
  if (word == underlines.end()) return menu;
  const int begin = word->Begin;
  const int end = word->End;
  const QString text = target_->toPlainText().mid(begin, end - begin);
  QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().first();
  std::vector<QAction*> added;
  for (const std::u16string& suggestion :
       speller_->Suggestions(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()))) {
    QAction* action = new QAction(FromWide(suggestion), menu);
    connect(action, &QAction::triggered, this,
            [this, begin, end, replacement = FromWide(suggestion)] { ReplaceText(begin, end, replacement); });
    added.push_back(action);
  }
  if (added.empty()) {
    QAction* none = new QAction(text_(u"SpellingNoSuggestions"), menu);
    none->setEnabled(false);
    added.push_back(none);
  }
  QAction* add = new QAction(text_(u"SpellingAddToDictionary"), menu);
  add->setObjectName(QStringLiteral("AddToDictionary"));
  connect(add, &QAction::triggered, this, [this, text] {
    RunGuarded([this, &text] {
      speller_->AddToDictionary(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
      Refresh(project_, message_);
    });
  });
  added.push_back(add);
  for (QAction* action : added) menu->insertAction(first, action);
  menu->insertSeparator(first);
  return menu;
}

QMenu* TMessageChecks::CreateSpellingMenu(QMenu* parent) {
  auto* spelling = new QMenu(text_(u"MenuSpellingLanguage"), parent);
  spelling->setObjectName(QStringLiteral("ToolsSpellingMenu"));
  connect(spelling, &QMenu::aboutToShow, spelling, [this, spelling] {
    spelling->clear();
    FillSpellingMenu(spelling);
  });
  return spelling;
}
