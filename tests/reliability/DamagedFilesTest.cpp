// Damaged files: every cut point and a few hundred single-byte changes of a quest, a project and an
// exchange file give a clean exception or a successful load: never a crash or a hang, and never an
// allocation larger than the file can justify.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "project/ProjectClass.h"
#include "quest/GameContent.h"
#include "reliability/ReliabilityHelpers.h"
#include "support/BlockFile.h"

// Every allocation of this test binary passes here, so a test can see the largest single request
// made while it reads damaged data.
namespace {
std::atomic<bool> trackAllocations{false};
std::atomic<std::size_t> largestAllocation{0};

void* TrackedAllocate(std::size_t size) {
  if (trackAllocations.load(std::memory_order_relaxed)) {
    std::size_t seen = largestAllocation.load(std::memory_order_relaxed);
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
  }
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
}  // namespace

void* operator new(std::size_t size) { return TrackedAllocate(size); }
void* operator new[](std::size_t size) { return TrackedAllocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

using reliability::Catalogue;
using reliability::ReadBytes;
using reliability::ScratchFolder;
using reliability::WriteBytes;

class AllocationWatch {
 public:
  AllocationWatch() {
    largestAllocation = 0;
    trackAllocations = true;
  }
  ~AllocationWatch() { trackAllocations = false; }
  std::size_t Largest() const { return largestAllocation; }
};

// What reading a file may take at most in one piece: the file itself, a text as long as the file
// in UTF-16, and room for the fixed records.
std::size_t AllocationLimitFor(std::size_t fileSize) { return 2 * fileSize + (1u << 20); }

std::vector<uint8_t> WithByteChanged(std::vector<uint8_t> bytes, std::size_t position, uint8_t mask) {
  bytes[position] ^= mask;
  return bytes;
}

std::vector<std::size_t> SomePositions(std::size_t size, int count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::size_t> positions;
  for (int i = 0; i < count; ++i) positions.push_back(std::uniform_int_distribution<std::size_t>(0, size - 1)(random));
  return positions;
}

// The first location and two paths of the sample quest, saved as small.xg in `folder`: a project
// of it loads quickly enough to be loaded at every one of its cut points.
std::string SaveSmallQuest(const ScratchFolder& folder) {
  TGame smallQuest(Catalogue());
  smallQuest.LoadFromFile(reliability::SampleQuest());
  smallQuest.LocationCount = 1;
  smallQuest.PathCount = 2;
  smallQuest.SaveToFile(folder.File("small.xg"));
  return folder.File("small.xg");
}

TEST(DamagedQuest, EveryCutPointIsReadBeyondEndOfFile) {
  const auto bytes = ReadBytes(reliability::SampleQuest());
  TGame game(Catalogue());
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    TBlockFileReader reader(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
    try {
      game.ReadFrom(reader);
      FAIL() << "a quest cut at " << cut << " of " << bytes.size() << " bytes was read";
    } catch (const EInOutError& error) {
      ASSERT_EQ(error.ErrorCode, IoReadBeyondEnd) << "cut at " << cut;
    }
  }
}

TEST(DamagedQuest, SingleByteChangesLoadOrFailCleanly) {
  const auto bytes = ReadBytes(reliability::SampleQuest());
  TGame game(Catalogue());
  std::mt19937 random(7);
  for (std::size_t position : SomePositions(bytes.size(), 400, 11)) {
    const auto damaged = WithByteChanged(bytes, position, static_cast<uint8_t>(1 + random() % 255));
    AllocationWatch watch;
    try {
      TBlockFileReader reader(damaged);
      game.ReadFrom(reader);
      TBlockFileWriter writer;
      game.WriteTo(writer);
    } catch (const std::exception&) {
    }
    ASSERT_LE(watch.Largest(), AllocationLimitFor(damaged.size())) << "byte " << position;
  }
}

class DamagedProjectFiles : public ::testing::Test {
 protected:
  // The project is made from the first locations and paths of the sample quest, so that loading
  // it at every one of its cut points stays quick; the cut exchange file is the whole sample's.
  void SetUp() override {
    TtxgProject project(Catalogue());
    project.NewFromSource(SaveSmallQuest(folder));
    project.CurrentMessage = 3;
    project.SaveToFile(folder.File("sample.txg"));
    projectBytes = ReadBytes(folder.File("sample.txg"));
    project.Clear();
    project.NewFromSource(reliability::SampleQuest());
    project.SaveMessages(folder.File("sample.txt"));
    exchangeBytes = ReadBytes(folder.File("sample.txt"));
  }
  ScratchFolder folder;
  std::vector<uint8_t> projectBytes;
  std::vector<uint8_t> exchangeBytes;
};

TEST_F(DamagedProjectFiles, EveryCutPointFailsAndLeavesAnEmptyProject) {
  TtxgProject project(Catalogue());
  const std::string damaged = folder.File("damaged.txg");
  for (std::size_t cut = 0; cut < projectBytes.size(); ++cut) {
    WriteBytes(damaged,
               std::vector<uint8_t>(projectBytes.begin(), projectBytes.begin() + static_cast<std::ptrdiff_t>(cut)));
    try {
      project.LoadFromFile(damaged);
      FAIL() << "a project cut at " << cut << " was loaded";
    } catch (const EInOutError& error) {
      ASSERT_EQ(error.ErrorCode, IoReadBeyondEnd) << "cut at " << cut;
    }
    ASSERT_EQ(project.SourceCount, 0) << "cut at " << cut;
    ASSERT_EQ(project.TargetCount, 0) << "cut at " << cut;
  }
}

TEST_F(DamagedProjectFiles, SingleByteChangesLoadOrFailCleanly) {
  TtxgProject project(Catalogue());
  const std::string damaged = folder.File("damaged.txg");
  std::mt19937 random(5);
  for (std::size_t position : SomePositions(projectBytes.size(), 300, 13)) {
    WriteBytes(damaged, WithByteChanged(projectBytes, position, static_cast<uint8_t>(1 + random() % 255)));
    project.Clear();
    AllocationWatch watch;
    try {
      project.LoadFromFile(damaged);
      ASSERT_LE(project.PositionCount, project.SourceCount);
    } catch (const std::exception&) {
      ASSERT_EQ(project.SourceCount, 0) << "byte " << position;
    }
    ASSERT_LE(watch.Largest(), AllocationLimitFor(projectBytes.size())) << "byte " << position;
  }
}

TEST_F(DamagedProjectFiles, ExchangeFileCutsAndChangesKeepNumberingAligned) {
  TtxgProject project(Catalogue());
  project.NewFromSource(reliability::SampleQuest());
  const std::string damaged = folder.File("damaged.txt");
  auto importAndCheck = [&](const std::vector<uint8_t>& bytes, const std::string& what) {
    WriteBytes(damaged, bytes);
    std::u16string report;
    AllocationWatch watch;
    try {
      project.LoadMessages(damaged, report);
      project.Relink();
    } catch (const std::exception&) {
    }
    ASSERT_EQ(project.SourceCount, project.TargetCount) << what;
    ASSERT_LE(watch.Largest(), AllocationLimitFor(bytes.size())) << what;
  };
  for (std::size_t cut = 0; cut < exchangeBytes.size(); cut += 1)
    importAndCheck(
        std::vector<uint8_t>(exchangeBytes.begin(), exchangeBytes.begin() + static_cast<std::ptrdiff_t>(cut)),
        "cut at " + std::to_string(cut));
  std::mt19937 random(3);
  for (std::size_t position : SomePositions(exchangeBytes.size(), 300, 17))
    importAndCheck(WithByteChanged(exchangeBytes, position, static_cast<uint8_t>(1 + random() % 255)),
                   "byte " + std::to_string(position));
}

// The block of states after the quests: every cut point and every single-byte change of it loads
// both quests whole and drops every state with a warning, never a part of them.
class DamagedProjectStates : public ::testing::Test {
 protected:
  void SetUp() override {
    TtxgProject project(Catalogue());
    project.NewFromSource(SaveSmallQuest(folder));
    project.SaveToFile(folder.File("plain.txg"));
    questBytes = ReadBytes(folder.File("plain.txg"));
    for (int32_t n = 1; n <= project.SourceCount; ++n) {
      project.SetNeedsReview(n, n % 2 == 1);
      if (n % 3 == 0) project.SetNote(n, u"note\r\nof " + std::u16string(1, static_cast<char16_t>(u'A' + n % 26)));
    }
    project.SetPreviousSource(2, u"older");
    project.SetSetting(u"language", u"ru");
    project.SetSection("later", {1, 2, 3});
    project.SaveToFile(folder.File("states.txg"));
    stateBytes = ReadBytes(folder.File("states.txg"));
    sourceCount = project.SourceCount;
    reviewPositions = project.ReviewPositions();
    notePositions = project.NotePositions();
    ASSERT_GT(notePositions, 0);
  }

  // Loads `bytes`: the quests must be whole and nothing stored after them may survive.
  // Saving flushes to the disk, so only every 25th call saves the project again.
  void ExpectQuestsWithoutStates(const std::vector<uint8_t>& bytes, const std::string& what) {
    WriteBytes(folder.File("damaged.txg"), bytes);
    TtxgProject& project = *loaded;
    project.Clear();
    AllocationWatch watch;
    project.LoadFromFile(folder.File("damaged.txg"));
    ASSERT_LE(watch.Largest(), AllocationLimitFor(bytes.size())) << what;
    ASSERT_EQ(project.SourceCount, sourceCount) << what;
    ASSERT_NE(project.LoadWarning(), "") << what;
    ASSERT_EQ(project.ReviewPositions(), 0) << what;
    ASSERT_EQ(project.NotePositions(), 0) << what;
    ASSERT_EQ(project.PreviousSource(2), u"") << what;
    ASSERT_EQ(project.Setting(u"language"), u"") << what;
    ASSERT_EQ(project.Section("later"), nullptr) << what;
    // Saved again, the project is the file without any block.
    if (calls_++ % 25 != 0) return;
    project.SaveToFile(folder.File("resaved.txg"));
    ASSERT_EQ(ReadBytes(folder.File("resaved.txg")), questBytes) << what;
  }

  ScratchFolder folder;
  std::vector<uint8_t> questBytes;
  std::vector<uint8_t> stateBytes;
  int32_t sourceCount = 0;
  int32_t reviewPositions = 0;
  int32_t notePositions = 0;
  // One project for every load: making one builds two documents of 900 records each.
  std::unique_ptr<TtxgProject> loaded = std::make_unique<TtxgProject>(Catalogue());

 private:
  int calls_ = 0;
};

TEST_F(DamagedProjectStates, EveryCutPointOfTheBlockDropsItWhole) {
  ASSERT_GT(stateBytes.size(), questBytes.size());
  ASSERT_TRUE(std::equal(questBytes.begin(), questBytes.end(), stateBytes.begin()));
  for (std::size_t cut = questBytes.size() + 1; cut < stateBytes.size(); ++cut)
    ExpectQuestsWithoutStates(
        std::vector<uint8_t>(stateBytes.begin(), stateBytes.begin() + static_cast<std::ptrdiff_t>(cut)),
        "cut at " + std::to_string(cut));
  TtxgProject whole(Catalogue());
  whole.LoadFromFile(folder.File("states.txg"));
  EXPECT_EQ(whole.LoadWarning(), "");
  EXPECT_EQ(whole.ReviewPositions(), reviewPositions);
  EXPECT_EQ(whole.NotePositions(), notePositions);
  EXPECT_TRUE(whole.NeedsReview(1));
  EXPECT_EQ(whole.PreviousSource(2), u"older");
}

TEST_F(DamagedProjectStates, EverySingleByteChangeOfTheBlockIsNoticed) {
  std::mt19937 random(9);
  for (std::size_t position = questBytes.size(); position < stateBytes.size(); ++position)
    ExpectQuestsWithoutStates(WithByteChanged(stateBytes, position, static_cast<uint8_t>(1 + random() % 255)),
                              "byte " + std::to_string(position));
}

}  // namespace
