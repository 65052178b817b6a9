// The translation session without a window: replacing and saving the project, the undo history
// with its saved state, imports as one step, and what makes closing ask first.
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/ShippedData.h"
#include "memory/Tmx.h"
#include "project/ConversionReport.h"
#include "project/MessageSearch.h"
#include "project/ProjectClass.h"
#include "ui/TranslationSession.h"

namespace {

QString Sample() { return QString::fromStdString(SampleQuestPath()); }

class Session : public testing::Test {
 protected:
  void SetUp() override { session.NewFromQuest(Sample()); }
  TtxgProject& project() { return session.Project(); }
  int32_t At(int position) { return project().MessageAtPosition(position); }
  QString File(const char* name) const { return folder.filePath(QLatin1String(name)); }
  void Type(int32_t message, const std::u16string& text) { session.StoreShownText(message, text, true); }

  QTemporaryDir folder;
  TTranslationSession session{ShippedCatalogue()};
};

TEST_F(Session, NewProjectStartsCleanAtItsFirstMessage) {
  EXPECT_GT(project().PositionCount, 1);
  EXPECT_EQ(project().CurrentMessage, At(1));
  EXPECT_FALSE(session.HasFile());
  EXPECT_EQ(session.QuestFileName(), Sample());
  EXPECT_EQ(session.ProjectOrQuestFileName(), Sample());
  EXPECT_FALSE(session.HasUnsavedChanges());
  EXPECT_EQ(session.Edits().count(), 0);
}

TEST_F(Session, UnreadableFilesLeaveAnEmptyProjectWithoutAFile) {
  session.SaveAs(File("kept.txg"));
  const std::function<void()> failing[] = {
      [this] { session.NewFromQuest(File("missing.xg")); },
      [this] { session.Open(File("missing.txg")); },
  };
  for (const auto& command : failing) {
    session.Open(File("kept.txg"));
    QSignalSpy replaced(&session, &TTranslationSession::ProjectReplaced);
    EXPECT_ANY_THROW(command());
    EXPECT_EQ(replaced.count(), 1);  // the views are told the old messages are gone
    EXPECT_EQ(project().PositionCount, 0);
    // Ctrl+S must not write the empty project over the file that was open before.
    EXPECT_FALSE(session.HasFile());
    EXPECT_THROW(session.Save(), std::logic_error);
  }
}

TEST_F(Session, TypingMergesUntilTheTranslatorMovesAndUndoReachesTheSavedState) {
  const int32_t first = At(1);
  const int32_t second = At(2);
  const std::u16string original = project().GetTargetText(first);
  Type(first, u"Д");
  Type(first, u"Да ");  // stored trimmed
  EXPECT_EQ(project().GetTargetText(first), u"Да");
  EXPECT_EQ(session.Edits().count(), 1);
  session.ShowMessage(second);
  Type(second, u"Нет");
  EXPECT_EQ(session.Edits().count(), 2);
  EXPECT_TRUE(session.HasUnsavedChanges());

  // Undoing a step of another message asks the window to show that message first.
  QSignalSpy show(&session, &TTranslationSession::ShowRequested);
  session.Edits().undo();
  EXPECT_EQ(show.count(), 0);  // the second message is the one shown
  session.Edits().undo();
  ASSERT_EQ(show.count(), 1);
  EXPECT_EQ(show.at(0).at(0).toInt(), first);
  EXPECT_EQ(project().GetTargetText(first), original);
  EXPECT_FALSE(session.HasUnsavedChanges());
}

TEST_F(Session, WhatMakesClosingAsk) {
  struct Case {
    const char* name;
    std::function<void()> change;
    bool asks;
    int undoSteps;
  };
  const int32_t shown = At(1);
  const Case cases[] = {
      {"typing", [&] { Type(shown, u"x"); }, true, 1},
      {"copy source",
       [&] {
         session.MarkDeleted(shown);
         session.CopySource(shown);
       },
       true, 2},
      {"mark deleted", [&] { session.MarkDeleted(shown); }, true, 1},
      {"review mark", [&] { session.ToggleReview(shown); }, true, 1},
      {"note", [&] { session.SetNote(shown, u"ask"); }, true, 0},
      {"setting", [&] { session.SetSetting(u"language", u"en"); }, true, 0},
      {"same setting again", [&] { session.SetSetting(u"language", u""); }, false, 0},
      {"showing an untrimmed text",
       [&] { session.StoreShownText(shown, project().GetTargetText(shown) + u" ", false); }, false, 0},
      {"update", [&] { session.UpdateSource(Sample()); }, true, 0},
  };
  for (const Case& c : cases) {
    session.NewFromQuest(Sample());
    c.change();
    EXPECT_EQ(session.HasUnsavedChanges(), c.asks) << c.name;
    EXPECT_EQ(session.Edits().count(), c.undoSteps) << c.name;
  }
  // An update is a new project that was never saved: it must be saved under a name.
  EXPECT_FALSE(session.HasFile());
}

TEST_F(Session, SaveAndOpenKeepTheWorkAndTheFile) {
  EXPECT_THROW(session.Save(), std::logic_error);
  Type(At(1), u"Сохранено");
  session.SaveAs(File("a.txg"));
  EXPECT_EQ(session.FileName(), File("a.txg"));
  EXPECT_FALSE(session.HasUnsavedChanges());
  Type(At(1), u"Ещё раз");
  session.Save();
  EXPECT_FALSE(session.HasUnsavedChanges());

  session.NewFromQuest(Sample());
  session.Open(File("a.txg"));
  EXPECT_EQ(project().GetTargetText(At(1)), u"Ещё раз");
  EXPECT_EQ(session.FileName(), File("a.txg"));
  EXPECT_EQ(session.ProjectOrQuestFileName(), File("a.txg"));
  EXPECT_EQ(session.Edits().count(), 0);
  EXPECT_FALSE(session.HasUnsavedChanges());
}

TEST_F(Session, AnImportIsOneStep) {
  const int32_t a = At(1);
  const int32_t b = At(2);
  QFile file(File("all.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const QString text = QStringLiteral("<Begin %1>\r\nПервый\r\n<End>\r\n\r\n<Begin %2>\r\nВторой\r\n<End>\r\n\r\n")
                           .arg(QString::fromStdU16String(project().SourceIds[static_cast<std::size_t>(a)]),
                                QString::fromStdU16String(project().SourceIds[static_cast<std::size_t>(b)]));
  file.write("\xFF\xFE", 2);
  file.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  file.close();
  const std::u16string before = project().GetTargetText(a);

  TConversionReport report;
  EXPECT_TRUE(session.LoadMessages(File("all.txt"), report).isEmpty());
  EXPECT_EQ(project().GetTargetText(a), u"Первый");
  EXPECT_EQ(project().GetTargetText(b), u"Второй");
  EXPECT_EQ(session.ImportedTranslations(), 2);
  ASSERT_EQ(session.Edits().count(), 1);
  session.Edits().undo();
  EXPECT_EQ(project().GetTargetText(a), before);
  EXPECT_FALSE(session.HasUnsavedChanges());
  session.Edits().redo();
  EXPECT_EQ(project().GetTargetText(b), u"Второй");
}

TEST_F(Session, TitleAndProposedNamesNeverPointAnUpdateAtTheOldProject) {
  const QString program = QStringLiteral(" - Quest Translator");
  const QString unsaved = QStringLiteral("New project from sample.xg (not saved)[*]") + program;
  const QString questFolder = QFileInfo(Sample()).absolutePath();
  EXPECT_EQ(session.Title(), unsaved);
  EXPECT_EQ(session.SuggestedProjectFileName(), questFolder + QStringLiteral("/sample.txg"));
  EXPECT_EQ(session.SuggestedFileName(QStringLiteral("po")), questFolder + QStringLiteral("/sample.po"));

  session.SaveAs(File("quest.txg"));
  EXPECT_EQ(session.Title(), File("quest.txg") + QStringLiteral("[*]") + program);
  EXPECT_EQ(session.SuggestedProjectFileName(), File("quest.txg"));
  EXPECT_EQ(session.SuggestedFileName(QStringLiteral("xg")), File("quest.xg"));

  // Updated, the project has no file: the next free number beside the old one is proposed.
  QFile taken(File("quest-2.txg"));
  ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
  taken.close();
  session.UpdateSource(Sample());
  EXPECT_EQ(session.Title(), unsaved);
  EXPECT_EQ(session.SuggestedProjectFileName(), File("quest-3.txg"));
  session.SaveAs(File("quest-3.txg"));
  session.UpdateSource(Sample());
  EXPECT_EQ(session.SuggestedProjectFileName(), File("quest-4.txg"));
  session.NewFromQuest(Sample());  // a new project forgets the replaced file
  EXPECT_EQ(session.SuggestedProjectFileName(), questFolder + QStringLiteral("/sample.txg"));

  EXPECT_ANY_THROW(session.NewFromQuest(File("missing.xg")));
  EXPECT_EQ(session.Title(), QStringLiteral("Quest Translator"));
}

TEST_F(Session, TheFirstExportProposesTheSpellingLanguageElseTheLocale) {
  struct Case {
    const char16_t* spelling;
    QLocale locale;
    const char* proposed;
  };
  const Case cases[] = {
      {u"", QLocale(QLocale::German, QLocale::Germany), "de-DE"},
      {u"en_GB", QLocale(QLocale::German, QLocale::Germany), "en-GB"},
      {u"ru", QLocale::c(), "ru"},
      {u"", QLocale::c(), ""},
  };
  for (const Case& c : cases) {
    session.SetSetting(u"spelling", c.spelling);
    EXPECT_EQ(session.ProposedLanguage(c.locale), QLatin1String(c.proposed)) << c.proposed;
  }
}

TEST_F(Session, ExportTmxWritesTheTranslatedMessagesForTheProjectsLanguage) {
  Type(At(2), u"Второй");
  session.SetSetting(u"language", u"ru");
  session.ExportTmx(File("memory.tmx"));
  const std::vector<TMemoryEntry> entries = ReadTmx(File("memory.tmx").toStdString());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Source, project().GetSourceText(At(2)));
  EXPECT_EQ(entries[0].Translation, u"Второй");
  QFile file(File("memory.tmx"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("xml:lang=\"ru\""));
}

TEST_F(Session, AReplaceIsOneStepAndShowsTheShownMessageWithoutStoringIt) {
  const int32_t shown = project().CurrentMessage;
  Type(shown, u"кот и кот");
  Type(At(2), u"кот");
  session.Edits().clear();
  QSignalSpy replaced(&session, &TTranslationSession::ShownTextReplaced);
  ASSERT_TRUE(session.Replace({{shown, u"кот и кот", u"пёс и пёс"}, {At(2), u"кот", u"пёс"}}));
  EXPECT_EQ(replaced.count(), 1);
  EXPECT_EQ(session.Edits().count(), 1);
  session.Edits().undo();
  EXPECT_EQ(project().GetTargetText(shown), u"кот и кот");
  EXPECT_FALSE(session.Replace({}));
}

TEST_F(Session, ClearedBoxStoresNothingUntilTyped) {
  const int32_t shown = At(1);
  const std::u16string copy = project().GetTargetText(shown);
  ASSERT_EQ(copy, project().GetSourceText(shown));
  EXPECT_TRUE(session.TypingReplaces(shown));
  EXPECT_FALSE(session.TypingReplaces(0));

  ASSERT_TRUE(session.ClearForTyping(shown));
  EXPECT_FALSE(session.ClearForTyping(0));
  for (int32_t n = 1; n <= project().SourceCount; ++n)  // a linked duplicate follows its question
    EXPECT_EQ(session.ClearForTyping(n), !project().IsLinked(n));
  ASSERT_TRUE(session.ClearForTyping(shown));
  session.StoreShownText(shown, u"", false);  // the window empties the box
  EXPECT_EQ(project().GetTargetText(shown), copy);
  EXPECT_FALSE(session.HasUnsavedChanges());
  Type(shown, u"Д");
  EXPECT_FALSE(session.TypingReplaces(shown));
  Type(shown, u" ");  // erased again: still nothing of the translator's
  EXPECT_EQ(project().GetTargetText(shown), copy);
  Type(shown, u"Да");
  EXPECT_EQ(session.Edits().count(), 1);
  session.Edits().undo();
  EXPECT_EQ(project().GetTargetText(shown), copy);

  // A move ends it: a blank box stores the deleted-message text again, as Mark as Deleted does.
  session.ClearForTyping(shown);
  session.ShowMessage(At(2));
  session.StoreShownText(shown, u"", false);
  EXPECT_EQ(project().GetTargetText(shown), project().DeletedMessageText());
  session.ClearForTyping(At(2));
  session.MarkDeleted(At(2));
  EXPECT_EQ(project().GetTargetText(At(2)), project().DeletedMessageText());
}

// Done keeps a translation equal to its source as it is, in one step with the review mark it
// clears; every command that changes such a translation drops the mark, and its undo brings it back.
TEST_F(Session, DoneKeepsATranslationAsItIsUntilItChanges) {
  const int32_t m = At(1);
  const std::u16string source = project().GetSourceText(m);
  project().SetNeedsReview(m, true);
  session.Finish(m);
  EXPECT_EQ(session.Edits().undoText(), QStringLiteral("Mark translated as is"));
  EXPECT_TRUE(project().TranslatedAsIs(m) && project().IsTranslated(m) && !project().NeedsReview(m));
  session.Finish(m);
  EXPECT_EQ(session.Edits().count(), 1);  // nothing left to change

  QFile exchange(File("one.txt"));
  ASSERT_TRUE(exchange.open(QIODevice::WriteOnly));
  const QString text = QStringLiteral("\uFEFF<Begin %1>\r\nДругой\r\n<End>\r\n")
                           .arg(QString::fromStdU16String(project().SourceIds[static_cast<std::size_t>(m)]));
  exchange.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  exchange.close();
  TConversionReport report;
  const std::function<void()> changes[] = {
      [&] { Type(m, source + u" x"); },
      [&] {
        Type(m, source + u" x");
        Type(m, source);  // typed back: the step stays for the mark
      },
      [&] { session.MarkDeleted(m); },
      [&] { session.InsertSuggestion(m, u"Подсказка", 100); },
      [&] { session.Replace(PlanReplacements(project(), TTextMatcher(u"^.", false, false, true), u"Z", {m})); },
      [&] { session.LoadMessages(File("one.txt"), report); },
  };
  for (const auto& change : changes) {
    session.ShowMessage(m);
    const int32_t translated = project().TranslatedPositions();
    change();
    EXPECT_FALSE(project().TranslatedAsIs(m));
    session.Edits().undo();
    EXPECT_EQ(project().GetTargetText(m), source);
    EXPECT_TRUE(project().TranslatedAsIs(m));
    EXPECT_EQ(project().TranslatedPositions(), translated);
  }
  session.Edits().undo();
  EXPECT_TRUE(!project().TranslatedAsIs(m) && project().NeedsReview(m) && !project().IsTranslated(m));
}

}  // namespace
