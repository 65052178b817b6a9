#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "common/FullQuest.h"
#include "quest/GameContent.h"
#include "tests/quest/QuestRecordSupport.h"

namespace {

struct Message {
  int32_t code;
  std::u16string id;
  const TTextField* text;
};

struct Enumeration {
  int32_t count = -1;
  std::vector<int32_t> types;
  std::vector<TTextField*> texts;
  std::vector<std::u16string> ids;

  std::vector<Message> Messages() const {
    std::vector<Message> result;
    for (int32_t n = 1; n <= count; ++n) {
      const auto i = static_cast<std::size_t>(n);
      result.push_back({types[i], ids[i], texts[i]});
    }
    return result;
  }
};

Enumeration Enumerate(TGame& game) {
  Enumeration e;
  game.EnumerateMessages(e.count, e.types, e.texts, e.ids);
  return e;
}

std::unique_ptr<TGame> NewGame() { return std::make_unique<TGame>(ShippedCatalogue()); }

// A quest with none of the seven document texts, so that a test sees only what it adds.
std::unique_ptr<TGame> QuietGame() {
  auto game = NewGame();
  for (TTextField* text : {&game->QuestDescription, &game->QuestSuccessGovMessage, &game->RVagrel, &game->RToPlanet,
                           &game->RToStar, &game->RFromPlanet, &game->RFromStar})
    text->Clear();
  return game;
}

std::vector<std::pair<int32_t, std::u16string>> CodesAndIds(const Enumeration& e) {
  std::vector<std::pair<int32_t, std::u16string>> result;
  for (const Message& m : e.Messages()) result.emplace_back(m.code, m.id);
  return result;
}

}  // namespace

TEST(QuestMessages, NewDocumentListsTheSevenDocumentTextsInOrder) {
  auto game = NewGame();
  const Enumeration e = Enumerate(*game);
  const std::vector<std::pair<int32_t, std::u16string>> expected = {
      {6, u"GovMsg"},  {5, u"GovMsgSuccess"}, {4, u"RVagrel"},   {4, u"RToPlanet"},
      {4, u"RToStar"}, {4, u"RFromPlanet"},   {4, u"RFromStar"},
  };
  EXPECT_EQ(CodesAndIds(e), expected);
  EXPECT_EQ(e.texts[1], &game->QuestDescription);
  EXPECT_EQ(e.texts[6], &game->RFromPlanet);
  // Entry 0 is a placeholder so that message n sits at index n.
  ASSERT_EQ(e.types.size(), 8u);
  EXPECT_EQ(e.types[0], 0);
  EXPECT_EQ(e.texts[0], nullptr);
  EXPECT_EQ(e.ids[0], u"");
}

TEST(QuestMessages, ParameterTextsFollowActiveViewCountAndCriticalKind) {
  auto game = QuietGame();
  TParameter& p3 = game->Parameter(3);
  p3.Active = 2;
  p3.Name.Text = u"  ";  // listed although blank
  p3.ViewStringCount = 3;
  p3.ViewString(1).Text.Text = u"один";
  p3.ViewString(2).Text.Text = u" \t ";  // blank: skipped
  p3.ViewString(3).Text.Text = u"три";
  p3.ViewString(4).Text.Text = u"beyond the count";
  p3.CriticalKind = 0;
  p3.CriticalMsg.Text = u"not in use";
  TParameter& p12 = game->Parameter(12);
  p12.Active = 1;
  p12.ViewStringCount = 0;
  p12.CriticalKind = -4;
  p12.CriticalMsg.Text = u"критично";
  TParameter& p20 = game->Parameter(20);  // inactive: nothing at all
  p20.Name.Text = u"скрытый";
  p20.CriticalKind = 1;

  const Enumeration e = Enumerate(*game);
  const std::vector<std::pair<int32_t, std::u16string>> expected = {
      {1, u"Par(3).Name"},  {11, u"Par(3).Format(1)"},   {11, u"Par(3).Format(3)"},
      {1, u"Par(12).Name"}, {3, u"Par(12).CriticalMsg"},
  };
  EXPECT_EQ(CodesAndIds(e), expected);
  EXPECT_EQ(e.texts[1], &p3.Name);
  EXPECT_EQ(e.texts[3], &p3.ViewString(3).Text);
}

TEST(QuestMessages, ViewStringCountAboveTenListsOnlyTheTenSlots) {
  auto game = QuietGame();
  TParameter& parameter = game->Parameter(1);
  parameter.Active = 1;
  parameter.ViewStringCount = 50;
  for (TParWiewString& view : parameter.ViewStrings) view.Text.Text = u"x";
  EXPECT_EQ(Enumerate(*game).count, 1 + MaxViewStrings);
}

// Location texts carry the location's Number in their code and id; all other kinds carry 0.
TEST(QuestMessages, IdsAndCodesOfLocationsAndPaths) {
  struct Case {
    int32_t number;
    int32_t textCode;
    std::u16string textId;
    std::u16string deltaId;
    std::u16string startId;
  };
  const Case cases[] = {
      {15, 15007, u"L(15).Text(2)", u"L(15).Delta(4).", u"Path(15).Start"},
      {0, 7, u"L(0).Text(2)", u"L(0).Delta(4).", u"Path(0).Start"},
      {-2, -1993, u"L(-2).Text(2)", u"L(-2).Delta(4).", u"Path(-2).Start"},
      {2147483, 2147483007, u"L(2147483).Text(2)", u"L(2147483).Delta(4).", u"Path(2147483).Start"},
      // Codes wrap in 32 bits: -2147483648 * 1000 is a multiple of 2^32.
      {INT_MIN, 7, u"L(-2147483648).Text(2)", u"L(-2147483648).Delta(4).", u"Path(-2147483648).Start"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("number " + std::to_string(c.number));
    auto game = QuietGame();
    game->LocationCount = 1;
    game->Location(1).Number = c.number;
    game->Location(1).Text(2).Text = u"текст";
    game->Location(1).Change(4).CustomCriticalMsg.Text = u"особое";
    game->PathCount = 1;
    game->Path(1).Number = c.number;
    game->Path(1).StartText.Text = u"вопрос";
    game->Path(1).EndText.Text = u"ответ";
    game->Path(1).Change(24).CustomCriticalMsg.Text = u"путь";
    const Enumeration e = Enumerate(*game);
    const std::u16string pathPrefix = c.startId.substr(0, c.startId.size() - 5);
    const std::vector<std::pair<int32_t, std::u16string>> expected = {
        {c.textCode, c.textId},           {10, c.deltaId}, {8, c.startId}, {9, pathPrefix + u"End"},
        {10, pathPrefix + u"Delta(24)."},
    };
    EXPECT_EQ(CodesAndIds(e), expected);
  }
}

TEST(QuestMessages, OrderWithinARecordAndAcrossRecords) {
  auto game = QuietGame();
  game->LocationCount = 2;
  for (int32_t i = 1; i <= 2; ++i) {
    game->Location(i).Number = 5;  // equal numbers give equal ids, in array order
    game->Location(i).Text(10).Text = u"десять";
    game->Location(i).Text(1).Text = u"один";
    game->Location(i).Change(1).CustomCriticalMsg.Text = u"c1";
    game->Location(i).Name.Text = u"never a message";
    game->Location(i).ExtraText.Text = u"never a message";
    game->Location(i).LegacyText.Text = u"never a message";
    game->Location(i).Change(2).ExtraText.Text = u"never a message";
  }
  game->Location(3).Text(1).Text = u"beyond LocationCount";
  game->PathCount = 1;
  game->Path(1).Number = 7;
  game->Path(1).StartText.Text = u"\r\n";  // blank
  game->Path(1).ExtraText.Text = u"never a message";
  game->Path(1).Change(3).CustomCriticalMsg.Text = u"  padded  ";
  game->QuestTargetName.Text = u"never a message";
  game->RParsec.Text = u"never a message";

  const Enumeration e = Enumerate(*game);
  const std::vector<std::pair<int32_t, std::u16string>> expected = {
      {5007, u"L(5).Text(1)"},  {5007, u"L(5).Text(10)"}, {10, u"L(5).Delta(1)."},    {5007, u"L(5).Text(1)"},
      {5007, u"L(5).Text(10)"}, {10, u"L(5).Delta(1)."},  {10, u"Path(7).Delta(3)."},
  };
  EXPECT_EQ(CodesAndIds(e), expected);
  EXPECT_EQ(e.texts[4], &game->Location(2).Text(1));
  // The reference is to the stored text, untrimmed, and writing through it edits the document.
  EXPECT_EQ(e.texts[7]->Text, u"  padded  ");
  e.texts[7]->Text = u"переведено";
  EXPECT_EQ(game->Path(1).Change(3).CustomCriticalMsg.Text, u"переведено");
}

TEST(QuestMessages, BlankingATextRemovesItsMessageAndShiftsTheRest) {
  auto game = QuietGame();
  game->LocationCount = 1;
  game->Location(1).Text(1).Text = u"a";
  game->Location(1).Text(2).Text = u"b";
  game->Location(1).Text(3).Text = u"c";
  EXPECT_EQ(Enumerate(*game).count, 3);
  game->Location(1).Text(2).Text = u" \t\r\n\x01";
  const Enumeration e = Enumerate(*game);
  ASSERT_EQ(e.count, 2);
  EXPECT_EQ(e.ids[2], u"L(0).Text(3)");
  // A character above U+0020 is not blank, even when it is a space of another kind.
  game->Location(1).Text(2).Text = u"\u00A0";
  EXPECT_EQ(Enumerate(*game).count, 3);
}

TEST(QuestMessages, NegativeCountsListNoRecords) {
  auto game = QuietGame();
  game->LocationCount = -1;
  game->PathCount = INT_MIN;
  game->Location(1).Text(1).Text = u"a";
  game->Path(1).EndText.Text = u"b";
  EXPECT_EQ(Enumerate(*game).count, 0);
}

TEST(QuestMessages, FullQuestListsEveryMessageWithoutACapacity) {
  auto game = NewGame();
  BuildFullQuest(*game);
  Enumeration e = Enumerate(*game);
  EXPECT_EQ(e.count, FullQuestMessageCount);
  EXPECT_GT(e.count, 2000);
  EXPECT_EQ(e.types.size(), static_cast<std::size_t>(e.count) + 1);
  EXPECT_EQ(e.ids.back(), u"Path(600).Delta(24).");
  EXPECT_EQ(e.types[static_cast<std::size_t>(e.count)], 10);
  // A second enumeration starts again from nothing.
  game->EnumerateMessages(e.count, e.types, e.texts, e.ids);
  EXPECT_EQ(e.count, FullQuestMessageCount);
  EXPECT_EQ(e.texts.size(), static_cast<std::size_t>(e.count) + 1);
}

// The returned list is the enumeration itself, and every code decodes to the kind and record the
// id names: location texts carry their location's number, every other kind none.
TEST(QuestMessages, MessagesReturnsTheEnumerationAndCodesDecodeToTheirIds) {
  auto game = NewGame();
  BuildFullQuest(*game);
  const Enumeration e = Enumerate(*game);
  const TMessageList list = game->Messages();
  ASSERT_EQ(list.Count, e.count);
  EXPECT_EQ(list.Types, e.types);
  EXPECT_EQ(list.Texts, e.texts);
  EXPECT_EQ(list.Ids, e.ids);
  int32_t locationTexts = 0;
  for (int32_t n = 1; n <= list.Count; ++n) {
    const auto i = static_cast<std::size_t>(n);
    const TMessageType type = DecodeMessageType(list.Types[i]);
    const std::string id(list.Ids[i].begin(), list.Ids[i].end());
    if (type.Kind == KindLocationText) {
      ++locationTexts;
      ASSERT_EQ(id.rfind("L(" + std::to_string(type.Number) + ").Text(", 0), 0u) << id;
    } else {
      ASSERT_GE(type.Kind, KindEditorParName) << id;
      ASSERT_LE(type.Kind, KindParViewString) << id;
      ASSERT_EQ(type.Number, 0) << id;
    }
  }
  EXPECT_EQ(locationTexts, 300 * 10);
}

TEST(QuestMessages, SampleQuestHasEveryKindButTheGameParameterName) {
  auto game = NewGame();
  game->LoadFromFile(std::string(XG_DATA_DIR) + "/sample.xg");
  const Enumeration e = Enumerate(*game);
  std::vector<int32_t> perKind(12, 0);
  for (const Message& m : e.Messages()) ++perKind[static_cast<std::size_t>(m.code % 1000)];
  for (int32_t kind = 1; kind <= 11; ++kind) {
    if (kind == KindGameParName)
      EXPECT_EQ(perKind[2], 0);
    else
      EXPECT_GT(perKind[static_cast<std::size_t>(kind)], 0) << "kind " << kind;
  }
}
