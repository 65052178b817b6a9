// The project file: 12-byte head and both quests; the table is rebuilt on loading; a failed load
// leaves an empty project.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "common/LegacyQuestWriter.h"

using namespace projecttest;

namespace {

// Everything a save and load must keep: both quests byte for byte, the current message and the
// whole table (ids, codes, texts, links, positions).
void ExpectSameProject(const TtxgProject& a, const TtxgProject& b) {
  EXPECT_EQ(QuestBytes(a.SourceGame), QuestBytes(b.SourceGame));
  EXPECT_EQ(QuestBytes(a.TargetGame), QuestBytes(b.TargetGame));
  EXPECT_EQ(a.CurrentMessage, b.CurrentMessage);
  ASSERT_EQ(a.SourceCount, b.SourceCount);
  ASSERT_EQ(a.TargetCount, b.TargetCount);
  ASSERT_EQ(a.PositionCount, b.PositionCount);
  for (int32_t n = 1; n <= a.SourceCount; ++n) {
    const auto i = static_cast<std::size_t>(n);
    ASSERT_EQ(a.SourceIds[i], b.SourceIds[i]) << n;
    ASSERT_EQ(a.SourceTypes[i], b.SourceTypes[i]) << n;
    ASSERT_EQ(a.GetSourceText(n), b.GetSourceText(n)) << n;
    ASSERT_EQ(a.LinkedPath[i], b.LinkedPath[i]) << n;
  }
  for (int32_t n = 1; n <= a.TargetCount; ++n) {
    const auto i = static_cast<std::size_t>(n);
    ASSERT_EQ(a.TargetIds[i], b.TargetIds[i]) << n;
    ASSERT_EQ(a.TargetTypes[i], b.TargetTypes[i]) << n;
    ASSERT_EQ(a.GetTargetText(n), b.GetTargetText(n)) << n;
  }
  for (int32_t p = 1; p <= a.PositionCount; ++p) ASSERT_EQ(a.MessageAtPosition(p), b.MessageAtPosition(p));
}

class ProjectFile : public ::testing::Test {
 protected:
  ProjectFile() : project(Catalogue()), loaded(Catalogue()) {}
  ScratchFolder folder;
  TtxgProject project;
  TtxgProject loaded;
};

TEST_F(ProjectFile, SaveThenLoadGivesTheSameProject) {
  project.NewFromSource(SampleQuest());
  for (int32_t n = 1; n <= project.TargetCount; n += 3)
    project.SetTargetText(n, u"Перевод " + project.GetSourceText(n));
  project.CurrentMessage = 5;
  project.SaveToFile(folder.File("p.txg"));
  loaded.LoadFromFile(folder.File("p.txg"));
  ExpectSameProject(project, loaded);
  ASSERT_GT(loaded.SourceCount, loaded.PositionCount) << "the sample should have linked questions";
}

TEST_F(ProjectFile, FileIsTheHeadAndBothQuests) {
  project.NewFromSource(SampleQuest());
  project.SetTargetText(2, u"changed");
  project.CurrentMessage = 0;
  project.SaveToFile(folder.File("p.txg"));

  TBlockFileWriter expected;
  expected.WriteInt(0);
  expected.WriteInt(project.SourceCount);
  expected.WriteInt(project.TargetCount);
  project.SourceGame.WriteTo(expected);
  project.TargetGame.WriteTo(expected);
  EXPECT_EQ(ReadBytes(folder.File("p.txg")), expected.Bytes());
  loaded.LoadFromFile(folder.File("p.txg"));
  EXPECT_EQ(loaded.CurrentMessage, 0);
}

TEST_F(ProjectFile, StoredCountsAreRecomputed) {
  project.NewFromSource(SampleQuest());
  project.SaveToFile(folder.File("p.txg"));
  std::vector<uint8_t> bytes = ReadBytes(folder.File("p.txg"));
  TBlockFileWriter head;
  head.WriteInt(7);
  head.WriteInt(123456);
  head.WriteInt(-5);
  std::copy(head.Bytes().begin(), head.Bytes().end(), bytes.begin());
  WriteBytes(folder.File("q.txg"), bytes);
  loaded.LoadFromFile(folder.File("q.txg"));
  EXPECT_EQ(loaded.SourceCount, project.SourceCount);
  EXPECT_EQ(loaded.TargetCount, project.TargetCount);
  EXPECT_EQ(loaded.CurrentMessage, 7);
}

TEST_F(ProjectFile, QuestsOfOlderVersionsLoadAndAreSavedInTheCurrentOne) {
  // Another writer stored the two quests in two different old versions.
  project.NewFromSource(SampleQuest());
  project.SetTargetText(1, u"translated");
  const std::vector<uint8_t> source = WriteLegacyQuest(project.SourceGame, QuestVersion::V18);
  const std::vector<uint8_t> target = WriteLegacyQuest(project.TargetGame, QuestVersion::V21);
  TBlockFileWriter old;
  old.WriteInt(1);
  old.WriteInt(0);
  old.WriteInt(0);
  old.WriteBytes(source.data(), source.size());
  old.WriteBytes(target.data(), target.size());
  WriteBytes(folder.File("old.txg"), old.Bytes());

  loaded.LoadFromFile(folder.File("old.txg"));
  EXPECT_EQ(loaded.SourceGame.VersionRead, QuestVersion::V18);
  EXPECT_EQ(loaded.TargetGame.VersionRead, QuestVersion::V21);
  EXPECT_EQ(loaded.GetTargetText(1), u"translated");
  EXPECT_EQ(loaded.CurrentMessage, 1);
  loaded.SaveToFile(folder.File("new.txg"));
  TBlockFileReader reread(folder.File("new.txg"));
  reread.ReadInt();
  reread.ReadInt();
  reread.ReadInt();
  EXPECT_EQ(reread.ReadInt(), CurrentQuestVersion);
  TtxgProject again(Catalogue());
  again.LoadFromFile(folder.File("new.txg"));
  EXPECT_EQ(again.TargetGame.VersionRead, CurrentQuestVersion);
  ExpectSameProject(loaded, again);
}

TEST_F(ProjectFile, FailedLoadLeavesAnEmptyProject) {
  project.NewFromSource(SampleQuest());
  project.SaveToFile(folder.File("p.txg"));
  const std::vector<uint8_t> bytes = ReadBytes(folder.File("p.txg"));
  const std::vector<uint8_t> head(bytes.begin(), bytes.begin() + 12);
  // Cut inside the head, inside the source quest, inside the target quest.
  for (std::size_t cut : {std::size_t{5}, std::size_t{12}, bytes.size() / 3, bytes.size() - 1}) {
    SCOPED_TRACE(cut);
    WriteBytes(folder.File("cut.txg"),
               std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
    loaded.LoadFromFile(folder.File("p.txg"));
    ASSERT_GT(loaded.SourceCount, 0);
    try {
      loaded.LoadFromFile(folder.File("cut.txg"));
      ADD_FAILURE() << "loaded";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.ErrorCode, IoReadBeyondEnd);
      EXPECT_EQ(std::string(error.what()), "Read beyond end of file");
    }
    EXPECT_EQ(loaded.SourceCount, 0);
    EXPECT_EQ(loaded.TargetCount, 0);
    EXPECT_EQ(loaded.PositionCount, 0);
    EXPECT_EQ(loaded.CurrentMessage, 0);
    EXPECT_EQ(loaded.SourceGame.PathCount, 0);
  }
}

TEST_F(ProjectFile, MissingFileLeavesTheProjectAsItWas) {
  project.NewFromSource(SampleQuest());
  const int32_t count = project.SourceCount;
  EXPECT_THROW(project.LoadFromFile(folder.File("absent.txg")), EInOutError);
  EXPECT_EQ(project.SourceCount, count);
}

// Both files of a project are replaced only by a complete save: a refused save leaves the old
// file as it was and no temporary beside it.
TEST_F(ProjectFile, RefusedSavesLeaveTheOldFiles) {
  project.NewFromSource(SampleQuest());
  project.SaveToFile(folder.File("p.txg"));
  project.SaveMessages(folder.File("m.txt"));
  const std::vector<uint8_t> oldProject = ReadBytes(folder.File("p.txg"));
  const std::vector<uint8_t> oldMessages = ReadBytes(folder.File("m.txt"));
  std::filesystem::permissions(folder.File("p.txg"), std::filesystem::perms::owner_read);
  std::filesystem::permissions(folder.File("m.txt"), std::filesystem::perms::owner_read);
  project.SetTargetText(1, u"changed");
  project.CurrentMessage = 9;
  EXPECT_THROW(project.SaveToFile(folder.File("p.txg")), EInOutError);
  project.SourceGame.Path(1).StartText.Text = u"changed";
  EXPECT_THROW(project.SaveMessages(folder.File("m.txt")), EInOutError);
  EXPECT_EQ(ReadBytes(folder.File("p.txg")), oldProject);
  EXPECT_EQ(ReadBytes(folder.File("m.txt")), oldMessages);
  EXPECT_THROW(project.SaveToFile(folder.File("absent/p.txg")), EInOutError);
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.File("")))
    files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 2u);
}

// A save over a file whose load dropped states keeps that file first, once, under a free name.
TEST_F(ProjectFile, FirstSaveOverADamagedFileKeepsItBeside) {
  project.NewFromSource(SampleQuest());
  project.SetNeedsReview(2, true);
  const std::string file = folder.File("p.txg");
  project.SaveToFile(file);
  std::vector<uint8_t> damaged = ReadBytes(file);
  damaged.back() ^= 0xFF;  // the block's checksum no longer matches: the states are dropped
  const std::vector<uint8_t> taken = {'t', 'a', 'k', 'e', 'n'};
  struct Step {
    std::string load;  // the file loaded first ("" = none)
    std::string save;  // the file saved to
    std::string kept;  // the copy this save keeps ("" = none)
  };
  const std::vector<Step> steps = {
      {"p.txg", "p.txg", "p.txg.damaged"},
      {"", "p.txg", ""},                          // only the first save copies
      {"p.txg", "other.txg", ""},                 // another file replaces nothing of the damaged one
      {"", "p.txg", "p.txg.damaged.2"},           // ... until the damaged one is saved over
      {"whole.txg", "whole.txg", ""},             // nothing was dropped
      {"p.txg", "./p.txg", "./p.txg.damaged.3"},  // the same file by another name
  };
  WriteBytes(folder.File("p.txg.damaged.1"), taken);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.load + " -> " + step.save);
    if (!step.load.empty()) {
      WriteBytes(folder.File("p.txg"), damaged);
      if (step.load == "whole.txg") project.SaveToFile(folder.File("whole.txg"));
      loaded.LoadFromFile(folder.File(step.load));
      ASSERT_EQ(loaded.LoadWarning().empty(), step.load == "whole.txg");
    }
    loaded.SaveToFile(folder.File(step.save));
    if (step.kept.empty()) {
      EXPECT_EQ(loaded.KeptDamagedCopy(), "");
    } else {
      EXPECT_EQ(loaded.KeptDamagedCopy(), folder.File(step.kept));
      EXPECT_EQ(ReadBytes(folder.File(step.kept)), damaged);
    }
  }
  EXPECT_EQ(ReadBytes(folder.File("p.txg.damaged.1")), taken);
  EXPECT_FALSE(std::filesystem::exists(folder.File("other.txg.damaged")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("p.txg.damaged.4")));
}

}  // namespace
