// The workspace in the window: File → Open Folder… fills the Workspace panel with the counts of the
// projects loaded alone, the total row stays last under any sort, a damaged project says so, a row
// opens its project after the usual save question, and a save refreshes its row.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "SampleWindow.h"
#include "checks/ConsistencyCheck.h"
#include "checks/ProblemSearch.h"
#include "glossary/Glossary.h"
#include "memory/Tmx.h"
#include "project/ProjectClass.h"
#include "ui/FileCommands.h"
#include "ui/FileDrop.h"
#include "ui/MessageChecks.h"
#include "ui/MessageListPanel.h"
#include "ui/MessageNavigator.h"
#include "ui/MessageTools.h"
#include "ui/PretranslateDialog.h"
#include "ui/QuestSearchModel.h"
#include "ui/SuggestionsPanel.h"
#include "ui/WorkspaceCommands.h"
#include "ui/WorkspaceSettings.h"
#include "ui/WorkspaceSettingsDialog.h"
#include "ui/WorkspaceView.h"

using namespace uitest;

namespace {

class WorkspaceWindow : public SampleWindow {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SampleWindow::SetUp());
    const std::string half = Save("a/half", 2, {1, 2, 3});
    Save("b/fresh", 0);
    Save("old", 1);
    std::ifstream in(half, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::ofstream(File("b/cut")).write(bytes.data(), 5000);
  }
  std::string File(const std::string& name) const {
    return scratch.File(QString::fromStdString(name + ".txg")).toStdString();
  }
  // A project of the sample quest: every `every`-th position translated (0: none), `review` flagged.
  std::string Save(const std::string& name, int every, std::vector<int32_t> review = {}) {
    TtxgProject project(form->Session->Catalogue());
    project.NewFromSource(SampleQuest().toStdString());
    for (int32_t p = 1; every > 0 && p <= project.PositionCount; p += every)
      project.StoreTranslation(project.MessageAtPosition(p),
                               u"EN " + project.GetSourceText(project.MessageAtPosition(p)));
    for (int32_t n : review) project.SetNeedsReview(n, true);
    std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
    project.SaveToFile(File(name));
    return File(name);
  }
  void OpenFolder() {
    dialogs.Answer(QStringLiteral("OpenFolderDialog"), scratch.Folder().path());
    for (QAction* action : form->findChildren<QAction*>())
      if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)) action->trigger();
    ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  }
  TWorkspaceView& view() { return *form->Workspace; }
  QString Cell(int row, int column) { return view().Sorted->index(row, column).data().toString(); }
  int RowOf(const QString& name) {
    for (int row = 0; row < view().Sorted->rowCount(); ++row)
      if (Cell(row, TWorkspaceModel::NameColumn) == name) return row;
    ADD_FAILURE() << "no row " << name.toStdString();
    return -1;
  }

  Scratch scratch;
};

TEST_F(WorkspaceWindow, OpenFolderListsTheCountsOfEachProjectLoadedAloneAndOpensNoProject) {
  const QString title = form->windowTitle();
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  EXPECT_EQ(form->Session->WorkspaceFolder(), scratch.Folder().path());
  EXPECT_EQ(form->windowTitle(), title);
  EXPECT_FALSE(form->Session->HasFile());
  EXPECT_FALSE(view().Dock->isHidden());
  ASSERT_EQ(view().Sorted->rowCount(), 5);
  int32_t positions = 0, translated = 0, review = 0;
  for (const char* name : {"a/half", "b/fresh", "old"}) {
    SCOPED_TRACE(name);
    TtxgProject plain(form->Session->Catalogue());
    plain.LoadFromFile(File(name));
    const int row = RowOf(QLatin1String(name));
    EXPECT_EQ(Cell(row, TWorkspaceModel::MessagesColumn).toInt(), plain.PositionCount);
    EXPECT_EQ(Cell(row, TWorkspaceModel::TranslatedColumn),
              QStringLiteral("%1%").arg(plain.TranslatedPositions() * 100 / plain.PositionCount));
    EXPECT_EQ(Cell(row, TWorkspaceModel::ReviewColumn).toInt(), plain.ReviewPositions());
    const QDateTime time = QFileInfo(QString::fromStdString(File(name))).lastModified();
    EXPECT_EQ(Cell(row, TWorkspaceModel::SavedColumn), time.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    positions += plain.PositionCount;
    translated += plain.TranslatedPositions();
    review += plain.ReviewPositions();
  }
  const int total = view().Sorted->rowCount() - 1;
  EXPECT_EQ(Cell(total, TWorkspaceModel::NameColumn), form->CatalogueText(u"WorkspaceTotal"));
  EXPECT_EQ(Cell(total, TWorkspaceModel::MessagesColumn).toInt(), positions);
  EXPECT_EQ(Cell(total, TWorkspaceModel::TranslatedColumn), QStringLiteral("%1%").arg(translated * 100 / positions));
  EXPECT_EQ(Cell(total, TWorkspaceModel::ReviewColumn).toInt(), review);
}

TEST_F(WorkspaceWindow, ADamagedProjectSaysSoWithItsErrorInTheTooltip) {
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  const int row = RowOf(QStringLiteral("b/cut"));
  EXPECT_EQ(Cell(row, TWorkspaceModel::MessagesColumn), form->CatalogueText(u"WorkspaceDamaged"));
  EXPECT_EQ(Cell(row, TWorkspaceModel::ReviewColumn), QString());
  const QString tip = view().Sorted->index(row, TWorkspaceModel::NameColumn).data(Qt::ToolTipRole).toString();
  EXPECT_TRUE(tip.startsWith(QString::fromStdString(File("b/cut")) + QStringLiteral(": Read beyond end of file")))
      << tip.toStdString();
  // Activating it opens nothing: the project stays as it was, with no question asked.
  view().OpenRow(row);
  EXPECT_FALSE(form->Session->HasFile());
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WorkspaceWindow, TheTotalRowStaysLastWhateverTheSort) {
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  struct Case {
    int column;
    Qt::SortOrder order;
    QStringList names;  // the projects' rows in order
  };
  const std::vector<Case> cases = {
      {TWorkspaceModel::NameColumn, Qt::AscendingOrder, {"a/half", "b/cut", "b/fresh", "old"}},
      {TWorkspaceModel::NameColumn, Qt::DescendingOrder, {"old", "b/fresh", "b/cut", "a/half"}},
      {TWorkspaceModel::TranslatedColumn, Qt::AscendingOrder, {"b/cut", "b/fresh", "a/half", "old"}},
      {TWorkspaceModel::TranslatedColumn, Qt::DescendingOrder, {"old", "a/half", "b/fresh", "b/cut"}},
      {TWorkspaceModel::ReviewColumn, Qt::DescendingOrder, {"a/half"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.column << " " << c.order);
    view().Table->sortByColumn(c.column, c.order);
    const int last = view().Sorted->rowCount() - 1;
    EXPECT_EQ(Cell(last, TWorkspaceModel::NameColumn), form->CatalogueText(u"WorkspaceTotal"));
    for (int row = 0; row < c.names.size(); ++row) EXPECT_EQ(Cell(row, TWorkspaceModel::NameColumn), c.names[row]);
  }
}

TEST_F(WorkspaceWindow, ARowOpensItsProjectAfterTheSaveQuestionAndASaveRefreshesItsRow) {
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  form->Session->StoreShownText(project().MessageAtPosition(1), u"typed", true);
  ASSERT_TRUE(form->Session->HasUnsavedChanges());
  struct Case {
    const char* name;
    int column;                                // any cell of the row
    std::optional<TSaveChangesAnswer> answer;  // none: no question is asked
    bool opens;
  };
  const std::vector<Case> cases = {
      {"old", TWorkspaceModel::NameColumn, TSaveChangesAnswer::Cancel, false},
      {"old", TWorkspaceModel::SavedColumn, TSaveChangesAnswer::Discard, true},
      {"a/half", TWorkspaceModel::ReviewColumn, std::nullopt, true},  // nothing changed since "old" was opened
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString before = form->Session->FileName();
    if (c.answer) dialogs.SaveChangesAnswers.push_back(*c.answer);
    const int row = RowOf(QLatin1String(c.name));
    // What the table emits for a double-click and for Enter alike.
    const QModelIndex index = view().Sorted->index(row, c.column);
    emit view().Table->activated(index);
    EXPECT_TRUE(dialogs.SaveChangesAnswers.empty());
    EXPECT_TRUE(dialogs.Errors.empty());
    EXPECT_EQ(form->Session->FileName(), c.opens ? QString::fromStdString(File(c.name)) : before);
  }
  // The open "a/half" with one more translation, saved: its row follows, the others stay.
  const int32_t message = project().MessageAtPosition(2);
  form->Session->StoreShownText(message, u"EN new", true);
  form->Files->Save();
  TtxgProject plain(form->Session->Catalogue());
  plain.LoadFromFile(File("a/half"));
  EXPECT_EQ(plain.TranslatedPositions(), 39);
  EXPECT_EQ(Cell(RowOf(QStringLiteral("a/half")), TWorkspaceModel::TranslatedColumn),
            QStringLiteral("%1%").arg(39 * 100 / plain.PositionCount));
  EXPECT_EQ(Cell(RowOf(QStringLiteral("old")), TWorkspaceModel::TranslatedColumn), QStringLiteral("100%"));
}

// Save As into the folder gives the new file its row; the quest left behind is one of the others
// now, its translations suggestions for the open one. Saved elsewhere or into a hidden folder, the
// project gets no row.
TEST_F(WorkspaceWindow, SaveAsIntoTheFolderAddsARowAndTheQuestLeftBehindJoinsTheMemory) {
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  form->Session->Open(QString::fromStdString(File("old")));
  // Position 2 is translated in "old" alone of the other quests.
  form->Navigator->StepListed(1);
  ASSERT_EQ(project().PositionOfMessage(project().CurrentMessage), 2);
  // Translated anew, so that the pair "old" keeps on file is not the open quest's own.
  form->Session->StoreShownText(project().CurrentMessage, u"EN renamed", true);
  struct Case {
    std::string file;
    QString row;  // empty: no row is added
  };
  Scratch outside;
  const std::vector<Case> cases = {
      {File("a/copy"), QStringLiteral("a/copy")},
      {outside.File(QStringLiteral("elsewhere.txg")).toStdString(), QString()},
      {File(".hidden/copy"), QString()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const int rows = view().Sorted->rowCount();
    std::filesystem::create_directories(std::filesystem::path(c.file).parent_path());
    form->Session->SaveAs(QString::fromStdString(c.file));
    EXPECT_EQ(view().Sorted->rowCount(), rows + (c.row.isEmpty() ? 0 : 1));
    if (c.row.isEmpty()) continue;
    EXPECT_EQ(Cell(RowOf(c.row), TWorkspaceModel::TranslatedColumn), QStringLiteral("100%"));
    EXPECT_EQ(form->Session->OpenQuestIndex(), 0);  // first by its path, before "a/half"
    bool fromOld = false;
    for (int i = 0; i < form->Suggestions->Count(); ++i)
      fromOld = fromOld || form->Suggestions->Shown(i).Quest == u"old";
    EXPECT_TRUE(fromOld);
  }
}

// The memory holds every other quest's translations, each suggestion naming its quest, and a save
// carries the saved quest's new translations to the quests opened after it.
TEST_F(WorkspaceWindow, SuggestionsComeFromTheOtherQuestsAndASaveReachesThem) {
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  auto suggestionsAt = [&](int32_t position) {
    while (project().PositionOfMessage(project().CurrentMessage) != position)
      form->Navigator->StepListed(project().PositionOfMessage(project().CurrentMessage) < position ? 1 : -1);
    std::vector<std::pair<std::u16string, std::u16string>> shown;
    for (int i = 0; i < form->Suggestions->Count(); ++i)
      shown.emplace_back(form->Suggestions->Shown(i).Translation, form->Suggestions->Shown(i).Quest);
    return shown;
  };
  form->Session->Open(QString::fromStdString(File("b/fresh")));
  const std::u16string first = u"EN " + project().GetSourceText(project().MessageAtPosition(1));
  // "a/half" and "old" translate it alike: the pair is kept once, under the first quest.
  EXPECT_EQ(suggestionsAt(1), (std::vector<std::pair<std::u16string, std::u16string>>{{first, u"a/half"}}));
  EXPECT_TRUE(form->Suggestions->Rows[0]->text().contains(QStringLiteral("[a/half]")));
  form->Session->StoreShownText(project().MessageAtPosition(2), u"EN fresh", true);
  form->Files->Save();
  form->Session->Open(QString::fromStdString(File("a/half")));
  const auto atTwo = suggestionsAt(2);
  EXPECT_NE(std::find(atTwo.begin(), atTwo.end(), std::pair<std::u16string, std::u16string>{u"EN fresh", u"b/fresh"}),
            atTwo.end());
  // The open quest's own translation of a message is no suggestion for it.
  for (const auto& [translation, quest] : suggestionsAt(1)) EXPECT_NE(quest, u"a/half");
}

// Tools → Pre-translate…: the dialog counts the bands for its minimum and changes nothing until
// accepted; then the fills are one step that undo takes back whole, notes and review marks too.
TEST_F(WorkspaceWindow, PretranslationCountsFirstThenFillsAsOneStep) {
  // Without a workspace the memory is the project's own: a few translations give fuzzy matches.
  for (int32_t p : {1, 2, 3}) form->Session->StoreShownText(project().MessageAtPosition(p), u"EN fuzzy", true);
  form->Session->RebuildMemory();
  struct Case {
    bool workspace;
    int minimum;
  };
  for (const Case& c : {Case{false, 1}, Case{true, OfferedSimilarity}}) {
    if (c.workspace) {
      ASSERT_NO_FATAL_FAILURE(OpenFolder());
      form->Session->Open(QString::fromStdString(File("b/fresh")));
    }
    const int steps = form->Session->Edits().count();
    const TPretranslation plan = form->Session->PlanPretranslation(c.minimum);
    // Every position of "b/fresh" is translated alike in "old"; the sample project has only fuzzy matches.
    EXPECT_EQ(plan.Counts.Exact, c.workspace ? project().PositionCount : 0);
    EXPECT_EQ(plan.Counts.Fuzzy() > 0, !c.workspace);
    // Closed first (only the sample project): the counts were the dry run and nothing changed.
    for (bool accept : c.workspace ? std::vector<bool>{true} : std::vector<bool>{false, true}) {
      std::vector<int32_t> shown;
      dialogs.DialogScript = [&](QDialog& dialog) {
        auto& pretranslate = dynamic_cast<TPretranslateDialog&>(dialog);
        pretranslate.Minimum->setValue(c.minimum);
        pretranslate.Recount();
        for (QLabel* count : pretranslate.Counts)
          shown.push_back(count->text().remove(QLocale().groupSeparator()).toInt());
        return accept;
      };
      form->Workspace->Commands->Pretranslate();
      const TPretranslationCounts& counts = plan.Counts;
      EXPECT_EQ(shown,
                (std::vector<int32_t>{counts.Exact, counts.From95, counts.From85, counts.FromMinimum, counts.None}));
      EXPECT_EQ(form->Session->Edits().count(), steps + (accept ? 1 : 0));
    }
    int32_t notes = 0;
    for (const TPretranslationFill& fill : plan.Fills) {
      EXPECT_EQ(project().GetTargetText(fill.Message), fill.Text);
      EXPECT_EQ(project().NeedsReview(fill.Message), fill.Review);
      notes += project().Note(fill.Message).rfind(u"fuzzy ", 0) == 0;
    }
    EXPECT_EQ(notes, plan.Counts.Fuzzy());
    form->Session->Edits().undo();
    EXPECT_EQ(form->Session->PlanPretranslation(c.minimum), plan);
    for (const TPretranslationFill& fill : plan.Fills) EXPECT_EQ(project().Note(fill.Message), u"");
  }
}

// The check "inconsistent" runs live with a workspace open: against the other quests' translations
// of the same source, each named; it is off without a workspace.
TEST_F(WorkspaceWindow, ATranslationUnlikeTheOtherQuestsIsInconsistent) {
  auto inconsistent = [&] {
    form->ProcessEnabledControls();
    std::vector<std::u16string> details;
    for (const TCheckFinding& finding : form->Checks->Findings())
      if (finding.Code == InconsistentCheck.Code) details.push_back(finding.Detail);
    return details;
  };
  const int32_t message = project().MessageAtPosition(1);
  const std::u16string alike = u"EN " + project().GetSourceText(message);
  form->Session->StoreShownText(message, u"EN other", true);
  EXPECT_EQ(inconsistent(), std::vector<std::u16string>{});  // no workspace
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  struct Case {
    std::u16string translation;
    std::vector<std::u16string> details;
  };
  for (const Case& c : {Case{u"EN other", {u"a/half: " + alike, u"old: " + alike}}, Case{alike + u" ", {}}}) {
    form->Session->StoreShownText(message, c.translation, true);
    EXPECT_EQ(inconsistent(), c.details);
    EXPECT_EQ(FindProblem(project(), 0, 1, nullptr, nullptr, form->Session->ConsistencyIndex(),
                          form->Session->ConsistencyQuest()) == 1,
              !c.details.empty());
  }
}

// Ctrl+Shift+K: the concordance field finds a phrase in the whole memory, each pair with its quest,
// and a click puts the pair's translation on the clipboard.
TEST_F(WorkspaceWindow, ConcordanceListsThePairsWithTheirQuestAndCopiesATranslation) {
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  form->Session->Open(QString::fromStdString(File("b/fresh")));
  for (QAction* action : form->findChildren<QAction*>())
    if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K)) action->trigger();
  TSuggestionsPanel& panel = *form->Suggestions;
  const std::u16string source = project().GetSourceText(project().MessageAtPosition(1));
  panel.ConcordanceEdit->setText(QString::fromStdU16String(source.substr(0, 12)).toUpper());
  emit panel.ConcordanceEdit->returnPressed();
  ASSERT_GE(panel.ConcordanceList->count(), 1);
  QListWidgetItem* first = panel.ConcordanceList->item(0);
  EXPECT_TRUE(first->text().endsWith(QStringLiteral("[a/half]"))) << first->text().toStdString();
  emit panel.ConcordanceList->itemClicked(first);
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromStdU16String(u"EN " + source));
  panel.ConcordanceEdit->setText(QStringLiteral("no such words anywhere"));
  emit panel.ConcordanceEdit->returnPressed();
  EXPECT_EQ(panel.ConcordanceList->count(), 0);
}

// The list's search over all quests: rows of every quest with its name, the open quest's unsaved
// translations found, and a row of another quest opening it at that message.
TEST_F(WorkspaceWindow, SearchingAllQuestsListsEachQuestsRowsAndOpensTheChosenOne) {
  TMessageListPanel& list = *form->Tools->ListPanel;
  list.ScopeBox->setCurrentIndex(1);
  EXPECT_FALSE(list.SearchesAllQuests());  // no workspace
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  form->Session->Open(QString::fromStdString(File("a/half")));
  const int32_t second = project().MessageAtPosition(2);
  form->Session->StoreShownText(second, u"EN unsaved", true);
  list.ScopeBox->setCurrentIndex(1);
  list.SearchInBox->setCurrentIndex(2);  // translations
  ASSERT_TRUE(list.SearchesAllQuests());
  auto rows = [&](const QString& pattern) {
    list.SearchEdit->setText(pattern);
    std::vector<std::pair<QString, int32_t>> found;
    for (int row = 0; row < list.QuestModel->rowCount(); ++row)
      found.emplace_back(list.QuestModel->index(row, TQuestSearchModel::QuestColumn).data().toString(),
                         list.QuestModel->index(row, TQuestSearchModel::PositionColumn).data().toInt());
    return found;
  };
  using Rows = std::vector<std::pair<QString, int32_t>>;
  EXPECT_EQ(rows(QStringLiteral("en unsaved")), (Rows{{QStringLiteral("a/half"), 2}}));
  const QString first = QString::fromStdU16String(u"EN " + project().GetSourceText(project().MessageAtPosition(1)));
  EXPECT_EQ(rows(first), (Rows{{QStringLiteral("a/half"), 1}, {QStringLiteral("old"), 1}}));
  EXPECT_EQ(list.QuestTable->isVisible(), true);
  EXPECT_EQ(list.Table->isVisible(), false);
  EXPECT_TRUE(list.CountLabel->text().startsWith(QStringLiteral("2 "))) << list.CountLabel->text().toStdString();
  // "old" at position 1, after the question about the unsaved translation.
  dialogs.SaveChangesAnswers.push_back(TSaveChangesAnswer::Discard);
  emit list.QuestTable->activated(list.QuestModel->index(1, 0));
  EXPECT_EQ(form->Session->FileName(), QString::fromStdString(File("old")));
  EXPECT_EQ(project().CurrentMessage, project().MessageAtPosition(1));
  // The rows follow: "old" is now read from the open project.
  EXPECT_EQ(rows(first), (Rows{{QStringLiteral("a/half"), 1}, {QStringLiteral("old"), 1}}));
  list.ScopeBox->setCurrentIndex(0);
  EXPECT_EQ(list.Table->isVisible(), true);
}

// workspace.ini: absent, the defaults; written, files below the folder kept relative to it and read
// back whole; its memory, glossary and language put to use by the open workspace; an unreadable one
// leaves the defaults, said once, and the file as it was.
TEST_F(WorkspaceWindow, WorkspaceSettingsComeFromWorkspaceIniAndArePutToUse) {
  const QString folder = scratch.Folder().path();
  EXPECT_EQ(ReadWorkspaceSettings(folder), TWorkspaceSettings{});
  const std::string tmx = File("tm/game").replace(File("tm/game").size() - 4, 4, ".tmx");
  std::filesystem::create_directories(std::filesystem::path(tmx).parent_path());
  WriteTmx(tmx, {{u"Кнопка запуска", u"Launch button", u"x"}});
  const std::string tbx = "/tmp/xg-workspace-terms-" + std::to_string(::getpid()) + ".tbx";
  SaveTbx({"ru", "en", {{u"шлюз", {u"airlock"}, {}}}}, tbx);
  const TWorkspaceSettings settings{QStringLiteral("en-GB"), {tmx}, {tbx}};
  WriteWorkspaceSettings(folder, settings);
  EXPECT_EQ(ReadWorkspaceSettings(folder), settings);
  QFile ini(WorkspaceSettingsFile(folder));
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  const QString written = QString::fromUtf8(ini.readAll());
  EXPECT_TRUE(written.contains(QStringLiteral("memories=tm/game.tmx"))) << written.toStdString();
  EXPECT_TRUE(written.contains(QString::fromStdString("glossaries=" + tbx))) << written.toStdString();

  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  const TTranslationMemory& memory = form->Session->Reuse().Memory();
  const auto suggestions = memory.Suggest(u"Кнопка запуска", 1, 100);
  ASSERT_EQ(suggestions.size(), 1u);
  EXPECT_EQ(memory.Entry(suggestions[0].Entry).Quest, u"game.tmx");
  ASSERT_EQ(form->Session->Glossaries().Glossaries().size(), 1u);
  EXPECT_EQ(form->Session->Glossaries().Glossaries()[0].File, tbx);
  EXPECT_EQ(form->Session->ProposedLanguage(QLocale::c()), QStringLiteral("en-GB"));
  // Tools → Workspace Settings…: what the dialog holds is written and used.
  dialogs.DialogScript = [](QDialog& dialog) {
    dynamic_cast<TWorkspaceSettingsDialog&>(dialog).LanguageEdit->setText(QStringLiteral(" de "));
    return true;
  };
  form->Workspace->Commands->EditSettings();
  EXPECT_EQ(ReadWorkspaceSettings(folder), (TWorkspaceSettings{QStringLiteral("de"), {tmx}, {tbx}}));
  EXPECT_EQ(form->Session->ProposedLanguage(QLocale::c()), QStringLiteral("de"));
  std::filesystem::remove(tbx);

  // A folder named like the file cannot be read: the defaults, and the reason shown once.
  ASSERT_TRUE(ini.remove());
  ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("workspace.ini")));
  const std::size_t shown = dialogs.Messages.size();
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  EXPECT_EQ(form->Session->WorkspaceSettings(), TWorkspaceSettings{});
  ASSERT_EQ(dialogs.Messages.size(), shown + 1);
  EXPECT_TRUE(dialogs.Messages.back().contains(WorkspaceSettingsFile(folder))) << dialogs.Messages.back().toStdString();
  EXPECT_TRUE(QFileInfo(WorkspaceSettingsFile(folder)).isDir());
}

TEST_F(WorkspaceWindow, AFolderThatCannotBeReadIsShownWithItsNameAndChangesNothing) {
  ASSERT_NO_FATAL_FAILURE(OpenFolder());
  const QString absent = scratch.File(QStringLiteral("absent"));
  dialogs.Answer(QStringLiteral("OpenFolderDialog"), absent);
  form->RunGuarded([this] { view().OpenFolder(); });
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  // The box names the folder as the edges name a file.
  EXPECT_EQ(ErrorBoxText(dialogs.Errors.front(), dialogs.ErrorPlaces.front()).toStdString(),
            absent.toStdString() + ": File not found\n" + absent.toStdString() +
                ": the folder of projects cannot be read: No such file or directory");
  EXPECT_EQ(form->Session->WorkspaceFolder(), scratch.Folder().path());
  EXPECT_EQ(view().Sorted->rowCount(), 5);
}

TEST_F(WorkspaceWindow, AFolderDroppedOrNamedAtStartUpIsOpenedAsTheWorkspace) {
  const QString folder = scratch.Folder().path();
  EXPECT_EQ(DroppedKind(folder), TDroppedKind::Folder);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(folder)});
  EXPECT_EQ(DroppedFile(&data), folder);
  // No save question: the project stays open.
  form->Files->OpenDroppedFile(folder);
  EXPECT_EQ(form->Session->WorkspaceFolder(), folder);
  EXPECT_EQ(view().Sorted->rowCount(), 5);
  EXPECT_FALSE(form->Session->HasFile());
  form->Files->OpenRecentFile(scratch.File(QStringLiteral("b")));
  EXPECT_EQ(form->Session->WorkspaceFolder(), scratch.File(QStringLiteral("b")));
  EXPECT_EQ(view().Sorted->rowCount(), 3);
}

}  // namespace
