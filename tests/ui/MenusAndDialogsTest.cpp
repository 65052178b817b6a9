// The Help menu and the panels' entries in View, the names the save dialogs propose, the TMX
// export, and Replace taking over what the translator searched for.
#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "SampleWindow.h"
#include "memory/Tmx.h"
#include "support/Installation.h"
#include "ui/FileCommands.h"
#include "ui/HelpView.h"
#include "ui/MainMenu.h"
#include "ui/MessageListPanel.h"
#include "ui/MessageTools.h"
#include "ui/ReplaceDialog.h"

using namespace uitest;

namespace {

QAction* ActionNamed(const QMenu* menu, const QString& text) {
  for (QAction* action : menu->actions())
    if (action->text() == text) return action;
  return nullptr;
}

// Every entry with a shortcut, found by walking the menu bar rather than through TMainMenu.
int EntriesWithShortcuts(const QMenuBar* bar) {
  int count = 0;
  std::function<void(const QMenu*)> walk = [&](const QMenu* menu) {
    for (const QAction* action : menu->actions()) {
      if (action->menu() != nullptr) walk(action->menu());
      count += !action->shortcuts().isEmpty();
    }
  };
  for (const QAction* action : bar->actions())
    if (action->menu() != nullptr) walk(action->menu());
  return count;
}

class MenusAndDialogs : public SampleWindow {
 protected:
  QString LastProposed() const { return dialogs.FileDialogsShown.back().FileName; }
  Scratch scratch;
};

TEST_F(MenusAndDialogs, HelpListsEveryShortcutOfTheMenusAndAboutNamesTheVersion) {
  QAction* shortcuts = ActionNamed(form->Menu->Help, form->CatalogueText(u"MenuShortcuts"));
  ASSERT_NE(shortcuts, nullptr);
  EXPECT_EQ(shortcuts->shortcut(), QKeySequence(Qt::Key_F1));
  std::vector<QStringList> rows;
  dialogs.DialogScript = [&rows](QDialog& dialog) {
    const QTableWidget* table = static_cast<TShortcutsDialog&>(dialog).Table;
    for (int row = 0; row < table->rowCount(); ++row)
      rows.push_back({table->item(row, 0)->text(), table->item(row, 1)->text(), table->item(row, 2)->text()});
    return true;
  };
  shortcuts->trigger();
  EXPECT_EQ(static_cast<int>(rows.size()), EntriesWithShortcuts(form->menuBar()));
  auto listed = [&rows](const QStringList& row) { return std::find(rows.begin(), rows.end(), row) != rows.end(); };
  EXPECT_TRUE(listed({"File", "Save", "Ctrl+S"}));
  EXPECT_TRUE(listed({"Edit", "Redo", "Ctrl+Shift+Z, Ctrl+Y"}));
  EXPECT_TRUE(listed({"Go", "Next Message", "Ctrl+Down, PgDown"}));
  EXPECT_TRUE(listed({"Help", "Keyboard Shortcuts", "F1"}));

  ActionNamed(form->Menu->Help, form->CatalogueText(u"MenuAbout"))->trigger();
  ASSERT_FALSE(dialogs.Messages.empty());
  EXPECT_TRUE(dialogs.Messages.back().startsWith(QStringLiteral("Quest Translator ") + ProgramVersion() + ":"));
}

TEST_F(MenusAndDialogs, SuggestionsPanelClosesAndComesBackFromTheViewMenu) {
  ASSERT_TRUE(form->SuggestionsDock->features().testFlag(QDockWidget::DockWidgetClosable));
  QAction* toggle = ActionNamed(form->Menu->View, QStringLiteral("Suggestions"));
  ASSERT_NE(toggle, nullptr);
  form->SuggestionsDock->close();
  EXPECT_FALSE(toggle->isChecked());
  toggle->trigger();
  EXPECT_TRUE(form->SuggestionsDock->isVisible());
}

TEST_F(MenusAndDialogs, SaveDialogsProposeTheQuestsNameUntilAnotherIsChosen) {
  const QString folder = QFileInfo(SampleQuest()).absolutePath() + QLatin1Char('/');
  struct Case {
    std::function<void()> command;
    const char* proposed;
  };
  const std::vector<Case> cases = {
      {[this] { form->Files->ExportSource(); }, "sample.xg"},
      {[this] { form->Files->ExportTranslated(); }, "sample.xg"},
      {[this] { form->Files->WriteMessages(); }, "sample.txt"},
      {[this] { form->Files->ExportForTools(); }, "sample.po"},
      {[this] { form->Files->ExportTmx(); }, "sample.tmx"},
      {[this] { form->Files->Save(); }, "sample.txg"},
  };
  for (const Case& c : cases) {
    c.command();  // answered by nobody: cancelled
    EXPECT_EQ(LastProposed(), folder + QLatin1String(c.proposed)) << c.proposed;
  }

  // A name chosen stays proposed for this project; the next project gets its own in that folder.
  dialogs.Answer(QStringLiteral("SaveMsgsSaveDialog"), scratch.File(QStringLiteral("mine.txt")));
  form->Files->WriteMessages();
  form->Files->WriteMessages();
  EXPECT_EQ(LastProposed(), scratch.File(QStringLiteral("mine.txt")));
  dialogs.SaveChangesAnswers = {TSaveChangesAnswer::Discard};
  ASSERT_NO_FATAL_FAILURE(NewSampleProject());
  form->Files->WriteMessages();
  EXPECT_EQ(LastProposed(), scratch.File(QStringLiteral("sample.txt")));
}

TEST_F(MenusAndDialogs, ExportTmxFromTheFileMenuAsksTheLanguageProposingTheSpellingOne) {
  QAction* exportTmx = ActionNamed(form->Menu->File, form->CatalogueText(u"MenuExportTmx"));
  ASSERT_NE(exportTmx, nullptr);
  form->Session->SetSetting(u"spelling", u"de_DE");
  form->Session->StoreShownText(project().CurrentMessage, u"Übersetzt", true);
  const QString file = scratch.File(QStringLiteral("memory.tmx"));
  dialogs.Answer(QStringLiteral("TmxSaveDialog"), file);
  dialogs.TextAnswers = {QStringLiteral("de")};
  exportTmx->trigger();
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  EXPECT_EQ(dialogs.TextProposed, std::vector<QString>{QStringLiteral("de-DE")});
  EXPECT_EQ(project().Setting(u"language"), u"de");
  EXPECT_EQ(ReadTmx(file.toStdString()).size(), 1u);
}

TEST_F(MenusAndDialogs, ReplaceTakesOverTheSearchAndItsOptions) {
  TMessageListPanel& list = *form->Tools->ListPanel;
  list.SearchEdit->setText(QStringLiteral("кредит\\w+"));
  list.RegexBox->setChecked(true);
  form->Tools->ReplaceAction->trigger();
  EXPECT_EQ(form->Tools->ReplaceDialog->FindEdit->text(), QStringLiteral("кредит\\w+"));
  EXPECT_TRUE(form->Tools->ReplaceDialog->RegexBox->isChecked());
  EXPECT_FALSE(form->Tools->ReplaceDialog->CaseBox->isChecked());
}

}  // namespace
