// The checks of the shown message in the window: markup colours in both boxes, the warning sign
// with the findings, underlines where the findings and misspelled words are, and the spelling's
// context menu.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "UiTestSupport.h"
#include "checks/Spelling.h"
#include "common/ScratchFolder.h"
#include "ui/MainMenu.h"
#include "ui/MarkupHighlighter.h"
#include "ui/MessageChecks.h"

using namespace uitest;

namespace {

// The format the highlighter gave the character at `position` of a box's document.
QTextCharFormat FormatAt(const QPlainTextEdit* box, int position) {
  const QTextBlock block = box->document()->findBlock(position);
  const int inBlock = position - block.position();
  for (const QTextLayout::FormatRange& range : block.layout()->formats())
    if (inBlock >= range.start && inBlock < range.start + range.length) return range.format;
  return {};
}

// "[begin,end)" of every underline of one kind, in order.
std::vector<std::pair<int, int>> Underlined(const TMarkupHighlighter* highlighter, TUnderline::Kinds kind) {
  std::vector<std::pair<int, int>> spans;
  for (const TUnderline& underline : highlighter->Underlines())
    if (underline.Kind == kind) spans.emplace_back(underline.Begin, underline.End);
  return spans;
}

class ShownMessageChecks : public testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_DATA_HOME", scratch.Path().c_str(), 1);  // the word list of "Add to Dictionary"
    form = MakeWindow(dialogs);
    form->show();
    dialogs.Answer(QStringLiteral("SourceOpenDialog"), SampleQuest());
    form->NewProjectButtonClick();
    ASSERT_EQ(form->Session->Project().CurrentMessage, 1);
  }
  void TearDown() override { unsetenv("XDG_DATA_HOME"); }
  // Shows message 2 ("Вы спасли «Вегу-7». Правительство перечисляет вам <Money> кредитов.") with
  // a translation, through the window's own path from the target box to the project.
  void Translate(const QString& text) {
    form->MessagesListTrackBar->SetPosition(2);
    form->TargetMemo->SetText(text);
  }
  void ChooseSpelling(const std::u16string& language) {
    form->Session->Project().SetSetting(u"spelling", language);
    form->ProcessEnabledControls();
  }
  int Find(const QPlainTextEdit* box, const QString& piece) const { return box->toPlainText().indexOf(piece); }

  ScratchFolder scratch;
  ScriptedDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

TEST_F(ShownMessageChecks, MarkupIsColouredInBothBoxes) {
  Translate(QStringLiteral("Saved. <Money> [p1] {[p2]*2} <clr>credits<clrEnd>, friend."));
  struct Case {
    QPlainTextEdit* box;
    QString piece;
    QColor colour;
  };
  const QColor tag = TMarkupHighlighter::TagFormat().foreground().color();
  const QColor colourTag = TMarkupHighlighter::ColorTagFormat().foreground().color();
  const QColor formula = TMarkupHighlighter::FormulaFormat().foreground().color();
  const std::vector<Case> cases = {
      {form->SourceMemo, QStringLiteral("<Money>"), tag},
      {form->SourceMemo, QStringLiteral("Правительство"), QColor()},
      {form->TargetMemo, QStringLiteral("<Money>"), tag},
      {form->TargetMemo, QStringLiteral("[p1]"), formula},
      {form->TargetMemo, QStringLiteral("{[p2]*2}"), formula},
      {form->TargetMemo, QStringLiteral("<clrEnd>"), colourTag},
      {form->TargetMemo, QStringLiteral("credits"), QColor()},
      {form->TargetMemo, QStringLiteral("friend"), QColor()},
  };
  for (const Case& c : cases) {
    const int at = Find(c.box, c.piece);
    ASSERT_GE(at, 0) << c.piece.toStdString();
    for (int i = at; i < at + c.piece.size(); ++i) {
      const QTextCharFormat format = FormatAt(c.box, i);
      EXPECT_EQ(format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : QColor(), c.colour)
          << c.piece.toStdString() << " at " << i - at;
    }
  }
}

TEST_F(ShownMessageChecks, FindingsShowAsASignWithTheirStretchesUnderlined) {
  EXPECT_FALSE(form->Checks->Badge()->isVisibleTo(form.get()));  // untranslated: the grey text says it
  Translate(QStringLiteral("You saved Vega-7.  The government pays you credits"));
  const std::vector<TCheckFinding>& findings = form->Checks->Findings();
  ASSERT_EQ(findings.size(), 3u);
  EXPECT_TRUE(form->Checks->Badge()->isVisibleTo(form.get()));
  const QString tip = form->Checks->Badge()->toolTip();
  for (const char* line : {"Tags differ from the source: missing &lt;Money&gt;", "Two or more spaces in a row: at 18",
                           "The translation ends with no punctuation mark instead of &quot;.&quot;"})
    EXPECT_TRUE(tip.contains(QString::fromUtf8(line))) << tip.toStdString();

  // The missing tag in the source box; the double space and the last letter in the target box.
  const int money = Find(form->SourceMemo, QStringLiteral("<Money>"));
  EXPECT_EQ(Underlined(form->Checks->SourceHighlighter(), TUnderline::Finding),
            (std::vector<std::pair<int, int>>{{money, money + 7}}));
  const int spaces = Find(form->TargetMemo, QStringLiteral("  "));
  const int end = static_cast<int>(form->TargetMemo->toPlainText().size());
  EXPECT_EQ(Underlined(form->Checks->TargetHighlighter(), TUnderline::Finding),
            (std::vector<std::pair<int, int>>{{spaces, spaces + 2}, {end - 1, end}}));
  EXPECT_EQ(FormatAt(form->TargetMemo, spaces).underlineStyle(), QTextCharFormat::WaveUnderline);
  EXPECT_EQ(FormatAt(form->TargetMemo, spaces + 3).underlineStyle(), QTextCharFormat::NoUnderline);

  // Fixed: the sign goes; another message has its own findings.
  form->TargetMemo->SetText(QStringLiteral("You saved Vega-7. The government pays you <Money> credits."));
  EXPECT_TRUE(form->Checks->Findings().empty());
  EXPECT_FALSE(form->Checks->Badge()->isVisibleTo(form.get()));
  EXPECT_TRUE(form->Checks->TargetHighlighter()->Underlines().empty());
  form->MessagesListTrackBar->SetPosition(3);
  EXPECT_EQ(form->Checks->Findings().size(), 1u);  // "unchanged" only
  EXPECT_FALSE(form->Checks->Badge()->isVisibleTo(form.get()));
}

TEST_F(ShownMessageChecks, MisspelledWordsAreUnderlinedOnceALanguageIsChosen) {
  Translate(QStringLiteral("You saved the statoin.\r\nThe goverment pays you <Mony> credits."));
  EXPECT_TRUE(Underlined(form->Checks->TargetHighlighter(), TUnderline::Spelling).empty());  // none chosen yet
  // A language without a dictionary here is reported once, and leaves the spelling off.
  ChooseSpelling(u"xx");
  form->ProcessEnabledControls();
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_TRUE(dialogs.Errors[0].startsWith(QStringLiteral("Unknown spelling language: xx (dictionaries: ")));
  EXPECT_EQ(form->Checks->SpellingDictionary(), "");
  ChooseSpelling(u"en");
  EXPECT_EQ(form->Checks->SpellingDictionary(), "en_US");
  // The box shows the line break as one character: the second line's word sits one earlier than
  // in the stored text. The word inside the tag is not checked.
  const int statoin = Find(form->TargetMemo, QStringLiteral("statoin"));
  const int goverment = Find(form->TargetMemo, QStringLiteral("goverment"));
  EXPECT_EQ(Underlined(form->Checks->TargetHighlighter(), TUnderline::Spelling),
            (std::vector<std::pair<int, int>>{{statoin, statoin + 7}, {goverment, goverment + 9}}));
  EXPECT_EQ(FormatAt(form->TargetMemo, goverment).underlineStyle(), QTextCharFormat::SpellCheckUnderline);
  ChooseSpelling(u"");
  EXPECT_TRUE(Underlined(form->Checks->TargetHighlighter(), TUnderline::Spelling).empty());
}

TEST_F(ShownMessageChecks, TheContextMenuOffersSuggestionsAndAddsWordsToTheDictionary) {
  Translate(QStringLiteral("The goverment pays Vegaport <Money>."));
  ChooseSpelling(u"en_US");
  std::vector<std::tuple<int, int, QString>> replaced;
  form->Checks->ReplaceText = [&replaced](int begin, int end, const QString& text) {
    replaced.emplace_back(begin, end, text);
  };
  auto pointAt = [this](const QString& piece) {
    QTextCursor cursor(form->TargetMemo->document());
    cursor.setPosition(Find(form->TargetMemo, piece) + 2);
    return form->TargetMemo->cursorRect(cursor).center();
  };

  std::unique_ptr<QMenu> menu(form->Checks->ContextMenu(pointAt(QStringLiteral("goverment"))));
  const QList<QAction*> actions = menu->actions();
  ASSERT_GT(actions.size(), 3);
  EXPECT_EQ(actions.first()->text(), QStringLiteral("government"));
  actions.first()->trigger();
  const int at = Find(form->TargetMemo, QStringLiteral("goverment"));
  ASSERT_EQ(replaced.size(), 1u);
  EXPECT_EQ(replaced[0], std::make_tuple(at, at + 9, QStringLiteral("government")));

  // A correct word gets the standard menu and the language choice only.
  std::unique_ptr<QMenu> plain(form->Checks->ContextMenu(pointAt(QStringLiteral("pays"))));
  std::unique_ptr<QMenu> standard(form->TargetMemo->createStandardContextMenu());
  EXPECT_EQ(plain->actions().size(), standard->actions().size() + 2);

  std::unique_ptr<QMenu> forName(form->Checks->ContextMenu(pointAt(QStringLiteral("Vegaport"))));
  QAction* add = forName->findChild<QAction*>(QStringLiteral("AddToDictionary"));
  ASSERT_NE(add, nullptr);
  add->trigger();
  const int goverment = Find(form->TargetMemo, QStringLiteral("goverment"));
  EXPECT_EQ(Underlined(form->Checks->TargetHighlighter(), TUnderline::Spelling),
            (std::vector<std::pair<int, int>>{{goverment, goverment + 9}}));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(scratch.File("xgtranslator/words-en_US.txt"))));
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(ShownMessageChecks, TheSpellingLanguageIsChosenInTheMenuAndKeptInTheProject) {
  Translate(QStringLiteral("Спасибо, капитан."));
  std::unique_ptr<QMenu> menu(form->Checks->ContextMenu(QPoint(2, 2)));
  QMenu* languages = menu->findChild<QMenu*>(QStringLiteral("SpellingLanguageMenu"));
  ASSERT_NE(languages, nullptr);
  QStringList titles;
  QAction* russian = nullptr;
  for (QAction* action : languages->actions()) {
    titles << action->text() + (action->isChecked() ? QStringLiteral("*") : QString());
    if (action->text() == QStringLiteral("ru_RU")) russian = action;
  }
  EXPECT_EQ(titles.first(), QStringLiteral("None*"));
  EXPECT_TRUE(titles.contains(QStringLiteral("en_US")) && titles.contains(QStringLiteral("ru_RU")))
      << titles.join(u' ').toStdString();
  ASSERT_NE(russian, nullptr);
  russian->trigger();
  EXPECT_EQ(form->Session->Project().Setting(u"spelling"), u"ru_RU");
  EXPECT_EQ(form->Checks->SpellingDictionary(), "ru_RU");

  // The project remembers it: saved and opened again, its spelling is on.
  const QString file = QString::fromStdString(scratch.File("spelled.txg"));
  form->Session->Project().SaveToFile(file.toStdString());
  auto other = MakeWindow(dialogs);
  other->Files->LoadProjectFromFile(file);
  EXPECT_EQ(other->Checks->SpellingDictionary(), "ru_RU");
  std::unique_ptr<QMenu> otherMenu(other->Checks->ContextMenu(QPoint(2, 2)));
  for (QAction* action : otherMenu->findChild<QMenu*>(QStringLiteral("SpellingLanguageMenu"))->actions())
    EXPECT_EQ(action->isChecked(), action->text() == QStringLiteral("ru_RU")) << action->text().toStdString();
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(ShownMessageChecks, NextAndPreviousProblemMoveToMessagesWithFindings) {
  form->Navigator->GoToProblem(+1);
  ASSERT_EQ(dialogs.Messages, std::vector<QString>{QStringLiteral("No message has problems.")});
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 1);

  form->Session->Project().SetTargetText(form->Session->Project().MessageAtPosition(4), u"Broken <Mony");
  form->Session->Project().SetTargetText(form->Session->Project().MessageAtPosition(30), u"Doubled  space");
  form->Session->Project().SetTargetText(form->Session->Project().MessageAtPosition(18), u"Spelling of this wrod");
  const std::vector<std::pair<bool, int>> steps = {{true, 4}, {true, 30}, {true, 4}, {false, 30}, {false, 4}};
  for (const auto& [forward, position] : steps) {
    forward ? form->Navigator->GoToProblem(+1) : form->Navigator->GoToProblem(-1);
    EXPECT_EQ(form->MessagesListTrackBar->Position(), position);
    EXPECT_EQ(form->Session->Project().CurrentMessage, form->Session->Project().MessageAtPosition(position));
  }
  ChooseSpelling(u"en_US");  // a misspelled word is a problem too
  form->Navigator->GoToProblem(+1);
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 18);
  EXPECT_EQ(dialogs.Messages.size(), 1u);
}

TEST_F(ShownMessageChecks, TheGoAndToolsMenusReachTheChecks) {
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  form->FocusTranslation();
  form->Session->Project().SetTargetText(form->Session->Project().MessageAtPosition(4), u"Broken <Mony");
  form->Session->Project().SetTargetText(form->Session->Project().MessageAtPosition(30), u"Doubled  space");
  const std::vector<std::pair<QKeySequence, int>> presses = {
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), 4},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), 30},
      {QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_E), 4},
      {QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_E), 30},
  };
  for (const auto& [keys, position] : presses) {
    QWidget* focus = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : form.get();
    QTest::keySequence(focus, keys);
    EXPECT_EQ(form->MessagesListTrackBar->Position(), position) << keys.toString().toStdString();
  }

  QMenu* spelling = form->findChild<QMenu*>(QStringLiteral("ToolsSpellingMenu"));
  ASSERT_NE(spelling, nullptr);
  EXPECT_TRUE(form->Menu->Tools->menuAction()->isVisible());
  for (int opened = 0; opened < 2; ++opened) {  // filled again each time it opens
    emit spelling->aboutToShow();
    ASSERT_GE(spelling->actions().size(), 3);
    EXPECT_EQ(spelling->actions().first()->text() + (spelling->actions().first()->isChecked() ? "*" : ""),
              opened == 0 ? QStringLiteral("None*") : QStringLiteral("None"));
    for (QAction* action : spelling->actions())
      if (action->text() == QStringLiteral("en_US")) action->trigger();
    EXPECT_EQ(form->Session->Project().Setting(u"spelling"), u"en_US");
  }
  EXPECT_EQ(spelling->findChildren<QActionGroup*>().size(), 1);
}

TEST_F(ShownMessageChecks, FindingsFollowTheTyping) {
  Translate(QStringLiteral("You saved Vega-7. The government pays you <Money> credits."));
  EXPECT_TRUE(form->Checks->Findings().empty());
  form->FocusTranslation();  // the cursor at the end
  QTest::keyClicks(form->TargetMemo, QStringLiteral("  Thanks"));
  std::string codes;
  for (const TCheckFinding& finding : form->Checks->Findings()) codes += std::string(finding.Code) + " ";
  EXPECT_EQ(codes, "doublespace punctuation ");
  EXPECT_TRUE(form->Checks->Badge()->isVisibleTo(form.get()));
  QTest::keyClicks(form->TargetMemo, QStringLiteral("."));
  ASSERT_EQ(form->Checks->Findings().size(), 1u);
  EXPECT_EQ(form->Checks->Findings()[0].Code, "doublespace");
}

TEST(ShownPosition, LineBreaksCountOnceInTheBox) {
  const std::u16string stored = u"ab\r\ncd\ne\r\n";
  const std::vector<std::pair<int, int>> cases = {{0, 0}, {2, 2}, {3, 3}, {4, 3}, {6, 5}, {7, 6}, {8, 7}, {10, 8}};
  for (const auto& [position, shown] : cases) EXPECT_EQ(ShownPosition(stored, position), shown) << position;
}

}  // namespace
