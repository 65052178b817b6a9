// The widgets that reuse translations: the word difference as rich text, the suggestions panel,
// the list of unused translations and the dialog of attached memory files.
#include <QListWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/MemoryFilesDialog.h"
#include "ui/SuggestionsPanel.h"
#include "ui/UiTestSupport.h"
#include "ui/UnusedTranslationsDialog.h"
#include "ui/WordDiffHtml.h"

namespace {

const QString Struck = QStringLiteral("<s style=\"color:#a40000\">");
const QString Marked = QStringLiteral("<span style=\"background-color:#c4f0c4\">");

TEST(WordDiffHtml, StrikesDeletionsAndMarksInsertionsOfEscapedText) {
  struct Case {
    std::u16string before, after;
    QString html;
  };
  const std::vector<Case> cases = {
      {u"Open the door", u"Open the door", QStringLiteral("Open the door")},
      {u"Open the door", u"Open the gate", "Open the " + Struck + "door</s>" + Marked + "gate</span>"},
      {u"Pay <Money> & go", u"Pay [p1] & go", "Pay " + Struck + "&lt;Money&gt; </s>" + Marked + "[p1] </span>&amp; go"},
      {u"Line one\r\nline two", u"Line one\r\nline 2", "Line one<br>line " + Struck + "two</s>" + Marked + "2</span>"},
  };
  for (const Case& c : cases) EXPECT_EQ(WordDiffHtml(c.before, c.after), c.html) << c.html.toStdString();
}

TEST(SuggestionsPanel, ShowsTheBestMatchesAndInsertsByNumber) {
  TTranslationMemory memory;
  memory.Add({u"Open the door", u"Открой дверь", u"Path(1).Start"});
  memory.Add({u"Open the red door", u"Открой красную дверь", u"Path(2).Start"});
  memory.Add({u"Open the door now", u"Открой дверь сейчас", u"Path(3).Start"});
  memory.Add({u"Close the window", u"Закрой окно", u"Path(4).Start"});
  memory.Add({u"Open a door", u"Открой какую-то дверь", u"Path(5).Start"});  // 66%: not offered

  TSuggestionsPanel panel(uitest::BuiltInTexts());
  std::vector<std::u16string> inserted;
  std::vector<int> percents;
  panel.OnInsert = [&inserted, &percents](const std::u16string& text, int percent) {
    inserted.push_back(text);
    percents.push_back(percent);
  };
  // The message Path(1).Start is shown: its own translation is not a suggestion for it.
  panel.ShowMessage(&memory, u"Open the door", u"Path(1).Start", u"");
  ASSERT_EQ(panel.Count(), 2);
  EXPECT_EQ(panel.Shown(0).Translation, u"Открой красную дверь");
  EXPECT_EQ(panel.PercentOf(0), 75);
  EXPECT_EQ(panel.Shown(1).Translation, u"Открой дверь сейчас");
  EXPECT_TRUE(panel.Rows[0]->isVisibleTo(&panel));
  EXPECT_TRUE(panel.Rows[0]->text().startsWith("<b>Ctrl+1</b> &nbsp;<b>75%</b>"));
  EXPECT_TRUE(panel.Rows[0]->text().contains(Struck + "red </s>"));
  EXPECT_FALSE(panel.Rows[2]->isVisibleTo(&panel));
  EXPECT_FALSE(panel.EmptyLabel->isVisibleTo(&panel));
  EXPECT_FALSE(panel.PreviousSourceLabel->isVisibleTo(&panel));

  EXPECT_TRUE(panel.InsertSuggestion(1));
  EXPECT_FALSE(panel.InsertSuggestion(2));
  EXPECT_FALSE(panel.InsertSuggestion(-1));
  EXPECT_EQ(inserted, std::vector<std::u16string>{u"Открой дверь сейчас"});
  EXPECT_EQ(percents, std::vector<int>{panel.PercentOf(1)});

  // Another message: identical text ranks first.
  panel.ShowMessage(&memory, u"Open the door", u"L(7).Text(1)", u"Open that door");
  ASSERT_EQ(panel.Count(), 3);
  EXPECT_EQ(panel.PercentOf(0), 100);
  EXPECT_TRUE(panel.PreviousSourceLabel->isVisibleTo(&panel));
  EXPECT_TRUE(panel.PreviousSourceLabel->text().contains(Struck + "that </s>" + Marked + "the </span>"));

  panel.ShowMessage(nullptr, u"Open the door", u"", u"");
  EXPECT_EQ(panel.Count(), 0);
  EXPECT_TRUE(panel.EmptyLabel->isVisibleTo(&panel));
  EXPECT_FALSE(panel.InsertSuggestion(0));
}

TEST(UnusedTranslationsDialog, ModelListsIdSourceAndTranslation) {
  TUnusedTranslationsDialog dialog(
      {{u"Fight the pirate", u"Сразись с пиратом", u"Path(104).Start"}, {u"Sell\r\ncargo", u"Продай", u"L(3).Text(2)"}},
      uitest::BuiltInTexts());
  const TUnusedTranslationsModel& model = *dialog.Model;
  ASSERT_EQ(model.rowCount(), 2);
  ASSERT_EQ(model.columnCount(), 3);
  EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);
  struct Cell {
    int row, column;
    QString text;
  };
  const std::vector<Cell> cells = {{0, TUnusedTranslationsModel::IdColumn, "Path(104).Start"},
                                   {0, TUnusedTranslationsModel::SourceColumn, "Fight the pirate"},
                                   {0, TUnusedTranslationsModel::TranslationColumn, "Сразись с пиратом"},
                                   {1, TUnusedTranslationsModel::SourceColumn, "Sell\r\ncargo"}};
  for (const Cell& cell : cells)
    EXPECT_EQ(model.data(model.index(cell.row, cell.column)).toString(), cell.text) << cell.row << "," << cell.column;
  EXPECT_FALSE(model.data(model.index(2, 0)).isValid());
  EXPECT_EQ(model.headerData(TUnusedTranslationsModel::SourceColumn, Qt::Horizontal).toString(), "Old source");
}

TEST(MemoryFilesDialog, AddsEachFileOnceAndRemovesTheSelected) {
  uitest::ScriptedDialogs dialogs;
  TMemoryFilesDialog dialog(dialogs, uitest::BuiltInTexts(), {"/memories/a.tmx"});
  dialogs.Answer("MemoryOpenDialog", "/memories/b.tmx");
  dialogs.Answer("MemoryOpenDialog", "/memories/a.tmx");  // already there
  dialog.AddClick();
  dialog.AddClick();
  dialog.AddClick();  // cancelled: no answer left
  EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"/memories/a.tmx", "/memories/b.tmx"}));
  ASSERT_EQ(dialogs.FileDialogsShown.size(), 3u);
  EXPECT_EQ(dialogs.FileDialogsShown[0].Filter, "Translation memory|*.tmx");

  dialog.List->setCurrentRow(0);
  dialog.RemoveClick();
  EXPECT_EQ(dialog.Files(), std::vector<std::string>{"/memories/b.tmx"});
  dialog.List->setCurrentRow(-1);
  dialog.RemoveClick();  // nothing selected: nothing removed
  EXPECT_EQ(dialog.Files(), std::vector<std::string>{"/memories/b.tmx"});
}

}  // namespace
