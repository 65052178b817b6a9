// xgtool commands that reuse translations: update to a new quest, propagation, the memory as TMX.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/ToolRunner.h"
#include "memory/Tmx.h"
#include "memory/UpdateFixtures.h"
#include "support/BlockFile.h"
#include "support/Utf8.h"

namespace {

using clitest::ToolResult;

ToolResult RunTool(const std::vector<std::string>& args) { return clitest::RunToolWithShippedCatalogue(args); }

std::string Line(const std::string& text, const std::string& start) {
  const std::size_t at = text.find(start);
  return at == std::string::npos ? std::string()
                                 : text.substr(at + start.size(), text.find('\n', at) - at - start.size());
}

// A project of the sample quest with every other exchange body translated as "RU " + source.
std::string HalfTranslatedSample(const ScratchFolder& folder) {
  const std::string project = folder.File("sample.txg");
  EXPECT_EQ(RunTool({"new", clitest::SampleQuest, project}).exitCode, 0);
  EXPECT_EQ(RunTool({"export-messages", project, folder.File("out.txt")}).exitCode, 0);
  TBlockFileReader in(folder.File("out.txt"));
  in.ReadByte();
  in.ReadByte();
  std::u16string text = in.ReadUnits(static_cast<int32_t>(in.BytesLeft() / 2));
  int body = 0;
  for (std::size_t at = text.find(u"<Begin "); at != std::u16string::npos; at = text.find(u"<Begin ", at + 1))
    if (body++ % 2 == 0) text.insert(text.find(u">\r\n", at) + 3, u"RU ");
  TBlockFileWriter out(folder.File("in.txt"));
  out.WriteByte(0xFF);
  out.WriteByte(0xFE);
  out.WriteUnits(text);
  out.Commit();
  EXPECT_EQ(RunTool({"import-messages", project, folder.File("in.txt")}).exitCode, 0);
  return project;
}

TEST(MemoryCommand, ExportTmxWritesOneUnitPerTranslatedPosition) {
  ScratchFolder folder;
  const std::string project = HalfTranslatedSample(folder);
  const ToolResult info = RunTool({"info", project});
  const int translated = std::stoi(Line(info.out, "Positions: ")) - std::stoi(Line(info.out, "Not edited: "));
  ASSERT_GT(translated, 0);

  const std::string tmx = folder.File("memory.tmx");
  const ToolResult result = RunTool({"export-tmx", project, tmx});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(std::system(("xmllint --noout '" + tmx + "'").c_str()), 0);

  const auto entries = ReadTmx(tmx);
  ASSERT_EQ(static_cast<int>(entries.size()), translated);
  for (const TMemoryEntry& entry : entries) {
    // The quest trims blanks at the ends of what the exchange file brought.
    EXPECT_NE(entry.Translation.find(u"RU "), std::u16string::npos) << Utf16ToUtf8(entry.Translation);
    EXPECT_NE(entry.Translation.find(entry.Source.substr(0, 8)), std::u16string::npos)
        << Utf16ToUtf8(entry.Source) << " / " << Utf16ToUtf8(entry.Translation);
  }
}

TEST(MemoryCommand, ExportTmxFailures) {
  ScratchFolder folder;
  struct Case {
    std::vector<std::string> args;
    int exitCode;
  };
  const std::vector<Case> cases = {
      {{"export-tmx", folder.File("missing.txg"), folder.File("out.tmx")}, 3},
      {{"export-tmx", clitest::SampleQuest, folder.File("out.tmx")}, 3},  // a quest is no project
      {{"export-tmx", folder.File("only-one.txg")}, 2},
  };
  for (const Case& c : cases) {
    const ToolResult result = RunTool(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.args[1] << ": " << result.err;
    EXPECT_FALSE(std::filesystem::exists(folder.File("out.tmx")));
  }
}

TEST(MemoryCommand, UpdatePrintsTheFiveCounts) {
  ScratchFolder folder;
  updatetest::OldProject()->SaveToFile(folder.File("old.txg"));
  const std::string before = clitest::ReadWhole(folder.File("old.txg"));
  const ToolResult result =
      RunTool({"update", folder.File("old.txg"), updatetest::WriteNewQuest(folder), folder.File("out.txg")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "kept: 4\nchanged: 1\nmoved: 2\nnew: 4\nunused: 1\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(clitest::ReadWhole(folder.File("old.txg")), before);
  const ToolResult info = RunTool({"info", folder.File("out.txg")});
  EXPECT_EQ(Line(info.out, "Not edited: "), "4");
}

TEST(MemoryCommand, UpdateToTheQuestItWasMadeFromChangesNothing) {
  ScratchFolder folder;
  const std::string project = HalfTranslatedSample(folder);
  const ToolResult info = RunTool({"info", project});
  const int positions = std::stoi(Line(info.out, "Positions: "));
  const int untranslated = std::stoi(Line(info.out, "Not edited: "));
  ASSERT_EQ(RunTool({"export-source", project, folder.File("source.xg")}).exitCode, 0);
  const ToolResult result = RunTool({"update", project, folder.File("source.xg"), folder.File("same.txg")});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "kept: " + std::to_string(positions - untranslated) +
                            "\nchanged: 0\nmoved: 0\nnew: " + std::to_string(untranslated) + "\nunused: 0\n");
  EXPECT_EQ(clitest::ReadWhole(folder.File("same.txg")), clitest::ReadWhole(project));
}

TEST(MemoryCommand, UpdateRefusesUnreadableInputAndWritesNothing) {
  ScratchFolder folder;
  updatetest::OldProject()->SaveToFile(folder.File("old.txg"));
  const std::string quest = updatetest::WriteNewQuest(folder);
  const std::string garbage = folder.Write("garbage.xg", std::string("not a quest at all"));
  const std::string before = clitest::ReadWhole(folder.File("old.txg"));
  struct Case {
    std::string old, quest;
    int exitCode;
    std::string err;
  };
  const std::vector<Case> cases = {
      {folder.File("missing.txg"), quest, 3, "xgtool: " + folder.File("missing.txg") + ": File not found\n"},
      {folder.File("old.txg"), folder.File("missing.xg"), 3,
       "xgtool: " + folder.File("missing.xg") + ": File not found\n"},
      {folder.File("old.txg"), garbage, 3, ""},
      {quest, quest, 3, ""},  // a quest is no project
  };
  for (const Case& c : cases) {
    const ToolResult result = RunTool({"update", c.old, c.quest, folder.File("out.txg")});
    EXPECT_EQ(result.exitCode, c.exitCode) << c.old << " " << c.quest;
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(result.err.empty());
    if (!c.err.empty()) {
      EXPECT_EQ(result.err, c.err);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("out.txg"))) << c.quest;
    EXPECT_EQ(clitest::ReadWhole(folder.File("old.txg")), before);
  }
  EXPECT_EQ(RunTool({"update", folder.File("old.txg"), quest}).exitCode, 2);
}

TEST(MemoryCommand, PropagateFillsSavesAndCounts) {
  ScratchFolder folder;
  const std::vector<updatetest::FixturePath> paths = {
      {101, 1, u"Repeat", true}, {102, 2, u"Repeat"}, {103, 3, u"Other"}, {104, 4, u"Repeat"}};
  auto project = std::make_unique<TtxgProject>(projecttest::Catalogue());
  updatetest::BuildQuest(project->SourceGame, paths);
  projecttest::OpenFromSource(*project);
  project->SetTargetText(1, u"RU Repeat");
  project->SaveToFile(folder.File("p.txg"));

  ToolResult result = RunTool({"propagate", folder.File("p.txg")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "propagated: 2\n");
  TtxgProject saved(projecttest::Catalogue());
  saved.LoadFromFile(folder.File("p.txg"));
  EXPECT_EQ(saved.GetTargetText(2), u"RU Repeat");
  EXPECT_EQ(saved.GetTargetText(4), u"RU Repeat");
  EXPECT_EQ(saved.ReviewPositions(), 2);
  EXPECT_EQ(RunTool({"propagate", folder.File("p.txg")}).out, "propagated: 0\n");
  EXPECT_EQ(RunTool({"propagate", folder.File("missing.txg")}).exitCode, 3);
}

}  // namespace
