// The message list, search, replace and context wired to the window: filters against plain counts,
// search under each option against QRegularExpression, selection in step with the editor, replace
// in one and in all messages with one undo step, and context entries that show their message.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "SampleWindow.h"
#include "checks/ProblemSearch.h"
#include "project/MessageContext.h"
#include "support/JD_BlockPar.h"
#include "ui/ContextPanel.h"
#include "ui/MessageListModel.h"
#include "ui/MessageListPanel.h"
#include "ui/MessageTools.h"
#include "ui/ReplaceDialog.h"

using namespace uitest;

namespace {

class MessageList : public SampleWindow {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SampleWindow::SetUp());
    tools = form->Tools.get();
    ASSERT_TRUE(form->ListDock->isVisible()) << "the list is shown by default";
  }

  TMessageListPanel& panel() { return *tools->ListPanel; }
  TMessageListModel& model() { return *tools->ListPanel->Model; }
  int Rows() { return model().rowCount(); }
  std::vector<std::u16string> Targets() {
    std::vector<std::u16string> texts;
    for (int32_t n = 1; n <= project().TargetCount; ++n) texts.push_back(project().GetTargetText(n));
    return texts;
  }
  std::vector<std::u16string> Sources() {
    std::vector<std::u16string> texts;
    for (int32_t n = 1; n <= project().SourceCount; ++n) texts.push_back(project().GetSourceText(n));
    return texts;
  }
  // How many positions pass `wanted`, counted plainly.
  template <typename Predicate>
  int Count(Predicate wanted) {
    int count = 0;
    for (int32_t p = 1; p <= project().PositionCount; ++p)
      if (wanted(project().MessageAtPosition(p))) ++count;
    return count;
  }
  bool Untranslated(int32_t n) {
    const std::u16string target = project().GetTargetText(n);
    return target == project().GetSourceText(n) || target == form->Catalogue->Par_Get(u"MessageDeletedMSG");
  }
  void Search(const QString& text, int in, bool matchCase, bool words, bool regex) {
    panel().CaseBox->setChecked(matchCase);
    panel().WordsBox->setChecked(words);
    panel().RegexBox->setChecked(regex);
    panel().SearchInBox->setCurrentIndex(in);
    panel().SearchEdit->setText(text);
  }
  void ClickRow(int row) {
    QTableView* table = panel().Table;
    const QRect cell = table->visualRect(model().index(row, TMessageListModel::SourceColumn));
    ASSERT_TRUE(cell.isValid()) << "row " << row << " is not visible";
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  }

  QUndoStack& undo() { return form->Session->Edits(); }

  TMessageTools* tools = nullptr;
};

TEST_F(MessageList, EveryFilterListsAsManyRowsAsAPlainCount) {
  // Some translations, some deleted messages, some flagged for review, the rest as they came.
  for (int32_t n = 1; n <= project().SourceCount; n += 3) project().SetTargetText(n, u"перевод <ToStar>");
  for (int32_t n = 2; n <= project().SourceCount; n += 7)
    project().SetTargetText(n, form->Catalogue->Par_Get(u"MessageDeletedMSG"));
  for (int32_t n = 4; n <= project().SourceCount; n += 5) project().SetNeedsReview(n, true);
  auto flagged = [this](int32_t n) { return project().NeedsReview(n); };
  const int review = Count(flagged);
  // Untranslated and Translated split the positions whatever their review mark.
  const int untranslated = Count([&](int32_t n) { return Untranslated(n); });
  const int translated = Count([&](int32_t n) { return !Untranslated(n); });
  ASSERT_GT(Count([&](int32_t n) { return flagged(n) && Untranslated(n); }), 0);
  ASSERT_GT(Count([&](int32_t n) { return flagged(n) && !Untranslated(n); }), 0);
  // Problems beyond being untranslated, as the checks' rule has them.
  const int problems = Count([this](int32_t n) { return HasProblems(project(), n); });
  for (int count : {review, untranslated, translated, problems}) {
    ASSERT_GT(count, 0);
    ASSERT_LT(count, project().PositionCount);
  }
  const std::vector<std::pair<int, int>> cases = {
      {1, untranslated}, {2, review}, {3, translated}, {4, problems}, {0, project().PositionCount}};
  for (const auto& [filter, rows] : cases) {
    panel().FilterBox->setCurrentIndex(filter);
    EXPECT_EQ(Rows(), rows) << "filter " << filter;
    EXPECT_EQ(panel().CountLabel->text(), QStringLiteral("%1 of %2").arg(rows).arg(project().PositionCount));
  }
}

TEST_F(MessageList, SearchUnderEachOptionAgreesWithQRegularExpression) {
  struct Case {
    QString text;
    int in;  // source and translation, source, translation, id
    bool matchCase, words, regex;
    QRegularExpression oracle;
    bool onIds;
  };
  using RE = QRegularExpression;
  const auto ci = RE::CaseInsensitiveOption | RE::UseUnicodePropertiesOption;
  const std::vector<Case> cases = {
      {QStringLiteral("шлюз"), 0, false, false, false, RE(QStringLiteral("шлюз"), ci), false},
      {QStringLiteral("Шлюз"), 1, true, false, false, RE(QStringLiteral("Шлюз")), false},
      {QStringLiteral("шлюз"), 2, false, true, false, RE(QStringLiteral("(?<!\\w)шлюз(?!\\w)"), ci), false},
      {QStringLiteral("^(вы|мы) "), 0, false, false, true, RE(QStringLiteral("^(вы|мы) "), ci), false},
      {QStringLiteral("Path\\(1\\d\\)"), 3, true, false, true, RE(QStringLiteral("Path\\(1\\d\\)")), true},
      {QStringLiteral("."), 3, true, false, false, RE(QStringLiteral("\\.")), true},
  };
  for (const Case& c : cases) {
    Search(c.text, c.in, c.matchCase, c.words, c.regex);
    const int expected = Count([&](int32_t n) {
      if (c.onIds) return c.oracle.match(QString::fromStdU16String(project().TargetIds[std::size_t(n)])).hasMatch();
      const bool source = c.oracle.match(Wide(project().GetSourceText(n))).hasMatch();
      const bool target = c.oracle.match(Wide(project().GetTargetText(n))).hasMatch();
      return (c.in != 2 && source) || (c.in != 1 && target);
    });
    EXPECT_GT(expected, 0) << c.text.toStdString();
    EXPECT_EQ(Rows(), expected) << c.text.toStdString();
    EXPECT_TRUE(panel().SearchError().isEmpty());
  }
  // A half-typed expression keeps the list and says why.
  Search(QStringLiteral("шлюз"), 0, false, false, true);
  const int before = Rows();
  panel().SearchEdit->setText(QStringLiteral("(шлюз"));
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(panel().CountLabel->text(),
            QStringLiteral("Invalid regular expression at offset 5: missing closing parenthesis"));
}

TEST_F(MessageList, SelectionFollowsTheEditorAndTheEditorFollowsTheList) {
  ClickRow(4);
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 5);
  EXPECT_EQ(form->SourceMemo->Text(), Wide(project().GetSourceText(project().MessageAtPosition(5))));
  QTest::keyClick(panel().Table, Qt::Key_Down);
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 6);
  QTest::mouseClick(form->ForwardImage, Qt::LeftButton);
  EXPECT_EQ(panel().Table->currentIndex().row(), model().RowOfMessage(project().CurrentMessage));
  EXPECT_EQ(model().MessageAtRow(panel().Table->currentIndex().row()), project().CurrentMessage);

  // Sorted by id the row of the shown message moves with it.
  panel().Table->sortByColumn(TMessageListModel::IdColumn, Qt::DescendingOrder);
  EXPECT_EQ(model().MessageAtRow(panel().Table->currentIndex().row()), project().CurrentMessage);
  for (int row = 1; row < Rows(); ++row)
    EXPECT_GE(project().TargetIds[std::size_t(model().MessageAtRow(row - 1))],
              project().TargetIds[std::size_t(model().MessageAtRow(row))]);
  panel().Table->sortByColumn(TMessageListModel::SourceColumn, Qt::AscendingOrder);
  for (int row = 1; row < Rows(); ++row)
    EXPECT_LE(project().GetSourceText(model().MessageAtRow(row - 1)),
              project().GetSourceText(model().MessageAtRow(row)));
}

TEST_F(MessageList, FindPutsTheCursorInTheFieldAndF3StepsThroughMatches) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(panel().SearchEdit->hasFocus() || QApplication::focusWidget() == panel().SearchEdit);
  Search(QStringLiteral("начальник"), 1, false, false, false);
  ASSERT_GE(Rows(), 2);
  std::vector<int32_t> matches;
  for (int row = 0; row < Rows(); ++row) matches.push_back(model().MessageAtRow(row));
  std::vector<int32_t> visited;
  for (std::size_t i = 0; i <= matches.size(); ++i) {
    QTest::keyClick(form.get(), Qt::Key_F3);
    visited.push_back(project().CurrentMessage);
  }
  std::vector<int32_t> expected = matches;
  expected.push_back(matches.front());  // wraps around
  EXPECT_EQ(visited, expected);
  QTest::keyClick(form.get(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(project().CurrentMessage, matches.back());
}

TEST_F(MessageList, ReplaceInTheShownMessageOnly) {
  const std::vector<std::u16string> sources = Sources();
  std::vector<std::u16string> targets = Targets();
  form->MessagesListTrackBar->SetPosition(project().PositionOfMessage(project().FindTargetId(u"Path(4).Start")));
  const int32_t shown = project().CurrentMessage;
  TReplaceDialog& dialog = *tools->ReplaceDialog;
  tools->ReplaceAction->trigger();
  dialog.ShownButton->setChecked(true);
  dialog.FindEdit->setText(QStringLiteral("корабль"));
  dialog.ReplaceEdit->setText(QStringLiteral("судно"));
  EXPECT_EQ(dialog.PreviewLabel->text(), QStringLiteral("1 translations will change"));
  QTest::mouseClick(dialog.ReplaceButton, Qt::LeftButton);
  // The questions folded into the shown one follow it.
  const std::u16string old = targets[std::size_t(shown - 1)];
  for (int32_t n = 1; n <= project().TargetCount; ++n)
    if (n == shown || (project().IsLinked(n) && targets[std::size_t(n - 1)] == old))
      targets[std::size_t(n - 1)] = u"Вернуться на судно.";
  EXPECT_EQ(Targets(), targets) << "another message changed";
  EXPECT_EQ(Sources(), sources);
  EXPECT_EQ(form->TargetMemo->Text(), QStringLiteral("Вернуться на судно."));
  EXPECT_EQ(dialog.PreviewLabel->text(), QStringLiteral("0 translations will change"));
  EXPECT_FALSE(dialog.ReplaceButton->isEnabled());
}

TEST_F(MessageList, ReplaceAllIsOneUndoStepAndTheListFollows) {
  const std::vector<std::u16string> sources = Sources();
  const std::vector<std::u16string> before = Targets();
  TReplaceDialog& dialog = *tools->ReplaceDialog;
  dialog.AllButton->setChecked(true);
  dialog.RegexBox->setChecked(true);
  dialog.CaseBox->setChecked(true);
  dialog.FindEdit->setText(QStringLiteral("(станци)(и|я|ю)"));
  dialog.ReplaceEdit->setText(QStringLiteral("[\\2\\1]"));
  // Linked duplicates follow their path and have no position of their own.
  const QRegularExpression oracle(QStringLiteral("(станци)(и|я|ю)"));
  const int expected = Count([&](int32_t n) { return oracle.match(Wide(project().GetTargetText(n))).hasMatch(); });
  ASSERT_GT(expected, 2);
  EXPECT_EQ(dialog.PreviewLabel->text(), QStringLiteral("%1 translations will change").arg(expected));
  EXPECT_EQ(Targets(), before) << "the preview changed a text";

  panel().FilterBox->setCurrentIndex(1);  // untranslated
  const int untranslatedBefore = Rows();
  QSignalSpy repainted(&model(), &QAbstractItemModel::dataChanged);
  QTest::mouseClick(dialog.ReplaceButton, Qt::LeftButton);
  EXPECT_EQ(undo().count(), 1);
  EXPECT_GE(repainted.count(), expected);
  int changed = 0;
  for (int32_t n = 1; n <= project().TargetCount; ++n) {
    QString text = Wide(before[std::size_t(n - 1)]);
    text.replace(oracle, QStringLiteral("[\\2\\1]"));
    EXPECT_EQ(Wide(project().GetTargetText(n)), text) << n;
    changed += text != Wide(before[std::size_t(n - 1)]);
  }
  EXPECT_GE(changed, expected);
  EXPECT_EQ(Sources(), sources);
  // A row edited under a filter stays until the filter is chosen again.
  EXPECT_EQ(Rows(), untranslatedBefore);
  panel().FilterBox->setCurrentIndex(0);
  panel().FilterBox->setCurrentIndex(1);
  EXPECT_EQ(Rows(), untranslatedBefore - expected);

  undo().undo();
  EXPECT_EQ(Targets(), before);
  EXPECT_EQ(Sources(), sources);
  EXPECT_EQ(form->TargetMemo->Text(), Wide(before[std::size_t(project().CurrentMessage - 1)]));
  undo().redo();
  EXPECT_NE(Targets(), before);
}

TEST_F(MessageList, TheListFollowsEditsAndImports) {
  const int32_t shown = project().CurrentMessage;
  QSignalSpy repainted(&model(), &QAbstractItemModel::dataChanged);
  QTest::mouseClick(form->ClearImage, Qt::LeftButton);
  ASSERT_GE(repainted.count(), 1);
  for (const QList<QVariant>& signal : repainted)
    EXPECT_EQ(model().MessageAtRow(signal.at(0).toModelIndex().row()), shown);
  EXPECT_EQ(model().data(model().index(model().RowOfMessage(shown), TMessageListModel::TranslationColumn)).toString(),
            form->CatalogueText(u"MessageDeletedMSG"));

  // Reading an exchange file changes the whole table: the filter is applied again.
  panel().FilterBox->setCurrentIndex(3);  // translated
  EXPECT_EQ(Rows(), 0);
  Scratch scratch;
  dialogs.Answer(QStringLiteral("SaveMsgsSaveDialog"), scratch.File(QStringLiteral("out.txt")));
  QTest::mouseClick(form->SaveMsgsButton, Qt::LeftButton);
  dialogs.Answer(QStringLiteral("LoadMsgsOpenDialog"), scratch.File(QStringLiteral("in.txt")));
  QFile in(scratch.File(QStringLiteral("in.txt")));
  ASSERT_TRUE(in.open(QIODevice::WriteOnly));
  in.write(QByteArray("\xFF\xFE", 2));
  const QString body = QStringLiteral("<Begin GovMsg>\r\nМиссия <ToStar> <Money>\r\n<End>\r\n");
  in.write(reinterpret_cast<const char*>(body.utf16()), body.size() * 2);
  in.close();
  QTest::mouseClick(form->LoadMsgsButton, Qt::LeftButton);
  EXPECT_EQ(Rows(), Count([this](int32_t n) { return !Untranslated(n); }));
  EXPECT_GE(Rows(), 1);
}

TEST_F(MessageList, ClickingAContextEntryShowsThatMessage) {
  const int32_t question = project().FindTargetId(u"Path(4).Start");
  form->MessagesListTrackBar->SetPosition(project().PositionOfMessage(question));
  TContextPanel& context = *tools->ContextPanel;
  const std::vector<TContextEntry> entries = MessageContext(project(), question);
  ASSERT_FALSE(entries.empty());
  QTreeWidgetItem* item = nullptr;
  for (int g = 0; g < context.topLevelItemCount() && item == nullptr; ++g)
    if (context.topLevelItem(g)->childCount() > 0) item = context.topLevelItem(g)->child(0);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(TContextPanel::MessageOfItem(item), entries.front().Message);
  QTest::mouseClick(context.viewport(), Qt::LeftButton, {}, context.visualItemRect(item).center());
  EXPECT_EQ(project().CurrentMessage, entries.front().Message);
  EXPECT_EQ(context.ShownMessage(), entries.front().Message);
  EXPECT_EQ(model().MessageAtRow(panel().Table->currentIndex().row()), entries.front().Message);
}

TEST_F(MessageList, SourceAndTranslationShareTheWidthAndTheListItsShareOfTheHeight) {
  QHeaderView* header = panel().Table->horizontalHeader();
  const int wideEnough = 12 * panel().Table->fontMetrics().averageCharWidth();
  for (int grow : {0, 400}) {
    SCOPED_TRACE(grow);
    const double listShare = double(form->ListDock->height()) / form->height();
    form->resize(form->width() + grow, form->height() + grow);
    QApplication::processEvents();
    EXPECT_NEAR(double(form->ListDock->height()) / form->height(), listShare, 0.02);
    EXPECT_GE(form->ListDock->height(), 8 * panel().Table->verticalHeader()->defaultSectionSize());
    const int source = header->sectionSize(TMessageListModel::SourceColumn);
    const int translation = header->sectionSize(TMessageListModel::TranslationColumn);
    EXPECT_NEAR(source, translation, 1);
    EXPECT_GE(source, wideEnough + grow / 3);
    EXPECT_LE(header->sectionViewportPosition(TMessageListModel::TranslationColumn) + translation,
              panel().Table->viewport()->width());
  }
}

TEST_F(MessageList, ANewOrderKeepsTheShownRowInView) {
  QTableView* table = panel().Table;
  form->MessagesListTrackBar->SetPosition(form->MessagesListTrackBar->Max());
  const std::pair<int, Qt::SortOrder> orders[] = {
      {TMessageListModel::PositionColumn, Qt::DescendingOrder}, {TMessageListModel::SourceColumn, Qt::AscendingOrder},
      {TMessageListModel::IdColumn, Qt::DescendingOrder},       {TMessageListModel::PositionColumn, Qt::AscendingOrder},
      {TMessageListModel::SourceColumn, Qt::DescendingOrder},
  };
  for (const auto& [column, order] : orders) {
    table->sortByColumn(column, order);
    EXPECT_TRUE(table->viewport()->rect().contains(table->visualRect(table->currentIndex()))) << column << " " << order;
  }
}

TEST_F(MessageList, ANewOrOpenedProjectStartsWithAnEmptySearchField) {
  Scratch scratch;
  const QString file = scratch.File(QStringLiteral("searched.txg"));
  dialogs.Answer(QStringLiteral("ProjectSaveDialog"), file);
  QTest::mouseClick(form->SaveProjectButton, Qt::LeftButton);
  const std::function<void()> commands[] = {
      [&] { NewSampleProject(); },
      [&] {
        dialogs.Answer(QStringLiteral("ProjectOpenDialog"), file);
        QTest::mouseClick(form->LoadProjectButton, Qt::LeftButton);
      },
  };
  for (const auto& command : commands) {
    panel().SearchEdit->setText(QStringLiteral("начальник"));
    ASSERT_LT(Rows(), project().PositionCount);
    command();
    EXPECT_EQ(panel().SearchEdit->text(), QString());
    EXPECT_EQ(Rows(), project().PositionCount);
  }
  EXPECT_TRUE(dialogs.Errors.empty());
}

}  // namespace
