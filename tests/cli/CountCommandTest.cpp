// xgtool count against pocount's own counting of the PO file export-po writes (needs review becomes fuzzy): the
// same source words per state, and the msgids' lengths as characters. For quest markup, which is
// counted by its own rule (project/WordCount.h), pocount reads the texts with that rule applied.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "common/FullQuest.h"
#include "common/ShippedData.h"
#include "project/ProjectClass.h"
#include "quest/GameContent.h"
#include "quest/LocationClass.h"
#include "quest/QuestMarkup.h"

namespace {

using clitest::RunProgram;

// Formulas with blanks, a tag that is not XML-like, "<br>", a "<" that opens a tag to the end.
const std::u16string MarkupTexts[] = {
    u"Цена топлива: [p1 + 2] кр. за тонну, скидка {[p2] div 10}%.",
    u"<fix 5>Доставьте груз на <ToPlanet> за [d3 * 2] дней.",
    u"Line one<br>line two, <i>italic</i> and <b class=\"x\">bold</b>.",
    u"Если [p1] < 5, вы проиграете.",
};

enum class Quest { Sample, Full, Markup, MarkupCounted };

// A project of the quest with every state: translations as the source and " [перевод]", some
// flagged (translated or not), one translated as is, one marked deleted.
std::string MakeProject(Quest quest, const ScratchFolder& folder) {
  auto game = std::make_unique<TGame>(ShippedCatalogue());
  if (quest == Quest::Full)
    BuildFullQuest(*game);
  else
    game->LoadFromFile(SampleQuestPath());
  for (int32_t i = 0; quest >= Quest::Markup && i < 4; ++i) {
    std::u16string& text = game->Location(i + 1).Text(1).Text = MarkupTexts[i];
    if (quest == Quest::MarkupCounted) {  // tags dropped, each formula the digit 0
      text.clear();
      for (const TMarkupToken& token : TokenizeMarkup(MarkupTexts[i]))
        if (!token.IsTag())
          text += token.Kind == TMarkupKind::Formula ? std::u16string_view(u"0") : token.In(MarkupTexts[i]);
    }
  }
  const std::string name = folder.File(std::to_string(static_cast<int>(quest)));
  game->SaveToFile(name + ".xg");
  EXPECT_EQ(clitest::RunToolWithShippedCatalogue({"new", name + ".xg", name + ".txg"}).exitCode, 0);
  auto project = std::make_unique<TtxgProject>(ShippedCatalogue());
  project->LoadFromFile(name + ".txg");
  for (int32_t p = 1; p <= project->PositionCount; ++p) {
    const int32_t n = project->MessageAtPosition(p);
    if (p % 2 == 0) project->StoreTranslation(n, project->GetSourceText(n) + u" [перевод]");
    if (p % 5 == 0) project->SetNeedsReview(n, true);
  }
  project->SetTranslatedAsIs(project->MessageAtPosition(1), true);
  project->StoreTranslation(project->MessageAtPosition(3), u"");
  project->SaveToFile(name + ".txg");
  EXPECT_EQ(clitest::RunToolWithShippedCatalogue({"export-po", name + ".txg", name + ".po"}).exitCode, 0);
  return name;
}

// xgtool count's lines as pocount's own code counts them (translate.tools.pocount: its grouping
// of units and its words of a unit's source): the words of `wordsPo`, the msgids' lengths of
// `charactersPo`. Run by pocount's interpreter, which its first line names.
std::string PocountLines(const std::string& wordsPo, const std::string& charactersPo) {
  std::string pocount = RunProgram("sh", {"-c", "command -v pocount"}).out;
  pocount = clitest::ReadWhole(pocount.substr(0, pocount.size() - 1));
  return RunProgram(
             pocount.substr(2, pocount.find('\n') - 2),
             {"-c",
              "import sys\nfrom translate.storage import factory\nfrom translate.tools import pocount as p\n"
              "def groups(f):\n"
              "  u = [x for x in factory.getobject(f).units if x.istranslatable()]\n"
              "  return p.translatedmessages(u), p.fuzzymessages(u), p.untranslatedmessages(u)\n"
              "w = [sum(p.wordsinunit(x)[0] for x in g) for g in groups(sys.argv[1])]\n"
              "c = [sum(len(x.source) for x in g) for g in groups(sys.argv[2])]\n"
              "for s, a, b in zip(('translated', 'review', 'untranslated', 'total'), w + [sum(w)], c + [sum(c)]):\n"
              "  print(f'{s}: {a} words, {b} characters')\n",
              wordsPo, charactersPo})
      .out;
}

class CountAgreesWithPocount : public ::testing::TestWithParam<std::pair<Quest, Quest>> {};

TEST_P(CountAgreesWithPocount, WordsPerStateAndCharacters) {
  if (RunProgram("sh", {"-c", "command -v pocount"}).exitCode != 0)
    GTEST_SKIP() << "pocount (translate-toolkit, scripts/install-deps.sh) is not installed";
  ScratchFolder folder;
  const auto [quest, pocountReads] = GetParam();
  const std::string project = MakeProject(quest, folder);
  const std::string counted = quest == pocountReads ? project : MakeProject(pocountReads, folder);
  const std::string expected = PocountLines(counted + ".po", project + ".po");
  EXPECT_NE(expected.find("total: "), std::string::npos) << expected;
  EXPECT_EQ(clitest::RunToolWithShippedCatalogue({"count", project + ".txg"}).out, expected);
  // The markup rule is what makes the difference: pocount on the file as it is counts otherwise.
  if (quest != pocountReads) {
    EXPECT_NE(PocountLines(project + ".po", project + ".po"), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Quests, CountAgreesWithPocount,
                         ::testing::Values(std::pair{Quest::Sample, Quest::Sample}, std::pair{Quest::Full, Quest::Full},
                                           std::pair{Quest::Markup, Quest::MarkupCounted}));

}  // namespace
