// A project whose stored message states are damaged opens with its quests and one message box
// saying what was dropped.
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "support/JD_BlockPar.h"

using namespace uitest;

namespace {

TEST(WindowLoadWarning, DroppedStatesAreShownOnceAfterLoading) {
  Scratch scratch;
  const QString whole = scratch.File(QStringLiteral("whole.txg"));
  const QString cut = scratch.File(QStringLiteral("cut.txg"));
  TBlockParJD catalogue;
  catalogue.LoadFromFile(DataFile("msg_cfg.txt").toStdString(), false);
  auto project = std::make_unique<TtxgProject>(catalogue);
  project->NewFromSource(SampleQuest().toStdString());
  project->SetNeedsReview(2, true);
  project->SaveToFile(whole.toStdString());
  QFile file(whole);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bytes = file.readAll();
  file.close();
  bytes.chop(2);
  QFile damaged(cut);
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(bytes);
  damaged.close();
  project->LoadFromFile(cut.toStdString());
  const QString expected = QString::fromStdString(project->LoadWarning());
  ASSERT_FALSE(expected.isEmpty());

  struct Case {
    QString file;
    std::vector<QString> messages;
    bool flagged;
  };
  for (const Case& c : {Case{cut, {expected}, false}, Case{whole, {}, true}}) {
    SCOPED_TRACE(c.file.toStdString());
    ScriptedDialogs dialogs;
    auto form = MakeWindow(dialogs);
    dialogs.Answer(QStringLiteral("ProjectOpenDialog"), c.file);
    QTest::mouseClick(form->LoadProjectButton, Qt::LeftButton);
    EXPECT_TRUE(dialogs.Errors.empty());
    EXPECT_EQ(dialogs.Messages, c.messages);
    EXPECT_EQ(form->MessagesListTrackBar->Max(), form->Session->Project().PositionCount);
    EXPECT_GT(form->Session->Project().PositionCount, 0);
    EXPECT_EQ(form->Session->Project().NeedsReview(2), c.flagged);
    EXPECT_FALSE(form->HasUnsavedChanges());
  }

  // The first save over the damaged file keeps it beside and says where; the next save is quiet.
  ScriptedDialogs dialogs;
  auto form = MakeWindow(dialogs);
  dialogs.Answer(QStringLiteral("ProjectOpenDialog"), cut);
  QTest::mouseClick(form->LoadProjectButton, Qt::LeftButton);
  QTest::mouseClick(form->QuickSaveProjectButton, Qt::LeftButton);
  QTest::mouseClick(form->QuickSaveProjectButton, Qt::LeftButton);
  EXPECT_TRUE(dialogs.Errors.empty());
  EXPECT_EQ(dialogs.Messages, (std::vector<QString>{expected, QStringLiteral("The damaged project file was kept as ") +
                                                                  cut + QStringLiteral(".damaged")}));
  QFile kept(cut + QStringLiteral(".damaged"));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), bytes);
}

}  // namespace
