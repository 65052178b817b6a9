// The report box: entries grouped by kind under their counts, the list copied to the clipboard,
// a click on an entry showing its message, and the desktop box replacing one still open.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/QtWindowDialogs.h"
#include "ui/ReportDialog.h"

using namespace uitest;

namespace {

// Kinds interleaved, as an import meets them.
TConversionReport MixedReport() {
  TConversionReport report;
  report.Add(TReportKind::NotFound, u"L(1).Text(1)");
  report.Add(TReportKind::UnknownId, u"Gone");
  report.Add(TReportKind::NotFound, u"Path(2).Start");
  report.Add(TReportKind::DifferentTags, u"Q(3).Text", u" <Money>");
  report.Add(TReportKind::NotFound, u"Par(4).Name");
  return report;
}

QStringList Texts(const QTreeWidgetItem* parent) {
  QStringList texts;
  for (int i = 0; i < parent->childCount(); ++i) texts << parent->child(i)->text(0);
  return texts;
}

TEST(ReportDialog, GroupsEntriesByKindUnderTheirCounts) {
  TReportDialog dialog(QStringLiteral("Errors:"), MixedReport(), nullptr, BuiltInTexts());
  QTreeWidgetItem* root = dialog.Entries->invisibleRootItem();
  EXPECT_EQ(Texts(root), (QStringList{QStringLiteral("Not found: 3"), QStringLiteral("Unknown id: 1"),
                                      QStringLiteral("Different tags: 1")}));
  EXPECT_EQ(Texts(root->child(0)), (QStringList{QStringLiteral("L(1).Text(1)"), QStringLiteral("Path(2).Start"),
                                                QStringLiteral("Par(4).Name")}));
  EXPECT_EQ(Texts(root->child(2)), QStringList{QStringLiteral("Q(3).Text: <Money>")});
  for (int i = 0; i < root->childCount(); ++i) EXPECT_TRUE(root->child(i)->isExpanded());
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Errors:"));
  EXPECT_TRUE(dialog.Summary->text().startsWith(QStringLiteral("5 entries.")));
  TConversionReport one;
  one.Add(TReportKind::ChangedSource, u"Q(9).Text");
  EXPECT_TRUE(
      TReportDialog(QString(), one, nullptr, BuiltInTexts()).Summary->text().startsWith(QStringLiteral("1 entry.")));
}

TEST(ReportDialog, CopyPutsOneEntryALineOnTheClipboard) {
  TReportDialog dialog(QStringLiteral("Errors:"), MixedReport(), nullptr, BuiltInTexts());
  QApplication::clipboard()->clear();
  QTest::mouseClick(dialog.CopyButton, Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("Not found: L(1).Text(1)\nUnknown id: Gone\nNot found: Path(2).Start\n"
                           "Different tags: Q(3).Text: <Money>\nNot found: Par(4).Name\n"));
}

TEST(ReportDialog, ClickingAnEntryPicksItsIdAndAHeaderPicksNothing) {
  std::vector<std::u16string> picked;
  TReportDialog dialog(
      QStringLiteral("Errors:"), MixedReport(), [&picked](const std::u16string& id) { picked.push_back(id); },
      uitest::BuiltInTexts());
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  auto click = [&dialog](const QTreeWidgetItem* item) {
    QTest::mouseClick(dialog.Entries->viewport(), Qt::LeftButton, {}, dialog.Entries->visualItemRect(item).center());
  };
  QTreeWidgetItem* notFound = dialog.Entries->topLevelItem(0);
  click(notFound->child(1));
  click(notFound);
  click(dialog.Entries->topLevelItem(2)->child(0));
  // The keyboard picks too: Enter on the current entry.
  dialog.Entries->setCurrentItem(dialog.Entries->topLevelItem(1)->child(0));
  QTest::keyClick(dialog.Entries, Qt::Key_Return);
  EXPECT_EQ(picked, (std::vector<std::u16string>{u"Path(2).Start", u"Q(3).Text", u"Gone"}));
}

TEST(ReportDialog, TheDesktopBoxStaysOpenBesideTheWindowAndANewReportReplacesIt) {
  QWidget owner;
  owner.show();
  TQtWindowDialogs dialogs;
  dialogs.Text = BuiltInTexts();
  std::u16string picked;
  dialogs.ShowReport(&owner, QStringLiteral("Errors:"), QStringLiteral("2 translations came in."), MixedReport(),
                     [](const std::u16string&) {});
  TConversionReport second;
  second.Add(TReportKind::ChangedSource, u"Q(9).Text");
  dialogs.ShowReport(&owner, QStringLiteral("Errors:"), QStringLiteral("1 translation came in."), second,
                     [&picked](const std::u16string& id) { picked = id; });
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const QList<TReportDialog*> open = owner.findChildren<TReportDialog*>();
  ASSERT_EQ(open.size(), 1);
  EXPECT_TRUE(open[0]->isVisible());
  EXPECT_FALSE(open[0]->isModal());
  EXPECT_TRUE(open[0]->Summary->text().startsWith(QStringLiteral("1 translation came in. 1 entry.")));
  open[0]->EntryPicked(open[0]->Entries->topLevelItem(0)->child(0));
  EXPECT_EQ(picked, u"Q(9).Text");
}

}  // namespace
