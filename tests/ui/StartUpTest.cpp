// The window as it starts: controls, hints and dialogs from the catalogue, layout rules, finding
// the catalogue and failing without one.
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLayout>
#include <QTest>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/QtWindowDialogs.h"
#include "ui/StartUp.h"

using namespace uitest;

namespace {

TEST(WindowStartUp, ToolBarButtonsInOrderWithImagesAndHints) {
  ScriptedDialogs dialogs;
  auto form = MakeWindow(dialogs);
  struct Case {
    QToolButton* button;
    const char* name;
    int image;
    const char16_t* hintKey;  // none for the font button
    int left;
  };
  const Case cases[] = {
      {form->NewProjectButton, "NewProjectButton", 0, u"NewProjectButtonHint", 9},
      {form->LoadProjectButton, "LoadProjectButton", 1, u"LoadProjectButtonHint", 47},
      {form->SaveProjectButton, "SaveProjectButton", 2, u"SaveProjectButtonHint", 85},
      {form->QuickSaveProjectButton, "QuickSaveProjectButton", 5, u"QuickSaveProjectButtonHint", 123},
      {form->ExportSourceBtn, "ExportSourceBtn", 3, u"ExportSourceBtnHint", 188},
      {form->ExportTargetBtn, "ExportTargetBtn", 4, u"ExportTargetBtnHint", 240},
      {form->LoadMsgsButton, "LoadMsgsButton", 6, u"LoadMsgsButtonHint", 298},
      {form->SaveMsgsButton, "SaveMsgsButton", 7, u"SaveMsgsButtonHint", 344},
      {form->ToolButton7, "ToolButton7", 8, nullptr, 425},
  };
  ASSERT_EQ(form->ButtonsImageList.size(), 9u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.button->objectName(), QLatin1String(c.name));
    EXPECT_EQ(c.button->parentWidget(), form->ToolBar1);
    EXPECT_EQ(c.button->geometry(), QRect(c.left, 4, 38, 27));
    EXPECT_EQ(c.button->iconSize(), QSize(31, 21));
    EXPECT_EQ(c.button->icon().cacheKey(), form->ButtonsImageList[static_cast<std::size_t>(c.image)].cacheKey());
    EXPECT_EQ(c.button->toolTip(), c.hintKey ? form->CatalogueText(c.hintKey) : QString());
    if (c.hintKey) {
      EXPECT_FALSE(c.button->toolTip().isEmpty());
    }
  }
}

TEST(WindowStartUp, ControlsHintsBoundsAndFirstState) {
  ScriptedDialogs dialogs;
  auto form = MakeWindow(dialogs);
  struct Case {
    QWidget* control;
    const char* name;
    const char16_t* hintKey;
    QRect bounds;
  };
  const Case cases[] = {
      {form->SourceMemo, "SourceMemo", u"SourceMemoHint", {8, 48, 521, 105}},
      {form->StatusLabel, "StatusLabel", u"StatusLabelHint", {8, 158, 521, 13}},
      {form->TargetMemo, "TargetMemo", u"TargetMemoHint", {8, 184, 521, 105}},
      {form->MessagesListTrackBar, "MessagesListTrackBar", u"MessagesListTrackBarHint", {0, 304, 207, 25}},
      {form->BackImage, "BackImage", u"BackImageHint", {261, 304, 35, 32}},
      {form->FindNotEditedImage, "FindNotEditedImage", u"FindNotEditedImageHint", {301, 304, 35, 32}},
      {form->ForwardImage, "ForwardImage", u"ForwardImageHint", {341, 304, 35, 32}},
      {form->CopyImage, "CopyImage", u"CopyImageHint", {398, 304, 57, 33}},
      {form->ClearImage, "ClearImage", u"ClearImageHint", {473, 304, 55, 33}},
      {form->MessageNumberLabel, "MessageNumberLabel", u"MessageNumberLabelHint", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.control->objectName(), QLatin1String(c.name));
    EXPECT_EQ(c.control->toolTip(), form->CatalogueText(c.hintKey));
    // Bounds before the first resize are the resource's; the window has not been shown yet.
    if (!c.bounds.isNull()) {
      EXPECT_EQ(c.control->geometry(), c.bounds);
    }
  }
  for (TPictureButton* picture :
       {form->BackImage, form->FindNotEditedImage, form->ForwardImage, form->CopyImage, form->ClearImage})
    EXPECT_FALSE(picture->pixmap().isNull()) << picture->objectName().toStdString();
  // The rules' window is the central area, under the menu bar and above the status bar.
  form->layout()->activate();
  EXPECT_EQ(form->pos(), QPoint(157, 107));
  EXPECT_EQ(form->CentralArea->size(), QSize(547, 385));
  // Under it, the message list has room for its header and several rows.
  EXPECT_GE(form->ListDock->height(), 200);
  EXPECT_EQ(form->windowTitle(), form->CatalogueText(u"DefaultProgramTitle"));
  EXPECT_FALSE(form->QuickSaveProjectButton->isEnabled());
  EXPECT_TRUE(form->SourceMemo->isReadOnly());
  EXPECT_TRUE(form->TargetMemo->isReadOnly());
  EXPECT_EQ(form->StatusLabel->text(), QString());
  EXPECT_EQ(form->MessageNumberLabel->text(), QStringLiteral("0"));
  EXPECT_EQ(form->MessagesListTrackBar->minimum(), 0);
  EXPECT_EQ(form->MessagesListTrackBar->Max(), 0);
  EXPECT_EQ(form->MessagesListTrackBar->pageStep(), 1);
  EXPECT_EQ(form->StatusLabel->palette().color(form->StatusLabel->backgroundRole()), QColor(192, 192, 192));
  EXPECT_EQ(form->Session->Project().SourceCount, 0);
  EXPECT_FALSE(form->HasUnsavedChanges());
}

TEST(WindowStartUp, FileDialogsFromTheCatalogue) {
  ScriptedDialogs dialogs;
  auto form = MakeWindow(dialogs);
  struct Case {
    const TFileDialog& dialog;
    const char* name;
    TFileDialog::Kinds kind;
    const char* filter;
    const char* extension;
    const char16_t* titleKey;
    bool overwritePrompt;
  };
  const Case cases[] = {
      {form->Files->SourceOpenDialog, "SourceOpenDialog", TFileDialog::Open, "Xengrav|*.xg", "xg",
       u"SourceOpenDialogTitle", false},
      {form->Files->ProjectOpenDialog, "ProjectOpenDialog", TFileDialog::Open, "Translation of Xengrav|*.txg", "txg",
       u"ProjectOpenDialogTitle", false},
      {form->Files->LoadMsgsOpenDialog, "LoadMsgsOpenDialog", TFileDialog::Open, "Unicode Text Document|*.txt", "txt",
       u"LoadMsgsOpenDialogTitle", false},
      {form->Files->SourceSaveDialog, "SourceSaveDialog", TFileDialog::Save, "Xengrav|*.xg", "xg",
       u"SourceSaveDialogTitle", true},
      {form->Files->TargetSaveDialog, "TargetSaveDialog", TFileDialog::Save, "Xengrav|*.xg", "xg",
       u"TargetSaveDialogTitle", true},
      {form->Files->ProjectSaveDialog, "ProjectSaveDialog", TFileDialog::Save, "Translation of Xengrav|*.txg", "txg",
       u"ProjectSaveDialogTitle", false},
      {form->Files->SaveMsgsSaveDialog, "SaveMsgsSaveDialog", TFileDialog::Save, "Unicode Text Document|*.txt", "txt",
       u"SaveMsgsSaveDialogTitle", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.dialog.Name, QLatin1String(c.name));
    EXPECT_EQ(c.dialog.Kind, c.kind);
    EXPECT_EQ(c.dialog.Filter, QLatin1String(c.filter));
    EXPECT_EQ(c.dialog.DefaultExt, QLatin1String(c.extension));
    EXPECT_EQ(c.dialog.Title, form->CatalogueText(c.titleKey));
    EXPECT_FALSE(c.dialog.Title.isEmpty());
    EXPECT_EQ(c.dialog.OverwritePrompt, c.overwritePrompt);
  }
}

struct LayoutCase {
  QSize requested;
  QSize held;
  int bottomRowTop, trackWidth, numberLeft, numberTop;
  int clearLeft, copyLeft, forwardLeft, findLeft, backLeft;
  int memoWidth, memoHeight, statusTop, statusWidth, targetTop;
};

TEST(WindowLayout, ResizeRules) {
  const LayoutCase cases[] = {
      {{547, 385}, {547, 385}, 325, 227, 239, 329, 474, 404, 349, 309, 269, 523, 118, 170, 522, 186},
      {{480, 300}, {480, 300}, 240, 160, 172, 244, 407, 337, 282, 242, 202, 456, 76, 128, 455, 144},
      // Below the smallest size the window snaps back to 480 x 300.
      {{400, 200}, {480, 300}, 240, 160, 172, 244, 407, 337, 282, 242, 202, 456, 76, 128, 455, 144},
      // (387 - 108) / 2 - 20 = 119.5 goes to the even 120.
      {{547, 387}, {547, 387}, 327, 227, 239, 331, 474, 404, 349, 309, 269, 523, 120, 172, 522, 188},
      {{800, 600}, {800, 600}, 540, 480, 492, 544, 727, 657, 602, 562, 522, 776, 226, 278, 775, 294},
  };
  ScriptedDialogs dialogs;
  auto form = MakeWindow(dialogs);
  form->show();
  // The rules are the central area's: the docks, which take their share of a new height, are closed.
  for (QDockWidget* dock : {form->ListDock, form->ContextDock}) dock->close();
  QCoreApplication::processEvents();
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.requested.width() << "x" << c.requested.height());
    form->resize(c.requested + Chrome(*form));
    QCoreApplication::processEvents();
    form->FormResize();
    EXPECT_EQ(form->CentralArea->size(), c.held);
    EXPECT_EQ(form->MessagesListTrackBar->geometry().topLeft(), QPoint(0, c.bottomRowTop));
    EXPECT_EQ(form->MessagesListTrackBar->width(), c.trackWidth);
    EXPECT_EQ(form->MessageNumberLabel->pos(), QPoint(c.numberLeft, c.numberTop));
    EXPECT_EQ(form->ClearImage->pos(), QPoint(c.clearLeft, c.bottomRowTop));
    EXPECT_EQ(form->CopyImage->pos(), QPoint(c.copyLeft, c.bottomRowTop));
    EXPECT_EQ(form->ForwardImage->pos(), QPoint(c.forwardLeft, c.bottomRowTop));
    EXPECT_EQ(form->FindNotEditedImage->pos(), QPoint(c.findLeft, c.bottomRowTop));
    EXPECT_EQ(form->BackImage->pos(), QPoint(c.backLeft, c.bottomRowTop));
    EXPECT_EQ(form->SourceMemo->geometry(), QRect(8, 48, c.memoWidth, c.memoHeight));
    EXPECT_EQ(form->StatusLabel->geometry(), QRect(8, c.statusTop, c.statusWidth, 13));
    EXPECT_EQ(form->TargetMemo->geometry(), QRect(8, c.targetTop, c.memoWidth, c.memoHeight));
  }
}

// A copy of the shipped catalogue without the line of one key.
void WriteCatalogueWithout(const QString& fileName, const QString& key) {
  QFile shipped(DataFile("msg_cfg.txt"));
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  const QByteArray bytes = shipped.readAll();
  ASSERT_GE(bytes.size(), 2);
  QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
  QStringList lines = text.split(QStringLiteral("\r\n"));
  const qsizetype before = lines.size();
  lines.removeIf([&key](const QString& line) { return line.startsWith(key + QLatin1Char('=')); });
  ASSERT_EQ(lines.size(), before - 1) << key.toStdString();
  text = lines.join(QStringLiteral("\r\n"));
  QFile copy(fileName);
  ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
  copy.write("\xFF\xFE", 2);
  copy.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

TEST(WindowStartUp, EveryMissingKeyStopsTheStart) {
  const char* const keys[] = {"NewProjectButtonHint",       "DefaultProgramTitle", "PathTextMSGType",
                              "CannotFindNotEditedMessage", "MessageDeletedMSG",   "RVagrel"};
  for (const char* key : keys) {
    SCOPED_TRACE(key);
    Scratch scratch;
    const QString catalogue = scratch.File(QStringLiteral("msg_cfg.txt"));
    WriteCatalogueWithout(catalogue, QLatin1String(key));
    ScriptedDialogs dialogs;
    auto form = StartTranslator(dialogs, {QStringLiteral("xgtranslator")}, {catalogue});
    EXPECT_EQ(form, nullptr);
    ASSERT_EQ(dialogs.Errors.size(), 1u);
    EXPECT_EQ(dialogs.Errors[0], QStringLiteral("TBlockParJD.Block_Get. name=") + QLatin1String(key));
    // The key is missing from this catalogue, and the box says which one.
    EXPECT_EQ(dialogs.ErrorPlaces[0].FileName, catalogue);
  }
}

TEST(WindowStartUp, MissingCatalogueNamesTheCurrentDirectoryFile) {
  Scratch scratch;
  const QString inCurrent = scratch.File(QStringLiteral("msg_cfg.txt"));
  ScriptedDialogs dialogs;
  auto form = StartTranslator(dialogs, {QStringLiteral("xgtranslator")},
                              {inCurrent, scratch.File(QStringLiteral("bin/msg_cfg.txt"))});
  EXPECT_EQ(form, nullptr);
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_EQ(dialogs.Errors[0], QStringLiteral("TFileJD.Open. FileName=") + inCurrent);
}

TEST(WindowStartUp, CatalogueSearchOrder) {
  // From a folder other than the program's, so that the first two places differ.
  Scratch elsewhere;
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(elsewhere.Folder().path()));
  const QStringList candidates = DefaultCatalogueCandidates();
  QDir::setCurrent(previous);
  ASSERT_GE(candidates.size(), 3);
  EXPECT_EQ(candidates[0], QDir(elsewhere.Folder().path()).absoluteFilePath(QStringLiteral("msg_cfg.txt")));
  EXPECT_EQ(candidates[1],
            QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("msg_cfg.txt")));
  EXPECT_TRUE(candidates.back().endsWith(QStringLiteral("share/xgtranslator/msg_cfg.txt")));

  // The first candidate that exists wins.
  Scratch scratch;
  ScriptedDialogs dialogs;
  TForm1 form(dialogs, {scratch.File(QStringLiteral("msg_cfg.txt")), DataFile("msg_cfg.txt")});
  EXPECT_EQ(form.CatalogueFileName, DataFile("msg_cfg.txt"));
}

TEST(WindowStartUp, FileOnTheCommandLine) {
  Scratch scratch;
  {
    ScriptedDialogs dialogs;
    auto form = StartTranslator(dialogs, {QStringLiteral("xgtranslator"), SampleQuest()}, {DataFile("msg_cfg.txt")});
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(dialogs.Errors.empty());
    EXPECT_EQ(form->windowTitle(), NewSampleProjectTitle(*form));
    EXPECT_EQ(form->MessagesListTrackBar->Position(), 1);
    EXPECT_GT(form->Session->Project().SourceCount, 0);
    form->Session->Project().SaveToFile(FileNameForLibrary(scratch.File(QStringLiteral("sample.txg"))));
  }
  {
    ScriptedDialogs dialogs;
    const QString project = scratch.File(QStringLiteral("sample.txg"));
    auto form = StartTranslator(dialogs, {QStringLiteral("xgtranslator"), project}, {DataFile("msg_cfg.txt")});
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), project + ModifiedMarker + form->CatalogueText(u"CommonProgramTitle"));
    EXPECT_TRUE(form->QuickSaveProjectButton->isEnabled());
    EXPECT_EQ(form->Files->ProjectSaveDialog.FileName, project);
  }
  {
    // A file that cannot be read is reported; the window stays, empty.
    ScriptedDialogs dialogs;
    auto form = StartTranslator(dialogs, {QStringLiteral("xgtranslator"), scratch.File(QStringLiteral("none.xg"))},
                                {DataFile("msg_cfg.txt")});
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(dialogs.Errors.size(), 1u);
    EXPECT_EQ(dialogs.Errors[0], QStringLiteral("File not found"));
    // Opening is no read: the file is named, no byte.
    EXPECT_EQ(ErrorBoxText(dialogs.Errors[0], dialogs.ErrorPlaces[0]),
              scratch.File(QStringLiteral("none.xg")) + QStringLiteral(": File not found"));
    EXPECT_EQ(form->MessagesListTrackBar->Max(), 0);
    EXPECT_EQ(form->windowTitle(), form->CatalogueText(u"DefaultProgramTitle"));
  }
}

TEST(WindowControls, ChangeEventsOnlyForADifferentTextOrPosition) {
  QWidget parent;
  TMemo memo(&parent);
  int memoChanges = 0;
  memo.OnChange = [&memoChanges] { ++memoChanges; };
  struct TextStep {
    QString text;
    int changesAfter;
  };
  const TextStep textSteps[] = {{QString(), 0},
                                {QStringLiteral("a\r\nb"), 1},
                                {QStringLiteral("a\r\nb"), 1},
                                {QStringLiteral("a\nb"), 2},
                                {QString(), 3},
                                {QString(), 3}};
  for (const TextStep& step : textSteps) {
    memo.SetText(step.text);
    EXPECT_EQ(memoChanges, step.changesAfter) << step.text.toStdString();
    EXPECT_EQ(memo.Text(), step.text);  // kept exactly, line breaks included
  }

  TTrackBar bar(&parent);
  int barChanges = 0;
  int userMoves = 0;
  bar.OnChange = [&barChanges] { ++barChanges; };
  bar.UserMoved = [&userMoves] { ++userMoves; };
  bar.SetMax(10);
  EXPECT_EQ(barChanges, 0);
  bar.SetPosition(4);
  bar.SetPosition(4);
  EXPECT_EQ(barChanges, 1);
  bar.SetMax(2);  // the position follows the maximum down
  EXPECT_EQ(bar.Position(), 2);
  EXPECT_EQ(barChanges, 2);
  EXPECT_EQ(userMoves, 0);
  bar.setValue(1);  // as a drag by the user does
  EXPECT_EQ(userMoves, 1);
  EXPECT_EQ(barChanges, 2);
}

TEST(WindowDialogs, FiltersInQtForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"Xengrav|*.xg", "Xengrav (*.xg)"},
      {"Translation of Xengrav|*.txg", "Translation of Xengrav (*.txg)"},
      {"Texts|*.txt;*.text|All|*", "Texts (*.txt *.text);;All (*)"},
  };
  for (const auto& [filter, expected] : cases) EXPECT_EQ(QtFileFilter(QLatin1String(filter)), QLatin1String(expected));
}

}  // namespace
