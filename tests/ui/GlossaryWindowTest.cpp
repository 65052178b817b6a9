// The glossaries in the window: the Terms panel's rows for the message shown, a term put into the
// translation by a click or Alt+N as one undoable step, Add Term writing the glossary, the terms
// marked in the source and checked live, and a glossary that cannot be read.
#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include "SampleWindow.h"
#include "glossary/Glossary.h"
#include "project/ProjectTestSupport.h"
#include "ui/AddTermDialog.h"
#include "ui/Automation.h"
#include "ui/GlossariesDialog.h"
#include "ui/GlossaryView.h"
#include "ui/MarkupHighlighter.h"
#include "ui/MessageChecks.h"
#include "ui/ProblemsView.h"
#include "ui/TermsView.h"

using namespace uitest;

namespace {

const std::vector<TGlossaryEntry> Terms = {
    {u"станция", {u"station", u"base"}, u"Vega-7", TTermStatus::Preferred},
    {u"шлюз", {u"airlock"}, u"", TTermStatus::Admitted},
    {u"дежурный", {u"janitor"}, u"a guard, never a janitor", TTermStatus::Forbidden},
    {u"Ласточка", {}, u"the ship's name", TTermStatus::DoNotTranslate},
    {u"карантин", {u"quarantine"}, u"", TTermStatus::Preferred},
};

class WindowGlossary : public ActiveSampleWindow {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ActiveSampleWindow::SetUp());
    TGlossary glossary{"ru", "en", Terms};
    SaveTbx(glossary, Tbx("game.tbx"));
    ASSERT_TRUE(form->Session->SetGlossaryFiles({Tbx("game.tbx")}));
  }
  std::string Tbx(const char* name) const { return scratch.File(QLatin1String(name)).toStdString(); }
  // The first message shown at a position whose source holds `text`.
  int32_t MessageWith(const std::u16string& text) {
    for (int32_t position = 1; position <= project().PositionCount; ++position)
      if (project().GetSourceText(project().MessageAtPosition(position)).find(text) != std::u16string::npos)
        return project().MessageAtPosition(position);
    ADD_FAILURE() << "no source holds " << Wide(text).toStdString();
    return 0;
  }
  int32_t Show(const std::u16string& text) {
    const int32_t message = MessageWith(text);
    form->MessagesListTrackBar->SetPosition(project().PositionOfMessage(message));
    form->FocusTranslation();
    return message;
  }
  QStringList Row(int row) const {
    QStringList cells;
    const QTreeWidgetItem* item = form->Glossary->Panel->Table->topLevelItem(row);
    for (int column = 0; column < TTermsPanel::ColumnCount; ++column) cells << item->text(column);
    return cells;
  }
  QString Write(const char* name, const QByteArray& bytes) const {
    QFile file(scratch.File(QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  long TermsFindings() const {
    const std::vector<TCheckFinding>& all = form->Checks->Findings();
    return std::count_if(all.begin(), all.end(), [](const TCheckFinding& finding) { return finding.Code == "terms"; });
  }

  Scratch scratch;
};

TEST_F(WindowGlossary, ThePanelListsTheTermsOfTheSourceOnceEachInTheirOrder) {
  struct Case {
    const char16_t* message;
    std::vector<QStringList> rows;
  };
  const Case cases[] = {
      {u"Шлюз открывается со скрипом",
       {{"Alt+1", "шлюз", "airlock", "", "admitted"},
        {"Alt+2", "дежурный", "janitor", "a guard, never a janitor", "forbidden"},
        {"Alt+3", "станция", "station, base", "Vega-7", "preferred"},
        {"Alt+4", "карантин", "quarantine", "", "preferred"}}},
      // Inflected: «Ласточку», «шлюза».
      {u"Сыворотка помогла",
       {{"Alt+1", "карантин", "quarantine", "", "preferred"},
        {"Alt+2", "Ласточка", "Ласточка", "the ship's name", "do not translate"},
        {"Alt+3", "шлюз", "airlock", "", "admitted"}}},
      {u"Полки почти пусты", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Wide(c.message).toStdString());
    Show(c.message);
    TTermsPanel& panel = *form->Glossary->Panel;
    ASSERT_EQ(panel.Count(), static_cast<int>(c.rows.size()));
    for (int row = 0; row < panel.Count(); ++row) EXPECT_EQ(Row(row), c.rows[static_cast<std::size_t>(row)]);
    EXPECT_EQ(panel.EmptyLabel->isVisible(), c.rows.empty());
  }
  EXPECT_TRUE(form->Glossary->Dock->isVisible());
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WindowGlossary, AClickOrAltNumberPutsTheTranslationAtTheCursorAsOneStep) {
  const int32_t message = Show(u"Шлюз открывается со скрипом");
  const std::u16string before = project().GetTargetText(message);
  struct Case {
    const char* how;
    std::function<void()> insert;
    std::u16string inserted;  // empty: nothing is
  };
  const Case cases[] = {
      {"click on row 4",
       [this] {
         QTreeWidget* table = form->Glossary->Panel->Table;
         QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                           table->visualItemRect(table->topLevelItem(3)).center());
       },
       u"quarantine"},
      {"Alt+3", [this] { Press(QKeySequence(Qt::ALT | Qt::Key_3)); }, u"station"},
      {"Alt+2 on a forbidden term", [this] { Press(QKeySequence(Qt::ALT | Qt::Key_2)); }, u""},
      {"Alt+9 past the last row", [this] { Press(QKeySequence(Qt::ALT | Qt::Key_9)); }, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    form->FocusTranslation();
    QTextCursor cursor = form->TargetMemo->textCursor();
    cursor.setPosition(5);
    form->TargetMemo->setTextCursor(cursor);
    const int steps = form->Session->Edits().index();
    c.insert();
    std::u16string expected = before;
    expected.insert(5, c.inserted);
    EXPECT_EQ(project().GetTargetText(message), expected);
    EXPECT_EQ(form->Session->Edits().index(), steps + (c.inserted.empty() ? 0 : 1));
    EXPECT_EQ(QApplication::focusWidget(), form->TargetMemo);
    if (c.inserted.empty()) continue;
    EXPECT_EQ(form->TargetMemo->textCursor().position(), 5 + static_cast<int>(c.inserted.size()));
    form->Session->Edits().undo();
    EXPECT_EQ(project().GetTargetText(message), before);
    EXPECT_EQ(form->TargetMemo->Text(), Wide(before));
  }
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WindowGlossary, WithoutAWritableGlossaryAddTermOffersANewOne) {
  ASSERT_TRUE(form->Session->SetGlossaryFiles({}));
  dialogs.DialogScript = [](QDialog& dialog) {
    auto& add = static_cast<TAddTermDialog&>(dialog);
    add.SourceEdit->setText(QStringLiteral("ящик"));
    add.TargetEdit->setText(QStringLiteral("crate"));
    return true;
  };
  // Declined, then cancelled at the name: nothing is written.
  dialogs.YesNoAnswers = {false};
  form->Glossary->AddTerm();
  dialogs.YesNoAnswers = {true};
  form->Glossary->AddTerm();
  EXPECT_EQ(dialogs.YesNoAsked.size(), 2u);
  EXPECT_TRUE(ProjectGlossaryFiles(project()).empty());
  // Named: made with the term, and one of the project's glossaries from then on.
  dialogs.YesNoAnswers = {true};
  dialogs.Answer(QStringLiteral("NewGlossaryDialog"), scratch.File(QStringLiteral("new.tbx")));
  form->Glossary->AddTerm();
  EXPECT_EQ(ProjectGlossaryFiles(project()), std::vector<std::string>{Tbx("new.tbx")});
  TGlossaryReport report;
  EXPECT_EQ(LoadTbx(Tbx("new.tbx"), report).Entries,
            (std::vector<TGlossaryEntry>{{u"ящик", {u"crate"}, u"", TTermStatus::Preferred}}));
  EXPECT_TRUE(form->HasUnsavedChanges());
  Show(u"В трюме три ящика");
  ASSERT_EQ(form->Glossary->Panel->Count(), 1);
  EXPECT_EQ(Row(0)[TTermsPanel::SourceColumn], "ящик");
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WindowGlossary, TermsAreMarkedInTheSourceAndCheckedAsTheTranslationChangesAndListed) {
  const int32_t message = Show(u"Шлюз открывается со скрипом");
  const QString shown = form->SourceMemo->toPlainText();
  std::vector<TUnderline> terms;
  for (const TUnderline& line : form->Checks->SourceHighlighter()->Underlines())
    if (line.Kind == TUnderline::Term) terms.push_back(line);
  ASSERT_EQ(terms.size(), 4u);
  const int station = static_cast<int>(shown.indexOf(QStringLiteral("станции")));
  EXPECT_EQ(terms[2].Begin, station);
  EXPECT_EQ(terms[2].End, station + 7);
  EXPECT_EQ(form->Checks->TermTipAt(station + 3), "станция \u2192 station, base\nVega-7\npreferred");
  EXPECT_EQ(form->Checks->TermTipAt(station - 2), "");

  struct Case {
    const char16_t* translation;
    long termsFindings;
  };
  const Case cases[] = {
      {u"airlock janitor station quarantine", 1},  // forbidden
      {u"airlock guard base quarantine", 0},
      {u"door janitor base quarantine", 2},  // missing, forbidden
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Wide(c.translation).toStdString());
    form->TargetMemo->selectAll();
    QTest::keyClicks(form->TargetMemo, Wide(c.translation));
    ASSERT_EQ(project().GetTargetText(message), c.translation);
    EXPECT_EQ(TermsFindings(), c.termsFindings);
  }
  // The problems list has the same rows; without glossaries the check is gone from both.
  auto termsRows = [](const TProblemsDialog& dialog) {
    std::vector<std::u16string> details;
    for (const TReportRow& row : dialog.Model->Rows())
      if (std::string(row.Finding.Code) == "terms") details.push_back(row.Finding.Detail);
    return details;
  };
  TProblemsDialog* dialog = ShowProblems(*form->Session, *form->Navigator, dialogs, form.get());
  EXPECT_EQ(termsRows(*dialog), (std::vector<std::u16string>{u"шлюз → airlock", u"forbidden: janitor"}));
  ASSERT_TRUE(form->Session->SetGlossaryFiles({}));
  QTest::qWait(20);
  EXPECT_TRUE(termsRows(*dialog).empty());
  EXPECT_EQ(TermsFindings(), 0);
  EXPECT_EQ(form->Checks->TermTipAt(station + 3), "");
}

// A damaged and a missing glossary are told when the project opens; the readable one is used and
// Add Term writes into it.
TEST_F(WindowGlossary, AGlossaryThatCannotBeReadIsToldAndAddTermWritesTheNext) {
  const QByteArray damaged = "<?xml version=\"1.0\"?>\n<martif type=\"TBX\">\n<text><body>\n</martif>\n";
  Write("bad.tbx", damaged);
  const std::vector<std::string> files{Tbx("bad.tbx"), Tbx("missing.tbx"), Tbx("game.tbx")};
  SetProjectGlossaryFiles(project(), files);
  form->Session->SaveAs(scratch.File(QStringLiteral("p.txg")));
  dialogs.Messages.clear();
  form->Files->LoadProjectFromFile(scratch.File(QStringLiteral("p.txg")));
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  const QStringList lines = dialogs.Messages.front().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], form->CatalogueText(u"GlossaryReadProblems"));
  EXPECT_TRUE(lines[1].startsWith(QString::fromStdString(Tbx("bad.tbx")) + QStringLiteral(":4: ")))
      << lines[1].toStdString();
  EXPECT_TRUE(lines[2].startsWith(QString::fromStdString(Tbx("missing.tbx")) + QStringLiteral(": ")))
      << lines[2].toStdString();
  Show(u"Шлюз открывается со скрипом");
  EXPECT_EQ(form->Glossary->Panel->Count(), 4);

  Show(u"Полки почти пусты");
  ASSERT_EQ(form->Glossary->Panel->Count(), 0);
  // "Кладовщик" selected in the source; the translation typed selected too.
  const QString source = form->SourceMemo->toPlainText();
  QTextCursor selection(form->SourceMemo->document());
  selection.setPosition(static_cast<int>(source.indexOf(QStringLiteral("Кладовщик"))));
  selection.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
  form->SourceMemo->setTextCursor(selection);
  form->TargetMemo->selectAll();
  QTest::keyClicks(form->TargetMemo, QStringLiteral("storekeeper"));
  form->TargetMemo->selectAll();
  QStringList prefilled;
  dialogs.DialogScript = [&prefilled](QDialog& dialog) {
    auto& add = static_cast<TAddTermDialog&>(dialog);
    prefilled << add.SourceEdit->text() << add.TargetEdit->text();
    add.NoteEdit->setText(QStringLiteral("  keeps the stores "));
    return true;
  };
  Press(QKeySequence(Qt::CTRL | Qt::Key_T));
  EXPECT_EQ(prefilled, (QStringList{"Кладовщик", "storekeeper"}));
  TGlossaryReport report;
  const TGlossary written = LoadTbx(Tbx("game.tbx"), report);
  ASSERT_EQ(written.Entries.size(), Terms.size() + 1);
  EXPECT_EQ(written.Entries.back(),
            (TGlossaryEntry{u"Кладовщик", {u"storekeeper"}, u"keeps the stores", TTermStatus::Preferred}));
  EXPECT_FALSE(QFile::exists(scratch.File(QStringLiteral("missing.tbx"))));
  QFile bad(scratch.File(QStringLiteral("bad.tbx")));
  ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
  EXPECT_EQ(bad.readAll(), damaged);
  ASSERT_EQ(form->Glossary->Panel->Count(), 1);
  EXPECT_EQ(Row(0)[TTermsPanel::SourceColumn], "Кладовщик");
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(WindowGlossary, TheAutomationAddsAGlossaryAndShowsAMessage) {
  EXPECT_THROW(ParseAutomationLine("glossary"), std::invalid_argument);
  EXPECT_EQ(ParseAutomationLine("glossary /a b.tbx")->Text, "/a b.tbx");
  EXPECT_THROW(ParseAutomationLine("open"), std::invalid_argument);
  EXPECT_EQ(ParseAutomationLine("open /a b.txg")->Kind, TAutomationCommand::Open);
  ASSERT_TRUE(form->Session->SetGlossaryFiles({}));
  const QString script = Write("script.txt", QStringLiteral("glossary %1\nshow %2\nglossary %3\n")
                                                 .arg(QString::fromStdString(Tbx("game.tbx")))
                                                 .arg(MessageWith(u"Шлюз открывается со скрипом"))
                                                 .arg(QString::fromStdString(Tbx("missing.tbx")))
                                                 .toUtf8());
  std::ostringstream out;
  TAutomation automation(*form, script, out);
  auto acknowledged = [&out] {
    const std::string text = out.str();
    return std::count(text.begin(), text.end(), '\n');
  };
  for (int turn = 0; turn < 200 && acknowledged() < 3; ++turn) QTest::qWait(10);
  const QStringList lines = QString::fromStdString(out.str()).split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 4) << out.str();
  EXPECT_EQ(lines[0], "done 1");
  EXPECT_EQ(lines[1], "done 2");
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("failed 3: ") + QString::fromStdString(Tbx("missing.tbx"))))
      << lines[2].toStdString();
  EXPECT_EQ(ProjectGlossaryFiles(project()), (std::vector<std::string>{Tbx("game.tbx"), Tbx("missing.tbx")}));
  EXPECT_EQ(form->Glossary->Panel->Count(), 4);
}

TEST(GlossariesDialog, AddsEachFileOnceRemovesAndReorders) {
  ScriptedDialogs dialogs;
  TGlossariesDialog dialog(dialogs, BuiltInTexts(), {"a.tbx", "b.tbx"});
  dialogs.Answer(QStringLiteral("GlossaryOpenDialog"), QStringLiteral("c.tbx"));
  dialogs.Answer(QStringLiteral("GlossaryOpenDialog"), QStringLiteral("a.tbx"));
  // Each step: a button clicked with a row selected (-1: the selection left as it is).
  const struct {
    int row;
    QPushButton* button;
    std::vector<std::string> files;
  } steps[] = {
      {-1, dialog.AddButton, {"a.tbx", "b.tbx", "c.tbx"}}, {-1, dialog.AddButton, {"a.tbx", "b.tbx", "c.tbx"}},
      {2, dialog.UpButton, {"a.tbx", "c.tbx", "b.tbx"}},   {-1, dialog.UpButton, {"c.tbx", "a.tbx", "b.tbx"}},
      {-1, dialog.UpButton, {"c.tbx", "a.tbx", "b.tbx"}},  {2, dialog.DownButton, {"c.tbx", "a.tbx", "b.tbx"}},
      {1, dialog.DownButton, {"c.tbx", "b.tbx", "a.tbx"}}, {-1, dialog.RemoveButton, {"c.tbx", "b.tbx"}},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    if (steps[i].row >= 0) dialog.List->setCurrentRow(steps[i].row);
    steps[i].button->click();
    EXPECT_EQ(dialog.Files(), steps[i].files);
  }
}

TEST(TermLanguages, TheSpellingLanguageThenTheProjectsThenTheGlossarys) {
  const std::tuple<const char16_t*, const char16_t*, std::string> cases[] = {
      {u"en_GB", u"de", "en_GB"}, {u"", u"de", "de"}, {u"", u"", "fr"}};
  for (const auto& [spelling, language, expected] : cases) {
    SCOPED_TRACE(expected);
    TtxgProject project(projecttest::Catalogue());
    project.SetSetting(u"spelling", spelling);
    project.SetSetting(u"language", language);
    // The first glossary read that declares a language: not one that could not be read.
    std::vector<TLoadedGlossary> glossaries(3);
    glossaries[0].Glossary.TargetLanguage = "it";
    glossaries[1].Read = glossaries[2].Read = true;
    glossaries[2].Glossary.TargetLanguage = "fr";
    EXPECT_EQ(ProjectTermLanguages(project, glossaries), (TTermLanguages{"ru", expected}));
  }
}

TEST(TermsPanel, WhatAClickInsertsFollowsTheStatus) {
  const std::pair<TTermStatus, std::u16string> cases[] = {
      {TTermStatus::Preferred, u"airlock"},
      {TTermStatus::Admitted, u"airlock"},
      {TTermStatus::Forbidden, u""},
      {TTermStatus::DoNotTranslate, u"шлюз"},
  };
  for (const auto& [status, inserted] : cases) {
    SCOPED_TRACE(static_cast<int>(status));
    EXPECT_EQ(TermToInsert({u"шлюз", {u"airlock", u"lock"}, u"", status}), inserted);
    EXPECT_EQ(TermToInsert({u"шлюз", {}, u"", status}), status == TTermStatus::DoNotTranslate ? u"шлюз" : u"");
  }
}

}  // namespace
