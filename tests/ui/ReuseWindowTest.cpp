// Reusing translations in the window: suggestions inserted with Ctrl+N as one step, the offer to
// fill a translation into the same texts, Tools → Update source quest…, attached memory files and
// the unused translations.
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "memory/ProjectMemory.h"
#include "memory/Tmx.h"
#include "memory/UpdateFixtures.h"
#include "ui/MemoryFilesDialog.h"
#include "ui/ReuseView.h"
#include "ui/ReviewPanel.h"
#include "ui/SuggestionsPanel.h"
#include "ui/UnusedTranslationsDialog.h"

using namespace uitest;
using updatetest::FixturePath;
using updatetest::MessageOfPath;

namespace {

class WindowReuse : public testing::Test {
 protected:
  // Opens a project of these paths, the translated ones as "RU " + question.
  void Open(const std::vector<FixturePath>& paths) {
    auto project = std::make_unique<TtxgProject>(projecttest::Catalogue());
    updatetest::BuildQuest(project->SourceGame, paths);
    projecttest::OpenFromSource(*project);
    for (const FixturePath& path : paths)
      if (path.translated) project->SetTargetText(MessageOfPath(*project, path.number), u"RU " + path.question);
    project->SaveToFile(scratch.File("p.txg").toStdString());
    form = MakeWindow(dialogs);
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->Files->LoadProjectFromFile(scratch.File("p.txg"));
  }
  void ShowPath(int32_t number) {
    form->MessagesListTrackBar->SetPosition(project().PositionOfMessage(MessageOfPath(project(), number)));
  }
  void Type(const QString& keys) {
    form->TargetMemo->setFocus();
    form->TargetMemo->selectAll();
    QTest::keyClicks(form->TargetMemo, keys);
  }
  std::u16string TargetOf(int32_t path) { return project().GetTargetText(MessageOfPath(project(), path)); }
  bool ReviewOf(int32_t path) { return project().NeedsReview(MessageOfPath(project(), path)); }
  TtxgProject& project() { return form->Session->Project(); }

  ScriptedDialogs dialogs;
  Scratch scratch;
  std::unique_ptr<TForm1> form;
};

const std::vector<FixturePath> Doors = {
    {101, 1, u"Open the door", true}, {102, 2, u"Open the red door"}, {103, 3, u"Close the gate"},
    {104, 4, u"Close the gate"},      {105, 5, u"Close the gate"},
};

TEST_F(WindowReuse, CtrlNumberInsertsASuggestionAsOneStep) {
  Open(Doors);
  ShowPath(102);
  ASSERT_EQ(form->Suggestions->Count(), 1);
  EXPECT_EQ(form->Suggestions->PercentOf(0), 75);
  const int steps = form->Session->Edits().count();
  form->FocusTranslation();
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_1));
  EXPECT_EQ(TargetOf(102), u"RU Open the door");
  EXPECT_EQ(form->TargetMemo->Text(), "RU Open the door");
  EXPECT_TRUE(ReviewOf(102));  // a 75% match is another text's translation
  EXPECT_TRUE(form->ReviewPanel->NeedsReview->isChecked());
  EXPECT_EQ(form->Session->Edits().count(), steps + 1);
  QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_2));  // no second one
  EXPECT_EQ(form->Session->Edits().count(), steps + 1);
  form->Session->Edits().undo();
  EXPECT_EQ(TargetOf(102), u"Open the red door");
  EXPECT_FALSE(ReviewOf(102));
  EXPECT_EQ(form->TargetMemo->Text(), "Open the red door");
  form->Session->Edits().redo();
  EXPECT_EQ(TargetOf(102), u"RU Open the door");
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WindowReuse, ASuggestionIsShownWrappedAndWhole) {
  Open(Doors);
  // Five long ones at the window's first size: none is cut to fit the others.
  std::vector<TMemoryEntry> entries;
  for (char16_t i = u'1'; i <= u'5'; ++i) {
    std::u16string translation = u"Закрой";
    for (int word = 0; word < 40; ++word) translation += std::u16string(u" ворота") + i;
    entries.push_back({u"Close the gate", translation, u""});
  }
  const std::string tmx = scratch.File("long.tmx").toStdString();
  WriteTmx(tmx, entries);
  ASSERT_TRUE(form->Session->SetMemoryFiles({tmx}));
  ShowPath(103);
  ASSERT_EQ(form->Suggestions->Count(), 5);
  QApplication::processEvents();
  for (const QLabel* row : form->Suggestions->Rows) {
    EXPECT_GE(row->height(), row->heightForWidth(row->width()));
    EXPECT_GT(row->height(), 4 * row->fontMetrics().lineSpacing());
  }
}

TEST_F(WindowReuse, LeavingANewTranslationOffersToFillTheSameTexts) {
  Open(Doors);
  ShowPath(103);
  Type(QStringLiteral("Shut the gate"));
  ASSERT_EQ(TargetOf(103), u"Shut the gate");
  dialogs.YesNoAnswers = {true};
  const int steps = form->Session->Edits().count();
  form->Navigator->StepListed(+1);
  ASSERT_EQ(dialogs.YesNoAsked.size(), 1u);
  EXPECT_TRUE(dialogs.YesNoAsked[0].contains("2 more"));
  EXPECT_EQ(TargetOf(104), u"Shut the gate");
  EXPECT_EQ(TargetOf(105), u"Shut the gate");
  EXPECT_TRUE(ReviewOf(104));
  EXPECT_FALSE(ReviewOf(103));
  EXPECT_EQ(form->TargetMemo->Text(), "Shut the gate");  // the message moved to was filled too
  EXPECT_EQ(form->Session->Edits().count(), steps + 1);

  form->Session->Edits().undo();
  EXPECT_EQ(TargetOf(104), u"Close the gate");
  EXPECT_EQ(TargetOf(105), u"Close the gate");
  EXPECT_FALSE(ReviewOf(105));
  EXPECT_EQ(TargetOf(103), u"Shut the gate");
  // Undoing moved nowhere new: no second offer.
  EXPECT_EQ(dialogs.YesNoAsked.size(), 1u);

  // Leaving a message unchanged, or answering no, fills nothing.
  ShowPath(101);
  ShowPath(102);
  ShowPath(103);
  Type(QStringLiteral("Shut that gate"));
  dialogs.YesNoAnswers = {false};
  ShowPath(101);
  EXPECT_EQ(dialogs.YesNoAsked.size(), 2u);
  EXPECT_EQ(TargetOf(104), u"Close the gate");
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WindowReuse, TheFillOfferShowsOneMessageInBothBoxes) {
  Open(Doors);
  ShowPath(103);
  Type(QStringLiteral("Shut the gate"));
  QString sourceShown, translationShown;
  int32_t messageShown = 0;
  dialogs.WhileAskingYesNo = [&] {
    sourceShown = form->SourceMemo->Text();
    translationShown = form->TargetMemo->Text();
    messageShown = project().CurrentMessage;
  };
  form->Navigator->StepListed(-1);  // to a message of another source text
  ASSERT_EQ(dialogs.YesNoAsked.size(), 1u);
  ASSERT_EQ(messageShown, MessageOfPath(project(), 102));
  EXPECT_EQ(sourceShown, QStringLiteral("Open the red door"));
  EXPECT_EQ(translationShown, QStringLiteral("Open the red door"));
}

TEST_F(WindowReuse, ASuggestionAndItsUndoLeaveTheCursorAtTheEnd) {
  Open(Doors);
  ShowPath(102);
  form->FocusTranslation();
  auto atEnd = [this] {
    return form->TargetMemo->textCursor().position() == form->TargetMemo->document()->characterCount() - 1;
  };
  QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_1));
  ASSERT_EQ(TargetOf(102), u"RU Open the door");
  EXPECT_TRUE(atEnd());
  form->Session->Edits().undo();
  ASSERT_EQ(TargetOf(102), u"Open the red door");
  EXPECT_TRUE(atEnd());
}

TEST_F(WindowReuse, UpdateSourceQuestReplacesTheProjectAndShowsWhatChanged) {
  updatetest::OldProject()->SaveToFile(scratch.File("old.txg").toStdString());
  const ScratchFolder quests;
  const std::string newQuest = updatetest::WriteNewQuest(quests);
  form = MakeWindow(dialogs);
  form->show();
  form->Files->LoadProjectFromFile(scratch.File("old.txg"));
  const QByteArray before = [&] {
    QFile file(scratch.File("old.txg"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }();
  dialogs.Answer(QStringLiteral("UpdateSourceDialog"), QString::fromStdString(newQuest));
  form->Reuse->UpdateSourceQuest();
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0],
            "The project now follows the new version of the quest:\n"
            "4 kept: the same text as before, its translation taken over as it was\n"
            "1 changed: the text changed; its old translation is kept and marked for review\n"
            "2 moved: a text translated at another place; that translation is taken over and marked for review\n"
            "4 to translate (new or still untranslated)\n"
            "1 unused: translations of texts the new version no longer has, kept aside (View, Unused translations) "
            "and offered as suggestions\n\n"
            "The updated project has no file yet: Save asks for a new name, and the old project file stays as it was.")
      << dialogs.Messages[0].toStdString();
  EXPECT_EQ(project().PositionCount, 11);
  EXPECT_TRUE(form->HasUnsavedChanges());
  EXPECT_FALSE(form->QuickSaveProjectButton->isEnabled());  // the old project file stays as it was
  EXPECT_EQ(form->windowTitle(), QStringLiteral("New project from %1 (not saved)[*] - Quest Translator")
                                     .arg(QFileInfo(QString::fromStdString(newQuest)).fileName()));
  // Ctrl+S asks for a name, and the name it proposes is not the old project's.
  form->Files->Save();  // Ctrl+S
  ASSERT_FALSE(dialogs.FileDialogsShown.empty());
  EXPECT_EQ(dialogs.FileDialogsShown.back().Name, QStringLiteral("ProjectSaveDialog"));
  EXPECT_EQ(dialogs.FileDialogsShown.back().FileName, scratch.File("old-2.txg"));

  ShowPath(102);
  EXPECT_TRUE(form->Suggestions->PreviousSourceLabel->isVisibleTo(form->Suggestions));
  EXPECT_TRUE(form->Suggestions->PreviousSourceLabel->text().contains("red </span>"));
  ShowPath(101);
  EXPECT_FALSE(form->Suggestions->PreviousSourceLabel->isVisibleTo(form->Suggestions));

  int unusedRows = -1;
  dialogs.DialogScript = [&unusedRows](QDialog& dialog) {
    unusedRows = static_cast<TUnusedTranslationsDialog&>(dialog).Model->rowCount();
    return true;
  };
  form->Reuse->ShowUnusedTranslations();
  EXPECT_EQ(unusedRows, 1);

  QFile file(scratch.File("old.txg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);
}

TEST_F(WindowReuse, UnreadableNewQuestKeepsTheProject) {
  Open(Doors);
  dialogs.Answer(QStringLiteral("UpdateSourceDialog"), scratch.File("missing.xg"));
  form->RunGuarded([this] { form->Reuse->UpdateSourceQuest(); });
  EXPECT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_EQ(project().PositionCount, 5);
  EXPECT_EQ(TargetOf(101), u"RU Open the door");
}

TEST_F(WindowReuse, AttachedMemoryFilesAreRememberedAndSuggested) {
  Open(Doors);
  const std::string tmx = scratch.File("other.tmx").toStdString();
  WriteTmx(tmx, {{u"Close the gate now", u"Закрой ворота", u""}});
  dialogs.DialogScript = [&tmx](QDialog& dialog) {
    static_cast<TMemoryFilesDialog&>(dialog).List->addItem(QString::fromStdString(tmx));
    return true;
  };
  form->Reuse->EditMemoryFiles();
  EXPECT_EQ(AttachedMemoryFiles(project()), std::vector<std::string>{tmx});
  EXPECT_TRUE(form->HasUnsavedChanges());
  ShowPath(103);
  ASSERT_EQ(form->Suggestions->Count(), 1);
  EXPECT_EQ(form->Suggestions->Shown(0).Translation, u"Закрой ворота");

  // Saved and opened again: the file is still attached and read.
  form->Files->Save();
  dialogs.DialogScript = nullptr;
  form->Files->LoadProjectFromFile(scratch.File("p.txg"));
  EXPECT_EQ(AttachedMemoryFiles(project()), std::vector<std::string>{tmx});
  ShowPath(104);
  EXPECT_EQ(form->Suggestions->Count(), 1);
  // Cancelled: nothing changes.
  form->Reuse->EditMemoryFiles();
  EXPECT_EQ(AttachedMemoryFiles(project()), std::vector<std::string>{tmx});
}

}  // namespace
