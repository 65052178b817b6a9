// The block of states, settings and sections after the quests of a project file: round trips,
// the promise that files without it stay as they were, its layout, and its damaged forms.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ProjectTestSupport.h"
#include "project/ProjectTrailer.h"

using namespace projecttest;

namespace {

std::vector<uint8_t> HeadAndQuests(const TtxgProject& project) {
  TBlockFileWriter file;
  file.WriteInt(project.CurrentMessage);
  file.WriteInt(project.SourceCount);
  file.WriteInt(project.TargetCount);
  project.SourceGame.WriteTo(file);
  project.TargetGame.WriteTo(file);
  return file.Bytes();
}

std::vector<uint8_t> Trailer(const std::vector<TTrailerSection>& sections) {
  TBlockFileWriter file;
  WriteProjectTrailer(file, sections);
  return file.Bytes();
}

std::vector<uint8_t> Joined(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

void WriteText(TBlockFileWriter& file, const std::u16string& text) {
  file.WriteInt(static_cast<int32_t>(text.size()));
  file.WriteUnits(text);
}

// A record as another writer could make it; `review` is 0 or 1, the id is written one byte a unit
// unless `wideId`.
struct Record {
  int32_t number;
  std::u16string id;
  uint8_t review;
  std::u16string note;
  std::u16string previous;
  bool wideId = false;
};

std::vector<uint8_t> StatesSection(const std::vector<Record>& records) {
  TBlockFileWriter section;
  section.WriteInt(static_cast<int32_t>(records.size()));
  for (const Record& record : records) {
    section.WriteInt(record.number);
    section.WriteByte(static_cast<uint8_t>(record.review | (record.note.empty() ? 0 : 2) |
                                           (record.previous.empty() ? 0 : 4) | (record.wideId ? 8 : 0)));
    if (record.wideId) {
      WriteText(section, record.id);
    } else {
      section.WriteInt(static_cast<int32_t>(record.id.size()));
      for (char16_t unit : record.id) section.WriteByte(static_cast<uint8_t>(unit));
    }
    if (!record.note.empty()) WriteText(section, record.note);
    if (!record.previous.empty()) WriteText(section, record.previous);
  }
  return section.Bytes();
}

// The section of translations kept as they are, as another writer could make it.
std::vector<uint8_t> AsIsSection(const std::vector<std::pair<int32_t, std::string>>& records, uint8_t flags = 0) {
  TBlockFileWriter section;
  section.WriteInt(static_cast<int32_t>(records.size()));
  for (const auto& [number, id] : records) {
    section.WriteInt(number);
    section.WriteByte(flags);
    section.WriteInt(static_cast<int32_t>(id.size()));
    section.WriteBytes(id.data(), id.size());
  }
  return section.Bytes();
}

std::string WholeBlockDropped(const std::string& reason, std::size_t size) {
  return "The message states, notes and settings stored after the quests in the project file were dropped: " + reason +
         " (" + std::to_string(size) +
         " bytes). The quests were loaded; the file stays as it was until the project "
         "is saved.";
}

class ProjectTrailer : public ::testing::Test {
 protected:
  ProjectTrailer() : project(Catalogue()), loaded(Catalogue()) {}
  // A small project: messages 1..3 are the questions of paths 101..103, none of them linked.
  void OpenSmallProject() {
    MakeBareQuest(project.SourceGame);
    AddPaths(project.SourceGame, {{1, u"One?"}, {2, u"Two?"}, {3, u"Three?"}});
    OpenFromSource(project);
  }
  // Loads `bytes` and checks that the quests arrived whole and the file was left alone.
  void LoadDamaged(const std::vector<uint8_t>& bytes) {
    WriteBytes(folder.File("damaged.txg"), bytes);
    loaded.LoadFromFile(folder.File("damaged.txg"));
    EXPECT_EQ(QuestBytes(loaded.SourceGame), QuestBytes(project.SourceGame));
    EXPECT_EQ(QuestBytes(loaded.TargetGame), QuestBytes(project.TargetGame));
    EXPECT_EQ(loaded.SourceCount, project.SourceCount);
    EXPECT_EQ(ReadBytes(folder.File("damaged.txg")), bytes);
  }
  ScratchFolder folder;
  TtxgProject project;
  TtxgProject loaded;
};

TEST(Crc32, KnownValues) {
  const std::string check = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xCBF43926u);
  const std::string fox = "The quick brown fox jumps over the lazy dog";
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(fox.data()), fox.size()), 0x414FA339u);
  EXPECT_EQ(Crc32(nullptr, 0), 0u);
  // Continued over the fox in two runs, at every split.
  const auto* bytes = reinterpret_cast<const uint8_t*>(fox.data());
  for (std::size_t split = 0; split <= fox.size(); ++split)
    EXPECT_EQ(Crc32(bytes + split, fox.size() - split, Crc32(bytes, split)), 0x414FA339u) << split;
}

TEST_F(ProjectTrailer, StatesSurviveSaveLoadImportExportAndASecondSave) {
  project.NewFromSource(SampleQuest());
  const int32_t count = project.SourceCount;
  for (int32_t n = 1; n <= count; n += 4) project.SetNeedsReview(n, true);
  for (int32_t n = 2; n <= count; n += 7)
    project.SetNote(n, u"line one\r\nline \U0001D11E two " + std::u16string(1, u'0' + n % 10));
  for (int32_t n = 3; n <= count; n += 9) project.SetPreviousSource(n, u"before " + project.GetSourceText(n));
  project.SetTargetText(5, u"translated");
  project.SetSetting(u"language", u"ru");
  project.SetSetting(u"memories", u"a.tmx\nb.tmx");
  project.SaveToFile(folder.File("p.txg"));

  auto expectSameStates = [&](const TtxgProject& other) {
    ASSERT_EQ(other.SourceCount, count);
    for (int32_t n = 1; n <= count; ++n) {
      ASSERT_EQ(other.NeedsReview(n), project.NeedsReview(n)) << n;
      ASSERT_EQ(other.Note(n), project.Note(n)) << n;
      ASSERT_EQ(other.PreviousSource(n), project.PreviousSource(n)) << n;
    }
    EXPECT_EQ(other.ReviewPositions(), project.ReviewPositions());
    EXPECT_EQ(other.NotePositions(), project.NotePositions());
    EXPECT_EQ(other.Setting(u"language"), u"ru");
    EXPECT_EQ(other.Setting(u"memories"), u"a.tmx\nb.tmx");
  };
  loaded.LoadFromFile(folder.File("p.txg"));
  EXPECT_EQ(loaded.LoadWarning(), "");
  expectSameStates(loaded);
  EXPECT_EQ(loaded.TranslatedPositions(), 1);
  ASSERT_GT(project.ReviewPositions(), 0);
  loaded.SaveToFile(folder.File("again.txg"));
  EXPECT_EQ(ReadBytes(folder.File("again.txg")), ReadBytes(folder.File("p.txg")));

  // An exchange import replaces texts, not states: a flagged message stays flagged. The file holds
  // the source texts, so the one translation goes back to untranslated.
  loaded.SaveMessages(folder.File("m.txt"));
  std::u16string report;
  loaded.LoadMessages(folder.File("m.txt"), report);
  loaded.Relink();
  expectSameStates(loaded);
  EXPECT_EQ(loaded.TranslatedPositions(), 0);

  // The exported quest is the quest alone, and exporting changes nothing of the project.
  loaded.TargetGame.SaveToFile(folder.File("t.xg"));
  EXPECT_EQ(ReadBytes(folder.File("t.xg")), QuestBytes(loaded.TargetGame));
  expectSameStates(loaded);
}

TEST_F(ProjectTrailer, TakeOverIsASaveAndLoadWithoutTheFile) {
  project.NewFromSource(SampleQuest());
  project.SetNeedsReview(4, true);
  project.SetNote(6, u"note");
  project.SetTargetText(7, u"translated");
  project.SetSection("later", {1, 2, 3});
  project.CurrentMessage = 9;
  project.SaveToFile(folder.File("p.txg"));

  loaded.LoadFromFile(folder.File("p.txg"));
  loaded.SetNote(2, u"dropped by the take-over");
  std::vector<int32_t> heard;
  loaded.AddChangeListener([&heard](int32_t message) { heard.push_back(message); });
  loaded.TakeOver(project);
  loaded.SaveToFile(folder.File("taken.txg"));
  EXPECT_EQ(ReadBytes(folder.File("taken.txg")), ReadBytes(folder.File("p.txg")));
  EXPECT_EQ(loaded.TranslatedPositions(), project.TranslatedPositions());
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back(), 0);
}

TEST_F(ProjectTrailer, AProjectWithoutStatesIsWrittenAsBefore) {
  project.NewFromSource(SampleQuest());
  project.SetNeedsReview(3, true);
  project.SetNote(4, u"n");
  project.SetPreviousSource(5, u"p");
  project.SetSetting(u"language", u"ru");
  project.SetSection("unused", {1});
  project.SetNeedsReview(3, false);
  project.SetNote(4, u"");
  project.SetPreviousSource(5, u"");
  project.SetSetting(u"language", u"");
  project.SetSection("unused", {});
  project.SaveToFile(folder.File("p.txg"));
  EXPECT_EQ(ReadBytes(folder.File("p.txg")), HeadAndQuests(project));
}

TEST_F(ProjectTrailer, FileWithStatesBeginsWithTheFileWithoutThem) {
  project.NewFromSource(SampleQuest());
  project.SetNote(1, u"n");
  project.SaveToFile(folder.File("p.txg"));
  const std::vector<uint8_t> bytes = ReadBytes(folder.File("p.txg"));
  const std::vector<uint8_t> before = HeadAndQuests(project);
  ASSERT_GT(bytes.size(), before.size());
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(before.size())), before);

  // A reader that stops after the target quest finds both quests intact.
  TBlockFileReader reader(bytes);
  for (int i = 0; i < 3; ++i) reader.ReadInt();
  TGame source(Catalogue());
  TGame target(Catalogue());
  source.ReadFrom(reader);
  target.ReadFrom(reader);
  EXPECT_EQ(QuestBytes(target), QuestBytes(project.TargetGame));
  EXPECT_EQ(reader.Position(), static_cast<int64_t>(before.size()));
}

TEST_F(ProjectTrailer, LayoutOfTheBlock) {
  OpenSmallProject();
  project.SetNeedsReview(2, true);
  project.SetNote(3, u"N");
  project.SetSetting(u"language", u"ru");
  project.SetSection("later", {0xAB});
  project.SaveToFile(folder.File("p.txg"));

  TBlockFileWriter body;
  body.WriteInt(3);
  body.WriteInt(6);
  body.WriteBytes("states", 6);
  TBlockFileWriter states;
  states.WriteInt(2);
  states.WriteInt(2);
  states.WriteByte(0x01);  // needs review
  states.WriteInt(15);
  states.WriteBytes("Path(102).Start", 15);
  states.WriteInt(3);
  states.WriteByte(0x02);  // has a note
  states.WriteInt(15);
  states.WriteBytes("Path(103).Start", 15);
  states.WriteInt(1);
  states.WriteUnits(u"N");
  body.WriteInt(static_cast<int32_t>(states.Bytes().size()));
  body.WriteBytes(states.Bytes().data(), states.Bytes().size());
  body.WriteInt(8);
  body.WriteBytes("settings", 8);
  body.WriteInt(4 + 4 + 16 + 4 + 4);
  body.WriteInt(1);
  WriteText(body, u"language");
  WriteText(body, u"ru");
  body.WriteInt(5);
  body.WriteBytes("later", 5);
  body.WriteInt(1);
  body.WriteByte(0xAB);
  TBlockFileWriter expected;
  expected.WriteBytes("TXGSTATE", 8);
  expected.WriteInt(1);
  expected.WriteInt(static_cast<int32_t>(body.Bytes().size()));
  expected.WriteBytes(body.Bytes().data(), body.Bytes().size());
  expected.WriteInt(static_cast<int32_t>(Crc32(body.Bytes().data(), body.Bytes().size())));
  EXPECT_EQ(ReadBytes(folder.File("p.txg")), Joined(HeadAndQuests(project), expected.Bytes()));
}

TEST_F(ProjectTrailer, UnknownSectionsAreKeptAsTheyWere) {
  OpenSmallProject();
  const std::vector<uint8_t> future = {9, 8, 7, 6, 5};
  const std::vector<uint8_t> file =
      Joined(HeadAndQuests(project),
             Trailer({{"states", StatesSection({{1, u"Path(101).Start", 1, u"", u""}})}, {"zz-future", future}}));
  WriteBytes(folder.File("p.txg"), file);
  loaded.LoadFromFile(folder.File("p.txg"));
  EXPECT_EQ(loaded.LoadWarning(), "");
  ASSERT_NE(loaded.Section("zz-future"), nullptr);
  EXPECT_EQ(*loaded.Section("zz-future"), future);
  EXPECT_TRUE(loaded.NeedsReview(1));
  loaded.SaveToFile(folder.File("saved.txg"));
  EXPECT_EQ(ReadBytes(folder.File("saved.txg")), file);
}

// A record may hold its id in UTF-16 even when every unit is ASCII, and any order of records fits.
TEST_F(ProjectTrailer, RecordsInAnyOrderAndIdFormFit) {
  OpenSmallProject();
  LoadDamaged(Joined(HeadAndQuests(project),
                     Trailer({{"states", StatesSection({{3, u"Path(103).Start", 0, u"n", u""},
                                                        {1, u"Path(101).Start", 1, u"", u"p", true}})}})));
  EXPECT_EQ(loaded.LoadWarning(), "");
  EXPECT_TRUE(loaded.NeedsReview(1));
  EXPECT_EQ(loaded.PreviousSource(1), u"p");
  EXPECT_EQ(loaded.Note(3), u"n");
  EXPECT_FALSE(loaded.NeedsReview(2));
  EXPECT_EQ(loaded.ReviewPositions(), 1);
  EXPECT_EQ(loaded.NotePositions(), 1);
}

struct DamageCase {
  const char* name;
  // Turns the whole file (head, quests and a good block of `blockSize` bytes) into the damaged one.
  std::function<std::vector<uint8_t>(std::vector<uint8_t> file, std::size_t blockSize)> damage;
  std::string reason;
  std::size_t droppedSize;  // bytes after the quests in the damaged file
};

TEST_F(ProjectTrailer, DamagedBlocksAreDroppedAndTheQuestsLoad) {
  OpenSmallProject();
  project.SetNeedsReview(1, true);
  project.SetNote(2, u"note");
  project.SetSetting(u"language", u"ru");
  project.SaveToFile(folder.File("p.txg"));
  const std::vector<uint8_t> good = ReadBytes(folder.File("p.txg"));
  const std::size_t quests = HeadAndQuests(project).size();
  const std::size_t block = good.size() - quests;
  auto cutTo = [](std::size_t size) {
    return [size](std::vector<uint8_t> file, std::size_t) {
      file.resize(size);
      return file;
    };
  };
  auto flip = [](std::size_t fromEnd) {
    return [fromEnd](std::vector<uint8_t> file, std::size_t) {
      file[file.size() - fromEnd] ^= 0x10;
      return file;
    };
  };
  const std::vector<DamageCase> cases = {
      {"cut inside the mark", cutTo(quests + 3), "the block is cut", 3},
      {"cut inside the version", cutTo(quests + 10), "the block is cut", 10},
      {"cut inside the body", cutTo(quests + 30), "the block is cut", 30},
      {"cut before the last byte", cutTo(good.size() - 1), "the block is cut", block - 1},
      {"wrong mark",
       [quests](std::vector<uint8_t> file, std::size_t) {
         file[quests] = 'X';
         return file;
       },
       "the block does not begin with its mark", block},
      {"bytes after an old file",
       [quests](std::vector<uint8_t> file, std::size_t) {
         file.resize(quests);
         file.push_back(0);
         return file;
       },
       "the block does not begin with its mark", 1},
      {"unknown version",
       [quests](std::vector<uint8_t> file, std::size_t) {
         file[quests + 8] = 2;
         return file;
       },
       "the block is of version 2, which this program does not read", block},
      {"negative length",
       [quests](std::vector<uint8_t> file, std::size_t) {
         file[quests + 15] = 0x80;
         return file;
       },
       "the block's length is damaged", block},
      {"a byte of the body changed", flip(10), "the block's checksum does not match", block},
      {"the checksum changed", flip(1), "the block's checksum does not match", block},
      {"bytes after the block",
       [](std::vector<uint8_t> file, std::size_t) {
         file.push_back(1);
         file.push_back(2);
         return file;
       },
       "2 bytes follow the block", block + 2},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.name);
    LoadDamaged(c.damage(good, block));
    EXPECT_EQ(loaded.LoadWarning(), WholeBlockDropped(c.reason, c.droppedSize));
    EXPECT_FALSE(loaded.NeedsReview(1));
    EXPECT_EQ(loaded.Note(2), u"");
    EXPECT_EQ(loaded.Setting(u"language"), u"");
    EXPECT_EQ(loaded.ReviewPositions(), 0);
  }
  // The warning belongs to one load only.
  loaded.LoadFromFile(folder.File("p.txg"));
  EXPECT_EQ(loaded.LoadWarning(), "");
  EXPECT_TRUE(loaded.NeedsReview(1));
}

struct RecordCase {
  const char* name;
  std::vector<Record> records;
  std::string warning;
};

TEST_F(ProjectTrailer, RecordsThatDoNotFitTheProjectDropTheStatesOnly) {
  OpenSmallProject();
  const std::string dropped = "The message states stored in the project file were dropped: ";
  const std::vector<RecordCase> cases = {
      {"an id that differs",
       {{1, u"Path(101).Start", 1, u"a", u""}, {2, u"Path(109).Start", 1, u"", u"old"}},
       dropped + "record 2 names message 2 \"Path(109).Start\", but message 2 of this project is \"Path(102).Start\". "
                 "Dropped: 2 review marks, 1 note and 1 previous source text."},
      {"a number beyond the messages",
       {{4, u"Path(104).Start", 0, u"a", u""}},
       dropped + "record 1 names message 4 \"Path(104).Start\", but the project has messages 1 to 3. Dropped: 1 note."},
      {"message zero",
       {{0, u"", 1, u"", u""}},
       dropped + "record 1 names message 0 \"\", but the project has messages 1 to 3. Dropped: 1 review mark."},
      {"an id beyond ASCII",
       {{1, u"Path(101).Stårt", 0, u"", u"old", true}},
       dropped + "record 1 names message 1 \"Path(101).Stårt\", but message 1 of this project is \"Path(101).Start\". "
                 "Dropped: 1 previous source text."},
      {"one message twice",
       {{3, u"Path(103).Start", 1, u"", u""}, {3, u"Path(103).Start", 1, u"", u""}},
       dropped + "records 1 and 2 both name message 3. Dropped: 2 review marks."},
  };
  TProjectSettings settings;
  settings[u"language"] = u"ru";
  for (const RecordCase& c : cases) {
    SCOPED_TRACE(c.name);
    LoadDamaged(Joined(HeadAndQuests(project),
                       Trailer({{"states", StatesSection(c.records)}, {"settings", EncodeSettings(settings)}})));
    EXPECT_EQ(loaded.LoadWarning(), c.warning);
    for (int32_t n = 1; n <= 3; ++n) {
      EXPECT_FALSE(loaded.NeedsReview(n));
      EXPECT_EQ(loaded.Note(n), u"");
    }
    EXPECT_EQ(loaded.Setting(u"language"), u"ru");
  }
}

// Sections that pass the checksum but do not follow their layout (another writer's fault).
TEST_F(ProjectTrailer, DamagedSectionsAreDroppedOneByOne) {
  OpenSmallProject();
  const std::string statesDamaged =
      "The message states stored in the project file were dropped: the section \"states\" is damaged.";
  const std::string settingsDamaged =
      "The project settings stored in the project file were dropped: the section \"settings\" is damaged.";
  TProjectSettings settings;
  settings[u"language"] = u"ru";
  const std::vector<uint8_t> goodStates = StatesSection({{1, u"Path(101).Start", 1, u"", u""}});
  auto withByte = [](std::vector<uint8_t> bytes, std::size_t at, uint8_t value) {
    bytes[at] = value;
    return bytes;
  };
  std::vector<uint8_t> longer = goodStates;
  longer.push_back(0);
  std::vector<uint8_t> noteOfNoUnits = withByte(goodStates, 8, 0x03);
  noteOfNoUnits.insert(noteOfNoUnits.end(), {0, 0, 0, 0});
  struct SectionCase {
    const char* name;
    std::vector<TTrailerSection> sections;
    std::string warning;
    bool statesKept, settingsKept;
  };
  const std::vector<SectionCase> cases = {
      // goodStates: count (0..3), number (4..7), flags (8), id length (9..12), id (13..27)
      {"unknown flag", {{"states", withByte(goodStates, 8, 0x11)}}, statesDamaged, false, true},
      {"record count beyond the bytes", {{"states", withByte(goodStates, 0, 200)}}, statesDamaged, false, true},
      {"negative record count", {{"states", withByte(goodStates, 3, 0x80)}}, statesDamaged, false, true},
      {"negative id length", {{"states", withByte(goodStates, 12, 0x80)}}, statesDamaged, false, true},
      {"id longer than the bytes", {{"states", withByte(goodStates, 9, 16)}}, statesDamaged, false, true},
      {"byte id beyond ASCII", {{"states", withByte(goodStates, 13, 0xD0)}}, statesDamaged, false, true},
      {"note flagged but empty", {{"states", noteOfNoUnits}}, statesDamaged, false, true},
      {"note flagged but missing", {{"states", withByte(goodStates, 8, 0x03)}}, statesDamaged, false, true},
      {"bytes after the records", {{"states", longer}}, statesDamaged, false, true},
      {"settings cut",
       {{"states", goodStates}, {"settings", std::vector<uint8_t>{1, 0, 0, 0, 2, 0}}},
       settingsDamaged,
       true,
       false},
      {"both",
       {{"states", longer}, {"settings", std::vector<uint8_t>{5}}},
       statesDamaged + "\n" + settingsDamaged,
       false,
       false},
  };
  for (const SectionCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TTrailerSection> sections = c.sections;
    if (sections.size() == 1) sections.push_back({"settings", EncodeSettings(settings)});
    LoadDamaged(Joined(HeadAndQuests(project), Trailer(sections)));
    EXPECT_EQ(loaded.LoadWarning(), c.warning);
    EXPECT_EQ(loaded.NeedsReview(1), c.statesKept);
    EXPECT_EQ(loaded.Setting(u"language"), c.settingsKept ? u"ru" : u"");
  }
}

TEST_F(ProjectTrailer, DamagedListOfSections) {
  OpenSmallProject();
  auto blockWithBody = [](const std::vector<uint8_t>& body) {
    TBlockFileWriter block;
    block.WriteBytes("TXGSTATE", 8);
    block.WriteInt(1);
    block.WriteInt(static_cast<int32_t>(body.size()));
    block.WriteBytes(body.data(), body.size());
    block.WriteInt(static_cast<int32_t>(Crc32(body.data(), body.size())));
    return block.Bytes();
  };
  const std::vector<std::vector<uint8_t>> bodies = {
      {},                                                                      // no section count
      {2, 0, 0, 0, 1, 0, 0, 0, 'a', 0, 0, 0, 0},                               // two sections announced, one there
      {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},                                    // a name of no bytes
      {1, 0, 0, 0, 1, 0, 0, 0, ' ', 0, 0, 0, 0},                               // a name that is not printable
      {1, 0, 0, 0, 1, 0, 0, 0, 'a', 9, 0, 0, 0, 1},                            // data longer than the body
      {2, 0, 0, 0, 1, 0, 0, 0, 'a', 0, 0, 0, 0, 1, 0, 0, 0, 'a', 0, 0, 0, 0},  // a name twice
      {0, 0, 0, 0, 7},                                                         // a byte after the sections
  };
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    SCOPED_TRACE(i);
    const std::vector<uint8_t> block = blockWithBody(bodies[i]);
    LoadDamaged(Joined(HeadAndQuests(project), block));
    EXPECT_EQ(loaded.LoadWarning(), WholeBlockDropped("the block's list of sections is damaged", block.size()));
    EXPECT_EQ(loaded.Section("a"), nullptr);
  }
}

// The marks of translations kept as they are have a section of their own: a program that knows
// only "states" reads those as before and keeps the marks as a section it does not know.
TEST_F(ProjectTrailer, TranslatedAsIsIsASectionOfItsOwn) {
  OpenSmallProject();
  project.SetNeedsReview(2, true);
  project.SaveToFile(folder.File("unmarked.txg"));
  project.SetTranslatedAsIs(3, true);
  project.SaveToFile(folder.File("p.txg"));
  TBlockFileReader reader(ReadBytes(folder.File("p.txg")));
  std::vector<uint8_t> quests(HeadAndQuests(project).size());
  reader.ReadBytes(quests.data(), quests.size());
  const TTrailerRead read = ReadProjectTrailer(reader);
  ASSERT_EQ(read.Sections.size(), 2u);
  EXPECT_EQ(read.Sections[0].Bytes, StatesSection({{2, u"Path(102).Start", 1, u"", u""}}));
  EXPECT_EQ(read.Sections[1].Name, "translated-as-is");
  EXPECT_EQ(read.Sections[1].Bytes, AsIsSection({{3, "Path(103).Start"}}));

  loaded.LoadFromFile(folder.File("p.txg"));
  EXPECT_TRUE(loaded.TranslatedAsIs(3));
  EXPECT_EQ(loaded.TranslatedPositions(), 1);
  loaded.SetTranslatedAsIs(3, false);
  loaded.SaveToFile(folder.File("again.txg"));
  EXPECT_EQ(ReadBytes(folder.File("again.txg")), ReadBytes(folder.File("unmarked.txg")));
}

// A damaged section is dropped alone; a mark on a translation an older program changed since is no
// longer true and goes without a word.
TEST_F(ProjectTrailer, MarksThatDoNotFitTheProjectAreDropped) {
  OpenSmallProject();
  project.SetTargetText(2, u"Zwei?");
  const std::string dropped = "The marks of translations kept as they are, stored in the project file, were dropped: ";
  struct Case {
    std::vector<uint8_t> section;
    std::string warning;
    bool firstAsIs;
  };
  const Case cases[] = {
      {AsIsSection({{1, "Path(101).Start"}, {2, "Path(102).Start"}}), "", true},
      {AsIsSection({{1, "Path(101).Start"}}, 0x01), dropped + "the section \"translated-as-is\" is damaged.", false},
  };
  for (const Case& c : cases) {
    LoadDamaged(Joined(
        HeadAndQuests(project),
        Trailer({{"translated-as-is", c.section}, {"states", StatesSection({{1, u"Path(101).Start", 1, u"", u""}})}})));
    EXPECT_EQ(loaded.LoadWarning(), c.warning);
    EXPECT_EQ(loaded.TranslatedAsIs(1), c.firstAsIs);
    EXPECT_FALSE(loaded.TranslatedAsIs(2));
    EXPECT_TRUE(loaded.NeedsReview(1));
  }
}

}  // namespace
