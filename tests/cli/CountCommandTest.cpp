// xgtool count against translate-toolkit's pocount on the PO file export-po writes (needs review
// becomes fuzzy): the same source words per state, and the msgids' lengths as characters. Where
// quest markup is counted by its own rule (project/WordCount.h), pocount is given the texts with
// that rule applied, and must then agree too.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
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

using clitest::ReadWhole;
using clitest::RunProgram;
using clitest::ToolResult;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

// Real quest sentences whose markup pocount reads otherwise: formulas with blanks, a tag that is
// not XML-like, "<br>", a "<" that opens a tag running to the end.
const std::vector<std::u16string> MarkupTexts = {
    u"Цена топлива: [p1 + 2] кр. за тонну, скидка {[p2] div 10}%.",
    u"<fix 5>Доставьте груз на <ToPlanet> за [d3 * 2] дней.",
    u"Ship<clr>s<clrEnd> ahead: [p4 - 1]. Dock?",
    u"Line one<br>line two, <i>italic</i> and <b class=\"x\">bold</b>.",
    u"Если [p1] < 5, вы проиграете.",
};

// The text as the count reads it: tags dropped, each formula the digit 0.
std::u16string CountedForm(const std::u16string& text) {
  std::u16string counted;
  for (const TMarkupToken& token : TokenizeMarkup(text))
    if (token.Kind == TMarkupKind::Formula)
      counted += u'0';
    else if (!token.IsTag())
      counted += token.In(text);
  return counted;
}

enum class Quest { Sample, Full, Markup, MarkupCounted };

std::string WriteQuest(Quest quest, const ScratchFolder& folder) {
  auto game = std::make_unique<TGame>(ShippedCatalogue());
  if (quest == Quest::Full) {
    BuildFullQuest(*game);
  } else {
    game->LoadFromFile(SampleQuestPath());
    for (std::size_t i = 0; quest != Quest::Sample && i < MarkupTexts.size(); ++i)
      game->Location(static_cast<int32_t>(i + 1)).Text(1).Text =
          quest == Quest::Markup ? MarkupTexts[i] : CountedForm(MarkupTexts[i]);
  }
  const std::string file = folder.File("quest" + std::to_string(static_cast<int>(quest)) + ".xg");
  game->SaveToFile(file);
  return file;
}

// A project of the quest with every state: translations as the source and " [перевод]", some
// flagged for review (translated or not), one translated as is, one marked deleted.
std::string MakeProject(Quest quest, const ScratchFolder& folder) {
  const std::string file = folder.File("project" + std::to_string(static_cast<int>(quest)) + ".txg");
  EXPECT_EQ(RunTool({"new", WriteQuest(quest, folder), file}).exitCode, 0);
  auto project = std::make_unique<TtxgProject>(ShippedCatalogue());
  project->LoadFromFile(file);
  for (int32_t p = 1; p <= project->PositionCount; ++p) {
    const int32_t n = project->MessageAtPosition(p);
    if (p % 2 == 0) project->StoreTranslation(n, project->GetSourceText(n) + u" [перевод]");
    if (p % 5 == 0) project->SetNeedsReview(n, true);
  }
  project->SetTranslatedAsIs(project->MessageAtPosition(1), true);
  project->StoreTranslation(project->MessageAtPosition(3), u"");
  project->SaveToFile(file);
  return file;
}

std::string ExportPo(const std::string& project) {
  const std::string po = project + ".po";
  EXPECT_EQ(RunTool({"export-po", project, po}).exitCode, 0);
  return po;
}

// Source words of translated, fuzzy and untranslated entries, from `pocount --csv`'s second line:
// "FILE, translated, words, target words, fuzzy, words, untranslated, words, total, words".
std::vector<long> PocountWords(const std::string& po) {
  const ToolResult run = RunProgram("pocount", {"--csv", po});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  std::istringstream row(run.out.substr(run.out.find('\n') + 1 + po.size() + 1));
  std::vector<long> fields;
  for (std::string field; std::getline(row, field, ',');) fields.push_back(std::stol(field));
  EXPECT_EQ(fields.size(), 9u) << run.out;
  return fields.size() == 9 ? std::vector<long>{fields[1], fields[4], fields[6], fields[8]} : std::vector<long>(4);
}

// The msgids' lengths in the same groups, by pocount's own grouping, in pocount's interpreter
// (translate-toolkit is installed for the system's Python, which may not be the first on PATH).
std::vector<long> MsgidLengths(const std::string& po) {
  std::string pocount = RunProgram("sh", {"-c", "command -v pocount"}).out;
  pocount.pop_back();
  const std::string interpreter = ReadWhole(pocount).substr(2, ReadWhole(pocount).find('\n') - 2);
  const ToolResult run = RunProgram(
      interpreter, {"-c",
                    "import sys\n"
                    "from translate.storage import factory\n"
                    "from translate.tools import pocount as p\n"
                    "units = [u for u in factory.getobject(sys.argv[1]).units if u.istranslatable()]\n"
                    "groups = [p.translatedmessages(units), p.fuzzymessages(units), p.untranslatedmessages(units)]\n"
                    "sizes = [sum(len(u.source) for u in g) for g in groups]\n"
                    "print(*sizes, sum(sizes))\n",
                    po});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  std::istringstream numbers(run.out);
  std::vector<long> lengths(4);
  for (long& length : lengths) numbers >> length;
  return lengths;
}

std::string CountLines(const std::vector<long>& words, const std::vector<long>& characters) {
  std::string lines;
  const char* states[] = {"translated", "review", "untranslated", "total"};
  for (std::size_t i = 0; i < 4; ++i)
    lines += std::string(states[i]) + ": " + std::to_string(words[i]) + " words, " + std::to_string(characters[i]) +
             " characters\n";
  return lines;
}

struct AgreementCase {
  const char* name;
  Quest quest;
  Quest pocountReads;  // the quest whose PO pocount counts the words of
};

class CountAgreesWithPocount : public ::testing::TestWithParam<AgreementCase> {};

TEST_P(CountAgreesWithPocount, WordsPerStateAndCharacters) {
  if (RunProgram("sh", {"-c", "command -v pocount"}).exitCode != 0)
    GTEST_SKIP() << "pocount (translate-toolkit, scripts/install-deps.sh) is not installed";
  ScratchFolder folder;
  const std::string project = MakeProject(GetParam().quest, folder);
  const std::string po = ExportPo(project);
  const std::string counted =
      GetParam().pocountReads == GetParam().quest ? po : ExportPo(MakeProject(GetParam().pocountReads, folder));
  const ToolResult count = RunTool({"count", project});
  EXPECT_EQ(count.exitCode, 0) << count.err;
  EXPECT_EQ(count.out, CountLines(PocountWords(counted), MsgidLengths(po)));
  // The markup rule is what makes the difference: pocount on the file as it is counts otherwise.
  if (counted != po) {
    EXPECT_NE(PocountWords(po), PocountWords(counted));
  }
}

INSTANTIATE_TEST_SUITE_P(Quests, CountAgreesWithPocount,
                         ::testing::Values(AgreementCase{"Sample", Quest::Sample, Quest::Sample},
                                           AgreementCase{"FullCapacity", Quest::Full, Quest::Full},
                                           AgreementCase{"Markup", Quest::Markup, Quest::MarkupCounted}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CountCommand, UsageAndErrors) {
  ScratchFolder folder;
  const struct {
    std::vector<std::string> args;
    int exitCode;
    std::string err;
  } cases[] = {
      {{"count"}, 2, "xgtool: count needs one project file\n"},
      {{"count", "a.txg", "b.txg"}, 2, "xgtool: count needs one project file\n"},
      {{"count", folder.File("absent.txg")}, 3, "xgtool: " + folder.File("absent.txg") + ": File not found\n"},
  };
  for (const auto& c : cases) {
    const ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.err.rfind(c.err, 0), 0u) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

}  // namespace
