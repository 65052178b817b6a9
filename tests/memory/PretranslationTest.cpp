// The memory of a workspace (every quest's translations, each naming its quest) and the
// pre-translation of one quest from it: bands, notes, review flags and the markup carried over.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "memory/Pretranslation.h"
#include "memory/Tmx.h"
#include "memory/WorkspaceFixtures.h"
#include "memory/WorkspaceMemory.h"
#include "support/Utf8.h"

namespace {

using workspacetest::Workspace;

TTranslationMemory MemoryOf(const Workspace& workspace, std::vector<std::string>& problems,
                            const std::vector<std::string>& tmx = {}) {
  TTranslationMemory memory;
  FillWorkspaceMemory({workspace.folder.Path(), workspace.Files(), workspace.open, tmx}, projecttest::Catalogue(),
                      memory, problems);
  return memory;
}

TEST(WorkspaceMemory, HoldsEveryOtherQuestsTranslationsNamingTheQuest) {
  Workspace workspace;
  const std::string tmx = workspace.folder.File("extra.tmx");
  WriteTmx(tmx, {{u"Dock here", u"Причаливай", u""}});
  std::vector<std::string> problems;
  const TTranslationMemory memory = MemoryOf(workspace, problems, {tmx, workspace.folder.File("missing.tmx")});

  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0].rfind(workspace.broken + ": ", 0), 0u) << problems[0];
  EXPECT_NE(problems[1].find("missing.tmx"), std::string::npos) << problems[1];

  std::vector<std::string> held;
  for (std::size_t i = 0; i < memory.Size(); ++i)
    held.push_back(Utf16ToUtf8(memory.Entry(i).Quest + u" | " + memory.Entry(i).Source));
  const std::vector<std::string> expected = {
      "Altair | Take the key",
      "Altair | Open the door",
      "chapter1/Vega | Take the key",
      "chapter1/Vega | Pay <clr>100<clrEnd> credits",
      "chapter1/Vega | Fly to [p1] stars now",
      "chapter1/Vega | Welcome to the station, ranger",
      "chapter1/Vega | The old station keeps its doors shut for all strangers",
      "chapter1/Vega | Take the <b>key</b>",
      "extra.tmx | Dock here",  // not "Leave the ship": the open quest is skipped
  };
  EXPECT_EQ(held, expected);
}

// The index of the check "inconsistent" holds the quests' translations, not those of a TMX file.
TEST(WorkspaceMemory, MakesTheIndexOfTheInconsistentCheck) {
  Workspace workspace;
  const std::string tmx = workspace.folder.File("extra.tmx");
  WriteTmx(tmx, {{u"Take the key", u"Хватай ключ", u""}});
  std::vector<std::string> problems;
  TTranslationMemory memory = MemoryOf(workspace, problems, {tmx});
  memory.Add({u"Take the key", u"Ключ бери", u"1"});  // the open project's own: no quest
  const TConsistencyIndex index = MakeConsistencyIndex(memory, {u"Altair", u"chapter1/Vega", u"Open"});
  const std::vector<TCheckFinding> findings = CheckInconsistent(index, u"Altair", u" Take the key ", u"Бери ключ");
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].Detail, u"chapter1/Vega: Возьми ключ");
}

TEST(WorkspaceMemory, QuestNamesArePathsBelowTheFolder) {
  const std::vector<std::array<std::string, 3>> cases = {
      // folder, file, name
      {"/games/one/", "/games/one/a/b/Vega.txg", "a/b/Vega"},
      {"/games/one", "/elsewhere/Vega.txg", "Vega"},
      {"", "quests/Vega.txg", "Vega"},
      {"/games/one", "/games/one/notes.txg.bak", "notes.txg.bak"},
  };
  for (const auto& [folder, file, name] : cases) EXPECT_EQ(Utf16ToUtf8(QuestNameOf(folder, file)), name) << file;
}

TEST(Pretranslation, CarriesTheMarkupOfTheNewSource) {
  struct Case {
    std::u16string memorySource, translation, source, expected;
  };
  const std::vector<Case> cases = {
      {u"Pay <clr>100<clrEnd> now", u"Плати <clr>100<clrEnd> сейчас", u"Pay <clr>250<clrEnd> now",
       u"Плати <clr>250<clrEnd> сейчас"},
      // The translation moved the formulas: each follows its own.
      {u"[p1] of [p2]", u"[p2] из [p1]", u"[p3] of [p4]", u"[p4] из [p3]"},
      // A token repeated: the k-th in the translation stands for the k-th in the source.
      {u"<br>a<br>b", u"x<br>y<br>", u"<i>a<j>b", u"x<i>y<j>"},
      // Markup the memory's source does not hold stays.
      {u"Pay 100", u"Плати 100 <b>", u"Pay 200", u"Плати 200 <b>"},
      // Words differ: nothing is carried, the checks will tell.
      {u"Take 5 keys", u"Возьми 5 ключей", u"Take 6 cards", u"Возьми 5 ключей"},
      // A number where a formula stood is no markup-only change.
      {u"Pay 100 now", u"Плати 100 сейчас", u"Pay [p1] now", u"Плати 100 сейчас"},
      {u"Same <b>", u"Так же <b>", u"Same <b>", u"Так же <b>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.source));
    EXPECT_EQ(Utf16ToUtf8(CarryMarkup(c.memorySource, c.translation, c.source)), Utf16ToUtf8(c.expected));
  }
}

TEST(Pretranslation, FillsByBandWithNotesAndReview) {
  Workspace workspace;
  std::vector<std::string> problems;
  const TTranslationMemory memory = MemoryOf(workspace, problems);
  auto project = workspacetest::ProjectOf(workspacetest::Open);
  struct Expected {
    std::u16string source, text, note;
    bool review;
  };
  const std::vector<Expected> fills = {
      {u"Take the key", u"Бери ключ", u"", false},
      {u"Pay <clr>250<clrEnd> credits", u"Заплати <clr>250<clrEnd> кредитов",
       u"ask the author\nfuzzy 80% from chapter1/Vega", true},
      {u"Welcome to the  station, ranger", u"Добро пожаловать на станцию, рейнджер", u"fuzzy 99% from chapter1/Vega",
       true},
      {u"The old station keeps its doors shut for all pilots", u"Старая станция закрыта для чужаков",
       u"fuzzy 90% from chapter1/Vega", true},
      {u"Fly to [p2] stars now", u"Лети к [p2] звёздам сейчас", u"fuzzy 80% from chapter1/Vega", true},
      {u"Take the <b>key</b>", u"Возьми ключ", u"", true},  // exact, but the tags are lost
  };
  const TPretranslation plan = PlanPretranslation(*project, memory);
  EXPECT_EQ(plan.Counts, (TPretranslationCounts{2, 1, 1, 2, 1}));
  ASSERT_EQ(plan.Fills.size(), fills.size());
  for (std::size_t i = 0; i < fills.size(); ++i) {
    SCOPED_TRACE(Utf16ToUtf8(fills[i].source));
    EXPECT_EQ(Utf16ToUtf8(project->GetSourceText(plan.Fills[i].Message)), Utf16ToUtf8(fills[i].source));
    EXPECT_EQ(Utf16ToUtf8(plan.Fills[i].Text), Utf16ToUtf8(fills[i].text));
    EXPECT_EQ(Utf16ToUtf8(plan.Fills[i].Note), Utf16ToUtf8(fills[i].note));
    EXPECT_EQ(plan.Fills[i].Review, fills[i].review);
  }

  // Planning changed nothing; applying stores what was planned, and nothing is left to fill.
  EXPECT_EQ(project->TranslatedPositions(), 1);
  ApplyPretranslation(*project, plan.Fills);
  EXPECT_EQ(project->TranslatedPositions(), 7);
  EXPECT_EQ(project->ReviewPositions(), 5);
  for (const TPretranslationFill& fill : plan.Fills) {
    EXPECT_EQ(project->GetTargetText(fill.Message), fill.Text);
    EXPECT_EQ(project->Note(fill.Message), fill.Note);
  }
  EXPECT_EQ(PlanPretranslation(*project, memory).Counts, (TPretranslationCounts{0, 0, 0, 0, 1}));
}

TEST(Pretranslation, AFillEqualToItsSourceStaysTranslated) {
  TTranslationMemory memory;
  memory.Add({u"Vega", u"Vega", u"", u"Names"});
  auto project = workspacetest::ProjectOf({{u"Vega"}});
  const TPretranslation plan = PlanPretranslation(*project, memory);
  ASSERT_EQ(plan.Fills.size(), 1u);
  ApplyPretranslation(*project, plan.Fills);
  EXPECT_TRUE(project->IsTranslated(plan.Fills[0].Message));
  EXPECT_FALSE(project->NeedsReview(plan.Fills[0].Message));
}

}  // namespace
