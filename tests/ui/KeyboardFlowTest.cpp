// The translator's flow from the keyboard: arriving at an untranslated message selects its copy so
// typing replaces it, Clear Translation, the window's shortcuts in every text field, Tab, Escape
// and Enter between the list and the translation, the problems as text, and the keyboard's steps
// following a sorted or filtered list.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "SampleWindow.h"
#include "project/Navigation.h"
#include "ui/MessageListModel.h"
#include "ui/MessageListPanel.h"
#include "ui/MessageTools.h"
#include "ui/ReviewPanel.h"

using namespace uitest;

namespace {

// Takes every shortcut an action receives instead of running its command.
class ShortcutCatcher : public QObject {
 public:
  QObject* caught = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Shortcut) return false;
    caught = watched;
    return true;
  }
};

class KeyboardFlow : public ActiveSampleWindow {
 protected:
  TMessageListPanel& list() { return *form->Tools->ListPanel; }
  int32_t Shown() { return project().CurrentMessage; }
  std::u16string Target() { return project().GetTargetText(Shown()); }
  bool WholeTextSelected() {
    const QTextCursor cursor = form->TargetMemo->textCursor();
    return cursor.selectionStart() == 0 && cursor.selectionEnd() == form->TargetMemo->toPlainText().size();
  }
};

TEST_F(KeyboardFlow, TypingOnArrivalReplacesAnUntranslatedMessageAndContinuesATranslatedOne) {
  const int32_t translated = project().MessageAtPosition(6);
  project().SetTargetText(translated, u"Готово.");
  struct Case {
    const char* move;
    std::function<void()> arrive;
    bool replaces;
  };
  const Case cases[] = {
      {"Ctrl+Down", [&] { Press(QKeySequence(Qt::CTRL | Qt::Key_Down)); }, true},
      {"Ctrl+Shift+Down", [&] { Press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)); }, true},
      {"Ctrl+Return", [&] { Press(QKeySequence(Qt::CTRL | Qt::Key_Return)); }, true},
      {"track bar", [&] { form->MessagesListTrackBar->setValue(form->MessagesListTrackBar->Position() + 2); }, true},
      {"list row", [&] { QTest::keyClick(list().Table, Qt::Key_Down); }, true},
      {"translated message", [&] { form->MessagesListTrackBar->setValue(6); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.move);
    form->MessagesListTrackBar->SetPosition(2);
    form->FocusTranslation();
    c.arrive();
    const std::u16string before = Target();
    EXPECT_EQ(WholeTextSelected(), c.replaces);
    form->TargetMemo->setFocus();
    QTest::keyClicks(form->TargetMemo, QStringLiteral("You saved"));
    EXPECT_EQ(Target(), c.replaces ? u"You saved" : before + u"You saved");
    Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(Target(), before);
  }
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(KeyboardFlow, CopySourceAndClearTranslationLeaveTheBoxReadyForTyping) {
  const std::u16string copy = Target();
  QTest::keyClicks(form->TargetMemo, QStringLiteral("Translation"));
  Press(QKeySequence(Qt::CTRL | Qt::Key_B));
  EXPECT_EQ(Target(), copy);
  EXPECT_TRUE(WholeTextSelected());

  Press(QKeySequence(Qt::CTRL | Qt::Key_Delete));
  EXPECT_EQ(form->TargetMemo->toPlainText(), QString());
  EXPECT_EQ(Target(), copy) << "the deleted-message text is Mark as Deleted's";
  QTest::keyClicks(form->TargetMemo, QStringLiteral("New"));
  EXPECT_EQ(Target(), u"New");
  Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(Target(), copy);
}

TEST_F(KeyboardFlow, WindowShortcutsWinInEveryTextField) {
  // Undo and redo enabled: two steps, one of them undone.
  QTest::keyClicks(form->TargetMemo, QStringLiteral("a"));
  Press(QKeySequence(Qt::CTRL | Qt::Key_B));
  form->Session->Edits().undo();
  ShortcutCatcher catcher;
  std::vector<QAction*> actions;
  for (QAction* top : form->menuBar()->actions())
    for (QAction* entry : top->menu()->actions())
      if (!entry->shortcuts().isEmpty() && entry->isEnabled()) {
        entry->installEventFilter(&catcher);
        actions.push_back(entry);
      }
  ASSERT_GE(actions.size(), 25u);

  std::vector<QWidget*> fields;
  for (QWidget* widget : form->findChildren<QWidget*>())
    if ((qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)) && widget->isVisible() &&
        widget->isEnabled() && widget->window() == form.get())
      fields.push_back(widget);
  const std::set<QWidget*> expected{form->TargetMemo, form->ReviewPanel->Note, list().SearchEdit};
  for (QWidget* field : expected) EXPECT_EQ(std::count(fields.begin(), fields.end(), field), 1);

  form->ReviewPanel->Note->setText(QStringLiteral("note"));
  list().SearchEdit->setText(QStringLiteral("search"));
  auto textOf = [](const QWidget* field) {
    return field->property(field->property("plainText").isValid() ? "plainText" : "text").toString();
  };
  for (QWidget* field : fields) {
    const QString text = textOf(field);
    for (QAction* action : actions)
      for (const QKeySequence& keys : action->shortcuts()) {
        SCOPED_TRACE((field->objectName() + QLatin1Char(' ') + keys.toString()).toStdString());
        field->setFocus();
        catcher.caught = nullptr;
        QTest::keySequence(field, keys);
        EXPECT_EQ(catcher.caught, action);
      }
    EXPECT_EQ(textOf(field), text) << field->objectName().toStdString();
  }
}

TEST_F(KeyboardFlow, TabEscapeAndEnterMoveBetweenTheTranslationAndTheList) {
  const std::vector<QWidget*> chain{form->TargetMemo, form->ReviewPanel->Note, form->ReviewPanel->NeedsReview,
                                    list().Table};
  for (std::size_t i = 1; i < chain.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), chain[i]) << i;
  }
  const int row = list().Table->currentIndex().row();
  QTest::keyClick(list().Table, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), list().Table) << "Tab leaves the table";
  EXPECT_EQ(list().Table->currentIndex().row(), row);

  Press(QKeySequence::Find);
  ASSERT_EQ(QApplication::focusWidget(), list().SearchEdit);
  QTest::keyClick(list().SearchEdit, Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), form->TargetMemo);

  list().Table->setFocus();
  QTest::keyClick(list().Table, Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), form->TargetMemo);

  for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
    list().Table->setFocus();
    QTest::keyClick(list().Table, Qt::Key_Down);
    QTest::keyClick(list().Table, enter);
    EXPECT_EQ(QApplication::focusWidget(), form->TargetMemo);
    EXPECT_EQ(Shown(), list().Model->MessageAtRow(list().Table->currentIndex().row()));
    EXPECT_TRUE(WholeTextSelected());
  }
}

TEST_F(KeyboardFlow, F8ShowsTheProblemsAsText) {
  QTest::keyClicks(form->TargetMemo, QStringLiteral("Two  spaces"));
  Press(QKeySequence(Qt::Key_F8));
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  // One plain line per finding, tags unescaped.
  const QStringList lines = dialogs.Messages[0].split(QLatin1Char('\n'));
  EXPECT_EQ(lines.size(), 6);
  EXPECT_TRUE(lines.contains(QStringLiteral("Tags differ from the source: missing <ToStar>, <Money>")));
  EXPECT_TRUE(lines.contains(QStringLiteral("Two or more spaces in a row: at 4")));
  EXPECT_TRUE(lines.contains(QStringLiteral("The numbers differ from the source: missing 7")));
  Press(QKeySequence(Qt::CTRL | Qt::Key_B));  // untranslated: the grey text says so, no problem
  Press(QKeySequence(Qt::Key_F8));
  ASSERT_EQ(dialogs.Messages.size(), 2u);
  EXPECT_EQ(dialogs.Messages[1], form->CatalogueText(u"NoProblemsInMessage"));
}

TEST_F(KeyboardFlow, StepsFollowASortedOrFilteredListAndBackAndForwardThePositions) {
  for (int32_t p = 3; p <= project().PositionCount; p += 4)
    project().SetTargetText(project().MessageAtPosition(p), u"Готово.");
  TMessageListModel& model = *list().Model;
  auto rowOrder = [&](const std::function<bool(int32_t)>& wanted) {
    std::vector<int32_t> messages;
    for (int row = 0; row < model.rowCount(); ++row)
      if (const int32_t n = model.MessageAtRow(row); !project().IsLinked(n) && wanted(n)) messages.push_back(n);
    return messages;
  };
  auto visit = [&](const QKeySequence& keys, std::size_t count) {
    std::vector<int32_t> visited;
    for (std::size_t i = 0; i < count; ++i) {
      Press(keys);
      visited.push_back(Shown());
    }
    return visited;
  };
  const auto unfinished = [this](int32_t n) { return IsUnfinished(project(), n); };

  list().Table->sortByColumn(TMessageListModel::SourceColumn, Qt::DescendingOrder);
  const std::vector<int32_t> rows = rowOrder([](int32_t) { return true; });
  form->MessagesListTrackBar->SetPosition(project().PositionOfMessage(rows.front()));
  form->FocusTranslation();
  EXPECT_EQ(visit(QKeySequence(Qt::CTRL | Qt::Key_Down), rows.size() - 1),
            std::vector<int32_t>(rows.begin() + 1, rows.end()));
  Press(QKeySequence(Qt::CTRL | Qt::Key_Down));  // the last row stays
  EXPECT_EQ(Shown(), rows.back());
  Press(QKeySequence(Qt::CTRL | Qt::Key_Up));
  EXPECT_EQ(Shown(), rows[rows.size() - 2]);

  // Back and Forward keep to the positions.
  form->MessagesListTrackBar->SetPosition(1);
  QTest::mouseClick(form->ForwardImage, Qt::LeftButton);
  EXPECT_EQ(form->MessagesListTrackBar->Position(), StepPosition(project(), 1, +1));
  QTest::mouseClick(form->BackImage, Qt::LeftButton);
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 1);

  // Unfinished messages in the list's order, going round, under a filter too.
  for (int filter : {0, 1}) {
    list().FilterBox->setCurrentIndex(filter);
    const std::vector<int32_t> expected = rowOrder(unfinished);
    ASSERT_GE(expected.size(), 3u);
    // From the last one round to itself.
    form->MessagesListTrackBar->SetPosition(project().PositionOfMessage(expected.back()));
    EXPECT_EQ(visit(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down), expected.size()), expected);
  }
  EXPECT_TRUE(dialogs.Errors.empty());
}

}  // namespace
