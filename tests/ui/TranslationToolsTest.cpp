// Files for translation tools in the window: PO and XLIFF out through the File menu with the target
// language asked once, and back in as one undo step with its report in the report box.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/MainMenu.h"
#include "ui/ReportDialog.h"
#include "ui/ReviewPanel.h"

using namespace uitest;

namespace {

QByteArray ReadAll(const QString& fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& fileName, const QByteArray& bytes) {
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

class TranslationTools : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    form = MakeWindow(dialogs);
    form->show();
    NewProjectFromSample();
  }
  void NewProjectFromSample() {
    dialogs.Answer(QStringLiteral("SourceOpenDialog"), SampleQuest());
    QTest::mouseClick(form->NewProjectButton, Qt::LeftButton);
    ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  }
  // The File menu's entry, as the user picks it.
  void Pick(const QString& entry) {
    for (QAction* action : form->Menu->File->actions())
      if (action->text() == entry) return action->trigger();
    FAIL() << "no File menu entry " << entry.toStdString();
  }
  void Export(const QString& fileName) {
    dialogs.Answer(QStringLiteral("ToolsExportDialog"), fileName);
    Pick(QStringLiteral("Export &for Translation Tools (PO, XLIFF)..."));
  }
  void Import(const QString& fileName) {
    dialogs.Answer(QStringLiteral("ToolsImportDialog"), fileName);
    Pick(QStringLiteral("&Import from Translation Tools..."));
  }
  QString File(const char* base) const { return scratch.File(QLatin1String(base) + QLatin1String(GetParam())); }
  TtxgProject& project() { return form->Session->Project(); }

  ScriptedDialogs dialogs;
  Scratch scratch;
  std::unique_ptr<TForm1> form;
};

TEST_P(TranslationTools, ExportAsksTheLanguageOnceAndNamesTheQuest) {
  dialogs.TextAnswers = {QStringLiteral(" de ")};
  Export(File("first"));
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  EXPECT_EQ(dialogs.TextAsked.size(), 1u);
  EXPECT_EQ(Wide(project().Setting(u"language")), QStringLiteral("de"));
  EXPECT_TRUE(form->HasUnsavedChanges());  // the language is kept with the project
  const bool po = QByteArray(GetParam()) == ".po";
  const QByteArray first = ReadAll(File("first"));
  EXPECT_TRUE(first.contains(po ? "\"Language: de\\n\"" : "target-language=\"de\"")) << first.left(600).data();
  EXPECT_TRUE(first.contains(po ? "\"Project-Id-Version: sample.xg\\n\"" : "original=\"sample.xg\""));

  // Saved, the project names the quest after its file; the language is not asked again and comes
  // back with the project.
  const QString saved = scratch.File(QStringLiteral("mine.txg"));
  dialogs.Answer(QStringLiteral("ProjectSaveDialog"), saved);
  QTest::mouseClick(form->SaveProjectButton, Qt::LeftButton);
  form->Files->LoadProjectFromFile(saved);
  Export(File("second"));
  EXPECT_EQ(dialogs.TextAsked.size(), 1u);
  const QByteArray second = ReadAll(File("second"));
  EXPECT_TRUE(second.contains(po ? "\"Language: de\\n\"" : "target-language=\"de\""));
  EXPECT_TRUE(second.contains(po ? "\"Project-Id-Version: mine.xg\\n\"" : "original=\"mine.xg\""));
  EXPECT_EQ(form->Files->ToolsImportDialog.FileName, File("second"));  // proposed for the way back
}

TEST_P(TranslationTools, ImportIsOneUndoStepWithItsReportInTheReportBox) {
  // Message 1 (shown) is translated without its tags, flagged and noted, then sent out.
  const QString translation = QStringLiteral("Translated without its tags");
  ASSERT_EQ(project().CurrentMessage, 1);
  const std::u16string source = project().GetTargetText(1);
  project().StoreTranslation(1, translation.toStdU16String());
  project().SetNeedsReview(1, true);
  project().SetNote(1, u"ask the author");
  dialogs.TextAnswers = {QStringLiteral("en")};
  Export(File("out"));
  QByteArray bytes = ReadAll(File("out"));
  // One unit the project does not know.
  if (QByteArray(GetParam()) == ".po")
    bytes += "\nmsgctxt \"NoSuchId\"\nmsgid \"x\"\nmsgstr \"y\"\n";
  else
    bytes.replace("</body>", "<trans-unit id=\"NoSuchId\"><source>x</source><target>y</target></trans-unit></body>");
  WriteAll(File("in"), bytes);

  dialogs.SaveChangesAnswers = {TSaveChangesAnswer::Discard};
  NewProjectFromSample();
  ASSERT_EQ(project().GetTargetText(1), source);
  // A note the file does not carry: the import clears it, the undo brings it back.
  const int32_t second = project().MessageAtPosition(2);
  project().SetNote(second, u"kept here only");
  Import(File("in"));
  EXPECT_TRUE(project().Note(second).empty());
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();

  // The shown message is refreshed, review mark and note included.
  EXPECT_EQ(form->TargetMemo->Text(), translation);
  EXPECT_TRUE(form->ReviewPanel->NeedsReview->isChecked());
  EXPECT_EQ(form->ReviewPanel->Note->text(), QStringLiteral("ask the author"));
  ASSERT_EQ(dialogs.Reports.size(), 1u);
  EXPECT_EQ(dialogs.ReportHeadings[0], QStringLiteral("1 translation came in."));
  EXPECT_EQ(dialogs.ErrorBoxes[0].first, QStringLiteral("Errors:"));
  std::vector<QString> groups;
  for (const auto& group : dialogs.Reports[0].Groups()) groups.push_back(TReportDialog::GroupTitle(group));
  EXPECT_EQ(groups, (std::vector<QString>{QStringLiteral("Different tags: 1"), QStringLiteral("Unknown id: 1")}));

  // Picking an entry in the box shows its message; an id the project lacks leaves the window as it is.
  form->MessagesListTrackBar->SetPosition(project().PositionCount);
  TReportDialog box(dialogs.ErrorBoxes[0].first, dialogs.Reports[0], dialogs.ReportShowId, dialogs.Text);
  for (const char* group : {"Different tags: 1", "Unknown id: 1"}) {
    box.Entries->setCurrentItem(box.Entries->findItems(QLatin1String(group), Qt::MatchExactly)[0]->child(0));
    QTest::keyClick(box.Entries, Qt::Key_Return);
    EXPECT_EQ(project().CurrentMessage, 1);
    EXPECT_EQ(form->MessagesListTrackBar->Position(), 1);
  }
  EXPECT_EQ(form->statusBar()->currentMessage(), QStringLiteral("No message with the id NoSuchId in this project"));
  EXPECT_TRUE(dialogs.Errors.empty());

  ASSERT_EQ(form->Session->Edits().count(), 1);
  form->Session->Edits().undo();
  EXPECT_EQ(project().GetTargetText(1), source);
  EXPECT_FALSE(project().NeedsReview(1));
  EXPECT_TRUE(project().Note(1).empty());
  EXPECT_EQ(project().Note(second), u"kept here only");
  EXPECT_FALSE(form->ReviewPanel->NeedsReview->isChecked());
  EXPECT_EQ(form->TargetMemo->Text(), Wide(source));
  form->Session->Edits().redo();
  EXPECT_EQ(Wide(project().GetTargetText(1)), translation);
  EXPECT_TRUE(project().NeedsReview(1));
  EXPECT_EQ(project().Note(1), u"ask the author");
}

TEST_P(TranslationTools, AFileThatCannotBeParsedIsAnErrorAndChangesNothing) {
  const QByteArray broken = QByteArray(GetParam()) == ".po" ? "msgid \"a\"\nmsgstr \"b\"\n\nmsgid \"open\nmsgstr \"\"\n"
                                                            : "<xliff version=\"1.2\">\n<file>\n<body>\n</xliff>\n";
  WriteAll(File("broken"), broken);
  const std::u16string before = project().GetTargetText(1);
  Import(File("broken"));
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  // The file and the line where reading stopped.
  const QString told = ErrorBoxText(dialogs.Errors[0], dialogs.ErrorPlaces[0]);
  EXPECT_TRUE(told.startsWith(File("broken") + QStringLiteral(":"))) << told.toStdString();
  EXPECT_TRUE(told.contains(QRegularExpression(QStringLiteral(":[1-9]\\d*: ")))) << told.toStdString();
  EXPECT_EQ(project().GetTargetText(1), before);
  EXPECT_EQ(form->Session->Edits().count(), 0);
  EXPECT_FALSE(form->HasUnsavedChanges());
  EXPECT_TRUE(dialogs.Reports.empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, TranslationTools, testing::Values(".po", ".xlf"),
                         [](const auto& info) { return std::string(info.param + 1); });

TEST(TranslationToolsExport, CancelledLanguageOrAnotherKindOfFileWritesNothing) {
  struct Case {
    const char* file;
    bool answered;
    const char* error;  // "" = none
  };
  const std::vector<Case> cases = {
      {"cancelled.po", false, ""},
      {"messages.txt", true, ": not a file for translation tools (a .po, .xlf or .xliff file)"},
      {"noextension", true, ": not a file for translation tools (a .po, .xlf or .xliff file)"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.file);
    ScriptedDialogs dialogs;
    Scratch scratch;
    auto form = MakeWindow(dialogs);
    form->Files->NewProjectFromFile(SampleQuest());
    if (test.answered) dialogs.TextAnswers = {QStringLiteral("fr")};
    const QString file = scratch.File(QLatin1String(test.file));
    form->RunGuarded([&] { form->Files->ExportForTools(file); });
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(form->Session->Project().Setting(u"language").empty());
    EXPECT_FALSE(form->HasUnsavedChanges());
    if (*test.error == '\0') {
      EXPECT_TRUE(dialogs.Errors.empty());
    } else {
      ASSERT_EQ(dialogs.Errors.size(), 1u);
      EXPECT_EQ(dialogs.Errors[0], file + QLatin1String(test.error));
    }
  }
}

}  // namespace
