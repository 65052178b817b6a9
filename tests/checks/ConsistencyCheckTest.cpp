// The check "inconsistent": one source translated otherwise in another quest of the workspace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/CheckReport.h"
#include "checks/ConsistencyCheck.h"
#include "common/ShippedData.h"
#include "project/ProjectClass.h"
#include "support/JD_Str.h"

namespace {

struct TUnit {
  std::u16string source, translation, quest;
};

// The details of the findings, each checked to be of this check and to cover the translation.
std::vector<std::string> Details(std::u16string_view translation, const std::vector<TCheckFinding>& findings) {
  std::vector<std::string> details;
  for (const TCheckFinding& finding : findings) {
    EXPECT_EQ(finding.Code, "inconsistent");
    EXPECT_EQ(finding.Spans, (std::vector<TTextSpan>{{false, 0, static_cast<int32_t>(translation.size())}}));
    details.push_back(WideToAnsi(finding.Detail));
  }
  return details;
}

TEST(InconsistentCheck, NamesEachOtherQuestTranslatingTheSourceOtherwise) {
  struct Case {
    const char* what;
    std::vector<TUnit> workspace;
    std::u16string source, translation;  // of quest "A"
    std::vector<std::string> details;
  };
  const std::vector<Case> cases = {
      {"alike", {{u"Да.", u"Yes.", u"B"}}, u"Да.", u"Yes.", {}},
      {"otherwise", {{u"Да.", u"Yep.", u"B"}}, u"Да.", u"Yes.", {"B: Yep."}},
      {"blanks around the source", {{u" Да.\r\n", u"Yep.", u"B"}}, u"\tДа. ", u"Yes.", {"B: Yep."}},
      {"blanks around the translations", {{u"Да.", u"  Yes.\n", u"B"}}, u"Да.", u"Yes. ", {}},
      {"blanks inside count", {{u"Да.", u"Yes  .", u"B"}}, u"Да.", u"Yes .", {"B: Yes  ."}},
      {"the same quest", {{u"Да.", u"Yep.", u"A"}}, u"Да.", u"Yes.", {}},
      {"another source", {{u"Нет.", u"Yep.", u"B"}}, u"Да.", u"Yes.", {}},
      {"an empty translation is none", {{u"Да.", u" ", u"B"}}, u"Да.", u"Yes.", {}},
      {"a colon in the quest's name", {{u"Да.", u"Yep.", u"act 1: B"}}, u"Да.", u"Yes.", {"act 1: B: Yep."}},
      {"several quests, in the order added, each pair once",
       {{u"Да.", u"Yep.", u"C"},
        {u"Да.", u"Yes.", u"B"},
        {u"Да.", u"Ay.", u"D"},
        {u"Да.", u"Yep.", u"C"},
        {u"Да.", u"Yep!", u"C"},
        {u"Да.", u"Yep.", u"A"}},
       u"Да.",
       u"Yes.",
       {"C: Yep.", "D: Ay.", "C: Yep!"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TConsistencyIndex index;
    for (const TUnit& unit : c.workspace) index.Add(unit.source, unit.translation, unit.quest);
    EXPECT_EQ(Details(c.translation, CheckInconsistent(index, u"A", c.source, c.translation)), c.details);
  }
}

TEST(InconsistentCheck, OnlyEditedMessagesAreCheckedAndTheReportListsThemWhenAsked) {
  TtxgProject project(ShippedCatalogue());
  project.NewFromSource(SampleQuestPath());
  TConsistencyIndex index;
  index.Add(project.GetSourceText(1), u"Elsewhere.", u"B");
  EXPECT_TRUE(CheckMessageInconsistent(project, 1, index, u"A").empty());  // not translated yet
  project.SetTargetText(1, u"Here.");
  EXPECT_EQ(Details(u"Here.", CheckMessageInconsistent(project, 1, index, u"A")),
            std::vector<std::string>{"B: Elsewhere."});
  project.SetTargetText(1, project.DeletedMessageText());
  EXPECT_TRUE(CheckMessageInconsistent(project, 1, index, u"A").empty());

  // Only with the index does the report count the check, its row after the message's others.
  project.SetTargetText(1, u"Here.");
  const TCheckReport plain = MakeCheckReport(project, nullptr);
  const TCheckReport checked = MakeCheckReport(project, nullptr, nullptr, &index, u"A");
  ASSERT_EQ(checked.Checks.size(), plain.Checks.size() + 1);
  EXPECT_EQ(checked.Checks.back().Code, "inconsistent");
  ASSERT_EQ(checked.Rows.size(), plain.Rows.size() + 1);
  std::size_t last = 0;
  for (std::size_t i = 0; i < checked.Rows.size(); ++i)
    if (checked.Rows[i].Message == 1) last = i;
  EXPECT_EQ(checked.Rows[last].Finding.Detail, u"B: Elsewhere.");
  EXPECT_EQ(checked.Counts().back(), 1u);
}

}  // namespace
