#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/FullQuest.h"
#include "common/LegacyQuestWriter.h"
#include "common/ScratchFolder.h"
#include "quest/GameContent.h"
#include "support/BlockFile.h"
#include "tests/quest/QuestRecordSupport.h"

using namespace QuestVersion;

namespace {

const int32_t AllVersions[] = {V11, V12, V13, V14, V15, V16, V17, V18, V19, V20, V21, V22};

std::unique_ptr<TGame> NewGame() { return std::make_unique<TGame>(ShippedCatalogue()); }

std::vector<uint8_t> Written(const TGame& game) {
  TBlockFileWriter writer;
  game.WriteTo(writer);
  return writer.Bytes();
}

void ReadInto(TGame& game, const std::vector<uint8_t>& bytes) {
  TBlockFileReader reader(bytes);
  game.ReadFrom(reader);
  EXPECT_EQ(reader.BytesLeft(), 0);
}

// A small quest touching every part of the file: header values, three active parameters, three
// locations and four paths with texts and custom critical messages.
void BuildSmallQuest(TGame& game) {
  game.Reset();
  game.Selector1 = 2;
  game.Selector1Set = 0x11;
  game.HeaderFlag = 0;
  game.Selector2 = 4;
  game.Selector2Set = 0x22;
  game.Selector3 = 1;
  game.Selector3Set = 0x33;
  game.Selector4 = -1;
  game.Selector4Set = 0x44;
  game.HeaderValue1 = 101;
  game.HeaderValue2 = 102;
  game.HeaderValue3 = 103;
  game.HeaderValue4 = 104;
  game.HeaderValue5 = 105;
  game.HeaderValue6 = 106;
  game.HeaderValue7 = 107;
  game.HeaderValue8 = 108;
  for (int32_t p : {1, 5, 9}) {
    TParameter& parameter = game.Parameter(p);
    parameter.Active = 1;
    parameter.Min = -p;
    parameter.Max = 10 * p;
    parameter.Name.Text = u"Параметр " + std::u16string(1, static_cast<char16_t>(u'0' + p));
    parameter.LegacyFormat.Text = u"Показ: <>";
    parameter.ViewString(1).From = -p;
    parameter.ViewString(1).To = 10 * p;
    parameter.ViewString(1).Text.Text = u"Показ: <>";
    parameter.CriticalKind = 1;
    parameter.CriticalMsg.Text = u"Конец.";
  }
  game.RToStar.Text = u"к звезде";
  game.RVagrel.Text = u"пилот";
  game.QuestDescription.Text = u"Задание.\r\nДве строки.";
  game.QuestSuccessGovMessage.Text = u"Успех.";
  game.QuestTargetName.Text = u"Цель";
  game.LocationCount = 3;
  for (int32_t i = 1; i <= 3; ++i) {
    TLocation& location = game.Location(i);
    location.Number = 10 * i;
    location.ValueA = i;
    location.Name.Text = u"Локация";
    location.LegacyText.Text = u"Старый текст " + std::u16string(1, static_cast<char16_t>(u'0' + i));
    location.Text(1).Text = location.LegacyText.Text;
    location.Text(2).Text = u"Второй текст";
    location.Change(1).CustomCriticalMsg.Text = u"Особое";
  }
  game.PathCount = 4;
  for (int32_t i = 1; i <= 4; ++i) {
    TPath& path = game.Path(i);
    path.Number = i;
    path.Value2 = i % 2;
    path.Value3 = -i;
    path.StartText.Text = u"Вопрос?";
    path.EndText.Text = u"Ответ " + std::u16string(1, static_cast<char16_t>(u'0' + i));
    path.Change(2).CustomCriticalMsg.Text = u"Путь особый";
  }
}

std::vector<uint8_t> ReadFileBytes(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(QuestDocument, ResetDocumentStartsWithThe57DocumentedHeaderBytes) {
  auto game = NewGame();
  const std::vector<uint8_t> expected =
      Hex("D2353A42 00000000 1F 01 FFFFFFFF 40 FFFFFFFF 07 FFFFFFFF 1F"
          "00000000 00000000 00000000 0A000000 08000000 01000000 01000000 32000000");
  ASSERT_EQ(expected.size(), 57u);
  const std::vector<uint8_t> bytes = Written(*game);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 57), expected);
}

TEST(QuestDocument, ZeroCountsEndTheFileRightAfterTheTargetName) {
  auto game = NewGame();
  game->QuestSuccessGovMessage.Clear();
  game->QuestDescription.Clear();
  game->QuestTargetName.Text = u"Цель";
  const std::vector<uint8_t> bytes = Written(*game);
  const std::vector<uint8_t> tail =
      Hex("00000000 00000000"                    // LocationCount, PathCount
          "01000000 00000000 01000000 00000000"  // success message, description
          "01000000 04000000 2604 3504 3B04 4C04");
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_EQ(std::vector<uint8_t>(bytes.end() - static_cast<std::ptrdiff_t>(tail.size()), bytes.end()), tail);
  auto read = NewGame();
  ReadInto(*read, bytes);
  EXPECT_EQ(read->QuestTargetName.Text, u"Цель");
}

// The header before the parameter records has five forms; each keeps the fields it lacks at their
// defaults or derives the selector sets from the selector integers.
TEST(QuestDocument, EveryHeaderVariantIsReadWithItsDefaultsAndDerivedSets) {
  struct Case {
    int32_t version;
    std::size_t headerSize;
  };
  const Case cases[] = {{V11, 40}, {V12, 45}, {V15, 45}, {V18, 45},    {V19, 47},
                        {V20, 53}, {V21, 57}, {V22, 57}, {V22 + 8, 57}};
  auto source = NewGame();
  BuildSmallQuest(*source);
  for (const Case& c : cases) {
    SCOPED_TRACE("version " + std::to_string(c.version));
    TBlockFileWriter header;
    WriteLegacyHeader(header, *source, c.version);
    EXPECT_EQ(header.Bytes().size(), c.headerSize);

    auto game = NewGame();
    ReadInto(*game, WriteLegacyQuest(*source, c.version));
    EXPECT_EQ(game->Version, CurrentQuestVersion);
    EXPECT_EQ(game->VersionRead, c.version);
    EXPECT_EQ(game->Selector1, 2);
    EXPECT_EQ(game->Selector1Set, c.version >= V19 ? 0x11 : 0x04);
    EXPECT_EQ(game->HeaderFlag, c.version >= V12 ? 0 : 1);
    EXPECT_EQ(game->Selector2, 4);
    EXPECT_EQ(game->Selector2Set, c.version >= V19 ? 0x22 : 0x10);
    EXPECT_EQ(game->Selector3, 1);
    EXPECT_EQ(game->Selector3Set, c.version >= V20 ? 0x33 : 0x02);
    EXPECT_EQ(game->Selector4, -1);
    EXPECT_EQ(game->Selector4Set, c.version >= V20 ? 0x44 : 0x1F);
    EXPECT_EQ(game->HeaderValue1, 101);
    EXPECT_EQ(game->HeaderValue6, 106);
    EXPECT_EQ(game->HeaderValue7, c.version >= V20 ? 107 : 1);
    EXPECT_EQ(game->HeaderValue8, c.version >= V21 ? 108 : 50);
  }
}

TEST(QuestDocument, SelectorSetsDerivedFromTheIntegersInOldFiles) {
  struct Case {
    int32_t value;
    uint8_t set12;
    uint8_t set3;
    uint8_t set4;
  };
  const Case cases[] = {{-1, 0x40, 0x07, 0x1F}, {0, 0x01, 0x01, 0x01},  {1, 0x02, 0x02, 0x02},
                        {2, 0x04, 0x04, 0x04},  {3, 0x08, 0x00, 0x08},  {4, 0x10, 0x00, 0x10},
                        {5, 0x00, 0x00, 0x00},  {-2, 0x00, 0x00, 0x00}, {INT_MIN, 0x00, 0x00, 0x00},
                        {31, 0x00, 0x00, 0x00}};
  for (const Case& c : cases) {
    SCOPED_TRACE("selector value " + std::to_string(c.value));
    auto source = NewGame();
    source->Selector1 = source->Selector2 = source->Selector3 = source->Selector4 = c.value;
    auto game = NewGame();
    ReadInto(*game, WriteLegacyQuest(*source, V18));
    EXPECT_EQ(game->Selector1Set, c.set12);
    EXPECT_EQ(game->Selector2Set, c.set12);
    EXPECT_EQ(game->Selector3Set, c.set3);
    EXPECT_EQ(game->Selector4Set, c.set4);
  }
}

TEST(QuestDocument, FirstIntegerUpToTheOldestVersionIsTheFirstSelectorOfAnUnmarkedFile) {
  for (int32_t first : {V11, 0, -1, -5, INT_MIN, 7}) {
    SCOPED_TRACE("first integer " + std::to_string(first));
    auto source = NewGame();
    BuildSmallQuest(*source);
    source->Selector1 = first;
    auto game = NewGame();
    ReadInto(*game, WriteLegacyQuest(*source, V11));
    EXPECT_EQ(game->VersionRead, V11);
    EXPECT_EQ(game->Selector1, first);
    EXPECT_EQ(game->HeaderFlag, 1);
    EXPECT_EQ(game->Location(1).LegacyText.Text, u"Старый текст 1");  // read in layout A
  }
  // One above the oldest version is a mark.
  auto source = NewGame();
  auto game = NewGame();
  ReadInto(*game, WriteLegacyQuest(*source, V12));
  EXPECT_EQ(game->VersionRead, V12);
  EXPECT_EQ(game->Selector1, 0);
}

TEST(QuestDocument, MarkAboveTheNewestIsReadAsTheNewestAndSavedAsIt) {
  auto source = NewGame();
  BuildSmallQuest(*source);
  for (auto& location : source->Locations) location.LegacyText.Clear();
  auto game = NewGame();
  ReadInto(*game, WriteLegacyQuest(*source, 2000000000));
  EXPECT_EQ(game->VersionRead, 2000000000);
  EXPECT_EQ(game->Version, V22);
  EXPECT_EQ(Written(*game), Written(*source));
}

// Every version: what the file holds arrives in the document, saving gives the current version
// with defaults for what the old file lacked, and saving again after reloading changes nothing.
TEST(QuestDocument, EveryVersionRoundTrips) {
  auto source = NewGame();
  BuildSmallQuest(*source);
  for (int32_t version : AllVersions) {
    SCOPED_TRACE("version " + std::to_string(version));
    auto game = NewGame();
    ReadInto(*game, WriteLegacyQuest(*source, version));
    EXPECT_EQ(game->Parameter(9).Name.Text, u"Параметр 9");
    EXPECT_EQ(game->Parameter(9).Active, 1);
    EXPECT_EQ(game->Parameter(5).ViewString(1).Text.Text, u"Показ: <>");
    EXPECT_EQ(game->Parameter(5).ViewString(1).From, -5);
    EXPECT_EQ(game->QuestDescription.Text, u"Задание.\r\nДве строки.");
    EXPECT_EQ(game->RVagrel.Text, u"пилот");
    ASSERT_EQ(game->LocationCount, 3);
    ASSERT_EQ(game->PathCount, 4);
    for (int32_t i = 1; i <= 3; ++i) {
      EXPECT_EQ(game->Location(i).Number, 10 * i);
      EXPECT_EQ(game->Location(i).Text(1).Text, source->Location(i).Text(1).Text);
      EXPECT_EQ(game->Location(i).Text(2).Text, version >= V16 ? u"Второй текст" : u"");
      EXPECT_EQ(game->Location(i).Change(1).CustomCriticalMsg.Text, u"Особое");
    }
    for (int32_t i = 1; i <= 4; ++i) {
      EXPECT_EQ(game->Path(i).Value2, i % 2);
      EXPECT_EQ(game->Path(i).EndText.Text, source->Path(i).EndText.Text);
      EXPECT_EQ(game->Path(i).Change(2).CustomCriticalMsg.Text, u"Путь особый");
    }
    const std::vector<uint8_t> saved = Written(*game);
    EXPECT_EQ(std::vector<uint8_t>(saved.begin(), saved.begin() + 4), Hex("D2353A42"));
    auto reread = NewGame();
    ReadInto(*reread, saved);
    EXPECT_EQ(reread->VersionRead, V22);
    // Layout A keeps the single old text in LegacyText as well, so its first save holds it twice;
    // the current layout drops it on reading.
    if (version < V15) {
      EXPECT_EQ(game->Location(1).LegacyText.Text, u"Старый текст 1");
      for (TLocation& location : game->Locations) location.LegacyText.Clear();
    }
    EXPECT_EQ(Written(*reread), Written(*game));
  }
}

TEST(QuestDocument, ParametersAnOldFileLacksKeepTheirDefaults) {
  struct Case {
    int32_t version;
    int32_t stored;
  };
  for (const Case& c : {Case{V12, 9}, Case{V14, 9}, Case{V15, 12}, Case{V18, 12}, Case{V19, 24}}) {
    SCOPED_TRACE("version " + std::to_string(c.version));
    auto source = NewGame();
    for (int32_t p = 1; p <= MaxParameters; ++p) {
      source->Parameter(p).Active = 1;
      source->Parameter(p).Max = 1000 + p;
    }
    auto game = NewGame();
    ReadInto(*game, WriteLegacyQuest(*source, c.version));
    for (int32_t p = 1; p <= MaxParameters; ++p) {
      EXPECT_EQ(game->Parameter(p).Active, p <= c.stored ? 1 : 0) << "parameter " << p;
      EXPECT_EQ(game->Parameter(p).Max, p <= c.stored ? 1000 + p : 1) << "parameter " << p;
    }
  }
}

// Layout D keeps the critical values in a list; after all 24 parameters the document appends each
// parameter's CriticalValue. Other versions get no such step.
TEST(QuestDocument, RangeStepOfLayoutDAppendsTheCriticalValueToEveryParameter) {
  struct Case {
    int32_t version;
    std::string slot1;
    std::string slot24;
  };
  const Case cases[] = {
      {V18, "[100]", "["},        // layout C: the single critical value; slot 24 not in the file
      {V19, "[3;7;100]", "[0]"},  // layout D: listed values, then the step
      {V20, "[3;7;100]", "[0]"},
      {V21, "[3;7;100]", "["},  // layout E: the range text as stored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("version " + std::to_string(c.version));
    auto source = NewGame();
    TParameter& parameter = source->Parameter(1);
    parameter.CriticalValue = 100;
    parameter.CriticalRanges.Clear();
    parameter.CriticalRanges.AddValue(3);
    parameter.CriticalRanges.AddValue(7);
    parameter.CriticalRanges.AddValue(100);
    auto game = NewGame();
    ReadInto(*game, WriteLegacyQuest(*source, c.version));
    EXPECT_EQ(game->Parameter(1).CriticalRanges.ToText(), c.slot1);
    EXPECT_EQ(game->Parameter(24).CriticalRanges.ToText(), c.slot24);
    EXPECT_EQ(game->Parameter(1).ValuesList.Count, 0);
  }
}

TEST(QuestDocument, CountsAboveCapacityAreRefusedBeforeAnyRecord) {
  struct Case {
    int32_t locations;
    int32_t paths;
    const char* message;
  };
  const Case cases[] = {
      {301, 0, "The quest file holds 301 locations; a quest can hold at most 300"},
      {0, 601, "The quest file holds 601 paths; a quest can hold at most 600"},
      {INT_MAX, INT_MAX, "The quest file holds 2147483647 locations; a quest can hold at most 300"},
  };
  for (const Case& c : cases) {
    auto source = NewGame();
    source->QuestSuccessGovMessage.Clear();
    source->QuestDescription.Clear();
    source->QuestTargetName.Clear();
    // No record follows the counts: had the reader tried one, it would fail with
    // "Read beyond end of file" instead.
    std::vector<uint8_t> bytes = Written(*source);
    const std::size_t countsAt = bytes.size() - 3 * EmptyTextBytes.size() - 8;
    TBlockFileWriter counts;
    counts.WriteInt(c.locations);
    counts.WriteInt(c.paths);
    std::copy(counts.Bytes().begin(), counts.Bytes().end(), bytes.begin() + static_cast<std::ptrdiff_t>(countsAt));
    source->LocationCount = c.locations;
    source->PathCount = c.paths;
    auto game = NewGame();
    TBlockFileReader reader(bytes);
    try {
      game->ReadFrom(reader);
      FAIL() << "no error";
    } catch (const EQuestCapacityError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
    // The refused counts are not kept: the document never claims records it does not have.
    EXPECT_EQ(game->LocationCount, 0);
    EXPECT_EQ(game->PathCount, 0);
    EXPECT_THROW(Written(*source), EQuestCapacityError);
  }
}

TEST(QuestDocument, NegativeCountsReadNoRecordsAndAreWrittenBack) {
  auto source = NewGame();
  source->LocationCount = -3;
  source->PathCount = -1;
  const std::vector<uint8_t> bytes = Written(*source);
  auto game = NewGame();
  ReadInto(*game, bytes);
  EXPECT_EQ(game->LocationCount, -3);
  EXPECT_EQ(game->PathCount, -1);
  EXPECT_EQ(Written(*game), bytes);
  EXPECT_EQ(game->Messages().Count, 7);
}

TEST(QuestDocument, FileCutAnywhereFailsWithReadBeyondEndAndKeepsWhatWasRead) {
  auto source = NewGame();
  BuildSmallQuest(*source);
  auto game = NewGame();
  for (int32_t version : {V11, V15, V16, V19, V21, V22}) {
    const std::vector<uint8_t> bytes = WriteLegacyQuest(*source, version);
    // Every cut in the header and the first parameter, then about a hundred more spread over the
    // rest, each moved by a few bytes from the last so that they land in different fields.
    const std::size_t stride = bytes.size() / 100 + 1;
    for (std::size_t cut = 0; cut < bytes.size(); cut += cut < 300 ? 1 : stride + cut % 7) {
      TBlockFileReader reader(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
      try {
        game->ReadFrom(reader);
        FAIL() << "version " << version << ", cut at " << cut << ": no error";
      } catch (const EInOutError& error) {
        ASSERT_EQ(error.ErrorCode, 100) << "version " << version << ", cut at " << cut;
        ASSERT_STREQ(error.what(), "Read beyond end of file");
        // The offset is where the failing read began: inside the bytes there are, and a file cut
        // right there fails at the same place.
        ASSERT_GE(error.Offset, 0);
        ASSERT_LE(static_cast<std::size_t>(error.Offset), cut);
        TBlockFileReader again(std::vector<uint8_t>(bytes.begin(), bytes.begin() + error.Offset));
        try {
          game->ReadFrom(again);
        } catch (const EInOutError& same) {
          ASSERT_EQ(same.Offset, error.Offset) << "version " << version << ", cut at " << cut;
        }
        // Only a file without a mark is told apart by its first word (once there is one).
        ASSERT_EQ(error.Note.empty(), version != V11 || cut < 4) << "version " << version << ", cut at " << cut;
      }
    }
    // Cut inside the last path: everything before it stays, and so does the version read.
    TBlockFileReader reader(std::vector<uint8_t>(bytes.begin(), bytes.end() - 3));
    EXPECT_THROW(game->ReadFrom(reader), EInOutError);
    EXPECT_EQ(game->Version, version);
    EXPECT_EQ(game->LocationCount, 3);
    EXPECT_EQ(game->Location(3).Text(1).Text, u"Старый текст 3");
    EXPECT_EQ(game->Path(3).EndText.Text, u"Ответ 3");
    // Whatever Version says after such a failure, a save is a current file.
    const std::vector<uint8_t> saved = Written(*game);
    EXPECT_EQ(std::vector<uint8_t>(saved.begin(), saved.begin() + 4), Hex("D2353A42"));
  }
}

TEST(QuestDocument, ProjectFilesReadTwoDocumentsFromOneStream) {
  auto first = NewGame();
  BuildSmallQuest(*first);
  auto second = NewGame();
  second->QuestTargetName.Text = u"Вторая";
  TBlockFileWriter writer;
  first->WriteTo(writer);
  second->WriteTo(writer);
  TBlockFileReader reader(writer.Bytes());
  auto a = NewGame();
  auto b = NewGame();
  a->ReadFrom(reader);
  b->ReadFrom(reader);
  EXPECT_EQ(reader.BytesLeft(), 0);
  EXPECT_EQ(a->PathCount, 4);
  EXPECT_EQ(b->QuestTargetName.Text, u"Вторая");
}

TEST(QuestDocument, AssignGivesACopyThatSavesAlike) {
  auto source = NewGame();
  BuildSmallQuest(*source);
  auto loaded = NewGame();
  ReadInto(*loaded, WriteLegacyQuest(*source, V14));  // layout A keeps the legacy texts
  ASSERT_EQ(loaded->Location(2).LegacyText.Text, u"Старый текст 2");
  auto copy = NewGame();
  BuildSmallQuest(*copy);
  copy->Path(4).EndText.Text = u"что-то старое";
  copy->Assign(*loaded);
  EXPECT_EQ(copy->Location(2).LegacyText.Text, u"");
  for (auto& location : loaded->Locations) location.LegacyText.Clear();
  EXPECT_EQ(Written(*copy), Written(*loaded));
  EXPECT_EQ(copy->VersionRead, V14);
}

TEST(QuestDocument, LoadFromFileLeavesTheDocumentAloneWhenTheFileCannotBeOpened) {
  ScratchFolder folder;
  struct Case {
    std::string fileName;
    int code;
  };
  const Case cases[] = {{folder.File("missing.xg"), 2}, {folder.File("no-folder/quest.xg"), 3}};
  for (const Case& c : cases) {
    auto game = NewGame();
    BuildSmallQuest(*game);
    const std::vector<uint8_t> before = Written(*game);
    try {
      game->LoadFromFile(c.fileName);
      FAIL() << "no error";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.ErrorCode, c.code);
      // Not a read: the error names the file but no offset.
      EXPECT_EQ(error.FileName, c.fileName);
      EXPECT_EQ(error.Offset, -1);
    }
    EXPECT_EQ(Written(*game), before);
  }
}

// Errors met while reading and saving name the file, and a read names the byte it failed at.
TEST(QuestDocument, ErrorsNameTheirFile) {
  ScratchFolder folder;
  auto source = NewGame();
  BuildSmallQuest(*source);
  const std::vector<uint8_t> bytes = Written(*source);
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"cut in the last path", std::vector<uint8_t>(bytes.begin(), bytes.end() - 1)},
      {"cut in the header", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 10)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string fileName = folder.File(std::string(c.name) + ".xg");
    {
      TBlockFileWriter writer(fileName);
      writer.WriteBytes(c.bytes.data(), c.bytes.size());
      writer.Commit();
    }
    auto game = NewGame();
    try {
      game->LoadFromFile(fileName);
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.FileName, fileName);
      EXPECT_GE(error.Offset, 0);
      EXPECT_LE(static_cast<std::size_t>(error.Offset), c.bytes.size());
    }
  }
  try {
    source->SaveToFile(folder.File("no-folder/out.xg"));
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.FileName, folder.File("no-folder/out.xg"));
    EXPECT_EQ(error.Offset, -1);
  }
}

TEST(QuestDocument, SaveToFileWritesTheDocumentAndLeavesNoTemporary) {
  ScratchFolder folder;
  auto game = NewGame();
  BuildSmallQuest(*game);
  const std::string fileName = folder.File("quest.xg");
  { std::ofstream(fileName) << "an older, longer file that the save replaces entirely ......................"; }
  game->SaveToFile(fileName);
  EXPECT_EQ(ReadFileBytes(fileName), Written(*game));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);

  auto loaded = NewGame();
  loaded->LoadFromFile(fileName);
  EXPECT_EQ(loaded->Path(4).EndText.Text, u"Ответ 4");
  loaded->SaveToFile(fileName);
  auto reloaded = NewGame();
  reloaded->LoadFromFile(fileName);
  EXPECT_EQ(Written(*reloaded), ReadFileBytes(fileName));

  EXPECT_THROW(game->SaveToFile(folder.File("no-folder/quest.xg")), EInOutError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(QuestDocument, FullCapacityQuestRoundTrips) {
  auto game = NewGame();
  BuildFullQuest(*game);
  const std::vector<uint8_t> bytes = Written(*game);
  auto read = NewGame();
  ReadInto(*read, bytes);
  EXPECT_EQ(read->LocationCount, MaxLocations);
  EXPECT_EQ(read->PathCount, MaxPaths);
  EXPECT_EQ(read->Location(300).Text(10).Text, game->Location(300).Text(10).Text);
  EXPECT_EQ(Written(*read), bytes);
}

TEST(QuestDocument, SampleQuestLoadsAndRoundTripsByteForByte) {
  const std::string sample = std::string(XG_DATA_DIR) + "/sample.xg";
  auto game = NewGame();
  game->LoadFromFile(sample);
  EXPECT_EQ(Written(*game), ReadFileBytes(sample));
  EXPECT_EQ(game->LocationCount, 10);
  EXPECT_EQ(game->PathCount, 20);
  int32_t active = 0;
  for (const TParameter& parameter : game->Parameters) active += parameter.Active != 0 ? 1 : 0;
  EXPECT_EQ(active, 5);
  // Questions that repeat under one Value2, as the project folds them.
  int32_t repeats = 0;
  for (int32_t i = 1; i <= game->PathCount; ++i)
    for (int32_t j = i + 1; j <= game->PathCount; ++j)
      if (game->Path(i).Value2 == game->Path(j).Value2 && game->Path(i).StartText.Text == game->Path(j).StartText.Text)
        ++repeats;
  EXPECT_GE(repeats, 2);
  EXPECT_NE(game->Location(1).Text(1).Text.find(u"\r\n"), std::u16string::npos);
  EXPECT_NE(game->Location(10).Text(1).Text.find(u"<clr>"), std::u16string::npos);
}
