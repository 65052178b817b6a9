// View > Problems: the project's findings in a table, a row showing its message, the rows following
// the changed messages, and the report saved from the box.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SampleWindow.h"
#include "ui/MainMenu.h"
#include "ui/ProblemsView.h"

using namespace uitest;

namespace {

// "POSITION CODE DETAIL" of each row.
std::vector<std::string> Listed(const std::vector<TReportRow>& rows) {
  std::vector<std::string> lines;
  for (const TReportRow& row : rows)
    lines.push_back(std::to_string(row.Position) + ' ' + std::string(row.Finding.Code) + ' ' +
                    QString::fromStdU16String(row.Finding.Detail).toStdString());
  return lines;
}

class ProblemsView : public SampleWindow {
 protected:
  TProblemsDialog* Open() {
    for (QAction* action : form->Menu->View->actions())
      if (action->text() == form->CatalogueText(u"MenuProblemsList")) action->trigger();
    return form->findChild<TProblemsDialog*>();
  }
  void Translate(int position, const std::u16string& text) {
    project().SetTargetText(project().MessageAtPosition(position), text);
  }
  std::vector<std::string> Expected() { return Listed(MakeCheckReport(project(), nullptr).Rows); }
  int RowOf(const TProblemsDialog& dialog, int position) {
    for (std::size_t i = 0; i < dialog.Model->Rows().size(); ++i)
      if (dialog.Model->Rows()[i].Position == position) return static_cast<int>(i);
    return -1;
  }
};

TEST_F(ProblemsView, ListsTheFindingsAndARowShowsItsMessage) {
  Translate(4, u"Broken <Mony");
  Translate(30, u"Doubled  space");
  TProblemsDialog* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(Listed(dialog->Model->Rows()), Expected());
  EXPECT_EQ(dialog->Model->index(RowOf(*dialog, 30), TProblemsModel::DetailColumn).data().toString(),
            QStringLiteral("at 8"));

  dialog->Table->setCurrentIndex(dialog->Model->index(RowOf(*dialog, 30), 0));
  QTest::keyClick(dialog->Table, Qt::Key_Return);
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 30);
  EXPECT_EQ(project().CurrentMessage, project().MessageAtPosition(30));
  const QModelIndex fourth = dialog->Model->index(RowOf(*dialog, 4), TProblemsModel::CheckColumn);
  QTest::mouseClick(dialog->Table->viewport(), Qt::LeftButton, {}, dialog->Table->visualRect(fourth).center());
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 4);
  EXPECT_EQ(Open(), dialog);  // asked again, the same box checks again
}

TEST_F(ProblemsView, FollowsChangedMessagesAndSavesTheReport) {
  Translate(4, u"Broken <Mony");
  TProblemsDialog* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  Translate(4, project().DeletedMessageText());
  Translate(30, u"Doubled  space");
  Translate(18, u"The the same");
  QApplication::processEvents();
  EXPECT_EQ(RowOf(*dialog, 4), -1);
  EXPECT_EQ(Listed(dialog->Model->Rows()), Expected());

  Scratch scratch;
  dialogs.Answer(QStringLiteral("ProblemsReportDialog"), scratch.File(QStringLiteral("problems.csv")));
  dialogs.Answer(QStringLiteral("ProblemsReportDialog"), scratch.File(QStringLiteral("problems.txt")));
  QTest::mouseClick(dialog->SaveButton, Qt::LeftButton);
  EXPECT_TRUE(dialogs.Errors.empty());
  QFile saved(scratch.File(QStringLiteral("problems.csv")));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll().toStdString(), ReportCsv(MakeCheckReport(project(), nullptr)));
  QTest::mouseClick(dialog->SaveButton, Qt::LeftButton);
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_TRUE(dialogs.Errors[0].endsWith(QStringLiteral("problems.txt: a report is an .html, .htm or .csv file")));
  EXPECT_FALSE(QFile::exists(scratch.File(QStringLiteral("problems.txt"))));
}

}  // namespace
