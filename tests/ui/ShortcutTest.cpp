// Every shortcut of the menu runs its command from the keyboard, with the cursor in the target box,
// and moves leave the cursor there.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <functional>

#include "SampleWindow.h"
#include "support/JD_BlockPar.h"

using namespace uitest;

namespace {

class WindowShortcuts : public SampleWindow {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ShowWindow(true));
    ASSERT_NO_FATAL_FAILURE(NewSampleProject([this] { Press(QKeySequence(Qt::CTRL | Qt::Key_N)); }));
    ASSERT_EQ(form->MessagesListTrackBar->Position(), 1);
    form->FocusTranslation();
  }
  // The keys as the user presses them, to whatever has the focus (the target box).
  void Press(const QKeySequence& keys) {
    QWidget* focus = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : form.get();
    QTest::keySequence(focus, keys);
  }
  int Position() const { return form->MessagesListTrackBar->Position(); }

  Scratch scratch;
};

TEST_F(WindowShortcuts, MovesLeaveTheCursorInTheTranslation) {
  struct Case {
    QKeySequence keys;
    int from;
    int expected;
  };
  const Case cases[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Down), 1, 2},
      {QKeySequence(Qt::Key_PageDown), 2, 3},
      {QKeySequence(Qt::CTRL | Qt::Key_Up), 3, 2},
      {QKeySequence(Qt::Key_PageUp), 2, 1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down), 1, 2},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up), 2, 1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up), 1, form->MessagesListTrackBar->Max()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys.toString().toStdString());
    form->MessagesListTrackBar->SetPosition(c.from);
    form->FocusTranslation();
    Press(c.keys);
    EXPECT_EQ(Position(), c.expected);
    EXPECT_EQ(QApplication::focusWidget(), form->TargetMemo);
    EXPECT_TRUE(form->TargetMemo->textCursor().atEnd());
  }
  // Typing goes on at once into the message moved to.
  Press(QKeySequence(Qt::Key_PageDown));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("!"));
  EXPECT_TRUE(project().GetTargetText(project().CurrentMessage).ends_with(u"!"));
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WindowShortcuts, UnfinishedSkipsTranslatedMessages) {
  for (int32_t p = 2; p <= 4; ++p) project().SetTargetText(project().MessageAtPosition(p), u"done");
  Press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down));
  EXPECT_EQ(Position(), 5);
  Press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up));
  EXPECT_EQ(Position(), 1);
  for (int32_t p = 1; p <= project().PositionCount; ++p)
    project().SetTargetText(project().MessageAtPosition(p), u"done");
  Press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down));
  EXPECT_EQ(Position(), 1);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0], form->CatalogueText(u"CannotFindNotEditedMessage"));
}

TEST_F(WindowShortcuts, EditingAndFileCommands) {
  const int32_t message = project().CurrentMessage;
  QTest::keyClicks(form->TargetMemo, QStringLiteral(" more"));
  const std::u16string typed = project().GetTargetText(message);
  ASSERT_NE(typed, project().GetSourceText(message));

  struct Case {
    const char* name;
    QKeySequence keys;
    std::function<void()> before;
    std::function<bool()> done;
  };
  const QString saved = scratch.File(QStringLiteral("keys.txg"));
  const QString exported = scratch.File(QStringLiteral("keys.xg"));
  const Case cases[] = {
      {"undo", QKeySequence(Qt::CTRL | Qt::Key_Z), [] {},
       [&] { return project().GetTargetText(message) == project().GetSourceText(message); }},
      {"redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [] {},
       [&] { return project().GetTargetText(message) == typed; }},
      {"undo again", QKeySequence(Qt::CTRL | Qt::Key_Z), [] {}, [&] { return form->Session->Edits().canRedo(); }},
      {"redo by Ctrl+Y", QKeySequence(Qt::CTRL | Qt::Key_Y), [] {},
       [&] { return project().GetTargetText(message) == typed; }},
      {"copy source", QKeySequence(Qt::CTRL | Qt::Key_B), [] {},
       [&] { return form->Session->Edits().undoText() == QStringLiteral("Copy source"); }},
      // A new project has no file yet: Ctrl+S asks for a name.
      {"save without a file", QKeySequence(Qt::CTRL | Qt::Key_S),
       [&] { dialogs.Answer(QStringLiteral("ProjectSaveDialog"), saved); },
       [&] { return QFile::exists(saved) && form->QuickSaveProjectButton->isEnabled(); }},
      // Now it has one: Ctrl+S writes it without asking.
      {"save to the file", QKeySequence(Qt::CTRL | Qt::Key_S),
       [&] {
         QFile::remove(saved);
         dialogs.FileDialogsShown.clear();
       },
       [&] { return QFile::exists(saved) && dialogs.FileDialogsShown.empty(); }},
      {"save as", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [] {},
       [&] { return dialogs.FileDialogsShown.back().Name == QStringLiteral("ProjectSaveDialog"); }},
      {"export translated quest", QKeySequence(Qt::CTRL | Qt::Key_E),
       [&] { dialogs.Answer(QStringLiteral("TargetSaveDialog"), exported); }, [&] { return QFile::exists(exported); }},
      {"go to message", QKeySequence(Qt::CTRL | Qt::Key_G), [&] { dialogs.NumberAnswers = {4}; },
       [&] { return Position() == 4 && QApplication::focusWidget() == form->TargetMemo; }},
      {"open project", QKeySequence(Qt::CTRL | Qt::Key_O),
       [&] { dialogs.Answer(QStringLiteral("ProjectOpenDialog"), saved); },
       [&] { return form->windowTitle().startsWith(saved) && form->Session->Edits().count() == 0; }},
      {"new project", QKeySequence(Qt::CTRL | Qt::Key_N),
       [&] { dialogs.Answer(QStringLiteral("SourceOpenDialog"), SampleQuest()); },
       [&] { return form->windowTitle() == NewSampleProjectTitle(*form); }},
      // The workspace opens beside the project, which stays.
      {"open folder", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
       [&] { dialogs.Answer(QStringLiteral("OpenFolderDialog"), scratch.Folder().path()); },
       [&] {
         return form->Session->WorkspaceFolder() == scratch.Folder().path() &&
                form->windowTitle() == NewSampleProjectTitle(*form);
       }},
      {"quit", QKeySequence(Qt::CTRL | Qt::Key_Q), [] {}, [&] { return !form->isVisible(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.before();
    form->FocusTranslation();
    Press(c.keys);
    EXPECT_TRUE(c.done());
  }
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WindowShortcuts, EveryEntryShowsItsShortcutAndEditShowsWhatIsUndone) {
  QTest::keyClicks(form->TargetMemo, QStringLiteral("x"));
  QAction* undo = nullptr;
  QStringList shown;
  for (QAction* top : form->menuBar()->actions())
    for (QAction* entry : top->menu()->actions()) {
      if (!entry->shortcut().isEmpty()) shown << entry->shortcut().toString();
      if (entry->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_Z)) undo = entry;
    }
  for (const char* keys :
       {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Shift+S", "Ctrl+E", "Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+Up", "Ctrl+Down",
        "Ctrl+Shift+Up", "Ctrl+Shift+Down", "Ctrl+B", "Ctrl+G", "Ctrl+Q", "Ctrl+Shift+O"})
    EXPECT_TRUE(shown.contains(QLatin1String(keys))) << keys;
  EXPECT_EQ(shown.removeDuplicates(), 0);
  ASSERT_NE(undo, nullptr);
  EXPECT_EQ(undo->text(), QStringLiteral("&Undo Typing"));
  EXPECT_TRUE(undo->isEnabled());
}

}  // namespace
