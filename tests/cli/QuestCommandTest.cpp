// xgtool convert, messages and info on quest files: output lines, exit codes and error texts.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "common/LegacyQuestWriter.h"
#include "common/ShippedData.h"
#include "quest/GameContent.h"
#include "support/BlockFile.h"
#include "support/JD_BlockPar.h"

using namespace QuestVersion;

namespace {

const std::string Catalogue = std::string(XG_DATA_DIR) + "/msg_cfg.txt";
const std::string Sample = std::string(XG_DATA_DIR) + "/sample.xg";

using clitest::ReadWhole;
using clitest::ToolResult;

ToolResult RunTool(std::vector<std::string> args) { return clitest::RunToolWithShippedCatalogue(std::move(args)); }

std::unique_ptr<TGame> NewGame() { return std::make_unique<TGame>(ShippedCatalogue()); }

std::vector<uint8_t> Written(const TGame& game) {
  TBlockFileWriter writer;
  game.WriteTo(writer);
  return writer.Bytes();
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(QuestCommand, MessagesListsEveryMessageOfTheSampleInOrder) {
  auto game = NewGame();
  game->LoadFromFile(Sample);
  const TMessageList messages = game->Messages();
  const int32_t count = messages.Count;
  const std::vector<int32_t>& types = messages.Types;
  const std::vector<std::u16string>& ids = messages.Ids;

  const ToolResult result = RunTool({"messages", Sample});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const std::vector<std::string> lines = result.Lines();
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(count));
  for (int32_t n = 1; n <= count; ++n) {
    const std::string& line = lines[static_cast<std::size_t>(n - 1)];
    const std::string head =
        std::to_string(n) + "\t" + std::to_string(types[static_cast<std::size_t>(n)]) + "\t" +
        std::string(ids[static_cast<std::size_t>(n)].begin(), ids[static_cast<std::size_t>(n)].end()) + "\t";
    EXPECT_EQ(line.rfind(head, 0), 0u) << line;
  }
  EXPECT_EQ(lines[0],
            "1\t6\tGovMsg\tСтанция «Вега-7» <ToStar> закрыта на карантин.\\r\\nДоставьте туда три ящика сыворотки, "
            "пока не закрылись шлюзы. Награда: <Money> кредитов.");
}

TEST(QuestCommand, MessagesEscapesControlCharactersAndShowsNegativeCodes) {
  ScratchFolder folder;
  auto game = NewGame();
  game->QuestDescription.Text =
      u"a\\b\tc\x01"
      u"d\xD800"
      u"e";
  game->LocationCount = 1;
  game->Location(1).Number = -2;
  game->Location(1).Text(1).Text = u"строка 1\r\nстрока 2";
  game->Location(1).LegacyText.Clear();
  const std::string file = folder.Write("q.xg", Written(*game));
  const ToolResult result = RunTool({"messages", file});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::vector<std::string> lines = result.Lines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "1\t6\tGovMsg\ta\\\\b\\tc\\u0001d\\ud800e");
  EXPECT_EQ(lines[7], "8\t-1993\tL(-2).Text(1)\tстрока 1\\r\\nстрока 2");
}

TEST(QuestCommand, ConvertSavesAnyVersionAsTheCurrentOne) {
  ScratchFolder folder;
  auto source = NewGame();
  source->Selector1 = 3;
  source->LocationCount = 2;
  source->Location(1).LegacyText.Text = u"Текст старой локации";
  source->PathCount = 1;
  source->Path(1).EndText.Text = u"Конец";
  for (int32_t version : {V11, V15, V19, V22}) {
    SCOPED_TRACE("version " + std::to_string(version));
    const std::string in = folder.Write("old.xg", WriteLegacyQuest(*source, version));
    const std::string out = folder.File("new.xg");
    const ToolResult result = RunTool({"convert", in, out});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    auto expected = NewGame();
    expected->LoadFromFile(in);
    const std::vector<uint8_t> bytes = Written(*expected);
    EXPECT_EQ(ReadWhole(out), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(ReadWhole(out).substr(0, 4), "\xD2\x35\x3A\x42");
  }
}

TEST(QuestCommand, InfoSummarisesTheSample) {
  const ToolResult result = RunTool({"info", Sample});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  for (const char* expected : {"Version: 1111111122\n", "Parameters in use: 5\n", "Locations: 10\n", "Paths: 20\n",
                               "Messages: 79\n", " 20 path questions\n", " 5 parameter names\n"})
    EXPECT_TRUE(Contains(result.out, expected)) << expected << "\n" << result.out;
}

TEST(QuestCommand, InfoNamesTheVersionAsRead) {
  ScratchFolder folder;
  auto source = NewGame();
  struct Case {
    int32_t version;
    std::string line;
  };
  const Case cases[] = {{V11, "Version: 1111111111 (no version mark)\n"},
                        {V17, "Version: 1111111117\n"},
                        {1111111200, "Version: 1111111200 (read as 1111111122)\n"}};
  for (const Case& c : cases) {
    const ToolResult result = RunTool({"info", folder.Write("q.xg", WriteLegacyQuest(*source, c.version))});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(Contains(result.out, c.line)) << result.out;
  }
}

TEST(QuestCommand, ExitCodesAndErrorTexts) {
  ScratchFolder folder;
  const std::vector<uint8_t> sample = [] {
    std::ifstream in(Sample, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  const std::string cut = folder.Write("cut.xg", std::vector<uint8_t>(sample.begin(), sample.begin() + 3000));
  // A quest whose path count, the last integer before the three empty quest texts, says 601.
  auto crowded = NewGame();
  crowded->QuestSuccessGovMessage.Clear();
  crowded->QuestDescription.Clear();
  crowded->QuestTargetName.Clear();
  std::vector<uint8_t> crowdedBytes = Written(*crowded);
  TBlockFileWriter pathCount;
  pathCount.WriteInt(601);
  std::copy(pathCount.Bytes().begin(), pathCount.Bytes().end(), crowdedBytes.end() - 3 * 8 - 4);
  const std::string tooMany = folder.Write("many.xg", crowdedBytes);
  // Text is no quest: its first four bytes, "hell", make the word 0x6C6C6568.
  const std::string notQuest =
      folder.Write("text.xg", std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', ' ', 'q', 'u', 'e', 's', 't'});
  // Where reading a file stops, as the library reports it.
  auto stopsAt = [](const std::string& file) {
    auto game = NewGame();
    try {
      game->LoadFromFile(file);
    } catch (const EInOutError& error) {
      return std::to_string(error.Offset);
    }
    return std::string("none");
  };
  const std::string cutAt = stopsAt(cut);

  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string errorPart;
  };
  const Case cases[] = {
      {{"messages"}, 2, "usage: xgtool messages"},
      {{"messages", Sample, "extra"}, 2, "usage: xgtool messages"},
      {{"info"}, 2, "usage: xgtool info"},
      {{"convert", Sample}, 2, "usage: xgtool convert"},
      {{"messages", folder.File("missing.xg")}, 3, "xgtool: " + folder.File("missing.xg") + ": File not found\n"},
      {{"info", folder.File("no-folder/q.xg")}, 3, "xgtool: " + folder.File("no-folder/q.xg") + ": Invalid filename\n"},
      {{"messages", cut}, 3, "xgtool: " + cut + ": Read beyond end of file (at byte " + cutAt + ")\n"},
      {{"info", tooMany},
       3,
       "xgtool: " + tooMany + ": The quest file holds 601 paths; a quest can hold at most 600 (at byte " +
           std::to_string(crowdedBytes.size() - 3 * 8) + ")\n"},
      {{"convert", cut, folder.File("out.xg")},
       3,
       "xgtool: " + cut + ": Read beyond end of file (at byte " + cutAt + ")\n"},
      {{"convert", notQuest, folder.File("out.xg")},
       3,
       "xgtool: " + notQuest + ": Read beyond end of file (at byte " + stopsAt(notQuest) + ")\nxgtool: " + notQuest +
           ": its first word, " + std::to_string(0x6C6C6568) + ", is none of the twelve quest version marks\n"},
      {{"convert", Sample, folder.File("no-folder/out.xg")},
       3,
       "xgtool: " + folder.File("no-folder/out.xg") + ": Invalid filename\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " with " + std::to_string(c.args.size() - 1) + " arguments");
    const ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_TRUE(Contains(result.err, c.errorPart)) << result.err;
    EXPECT_EQ(result.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("out.xg")));
}
