// The window's controls keep out of each other's way: a long search error, the checks' warning
// sign, a narrow window, a five-digit position; and the cursor stays where typing continues.
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "SampleWindow.h"
#include "common/FullQuest.h"
#include "project/ProjectClass.h"
#include "project/ProjectTestSupport.h"
#include "ui/MessageListPanel.h"
#include "ui/MessageTools.h"

using namespace uitest;

namespace {

class WindowKeepsClear : public SampleWindow {
 protected:
  static QRect GlobalRect(const QWidget* widget) { return {widget->mapToGlobal(QPoint(0, 0)), widget->size()}; }
  bool CursorAtEnd() const {
    return form->TargetMemo->textCursor().position() == form->TargetMemo->document()->characterCount() - 1;
  }
};

TEST_F(WindowKeepsClear, AHalfTypedExpressionNeitherWidensTheListNorHidesItsError) {
  TMessageListPanel& panel = *form->Tools->ListPanel;
  form->ListDock->show();
  QApplication::processEvents();
  const int dockWidth = form->ListDock->width();
  const int contextWidth = form->ContextDock->width();
  const int leastWidth = panel.minimumSizeHint().width();

  panel.RegexBox->setChecked(true);
  panel.SearchEdit->setText(QStringLiteral("(unclosed [group"));
  QApplication::processEvents();
  ASSERT_FALSE(panel.SearchError().isEmpty());
  EXPECT_LE(panel.minimumSizeHint().width(), leastWidth);
  EXPECT_EQ(form->ListDock->width(), dockWidth);
  EXPECT_EQ(form->ContextDock->width(), contextWidth);
  EXPECT_EQ(panel.CountLabel->text(), panel.SearchError());
  // Drawn cut to its room, and whole in the tooltip.
  const QString shown = panel.CountLabel->ShownText();
  EXPECT_LE(panel.CountLabel->fontMetrics().horizontalAdvance(shown), panel.CountLabel->contentsRect().width());
  EXPECT_NE(shown, panel.SearchError()) << "the error should be longer than the room beside the options";
  EXPECT_EQ(panel.CountLabel->toolTip(), panel.SearchError());

  panel.SearchEdit->setText(QStringLiteral("valid"));
  QApplication::processEvents();
  EXPECT_TRUE(panel.CountLabel->toolTip().isEmpty());
}

TEST_F(WindowKeepsClear, TheWarningSignHasAMarginOfItsOwn) {
  form->TargetMemo->setFocus();
  form->TargetMemo->selectAll();
  QTest::keyClicks(form->TargetMemo,
                   QStringLiteral("A translation without the source's tags, long enough to fill the line"));
  QApplication::processEvents();
  const auto* badge = form->TargetMemo->findChild<QWidget*>(QStringLiteral("FindingsBadge"));
  ASSERT_NE(badge, nullptr);
  ASSERT_TRUE(badge->isVisible()) << "the typed text should have a finding";
  EXPECT_FALSE(badge->geometry().intersects(form->TargetMemo->viewport()->geometry()));
  EXPECT_TRUE(form->TargetMemo->rect().contains(badge->geometry()));
}

TEST_F(WindowKeepsClear, ANarrowWindowKeepsTheToolBarClearOfTheSuggestions) {
  // A window manager may hold the window at a width, whatever the window asks for.
  for (const int width : {700, 640, 853}) {
    form->setFixedWidth(width);
    QApplication::processEvents();
    ASSERT_EQ(form->width(), width);
    ASSERT_TRUE(form->SuggestionsDock->isVisible());
    EXPECT_FALSE(GlobalRect(form->ToolButton7).intersects(GlobalRect(form->SuggestionsDock)))
        << "width " << width << " area " << form->CentralArea->x() << "+" << form->CentralArea->width() << " dock "
        << form->SuggestionsDock->x() << "+" << form->SuggestionsDock->width() << " min "
        << form->SuggestionsDock->minimumSizeHint().width() << " button " << form->ToolButton7->x() << "+"
        << form->ToolButton7->width();
    EXPECT_TRUE(form->ToolButton7->isVisible());
    EXPECT_GE(form->CentralArea->width(), TCentralArea::SmallestWidth) << "width " << width;
  }
}

TEST_F(WindowKeepsClear, AFiveDigitPositionKeepsClearOfTheBackArrow) {
  Scratch scratch;
  {
    auto full = std::make_unique<TtxgProject>(projecttest::Catalogue());
    BuildFullQuest(full->SourceGame);
    projecttest::OpenFromSource(*full);
    full->SaveToFile(scratch.File("full.txg").toStdString());
  }
  form->Files->LoadProjectFromFile(scratch.File("full.txg"));
  ASSERT_GE(project().PositionCount, 10000);
  form->MessagesListTrackBar->SetPosition(project().PositionCount);
  QApplication::processEvents();
  ASSERT_EQ(form->MessageNumberLabel->text(), QString::number(project().PositionCount));
  const QRect number = form->MessageNumberLabel->geometry();
  EXPECT_LE(number.right() + TCentralArea::NumberGap, form->BackImage->geometry().left());
  EXPECT_GE(form->MessagesListTrackBar->width(), 100);
}

TEST_F(WindowKeepsClear, UndoAndTheProblemSearchLeaveTheCursorAtTheEnd) {
  form->MessagesListTrackBar->SetPosition(2);
  form->TargetMemo->setFocus();
  form->TargetMemo->selectAll();
  QTest::keyClicks(form->TargetMemo, QStringLiteral("typed"));
  form->FocusTranslation();
  form->TargetMemo->moveCursor(QTextCursor::Start);
  form->Session->Edits().undo();
  EXPECT_TRUE(CursorAtEnd()) << "after undo";

  // A message with a problem to find.
  form->Session->Edits().redo();
  form->TargetMemo->moveCursor(QTextCursor::Start);
  form->MessagesListTrackBar->SetPosition(1);
  form->Navigator->GoToProblem(+1);
  ASSERT_EQ(form->MessagesListTrackBar->Position(), 2);
  EXPECT_TRUE(CursorAtEnd()) << "after Next Problem";
  EXPECT_TRUE(dialogs.Errors.empty());
}

}  // namespace
