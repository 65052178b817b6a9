// Project and file commands of the window, driven through its buttons on the sample quest.
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "quest/GameContent.h"
#include "support/JD_BlockPar.h"

using namespace uitest;

namespace {

class WindowCommands : public testing::Test {
 protected:
  void SetUp() override {
    form = MakeWindow(dialogs);
    form->show();
  }
  void Click(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void NewProjectFromSample() {
    dialogs.Answer(QStringLiteral("SourceOpenDialog"), SampleQuest());
    Click(form->NewProjectButton);
    ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  }
  QString Text(const char16_t* key) const { return form->CatalogueText(key); }
  TtxgProject& project() { return form->Session->Project(); }

  ScriptedDialogs dialogs;
  Scratch scratch;
  std::unique_ptr<TForm1> form;
};

TEST_F(WindowCommands, NewProjectShowsTheFirstMessage) {
  NewProjectFromSample();
  EXPECT_EQ(project().CurrentMessage, 1);
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 1);
  EXPECT_EQ(form->MessagesListTrackBar->Max(), project().PositionCount);
  EXPECT_GT(project().PositionCount, 1);
  EXPECT_EQ(form->SourceMemo->Text(), Wide(project().GetSourceText(1)));
  EXPECT_EQ(form->TargetMemo->Text(), Wide(project().GetTargetText(1)));
  EXPECT_EQ(form->MessageNumberLabel->text(), QStringLiteral("1"));
  EXPECT_EQ(form->windowTitle(), NewSampleProjectTitle(*form));
  EXPECT_FALSE(form->QuickSaveProjectButton->isEnabled());
  EXPECT_EQ(TargetColour(*form), QColor(128, 128, 128));
  EXPECT_FALSE(form->HasUnsavedChanges());
  ASSERT_EQ(dialogs.FileDialogsShown.size(), 1u);
  EXPECT_EQ(dialogs.FileDialogsShown[0].Name, QStringLiteral("SourceOpenDialog"));
}

TEST_F(WindowCommands, CancelledDialogsChangeNothing) {
  NewProjectFromSample();
  QTest::mouseClick(form->ForwardImage, Qt::LeftButton);
  const int position = form->MessagesListTrackBar->Position();
  const QString caption = form->windowTitle();
  for (QToolButton* button :
       {form->NewProjectButton, form->LoadProjectButton, form->SaveProjectButton, form->ExportSourceBtn,
        form->ExportTargetBtn, form->LoadMsgsButton, form->SaveMsgsButton, form->ToolButton7}) {
    SCOPED_TRACE(button->objectName().toStdString());
    Click(button);
    EXPECT_EQ(form->MessagesListTrackBar->Position(), position);
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_FALSE(form->QuickSaveProjectButton->isEnabled());
    EXPECT_GT(project().SourceCount, 0);
  }
  EXPECT_EQ(dialogs.FileDialogsShown.size(), 8u);  // the font dialog is not a file dialog
  EXPECT_TRUE(dialogs.Errors.empty());
  EXPECT_TRUE(QDir(scratch.Folder().path()).isEmpty());
}

TEST_F(WindowCommands, SaveQuickSaveAndLoad) {
  NewProjectFromSample();
  const QString saved = scratch.File(QStringLiteral("translation.txg"));
  dialogs.Answer(QStringLiteral("ProjectSaveDialog"), saved);
  Click(form->SaveProjectButton);
  EXPECT_TRUE(QFile::exists(saved));
  EXPECT_EQ(form->windowTitle(), saved + ModifiedMarker + Text(u"CommonProgramTitle"));
  EXPECT_TRUE(form->QuickSaveProjectButton->isEnabled());

  // A translation, then quick save: no dialog, same file, caption kept.
  QTest::mouseClick(form->ForwardImage, Qt::LeftButton);
  QTest::mouseClick(form->ClearImage, Qt::LeftButton);
  const int32_t cleared = project().CurrentMessage;
  ASSERT_TRUE(form->HasUnsavedChanges());
  const std::size_t dialogsBefore = dialogs.FileDialogsShown.size();
  form->setWindowTitle(QStringLiteral("kept"));
  Click(form->QuickSaveProjectButton);
  EXPECT_EQ(dialogs.FileDialogsShown.size(), dialogsBefore);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("kept"));
  EXPECT_FALSE(form->HasUnsavedChanges());

  // Load it into a fresh window: the message last shown comes back, with its translation.
  ScriptedDialogs otherDialogs;
  auto other = MakeWindow(otherDialogs);
  otherDialogs.Answer(QStringLiteral("ProjectOpenDialog"), saved);
  QTest::mouseClick(other->LoadProjectButton, Qt::LeftButton);
  ASSERT_TRUE(otherDialogs.Errors.empty()) << otherDialogs.Errors.front().toStdString();
  EXPECT_EQ(other->Session->Project().CurrentMessage, cleared);
  EXPECT_EQ(other->MessagesListTrackBar->Position(), other->Session->Project().PositionOfMessage(cleared));
  EXPECT_EQ(other->MessagesListTrackBar->Max(), other->Session->Project().PositionCount);
  EXPECT_EQ(other->TargetMemo->Text(), Text(u"MessageDeletedMSG"));
  EXPECT_EQ(other->windowTitle(), saved + ModifiedMarker + other->CatalogueText(u"CommonProgramTitle"));
  EXPECT_TRUE(other->QuickSaveProjectButton->isEnabled());
  EXPECT_EQ(other->Files->ProjectSaveDialog.FileName, saved);
  EXPECT_FALSE(other->HasUnsavedChanges());
}

TEST_F(WindowCommands, FailedLoadIsShownAndLeavesAnEmptyProject) {
  NewProjectFromSample();
  QFile broken(scratch.File(QStringLiteral("broken.txg")));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("\x01\x00\x00\x00\x05\x00", 6);
  broken.close();
  dialogs.Answer(QStringLiteral("ProjectOpenDialog"), broken.fileName());
  Click(form->LoadProjectButton);
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_EQ(dialogs.Errors[0], QStringLiteral("Read beyond end of file"));
  // The box names the file and the byte as xgtool does.
  EXPECT_EQ(ErrorBoxText(dialogs.Errors[0], dialogs.ErrorPlaces[0]),
            broken.fileName() + QStringLiteral(": Read beyond end of file (at byte 4)"));
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 0);
  EXPECT_EQ(form->MessagesListTrackBar->Max(), 0);
  EXPECT_EQ(form->TargetMemo->Text(), QString());
  QTest::mouseClick(form->ForwardImage, Qt::LeftButton);
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 0);
}

TEST_F(WindowCommands, ExportBothQuests) {
  NewProjectFromSample();
  QTest::mouseClick(form->ForwardImage, Qt::LeftButton);
  QTest::mouseClick(form->ClearImage, Qt::LeftButton);
  const int32_t cleared = project().CurrentMessage;
  const QString source = scratch.File(QStringLiteral("source.xg"));
  const QString target = scratch.File(QStringLiteral("target.xg"));
  dialogs.Answer(QStringLiteral("SourceSaveDialog"), source);
  dialogs.Answer(QStringLiteral("TargetSaveDialog"), target);
  Click(form->ExportSourceBtn);
  Click(form->ExportTargetBtn);
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();

  struct Case {
    QString file;
    std::u16string expected;
  };
  const Case cases[] = {{source, project().GetSourceText(cleared)},
                        {target, form->Catalogue->Par_Get(u"MessageDeletedMSG")}};
  for (const Case& c : cases) {
    TtxgProject reread(*form->Catalogue);
    reread.NewFromSource(FileNameForLibrary(c.file));
    EXPECT_EQ(reread.SourceCount, project().SourceCount);
    EXPECT_EQ(reread.GetSourceText(cleared), c.expected);
    EXPECT_EQ(reread.SourceGame.Version, CurrentQuestVersion);
  }
}

TEST_F(WindowCommands, SaveMessagesThenLoadThemWithAReport) {
  NewProjectFromSample();
  const QString exchange = scratch.File(QStringLiteral("messages.txt"));
  dialogs.Answer(QStringLiteral("SaveMsgsSaveDialog"), exchange);
  Click(form->SaveMsgsButton);
  ASSERT_TRUE(QFile::exists(exchange));
  EXPECT_EQ(form->Files->LoadMsgsOpenDialog.FileName, exchange);

  // Translate the first record's text and add a record the project does not know.
  QFile file(exchange);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  file.close();
  QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
  const QString firstSource = Wide(project().GetSourceText(1));
  ASSERT_TRUE(text.contains(firstSource));
  const QString translated = QStringLiteral("Station Vega-7 <ToStar> is under quarantine. Reward: <Money> credits.");
  text.replace(firstSource, translated);
  text += QStringLiteral("<Begin NoSuchId>\r\nnothing\r\n<End>\r\n\r\n");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\xFF\xFE", 2);
  file.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  file.close();

  dialogs.Answer(QStringLiteral("LoadMsgsOpenDialog"), exchange);
  Click(form->LoadMsgsButton);
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  ASSERT_EQ(dialogs.FileDialogsShown.back().Name, QStringLiteral("LoadMsgsOpenDialog"));
  EXPECT_EQ(dialogs.FileDialogsShown.back().FileName, exchange);  // proposed by the save
  ASSERT_EQ(dialogs.ErrorBoxes.size(), 1u);
  EXPECT_EQ(dialogs.ErrorBoxes[0].first, QStringLiteral("Errors:"));
  EXPECT_TRUE(dialogs.ErrorBoxes[0].second.contains(QStringLiteral("Unknown id: NoSuchId\r\n")));
  // The report box lists it one entry a line.
  ASSERT_EQ(dialogs.Reports.size(), 1u);
  EXPECT_EQ(dialogs.ReportHeadings[0], QStringLiteral("1 translation came in."));
  EXPECT_TRUE(
      (QStringLiteral("\n") + Wide(dialogs.Reports[0].Lines())).contains(QStringLiteral("\nUnknown id: NoSuchId\n")));
  // The shown message is refreshed from the project, in black now that it differs.
  EXPECT_EQ(form->TargetMemo->Text(), translated);
  EXPECT_EQ(Wide(project().GetTargetText(1)), translated);
  EXPECT_EQ(TargetColour(*form), QColor(0, 0, 0));
  EXPECT_TRUE(form->HasUnsavedChanges());
}

TEST_F(WindowCommands, AFileThatIsNotUnicodeIsRefusedByTheWindow) {
  NewProjectFromSample();
  QFile eightBit(scratch.File(QStringLiteral("ansi.txt")));
  ASSERT_TRUE(eightBit.open(QIODevice::WriteOnly));
  eightBit.write("<Begin GovMsg>\r\nplain\r\n<End>\r\n");
  eightBit.close();
  dialogs.Answer(QStringLiteral("LoadMsgsOpenDialog"), eightBit.fileName());
  Click(form->LoadMsgsButton);
  EXPECT_TRUE(dialogs.Errors.empty());
  EXPECT_TRUE(dialogs.ErrorBoxes.empty());
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0], QStringLiteral("Error. This is not a Unicode Text Document"));
  EXPECT_EQ(form->TargetMemo->Text(), Wide(project().GetSourceText(1)));
  EXPECT_FALSE(form->HasUnsavedChanges());
}

// Saving messages resolves "<Empty>" references and folds paths anew, which can move messages to
// other positions: the window must keep showing the message its position stands for.
TEST_F(WindowCommands, RelinkingKeepsTheShownMessageAtItsPosition) {
  NewProjectFromSample();
  TGame& target = project().TargetGame;
  // Path 6's question becomes a copy of path 1's, with the same Value2: it folds into path 1.
  const int32_t folded = project().FindTargetId(u"Path(6).Start");
  ASSERT_GT(folded, 0);
  form->MessagesListTrackBar->SetPosition(project().PositionOfMessage(folded));
  const int32_t after = project().MessageAtPosition(form->MessagesListTrackBar->Position() + 1);
  form->MessagesListTrackBar->SetPosition(form->MessagesListTrackBar->Position() + 1);
  ASSERT_EQ(project().CurrentMessage, after);
  target.Path(6).Value2 = target.Path(1).Value2;
  target.Path(6).StartText.Text = u"<Empty>1";

  dialogs.Answer(QStringLiteral("SaveMsgsSaveDialog"), scratch.File(QStringLiteral("m.txt")));
  Click(form->SaveMsgsButton);
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  ASSERT_TRUE(project().IsLinked(folded));
  EXPECT_EQ(project().CurrentMessage, after);
  EXPECT_EQ(project().MessageAtPosition(form->MessagesListTrackBar->Position()), after);
  EXPECT_EQ(form->MessagesListTrackBar->Max(), project().PositionCount);

  // Clear now marks the message that is shown, and no other.
  const std::u16string before = project().GetTargetText(after + 1);
  QTest::mouseClick(form->ClearImage, Qt::LeftButton);
  EXPECT_EQ(project().GetTargetText(after), form->Catalogue->Par_Get(u"MessageDeletedMSG"));
  EXPECT_EQ(project().GetTargetText(after + 1), before);
}

TEST_F(WindowCommands, ErrorsOfACommandAreShownAndTheWindowGoesOn) {
  NewProjectFromSample();
  project().TargetGame.Path(2).StartText.Text = u"x<Empty>3";
  dialogs.Answer(QStringLiteral("SaveMsgsSaveDialog"), scratch.File(QStringLiteral("m.txt")));
  Click(form->SaveMsgsButton);
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_EQ(dialogs.Errors[0], QStringLiteral("'x3' is not a valid integer value"));
  EXPECT_FALSE(QFile::exists(scratch.File(QStringLiteral("m.txt"))));
  QTest::mouseClick(form->ForwardImage, Qt::LeftButton);
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 2);
}

TEST_F(WindowCommands, FontGoesToTheWindowAndTheTexts) {
  QFont chosen(QStringLiteral("DejaVu Serif"));
  chosen.setPixelSize(17);
  dialogs.FontAnswer = chosen;
  Click(form->ToolButton7);
  for (QWidget* control : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(form->SourceMemo),
                           static_cast<QWidget*>(form->StatusLabel), static_cast<QWidget*>(form->TargetMemo)})
    EXPECT_EQ(control->font().pixelSize(), 17) << control->objectName().toStdString();
}

struct ChangeCase {
  const char* name;
  bool change;  // whether a translation is changed first
  std::vector<TSaveChangesAnswer> answers;
  bool saveDialogAnswered;
  int expectedAsks;
  bool expectedNewProjectDialog;  // whether New project went on to its file dialog
};

TEST_F(WindowCommands, DiscardingChangedTranslationsIsAsked) {
  const ChangeCase cases[] = {
      {"unchanged", false, {}, false, 0, true},
      {"cancel", true, {TSaveChangesAnswer::Cancel}, false, 1, false},
      {"discard", true, {TSaveChangesAnswer::Discard}, false, 1, true},
      {"save", true, {TSaveChangesAnswer::Save}, true, 1, true},
      {"save dialog cancelled", true, {TSaveChangesAnswer::Save}, false, 1, false},
  };
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs = ScriptedDialogs();
    form = MakeWindow(dialogs);
    form->show();
    NewProjectFromSample();
    // Looking at every message is no change.
    for (int i = 0; i < project().PositionCount; ++i) QTest::mouseClick(form->ForwardImage, Qt::LeftButton);
    ASSERT_FALSE(form->HasUnsavedChanges());
    if (c.change) QTest::mouseClick(form->ClearImage, Qt::LeftButton);
    dialogs.SaveChangesAnswers.assign(c.answers.begin(), c.answers.end());
    const QString saved = scratch.File(QStringLiteral("%1.txg").arg(QLatin1String(c.name)));
    if (c.saveDialogAnswered) dialogs.Answer(QStringLiteral("ProjectSaveDialog"), saved);
    const std::size_t shownBefore = dialogs.FileDialogsShown.size();
    Click(form->NewProjectButton);  // the new project's own dialog is cancelled
    EXPECT_EQ(dialogs.SaveChangesAsked, c.expectedAsks);
    EXPECT_EQ(QFile::exists(saved), c.saveDialogAnswered);
    const bool reachedOpenDialog = !dialogs.FileDialogsShown.empty() && dialogs.FileDialogsShown.size() > shownBefore &&
                                   dialogs.FileDialogsShown.back().Name == QStringLiteral("SourceOpenDialog");
    EXPECT_EQ(reachedOpenDialog, c.expectedNewProjectDialog);
    EXPECT_TRUE(dialogs.Errors.empty());
  }
}

TEST_F(WindowCommands, ClosingAsksOnlyWhenTranslationsChanged) {
  NewProjectFromSample();
  EXPECT_TRUE(form->close());
  EXPECT_EQ(dialogs.SaveChangesAsked, 0);

  form->show();
  QTest::mouseClick(form->ClearImage, Qt::LeftButton);
  dialogs.SaveChangesAnswers = {TSaveChangesAnswer::Cancel, TSaveChangesAnswer::Discard};
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->close());
  EXPECT_EQ(dialogs.SaveChangesAsked, 2);
}

TEST_F(WindowCommands, SaveOnCloseUsesTheProjectFile) {
  NewProjectFromSample();
  const QString saved = scratch.File(QStringLiteral("p.txg"));
  dialogs.Answer(QStringLiteral("ProjectSaveDialog"), saved);
  Click(form->SaveProjectButton);
  QTest::mouseClick(form->ClearImage, Qt::LeftButton);
  const std::size_t dialogsBefore = dialogs.FileDialogsShown.size();
  dialogs.SaveChangesAnswers = {TSaveChangesAnswer::Save};
  EXPECT_TRUE(form->close());
  EXPECT_EQ(dialogs.FileDialogsShown.size(), dialogsBefore);
  TtxgProject reread(*form->Catalogue);
  reread.LoadFromFile(FileNameForLibrary(saved));
  EXPECT_EQ(reread.GetTargetText(1), form->Catalogue->Par_Get(u"MessageDeletedMSG"));
}

}  // namespace
