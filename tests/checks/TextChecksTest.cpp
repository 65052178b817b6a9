// The checks of wording on whole quests and the length limits of language pairs. The cases of each
// check are in TranslationChecksTest.cpp's tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "checks/TranslationChecks.h"
#include "common/FullQuest.h"
#include "common/ShippedData.h"
#include "project/ProjectClass.h"
#include "support/JD_Str.h"

namespace {

TEST(WordingChecks, QuestsTranslatedAsTheirSourcePlusAWordTripNone) {
  const std::set<std::string_view> wording = {"numbers", "mixedscript", "quotes", "length", "capital"};
  TtxgProject full(ShippedCatalogue());
  BuildFullQuest(full.SourceGame);
  full.TargetGame.Assign(full.SourceGame);
  full.RebuildMessageTable();
  TtxgProject sample(ShippedCatalogue());
  sample.NewFromSource(SampleQuestPath());
  for (TtxgProject* project : {&full, &sample}) {
    for (int32_t n = 1; n <= project->SourceCount; ++n)
      project->SetTargetText(n, project->GetSourceText(n) + u" [перевод]");
    const std::vector<TMessageFindings> all = CheckProject(*project);
    EXPECT_EQ(static_cast<int32_t>(all.size()), project->PositionCount);  // each with its extra formula
    for (const TMessageFindings& message : all)
      for (const TCheckFinding& finding : message.Findings)
        EXPECT_FALSE(wording.contains(finding.Code))
            << message.Message << " " << finding.Code << ": " << WideToAnsi(finding.Detail);
  }
}

TEST(WordingChecks, TheLanguagePairPicksTheLengthLimits) {
  const std::u16string source = u"Вы стоите у шлюза станции, в руке ключ-карта.";
  const std::u16string chinese = u"你在气闸旁。";
  struct Pair {
    std::string target;
    bool fires;
  };
  for (const Pair& pair : std::vector<Pair>{{"zh_CN", false}, {"ZH-Hans", false}, {"en", true}, {"", true}}) {
    const std::vector<TCheckFinding> findings = CheckTranslation(source, chinese, LengthLimits("ru", pair.target));
    EXPECT_EQ(std::any_of(findings.begin(), findings.end(), [](const TCheckFinding& f) { return f.Code == "length"; }),
              pair.fires)
        << pair.target;
  }
  // The project's target language picks the row.
  TtxgProject project(ShippedCatalogue());
  project.NewFromSource(SampleQuestPath());
  int32_t n = 1;
  while (project.GetSourceText(n).size() < 40 || project.GetSourceText(n).size() > 80) ++n;
  project.SetTargetText(n, u"你站在空间站的气闸旁。");
  ASSERT_NE(CheckMessage(project, n).size(), 0u);
  EXPECT_EQ(CheckMessage(project, n).back().Code, "length");
  project.SetSetting(u"language", u"zh");
  for (const TCheckFinding& finding : CheckMessage(project, n)) EXPECT_NE(finding.Code, "length");
}

}  // namespace
