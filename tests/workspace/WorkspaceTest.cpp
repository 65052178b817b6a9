// A folder of projects made from the sample quest: which files are its projects, their counts
// against the project loaded alone, damaged files and a folder that cannot be read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "common/ScratchFolder.h"
#include "common/ShippedData.h"
#include "memory/WorkspaceMemory.h"
#include "project/MessageFilter.h"
#include "project/ProjectClass.h"
#include "support/BlockFile.h"
#include "support/ErrorDescription.h"
#include "workspace/Workspace.h"

namespace {

// A project of the sample quest (76 positions, three path questions folded) saved as `name`:
// every `every`-th position translated (0: none), `review` flagged, `asIs` translated as is.
std::string Save(const ScratchFolder& folder, const std::string& name, int every, std::vector<int32_t> review = {},
                 std::vector<int32_t> asIs = {}) {
  TtxgProject project(ShippedCatalogue());
  project.NewFromSource(SampleQuestPath());
  for (int32_t p = 1; every > 0 && p <= project.PositionCount; p += every)
    project.StoreTranslation(project.MessageAtPosition(p),
                             u"RU " + project.GetSourceText(project.MessageAtPosition(p)));
  for (int32_t n : review) project.SetNeedsReview(n, true);
  for (int32_t n : asIs) project.SetTranslatedAsIs(n, true);
  std::filesystem::create_directories(std::filesystem::path(folder.File(name)).parent_path());
  project.SaveToFile(folder.File(name));
  return folder.File(name);
}

std::string ReadWhole(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Workspace, ItsProjectsAreTheProjectFilesOfTheFolderAndItsSubfolders) {
  ScratchFolder folder;
  for (const char* name : {"b.txg", "a.txg", "UPPER.TXG", "sub/deep/c.txg", "sub/a.txg", "a.txg.journal",
                           "a.txg.damaged", ".a.txg.saving~", ".git/x.txg", ".hidden.txg", "notes.txt", "sub/.txg"}) {
    std::filesystem::create_directories(std::filesystem::path(folder.File(name)).parent_path());
    folder.Write(name, std::string("x"));
  }
  // A link to a folder is not followed: one back up would never end.
  std::filesystem::create_directory_symlink(folder.Path(), folder.File("sub/up"));
  std::filesystem::create_symlink(folder.File("b.txg"), folder.File("linked.txg"));
  std::filesystem::create_symlink(folder.File("absent"), folder.File("dangling.txg"));
  std::vector<std::string> expected;
  for (const char* name : {"UPPER.TXG", "a.txg", "b.txg", "linked.txg", "sub/a.txg", "sub/deep/c.txg"})
    expected.push_back(folder.File(name));
  EXPECT_EQ(WorkspaceProjectFiles(folder.Path()), expected);
  EXPECT_EQ(WorkspaceProjectFiles(folder.Path() + "/"), expected);
}

TEST(Workspace, CountsAreThoseOfTheProjectLoadedAloneAndDamagedFilesAreListedWithTheirError) {
  ScratchFolder folder;
  struct Case {
    std::string name;
    int32_t translated, review;
    bool damaged = false;
  };
  // "b/old" holds no states: the file ends after the quests, as older files do. The damaged block
  // of states of "states" is dropped with a warning; its quests load.
  const std::vector<Case> cases = {{"a/half", 38, 3},        {"b/asis", 3, 0},        {"b/cut", 0, 0, true},
                                   {"b/deep/linked", 19, 2}, {"b/empty", 0, 0, true}, {"b/old", 76, 0},
                                   {"fresh", 0, 0},          {"states", 38, 0}};
  const std::string half = ReadWhole(Save(folder, "a/half.txg", 2, {1, 2, 3}));
  Save(folder, "b/asis.txg", 0, {}, {1, 2, 3});
  folder.Write("b/cut.txg", half.substr(0, 5000));
  // Messages 57 and 66 ask the question of 48: they fold into it, so the three hold one flag.
  Save(folder, "b/deep/linked.txg", 4, {4, 57, 66, 48});
  folder.Write("b/empty.txg", std::string());
  EXPECT_EQ(ReadWhole(Save(folder, "b/old.txg", 1)).find("TXGSTATE"), std::string::npos);
  Save(folder, "fresh.txg", 0);
  folder.Write("states.txg", half.substr(0, half.size() - 3));

  const std::vector<TWorkspaceProject> projects = SummarizeWorkspace(folder.Path(), ShippedCatalogue());
  ASSERT_EQ(projects.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const TWorkspaceProject& project = projects[i];
    SCOPED_TRACE(project.FileName);
    EXPECT_EQ(project.FileName, folder.File(cases[i].name + ".txg"));
    EXPECT_EQ(project.Name, cases[i].name);
    struct stat info {};
    EXPECT_EQ(project.LastSaved, ::stat(project.FileName.c_str(), &info) == 0 ? info.st_mtime : -1);
    EXPECT_EQ(SummarizeProject(folder.Path(), project.FileName, ShippedCatalogue()), project);
    TtxgProject plain(ShippedCatalogue());
    try {
      plain.LoadFromFile(project.FileName);
      EXPECT_FALSE(cases[i].damaged);
    } catch (const std::exception& error) {
      // The error as the window and xgtool tell it: the file, then what went wrong.
      EXPECT_TRUE(project.Damaged);
      EXPECT_EQ(project.Error, DescribeErrorText(error));
      EXPECT_EQ(project.Error.rfind(project.FileName + ": Read beyond end of file (at byte ", 0), 0u);
    }
    EXPECT_EQ(project.Damaged, cases[i].damaged);
    const int32_t translated = plain.TranslatedPositions();
    EXPECT_EQ((std::vector<int32_t>{project.Positions, project.Translated, project.Untranslated, project.Review}),
              (std::vector<int32_t>{plain.PositionCount, translated, plain.PositionCount - translated,
                                    plain.ReviewPositions()}));
    EXPECT_EQ((std::vector<int32_t>{project.Positions, project.Translated, project.Review}),
              (std::vector<int32_t>{project.Damaged ? 0 : 76, cases[i].translated, cases[i].review}));
  }
  const TWorkspaceProject total = WorkspaceTotal(projects);
  EXPECT_EQ((std::vector<int32_t>{total.Positions, total.Translated, total.Untranslated, total.Review}),
            (std::vector<int32_t>{6 * 76, 174, 6 * 76 - 174, 5}));
}

TEST(Workspace, AFolderThatCannotBeReadIsAnErrorNamingIt) {
  ScratchFolder folder;
  const std::string file = folder.Write("file.txg", std::string("x")), absent = folder.File("absent");
  const std::string cannot = ": the folder of projects cannot be read: ";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {absent, "File not found\n" + absent + cannot + "No such file or directory"},
      {absent + "/below", "Invalid filename\n" + absent + "/below" + cannot + "No such file or directory"},
      {file, "Invalid filename\n" + file + cannot + "Not a directory"}};
  for (const auto& [name, text] : cases) {
    try {
      SummarizeWorkspace(name, ShippedCatalogue());
      ADD_FAILURE() << name;
    } catch (const EInOutError& error) {
      EXPECT_EQ(DescribeErrorText(error), name + ": " + text);
    }
  }
}

// What the window keeps of an open workspace agrees with each project loaded alone: the summaries,
// the memory's entries and, for every filter and search, the positions its own list would show.
TEST(Workspace, KeptTextsAnswerAsTheProjectsLoadedAlone) {
  ScratchFolder folder;
  Save(folder, "a.txg", 2, {1, 2});
  Save(folder, "sub/b.txg", 3, {5});
  folder.Write("damaged.txg", std::string("x"));
  const TWorkspaceContents contents = ReadWorkspace(folder.Path(), ShippedCatalogue());
  ASSERT_EQ(contents.Projects, SummarizeWorkspace(folder.Path(), ShippedCatalogue()));
  ASSERT_EQ(contents.Quests.size(), 3u);
  EXPECT_TRUE(contents.Quests[1].Positions.empty());
  std::vector<std::unique_ptr<TtxgProject>> loaded;
  for (std::size_t q : {0u, 2u}) {
    loaded.push_back(std::make_unique<TtxgProject>(ShippedCatalogue()));
    loaded.back()->LoadFromFile(contents.Projects[q].FileName);
    TTranslationMemory kept, plain;
    AddQuestToMemory(contents.Quests[q], kept);
    AddProjectToMemory(*loaded.back(), contents.Quests[q].Quest, plain);
    ASSERT_EQ(kept.Size(), plain.Size());
    for (std::size_t e = 0; e < kept.Size(); ++e)
      EXPECT_EQ(std::tie(kept.Entry(e).Source, kept.Entry(e).Translation, kept.Entry(e).Quest),
                std::tie(plain.Entry(e).Source, plain.Entry(e).Translation, plain.Entry(e).Quest));
  }
  EXPECT_EQ(contents.Quests[2].Quest, u"sub/b");
  for (const auto& [pattern, options] : std::vector<std::pair<std::u16string, TSearchOptions>>{
           {u"RU", {}}, {u"ru ", {.InSource = false, .IgnoreCase = true}}, {u"", {}}, {u"Msg", {.InId = true}}}) {
    const TMessageSearch search(pattern, options);
    for (TStateFilter filter :
         {TStateFilter::All, TStateFilter::Untranslated, TStateFilter::NeedsReview, TStateFilter::Translated}) {
      std::vector<std::pair<std::size_t, int32_t>> found, expected;
      for (const TQuestFinding& finding : SearchQuests(contents.Quests, search, filter))
        found.emplace_back(finding.Quest, contents.Quests[finding.Quest].Positions[finding.Index].Position);
      for (std::size_t q : {0u, 2u})
        for (int32_t position : FilterPositions(*loaded[q == 0 ? 0 : 1], filter, &search))
          expected.emplace_back(q, position);
      EXPECT_EQ(found, expected) << static_cast<int>(filter);
      EXPECT_FALSE(found.empty() && filter == TStateFilter::All);
    }
  }
}

}  // namespace
