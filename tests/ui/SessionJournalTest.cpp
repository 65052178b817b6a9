// The session's recovery journal: every kind of change reaches it off the typing path, it lives
// only while changes are unsaved, and a journal left behind is offered, applied only when it
// matches its file.
#include <QDir>
#include <QFile>
#include <QTest>
#include <QUndoStack>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "UiTestSupport.h"
#include "common/ShippedData.h"
#include "journal/JournalReplay.h"
#include "project/MessageSearch.h"
#include "ui/SessionJournal.h"

using namespace uitest;

namespace {

bool Exists(const std::string& file) { return std::filesystem::exists(file); }

class Journal : public testing::Test {
 protected:
  void SetUp() override {
    session->NewFromQuest(SampleQuest());
    session->SaveAs(project);
    original = session->Project().GetTargetText(At(1));
  }
  int32_t At(int position) const { return session->Project().MessageAtPosition(position); }
  void Type(int32_t message, const std::u16string& text) {
    session->ShowMessage(message);
    session->StoreShownText(message, text, true);
  }
  // The session ends as after a crash: what it handed over is on disk, nothing is cleaned up.
  void LeaveJournal() {
    Type(At(1), u"Первый");
    Type(At(2), u"Второй");
    session->Journal().Wait();
    session.reset();
  }
  // A session of the window's file commands, opening `file` with the journal answers given.
  std::unique_ptr<TTranslationSession> OpenAnswering(std::deque<TJournalAnswer> answers) {
    dialogs.JournalAnswers = std::move(answers);
    dialogs.JournalAsked.clear();
    auto opened = std::make_unique<TTranslationSession>(ShippedCatalogue());
    files = std::make_unique<TFileCommands>(*opened, dialogs, &window);
    files->LoadProjectFromFile(project);
    return opened;
  }

  QTemporaryDir folder;
  QString project = folder.filePath(QStringLiteral("p.txg"));
  std::string journal = JournalFileFor(FileNameForLibrary(project));
  std::unique_ptr<TTranslationSession> session = std::make_unique<TTranslationSession>(ShippedCatalogue());
  std::u16string original;
  ScriptedDialogs dialogs;
  QWidget window;
  std::unique_ptr<TFileCommands> files;
};

TEST_F(Journal, EveryKindOfChangeIsRecoveredFromTheSavedFileAndTheJournal) {
  const int32_t m = At(3);
  QFile exchange(folder.filePath(QStringLiteral("one.txt")));
  ASSERT_TRUE(exchange.open(QIODevice::WriteOnly));
  const QString text = QStringLiteral("\uFEFF<Begin %1>\r\nИмпорт\r\n<End>\r\n")
                           .arg(Wide(session->Project().SourceIds[static_cast<std::size_t>(At(4))]));
  exchange.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  exchange.close();
  TConversionReport report;
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"typing", [&] { Type(m, u"Набранный текст"); }},
      {"copy source", [&] { session->CopySource(At(2)); }},
      {"clear", [&] { session->MarkDeleted(At(5)); }},
      {"review", [&] { session->ToggleReview(m); }},
      {"note", [&] { session->SetNote(m, u"Заметка"); }},
      {"finish", [&] { session->Finish(m); }},
      {"replace",
       [&] {
         session->Replace({{m, u"Набранный текст", u"Заменённый"}});
       }},
      {"import", [&] { session->LoadMessages(exchange.fileName(), report); }},
      {"undo", [&] { session->Edits().undo(); }},
      {"redo", [&] { session->Edits().redo(); }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    change();
    session->Journal().Wait();
    TtxgProject recovered(ShippedCatalogue());
    recovered.LoadFromFile(FileNameForLibrary(project));
    ApplyJournal(recovered, ReadJournal(journal));
    for (int32_t n = 1; n <= recovered.SourceCount; ++n)
      ASSERT_EQ(JournalEntryOf(recovered, n, 0), JournalEntryOf(session->Project(), n, 0)) << n;
  }
}

TEST_F(Journal, TypingReachesTheDiskWithinASecondButNotOnTheTypingPath) {
  Type(At(1), u"Да");
  EXPECT_FALSE(Exists(journal));
  QTRY_VERIFY_WITH_TIMEOUT(Exists(journal) && ReadJournal(journal).Entries.size() == 1, 1000);
  EXPECT_EQ(ReadJournal(journal).Entries[0].Text, u"Да");
}

TEST_F(Journal, LivesOnlyWhileChangesAreUnsaved) {
  const QString other = folder.filePath(QStringLiteral("other.txg"));
  const struct {
    const char* name;
    bool typed;
    std::function<void(TTranslationSession&)> step;
    bool kept;
  } cases[] = {
      {"nothing changed", false, [](TTranslationSession&) {}, false},
      {"saved", true, [](TTranslationSession& s) { s.Save(); }, false},
      {"changes thrown away", true, [](TTranslationSession& s) { s.DiscardChanges(); }, false},
      {"another project opened", true, [&](TTranslationSession& s) { s.Open(other); }, false},
      {"unsaved when the session ended", true, [](TTranslationSession&) {}, true},
  };
  session->SaveAs(other);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    session = std::make_unique<TTranslationSession>(ShippedCatalogue());
    session->Open(project);
    if (c.typed) Type(At(1), QString::fromUtf8(c.name).toStdU16String());
    session->Journal().Wait();
    EXPECT_EQ(Exists(journal), c.typed);
    c.step(*session);
    session.reset();
    EXPECT_EQ(Exists(journal), c.kept);
    EXPECT_FALSE(Exists(JournalFileFor(FileNameForLibrary(other))));
    RemoveJournal(journal);
  }
}

TEST_F(Journal, ASaveEmptiesItForTheSavedFileAndSaveAsLeavesTheOldOne) {
  Type(At(1), u"Раз");
  session->Journal().Wait();
  ASSERT_EQ(ReadJournal(journal).Entries.size(), 1u);
  session->Save();
  session->Journal().Wait();
  EXPECT_TRUE(ReadJournal(journal).Entries.empty());
  EXPECT_TRUE(JournalMatches(ReadJournal(journal).Header, FileNameForLibrary(project)));

  const QString other = folder.filePath(QStringLiteral("other.txg"));
  Type(At(1), u"Два");
  session->SaveAs(other);
  Type(At(1), u"Три");
  session->Journal().Wait();
  EXPECT_FALSE(Exists(journal));
  const TJournal moved = ReadJournal(JournalFileFor(FileNameForLibrary(other)));
  EXPECT_TRUE(JournalMatches(moved.Header, FileNameForLibrary(other)));
  ASSERT_EQ(moved.Entries.size(), 1u);
  EXPECT_EQ(moved.Entries[0].Text, u"Три");
}

TEST_F(Journal, AProjectNeverSavedKeepsItsJournalInTheStateFolderUntilSaved) {
  session->NewFromQuest(SampleQuest());
  Type(At(1), u"Новый");
  session->Journal().Wait();
  const std::string state =
      NewProjectJournalFile(FileNameForLibrary(TSessionJournal::StateFolder()), FileNameForLibrary(SampleQuest()));
  const TJournal kept = ReadJournal(state);
  EXPECT_EQ(kept.Header.Kind, TJournalKind::NewProjectQuest);
  EXPECT_TRUE(JournalMatches(kept.Header, FileNameForLibrary(SampleQuest())));
  EXPECT_EQ(kept.Entries.size(), 1u);
  session->SaveAs(project);
  session->Journal().Wait();
  EXPECT_FALSE(Exists(state));
}

TEST_F(Journal, OpeningAProjectOffersItsMatchingJournal) {
  const struct {
    TJournalAnswer answer;
    std::u16string first;  // the text of the first message after opening
    bool journalKept;
  } cases[] = {
      {TJournalAnswer::Discard, original, false},
      {TJournalAnswer::Recover, u"Первый", true},
      {TJournalAnswer::Later, original, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.answer));
    session = std::make_unique<TTranslationSession>(ShippedCatalogue());
    session->Open(project);
    LeaveJournal();
    session = OpenAnswering({c.answer});
    ASSERT_EQ(dialogs.JournalAsked.size(), 1u);
    EXPECT_TRUE(dialogs.JournalAsked[0].CanRecover);
    EXPECT_TRUE(dialogs.JournalAsked[0].Text.contains(QStringLiteral("2 changes")));
    EXPECT_EQ(session->Project().GetTargetText(At(1)), c.first);
    EXPECT_EQ(session->HasUnsavedChanges(), c.answer == TJournalAnswer::Recover);
    EXPECT_EQ(Exists(journal), c.journalKept);
    EXPECT_EQ(Exists(DiscardedJournalFile(journal)), c.answer == TJournalAnswer::Discard);
    // New changes go after the waiting ones; closing without them leaves just the waiting ones.
    Type(At(3), u"Третий");
    session->Journal().Wait();
    if (c.journalKept) {
      EXPECT_EQ(ReadJournal(journal).Entries.size(), 3u);
    }
    if (c.answer == TJournalAnswer::Recover) {
      session->Edits().undo();
      session->Edits().undo();
      EXPECT_EQ(session->Project().GetTargetText(At(1)), original);
    }
    session->DiscardChanges();
    session.reset();
    EXPECT_EQ(Exists(journal), c.answer == TJournalAnswer::Later);
    if (c.answer == TJournalAnswer::Later) {
      EXPECT_EQ(ReadJournal(journal).Entries.size(), 2u);
    }
    std::filesystem::remove(DiscardedJournalFile(journal));
  }
}

TEST_F(Journal, AJournalThatDoesNotMatchItsFileIsOnlyShownAndADamagedOneOnlyDiscarded) {
  LeaveJournal();
  {
    // Saved elsewhere since the journal was written.
    TtxgProject elsewhere(ShippedCatalogue());
    elsewhere.LoadFromFile(FileNameForLibrary(project));
    elsewhere.SetTargetText(elsewhere.MessageAtPosition(1), u"Где-то ещё");
    elsewhere.SaveToFile(FileNameForLibrary(project));
  }
  session = OpenAnswering({TJournalAnswer::Show, TJournalAnswer::Recover});
  ASSERT_EQ(dialogs.JournalAsked.size(), 2u);
  EXPECT_FALSE(dialogs.JournalAsked[0].CanRecover);
  EXPECT_TRUE(dialogs.JournalAsked[0].CanShow);
  ASSERT_EQ(dialogs.ErrorBoxes.size(), 1u);
  EXPECT_TRUE(dialogs.ErrorBoxes[0].second.contains(QStringLiteral(": Второй")));
  EXPECT_EQ(session->Project().GetTargetText(At(1)), u"Где-то ещё");
  EXPECT_FALSE(session->HasUnsavedChanges());
  EXPECT_EQ(ReadJournal(journal).Entries.size(), 2u);
  session.reset();

  QFile damaged(QString::fromStdString(journal));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("XGJOURNL but not a header");
  damaged.close();
  session = OpenAnswering({TJournalAnswer::Discard});
  ASSERT_EQ(dialogs.JournalAsked.size(), 1u);
  EXPECT_FALSE(dialogs.JournalAsked[0].CanShow);
  EXPECT_TRUE(dialogs.JournalAsked[0].Text.contains(QStringLiteral("The journal has no header")));
  EXPECT_FALSE(Exists(journal));
  EXPECT_TRUE(Exists(DiscardedJournalFile(journal)));
}

TEST_F(Journal, AtStartUpAProjectNeverSavedIsRecoveredFromItsQuest) {
  // Only this test's journal: earlier tests in the process may have left theirs.
  const QDir state(TSessionJournal::StateFolder());
  for (const QString& name : state.entryList({QStringLiteral("*.journal")}, QDir::Files))
    QFile::remove(state.filePath(name));
  session->NewFromQuest(SampleQuest());
  LeaveJournal();
  dialogs.JournalAnswers = {TJournalAnswer::Recover};
  TTranslationSession restarted(ShippedCatalogue());
  TFileCommands(restarted, dialogs, &window).OfferNeverSavedJournals();
  ASSERT_EQ(dialogs.JournalAsked.size(), 1u);
  EXPECT_TRUE(dialogs.JournalAsked[0].Text.contains(QStringLiteral("sample.xg")));
  EXPECT_FALSE(restarted.HasFile());
  EXPECT_EQ(restarted.Project().GetTargetText(restarted.Project().MessageAtPosition(2)), u"Второй");
  EXPECT_TRUE(restarted.HasUnsavedChanges());
}

}  // namespace
