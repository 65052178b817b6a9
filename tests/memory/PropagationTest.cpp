// Propagation of a translation to untranslated messages of the same source, and the memory a
// project gives: its translations, its unused translations and the TMX files attached to it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "memory/ProjectMemory.h"
#include "memory/Propagation.h"
#include "memory/Tmx.h"
#include "memory/UnusedTranslations.h"
#include "memory/UpdateFixtures.h"
#include "support/Utf8.h"

namespace {

using updatetest::FixturePath;
using updatetest::MessageOfPath;

using updatetest::ProjectOf;

const std::vector<FixturePath> Repeated = {
    {101, 1, u"Repeat"},       {102, 2, u"Other"},  {103, 3, u"Repeat", true},  {104, 4, u"  Repeat "},
    {105, 5, u"Repeat again"}, {106, 6, u"Repeat"}, {107, 6, u"Repeat"},  // 107 linked to 106
    {108, 8, u"Other", true},  {109, 9, u"Other"},  {110, 10, u"Repeat", true},
};

TEST(Propagation, TargetsAreTheUntranslatedPositionsOfTheSameSource) {
  const auto project = ProjectOf(Repeated);
  struct Case {
    int32_t from;
    std::vector<int32_t> targets;
  };
  const std::vector<Case> cases = {
      {103, {101, 104, 106}},  // blanks at the ends do not count; the linked 107 follows 106
      {110, {101, 104, 106}},
      {108, {102, 109}},
      {101, {}},  // not translated: nothing to give
  };
  for (const Case& c : cases) {
    std::vector<int32_t> expected;
    for (int32_t path : c.targets) expected.push_back(MessageOfPath(*project, path));
    EXPECT_EQ(PropagationTargets(*project, MessageOfPath(*project, c.from)), expected) << c.from;
  }
}

TEST(Propagation, FillsAndFlagsForReview) {
  auto project = ProjectOf(Repeated);
  EXPECT_EQ(PropagateTranslation(*project, MessageOfPath(*project, 103)), 3);
  for (int32_t path : {101, 104, 106, 107}) {
    const int32_t n = MessageOfPath(*project, path);
    EXPECT_EQ(project->GetTargetText(n), u"RU Repeat") << path;
    EXPECT_TRUE(project->NeedsReview(n)) << path;
  }
  EXPECT_FALSE(project->NeedsReview(MessageOfPath(*project, 103)));
  EXPECT_EQ(PropagateTranslation(*project, MessageOfPath(*project, 103)), 0);
}

TEST(Propagation, AllTakesTheFirstTranslationOfEachSource) {
  auto project = ProjectOf(Repeated);
  project->SetTargetText(MessageOfPath(*project, 110), u"RU Repeat, later");
  EXPECT_EQ(PropagateAll(*project), 5);  // 101, 104, 106 from 103; 102, 109 from 108
  EXPECT_EQ(project->GetTargetText(MessageOfPath(*project, 101)), u"RU Repeat");
  EXPECT_EQ(project->GetTargetText(MessageOfPath(*project, 102)), u"RU Other");
  EXPECT_EQ(project->GetTargetText(MessageOfPath(*project, 105)), u"Repeat again");
  EXPECT_EQ(project->ReviewPositions(), 5);
  EXPECT_EQ(project->TranslatedPositions(), project->PositionCount - 1);
  EXPECT_EQ(PropagateAll(*project), 0);
}

TEST(ProjectMemory, HoldsTranslationsUnusedOnesAndAttachedFiles) {
  ScratchFolder folder;
  auto project = ProjectOf(Repeated);
  WriteTmx(folder.File("a.tmx"), {{u"Open the door", u"Открой дверь", u""}});
  SetAttachedMemoryFiles(*project, {folder.File("a.tmx"), folder.File("missing.tmx")});
  EXPECT_EQ(AttachedMemoryFiles(*project),
            (std::vector<std::string>{folder.File("a.tmx"), folder.File("missing.tmx")}));
  SetUnusedTranslations(*project, {{u"Fight the pirate", u"Сразись", u"Path(4).Start"}});

  TTranslationMemory memory;
  memory.Add({u"stale", u"entry", u""});
  std::vector<std::string> problems;
  FillProjectMemory(*project, memory, problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], folder.File("missing.tmx") + ": File not found");
  std::vector<std::u16string> origins;
  for (std::size_t i = 0; i < memory.Size(); ++i) origins.push_back(memory.Entry(i).Origin);
  // Path 110 holds the same pair as 103: one entry. The stale entry is gone.
  EXPECT_EQ(origins, (std::vector<std::u16string>{u"Path(103).Start", u"Path(108).Start", u"unused Path(4).Start",
                                                  Utf8ToUtf16(folder.File("a.tmx"))}));
  const auto best = memory.Suggest(u"Open the doors");
  ASSERT_FALSE(best.empty());
  EXPECT_EQ(memory.Entry(best[0].Entry).Translation, u"Открой дверь");

  SetAttachedMemoryFiles(*project, {});
  EXPECT_TRUE(AttachedMemoryFiles(*project).empty());
  EXPECT_EQ(project->Setting(u"memories"), u"");
}

}  // namespace
