// The context of a message: the siblings of each kind of record, linked duplicates left out, and
// two locations with the same number kept apart.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ProjectTestSupport.h"
#include "project/MessageContext.h"
#include "support/JD_Str.h"

using namespace projecttest;

namespace {

class MessageContextTest : public ::testing::Test {
 protected:
  MessageContextTest() : project(Catalogue()) {}
  void SetUp() override {
    TGame& game = project.SourceGame;
    MakeBareQuest(game);
    TParameter& parameter = game.Parameter(1);
    parameter.Active = 1;
    parameter.Name.Text = u"Money";
    parameter.ViewStringCount = 2;
    parameter.ViewString(1).Text.Text = u"<> coins";
    parameter.ViewString(2).Text.Text = u"broke";
    game.Parameter(2).Active = 1;
    game.Parameter(2).Name.Text = u"Health";
    game.Parameter(2).ViewStringCount = 0;
    game.LocationCount = 2;
    for (int32_t i : {1, 2}) game.Location(i).Number = 15;
    game.Location(1).Text(1).Text = u"A harbour.";
    game.Location(1).Text(2).Text = u"A foggy harbour.";
    game.Location(1).Changes[2].CustomCriticalMsg.Text = u"You drowned.";
    game.Location(2).Text(4).Text = u"A hill.";
    AddPaths(game, {{1, u"Sail?", u"You sail."}, {1, u"Sail?"}, {1, u"Stay?"}, {2, u"Climb?"}});
    OpenFromSource(project);
  }
  using Entries = std::vector<std::pair<TContextGroup, std::u16string>>;
  Entries Context(const std::u16string& id) {
    const int32_t n = project.FindTargetId(id);
    EXPECT_GT(n, 0) << WideToAnsi(id);
    Entries entries;
    for (const TContextEntry& entry : MessageContext(project, n))
      entries.emplace_back(entry.Group, project.TargetIds[static_cast<std::size_t>(entry.Message)]);
    return entries;
  }
  TtxgProject project;
};

TEST_F(MessageContextTest, SiblingsOfEachKindOfRecord) {
  using G = TContextGroup;
  const std::vector<std::pair<std::u16string, Entries>> cases = {
      // Path(102).Start is a linked duplicate of Path(101).Start: no entry of its own.
      {u"Path(101).Start", {{G::SamePath, u"Path(101).End"}, {G::SameValue2, u"Path(103).Start"}}},
      {u"Path(101).End", {{G::SamePath, u"Path(101).Start"}, {G::SameValue2, u"Path(103).Start"}}},
      {u"Path(103).Start", {{G::SameValue2, u"Path(101).Start"}}},
      {u"Path(104).Start", {}},
      {u"L(15).Text(1)", {{G::SameLocation, u"L(15).Text(2)"}, {G::SameLocation, u"L(15).Delta(3)."}}},
      {u"L(15).Text(4)", {}},
      {u"Par(1).Name", {{G::SameParameter, u"Par(1).Format(1)"}, {G::SameParameter, u"Par(1).Format(2)"}}},
      {u"Par(2).Name", {}},
  };
  for (const auto& [id, expected] : cases) EXPECT_EQ(Context(id), expected) << WideToAnsi(id);
}

TEST_F(MessageContextTest, NothingOutsideTheTable) {
  EXPECT_TRUE(MessageContext(project, 0).empty());
  EXPECT_TRUE(MessageContext(project, project.TargetCount + 1).empty());
}

}  // namespace
