// Moving by what is left to do: the nearest unfinished position in either direction.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "project/Navigation.h"

using namespace projecttest;

namespace {

TEST(FindUnfinished, BothDirectionsWrapAndTheStartComesLast) {
  struct Case {
    const char* name;
    std::vector<bool> edited;  // per position of five
    int32_t from;
    int step;
    int32_t found;
  };
  const Case cases[] = {
      {"next one", {false, false, false, false, false}, 1, +1, 2},
      {"previous one", {false, false, false, false, false}, 3, -1, 2},
      {"forward skips edited", {false, true, true, false, false}, 1, +1, 4},
      {"back skips edited", {false, true, true, false, false}, 4, -1, 1},
      {"forward wraps to the first", {false, true, true, true, false}, 5, +1, 1},
      {"back wraps to the last", {true, false, true, true, false}, 1, -1, 5},
      {"back from position 0 starts at the last", {false, true, true, true, true}, 0, -1, 1},
      {"forward from position 0 starts at the first", {true, true, false, true, true}, 0, +1, 3},
      {"the start is examined last", {true, true, false, true, true}, 3, -1, 3},
      {"nothing left", {true, true, true, true, true}, 2, +1, -1},
      {"nothing left backwards", {true, true, true, true, true}, 2, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TtxgProject project(Catalogue());
    MakeBareQuest(project.SourceGame);
    for (int32_t p = 1; p <= 5; ++p)
      AddPaths(project.SourceGame, {{p, u"Question " + std::u16string(1, static_cast<char16_t>(u'0' + p))}});
    OpenFromSource(project);
    ASSERT_EQ(project.PositionCount, 5);
    for (int32_t n = 1; n <= 5; ++n)
      if (c.edited[static_cast<std::size_t>(n - 1)]) project.SetTargetText(n, u"translated");
    EXPECT_EQ(FindUnfinished(project, c.from, c.step), c.found);
  }
}

TEST(FindUnfinished, DeletedIsUnfinishedAndLinkedMessagesAreSkipped) {
  TtxgProject project(Catalogue());
  MakeBareQuest(project.SourceGame);
  AddPaths(project.SourceGame, {{1, u"A"}, {2, u"B"}, {2, u"B"}, {3, u"C"}});
  OpenFromSource(project);
  ASSERT_EQ(project.PositionCount, 3);
  project.SetTargetText(1, u"a");
  project.SetTargetText(2, u"b");
  project.SetTargetText(4, project.DeletedMessageText());
  EXPECT_EQ(FindUnfinished(project, 1, +1), 3);
  EXPECT_EQ(FindUnfinished(project, 1, -1), 3);
  project.SetTargetText(4, u"c");
  EXPECT_EQ(FindUnfinished(project, 2, -1), -1);
  // Translated but flagged for review: unfinished. The linked duplicate answers for the message
  // it folds into, which has a position of its own.
  project.SetNeedsReview(3, true);
  EXPECT_TRUE(IsUnfinished(project, 2));
  EXPECT_EQ(FindUnfinished(project, 3, +1), 2);
  project.SetNeedsReview(2, false);
  project.SetNeedsReview(1, true);
  EXPECT_EQ(FindUnfinished(project, 2, +1), 1);
  EXPECT_EQ(FindUnfinished(TtxgProject(Catalogue()), 0, +1), -1);
}

}  // namespace
