// Opening files the way the desktop does: dropped on the window, from Open Recent, and what the
// window remembers between runs.
#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "formats/Formats.h"
#include "support/JD_BlockPar.h"
#include "ui/FileDrop.h"
#include "ui/MainMenu.h"
#include "ui/RecentFiles.h"
#include "ui/StartUp.h"

using namespace uitest;

namespace {

class WindowDesktop : public testing::Test {
 protected:
  void SetUp() override {
    QSettings().clear();
    form = MakeWindow(dialogs);
    form->show();
  }
  // Sends what a file manager sends: enter with the files, then the drop. True when accepted.
  bool Drop(const QStringList& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files) urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const QPoint at = form->CentralArea->geometry().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    return drop.isAccepted();
  }
  QString SavedProject() {
    const QString file = scratch.File(QStringLiteral("dropped.txg"));
    TtxgProject project(*form->Catalogue);
    project.NewFromSource(FileNameForLibrary(SampleQuest()));
    project.SetTargetText(1, u"from the project file");
    project.SaveToFile(FileNameForLibrary(file));
    return file;
  }
  TtxgProject& project() { return form->Session->Project(); }

  ScriptedDialogs dialogs;
  Scratch scratch;
  std::unique_ptr<TForm1> form;
};

TEST_F(WindowDesktop, DroppedFilesOpenByTheirKind) {
  struct Case {
    const char* name;
    QString file;
    TDroppedKind kind;
  };
  const Case cases[] = {
      {"quest", QStringLiteral("/q/a.xg"), TDroppedKind::Quest},
      {"quest in capitals", QStringLiteral("/q/A.XG"), TDroppedKind::Quest},
      {"project", QStringLiteral("b.txg"), TDroppedKind::Project},
      {"messages", QStringLiteral("c.TXT"), TDroppedKind::Messages},
      {"PO file", QStringLiteral("e.po"), TDroppedKind::ToolsFile},
      {"XLIFF file", QStringLiteral("f.XLIFF"), TDroppedKind::ToolsFile},
      {"other", QStringLiteral("d.png"), TDroppedKind::None},
      {"no extension", QStringLiteral("xg"), TDroppedKind::None},
  };
  for (const Case& c : cases) EXPECT_EQ(DroppedKind(c.file), c.kind) << c.name;

  // A quest: a new project from it.
  ASSERT_TRUE(Drop({SampleQuest()}));
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  EXPECT_EQ(form->windowTitle(), NewSampleProjectTitle(*form));
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 1);

  // Messages: read into the project as one step.
  const QString exchange = scratch.File(QStringLiteral("m.txt"));
  project().SaveMessages(FileNameForLibrary(exchange));
  project().SetTargetText(1, u"changed before the import");
  ASSERT_TRUE(Drop({exchange}));
  EXPECT_EQ(project().GetTargetText(1), project().GetSourceText(1));
  EXPECT_EQ(form->Session->Edits().undoText(), QStringLiteral("Load messages"));
  EXPECT_EQ(form->Files->LoadMsgsOpenDialog.FileName, exchange);

  // A translation tool's file: imported as one step too.
  const QString po = scratch.File(QStringLiteral("m.po"));
  FindFormat("po")->Save(project(), FileNameForLibrary(po), {});
  project().SetTargetText(1, u"changed before the import");
  ASSERT_TRUE(Drop({po}));
  EXPECT_EQ(project().GetTargetText(1), project().GetSourceText(1));
  EXPECT_EQ(form->Session->Edits().undoText(), QStringLiteral("Import m.po"));

  // A project: asked first, since the import is not saved; cancelling keeps everything.
  const QString saved = SavedProject();
  dialogs.SaveChangesAnswers = {TSaveChangesAnswer::Cancel};
  ASSERT_TRUE(Drop({saved}));
  EXPECT_EQ(dialogs.SaveChangesAsked, 1);
  EXPECT_EQ(form->windowTitle(), NewSampleProjectTitle(*form));
  dialogs.SaveChangesAnswers = {TSaveChangesAnswer::Discard};
  ASSERT_TRUE(Drop({saved}));
  EXPECT_EQ(form->windowTitle(), saved + ModifiedMarker + form->CatalogueText(u"CommonProgramTitle"));
  EXPECT_EQ(project().GetTargetText(1), u"from the project file");
  EXPECT_TRUE(form->QuickSaveProjectButton->isEnabled());

  // Files the window cannot open are refused at the door; the first one it can open is taken.
  EXPECT_FALSE(Drop({scratch.File(QStringLiteral("picture.png"))}));
  ASSERT_TRUE(Drop({scratch.File(QStringLiteral("picture.png")), SampleQuest()}));
  EXPECT_EQ(form->windowTitle(), NewSampleProjectTitle(*form));
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WindowDesktop, OpenRecentKeepsTheLastEightNewestFirst) {
  TRecentFiles& recent = *form->RecentFiles;
  ASSERT_TRUE(recent.Files().isEmpty());
  EXPECT_FALSE(form->Menu->RecentFiles->isEnabled());
  for (int i = 1; i <= 10; ++i) recent.Add(scratch.File(QStringLiteral("p%1.txg").arg(i)));
  recent.Add(scratch.File(QStringLiteral("p5.txg")));  // again: moves to the front, once
  QStringList expected;
  for (int i : {5, 10, 9, 8, 7, 6, 4, 3}) expected << scratch.File(QStringLiteral("p%1.txg").arg(i));
  EXPECT_EQ(recent.Files(), expected);
  const QList<QAction*> entries = form->Menu->RecentFiles->actions();
  ASSERT_EQ(entries.size(), TRecentFiles::Capacity);
  EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 p5.txg"));
  EXPECT_EQ(entries[0]->toolTip(), expected[0]);
  // Another window (the next run) reads the same list.
  ScriptedDialogs otherDialogs;
  auto other = MakeWindow(otherDialogs);
  EXPECT_EQ(other->RecentFiles->Files(), expected);
}

TEST_F(WindowDesktop, OpenedAndSavedFilesBecomeRecentAndOpenFromTheMenu) {
  dialogs.Answer(QStringLiteral("SourceOpenDialog"), SampleQuest());
  QTest::mouseClick(form->NewProjectButton, Qt::LeftButton);
  const QString saved = scratch.File(QStringLiteral("recent.txg"));
  dialogs.Answer(QStringLiteral("ProjectSaveDialog"), saved);
  QTest::mouseClick(form->SaveProjectButton, Qt::LeftButton);
  ASSERT_EQ(form->RecentFiles->Files(), (QStringList{saved, QFileInfo(SampleQuest()).absoluteFilePath()}));

  // The quest from the menu, after the typing is discarded: a new project again.
  form->TargetMemo->setFocus();
  QTest::keyClicks(form->TargetMemo, QStringLiteral("typed"));
  dialogs.SaveChangesAnswers = {TSaveChangesAnswer::Discard};
  form->Menu->RecentFiles->actions()[1]->trigger();
  EXPECT_EQ(dialogs.SaveChangesAsked, 1);
  EXPECT_EQ(form->windowTitle(), NewSampleProjectTitle(*form));
  EXPECT_EQ(form->RecentFiles->Files().front(), QFileInfo(SampleQuest()).absoluteFilePath());
  // A recent file that is gone: the error, and the window goes on.
  form->RecentFiles->Add(scratch.File(QStringLiteral("gone.txg")));
  form->Menu->RecentFiles->actions()[0]->trigger();
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_EQ(form->MessagesListTrackBar->Max(), 0);
}

TEST_F(WindowDesktop, SizeFontAndFoldersAreRememberedBetweenRuns) {
  QFont chosen(QStringLiteral("DejaVu Serif"));
  chosen.setPixelSize(15);
  dialogs.FontAnswer = chosen;
  QTest::mouseClick(form->ToolButton7, Qt::LeftButton);
  form->resize(form->size() + QSize(100, 60));
  const QSize size = form->size();
  ASSERT_FALSE(form->ContextDock->isHidden());
  form->ContextDock->hide();
  const QString folder = scratch.Folder().path();
  dialogs.Answer(QStringLiteral("SourceOpenDialog"), SampleQuest());
  QTest::mouseClick(form->NewProjectButton, Qt::LeftButton);
  form->ExportTargetBtn->setFocus();
  dialogs.Answer(QStringLiteral("TargetSaveDialog"), folder + QStringLiteral("/t.xg"));
  QTest::mouseClick(form->ExportTargetBtn, Qt::LeftButton);
  ASSERT_TRUE(form->close());

  ScriptedDialogs next;
  auto again = StartTranslator(next, {QStringLiteral("xgtranslator")}, {DataFile("msg_cfg.txt")});
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->size(), size);
  EXPECT_TRUE(again->ContextDock->isHidden());  // the panels' layout too
  EXPECT_EQ(again->TargetMemo->font().pixelSize(), 15);
  EXPECT_EQ(again->FontDialog1.Font.family(), chosen.family());
  EXPECT_EQ(again->Files->TargetSaveDialog.Folder, folder);
  EXPECT_EQ(again->Files->SourceOpenDialog.Folder, QFileInfo(SampleQuest()).absolutePath());
  EXPECT_TRUE(again->Files->ProjectOpenDialog.Folder.isEmpty());
}

// The file types go through the desktop's own reader; the .desktop file claims exactly them.
TEST(DesktopFiles, FileTypesAreReadByTheMimeDatabase) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
  if (tool.isEmpty()) GTEST_SKIP() << "update-mime-database (shared-mime-info) is not installed";
  Scratch scratch;
  const QString mime = scratch.File(QStringLiteral("mime"));
  ASSERT_TRUE(QDir().mkpath(mime + QStringLiteral("/packages")));
  ASSERT_TRUE(QFile::copy(QStringLiteral(XG_UI_DIR "/xgtranslator-mime.xml"),
                          mime + QStringLiteral("/packages/xgtranslator.xml")));
  QProcess update;
  update.start(tool, {QStringLiteral("-V"), mime});
  ASSERT_TRUE(update.waitForFinished(60000));
  ASSERT_EQ(update.exitCode(), 0) << update.readAllStandardError().toStdString();
  QFile globs(mime + QStringLiteral("/globs2"));
  ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
  const QString globLines = QString::fromUtf8(globs.readAll());
  const std::pair<const char*, const char*> types[] = {{"application/x-xengrav-quest", "*.xg"},
                                                       {"application/x-xengrav-translation", "*.txg"}};
  for (const auto& [type, glob] : types) {
    EXPECT_TRUE(globLines.contains(QStringLiteral(":%1:%2\n").arg(QLatin1String(type), QLatin1String(glob)))) << type;
    EXPECT_TRUE(QFile::exists(mime + QLatin1Char('/') + QLatin1String(type) + QStringLiteral(".xml"))) << type;
  }

  QFile desktop(QStringLiteral(XG_UI_DIR "/xgtranslator.desktop"));
  ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
  QStringList claimed;
  for (const QString& line : QString::fromUtf8(desktop.readAll()).split(QLatin1Char('\n')))
    if (line.startsWith(QStringLiteral("MimeType="))) claimed = line.mid(9).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  EXPECT_EQ(claimed, (QStringList{QLatin1String(types[0].first), QLatin1String(types[1].first)}));
}

}  // namespace
