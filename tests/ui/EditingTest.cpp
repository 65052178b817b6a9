// Translating in the window: typing into the target box, undo and redo of every kind of step, and
// what the modified marker and the save question make of them.
#include <QAction>
#include <QFile>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "SampleWindow.h"
#include "support/JD_BlockPar.h"

using namespace uitest;

namespace {

class WindowEditing : public SampleWindow {
 protected:
  void ShowPosition(int position) { form->MessagesListTrackBar->SetPosition(position); }
  // Replaces the box's text by typing, as the user does: select all, then the keys.
  void Type(const QString& keys, bool replace = true) {
    form->TargetMemo->setFocus();
    if (replace)
      form->TargetMemo->selectAll();
    else
      form->TargetMemo->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->TargetMemo, keys);
  }
  std::u16string Target(int32_t message) const { return form->Session->Project().GetTargetText(message); }
  int32_t Shown() const { return form->Session->Project().CurrentMessage; }

  Scratch scratch;
};

TEST_F(WindowEditing, TypingReachesTheProjectAndTheSavedFile) {
  ShowPosition(2);
  const int32_t message = Shown();
  EXPECT_FALSE(form->TargetMemo->isReadOnly());
  Type(QStringLiteral("  Typed translation "));
  // Stored trimmed, as every text that passes the box; the box keeps what was typed.
  EXPECT_EQ(Target(message), u"Typed translation");
  EXPECT_EQ(form->TargetMemo->Text(), QStringLiteral("  Typed translation "));
  EXPECT_EQ(TargetColour(*form), QColor(0, 0, 0));
  EXPECT_TRUE(form->HasUnsavedChanges());
  EXPECT_TRUE(form->isWindowModified());

  // A line break typed in the box is the quest's "\r\n".
  Type(QStringLiteral("second"), false);
  QTest::keyClick(form->TargetMemo, Qt::Key_Return);
  Type(QStringLiteral("line"), false);
  EXPECT_EQ(Target(message), u"Typed translation second\r\nline");

  const QString saved = scratch.File(QStringLiteral("typed.txg"));
  dialogs.Answer(QStringLiteral("ProjectSaveDialog"), saved);
  QTest::mouseClick(form->SaveProjectButton, Qt::LeftButton);
  EXPECT_FALSE(form->isWindowModified());
  TtxgProject reread(*form->Catalogue);
  reread.LoadFromFile(FileNameForLibrary(saved));
  EXPECT_EQ(reread.GetTargetText(message), u"Typed translation second\r\nline");

  // Emptied by typing: the deleted-message text, as Clear stores it.
  form->TargetMemo->selectAll();
  QTest::keyClick(form->TargetMemo, Qt::Key_Delete);
  EXPECT_EQ(Target(message), form->Catalogue->Par_Get(u"MessageDeletedMSG"));
}

TEST_F(WindowEditing, TypingInOneMessageIsOneStepAndAnotherMessageStartsTheNext) {
  ShowPosition(2);
  const int32_t first = Shown();
  const std::u16string firstBefore = Target(first);
  Type(QStringLiteral("one"));
  Type(QStringLiteral(" two"), false);
  EXPECT_EQ(form->Session->Edits().count(), 1);
  EXPECT_EQ(form->Session->Edits().undoText(), QStringLiteral("Typing"));

  ShowPosition(3);
  const int32_t second = Shown();
  const std::u16string secondBefore = Target(second);
  Type(QStringLiteral("three"));
  EXPECT_EQ(form->Session->Edits().count(), 2);
  // Back in the first message, typing again is a new step too.
  ShowPosition(2);
  Type(QStringLiteral(" four"), false);
  EXPECT_EQ(form->Session->Edits().count(), 3);
  ShowPosition(5);

  struct Step {
    bool undo;
    int32_t shown;  // undo and redo first show the message they change
    std::u16string firstText, secondText;
  };
  const Step steps[] = {
      {true, first, u"one two", u"three"},      {true, second, u"one two", secondBefore},
      {true, first, firstBefore, secondBefore}, {false, first, u"one two", secondBefore},
      {false, second, u"one two", u"three"},    {false, first, u"one two four", u"three"},
  };
  for (const Step& step : steps) {
    if (step.undo)
      form->Session->Edits().undo();
    else
      form->Session->Edits().redo();
    EXPECT_EQ(Shown(), step.shown);
    EXPECT_EQ(Target(first), step.firstText);
    EXPECT_EQ(Target(second), step.secondText);
    EXPECT_EQ(form->TargetMemo->Text(), Wide(Target(step.shown)));
  }
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WindowEditing, CopyAndClearAreStepsOfTheirOwn) {
  ShowPosition(4);
  const int32_t message = Shown();
  const std::u16string source = project().GetSourceText(message);
  Type(QStringLiteral("typed"));
  QTest::mouseClick(form->ClearImage, Qt::LeftButton);
  QTest::mouseClick(form->CopyImage, Qt::LeftButton);
  ASSERT_EQ(form->Session->Edits().count(), 3);
  struct Case {
    QString undoText;
    std::u16string afterUndo;
  };
  const Case cases[] = {
      {QStringLiteral("Copy source"), form->Catalogue->Par_Get(u"MessageDeletedMSG")},
      {QStringLiteral("Clear translation"), u"typed"},
      {QStringLiteral("Typing"), source},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(form->Session->Edits().undoText(), c.undoText);
    form->Session->Edits().undo();
    EXPECT_EQ(Target(message), c.afterUndo) << c.undoText.toStdString();
  }
  // Back at the state of the new project: nothing left to save.
  EXPECT_FALSE(form->HasUnsavedChanges());
  EXPECT_FALSE(form->isWindowModified());
  form->Session->Edits().redo();
  EXPECT_TRUE(form->isWindowModified());
}

TEST_F(WindowEditing, AWholeImportIsOneStep) {
  // Every message translated in an exchange file, read back: one step undoes all of it.
  const QString exchange = scratch.File(QStringLiteral("all.txt"));
  dialogs.Answer(QStringLiteral("SaveMsgsSaveDialog"), exchange);
  QTest::mouseClick(form->SaveMsgsButton, Qt::LeftButton);
  QFile file(exchange);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  file.close();
  QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
  text.replace(QStringLiteral("<End>"), QStringLiteral(" (translated)\r\n<End>"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\xFF\xFE", 2);
  file.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  file.close();

  std::vector<std::u16string> before;
  for (int32_t n = 1; n <= project().SourceCount; ++n) before.push_back(Target(n));
  ShowPosition(3);
  Type(QStringLiteral("typed first"));
  const std::u16string typed = Target(Shown());
  dialogs.Answer(QStringLiteral("LoadMsgsOpenDialog"), exchange);
  QTest::mouseClick(form->LoadMsgsButton, Qt::LeftButton);
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  ASSERT_EQ(form->Session->Edits().count(), 2);
  EXPECT_EQ(form->Session->Edits().undoText(), QStringLiteral("Load messages"));
  int translated = 0;
  for (int32_t n = 1; n <= project().SourceCount; ++n)
    if (Target(n).ends_with(u"(translated)")) ++translated;
  EXPECT_GT(translated, project().PositionCount / 2);

  form->Session->Edits().undo();
  for (int32_t n = 1; n <= project().SourceCount; ++n) {
    SCOPED_TRACE(n);
    EXPECT_FALSE(Target(n).ends_with(u"(translated)"));
  }
  EXPECT_EQ(form->TargetMemo->Text(), Wide(Target(Shown())));
  EXPECT_EQ(form->MessagesListTrackBar->Max(), project().PositionCount);
  form->Session->Edits().undo();
  for (int32_t n = 1; n <= project().SourceCount; ++n) EXPECT_EQ(Target(n), before[static_cast<std::size_t>(n - 1)]);
  form->Session->Edits().redo();
  form->Session->Edits().redo();
  int again = 0;
  for (int32_t n = 1; n <= project().SourceCount; ++n)
    if (Target(n).ends_with(u"(translated)")) ++again;
  EXPECT_EQ(again, translated);
}

TEST_F(WindowEditing, NewAndOpenForgetTheSteps) {
  ShowPosition(2);
  Type(QStringLiteral("typed"));
  const QString saved = scratch.File(QStringLiteral("p.txg"));
  dialogs.Answer(QStringLiteral("ProjectSaveDialog"), saved);
  QTest::mouseClick(form->SaveProjectButton, Qt::LeftButton);
  EXPECT_EQ(form->Session->Edits().count(), 1);
  dialogs.Answer(QStringLiteral("ProjectOpenDialog"), saved);
  QTest::mouseClick(form->LoadProjectButton, Qt::LeftButton);
  EXPECT_EQ(form->Session->Edits().count(), 0);
  Type(QStringLiteral("again"));
  dialogs.SaveChangesAnswers = {TSaveChangesAnswer::Discard};
  dialogs.Answer(QStringLiteral("SourceOpenDialog"), SampleQuest());
  QTest::mouseClick(form->NewProjectButton, Qt::LeftButton);
  EXPECT_EQ(form->Session->Edits().count(), 0);
  EXPECT_FALSE(form->Session->Edits().canUndo());
  EXPECT_FALSE(form->isWindowModified());
}

TEST_F(WindowEditing, ClosingAfterTypingAsksToSave) {
  ShowPosition(2);
  Type(QStringLiteral("typed"));
  dialogs.SaveChangesAnswers = {TSaveChangesAnswer::Cancel};
  EXPECT_FALSE(form->close());
  EXPECT_EQ(dialogs.SaveChangesAsked, 1);
  // Undone to where the project was made: nothing to ask.
  form->Session->Edits().undo();
  EXPECT_TRUE(form->close());
  EXPECT_EQ(dialogs.SaveChangesAsked, 1);
}

}  // namespace
