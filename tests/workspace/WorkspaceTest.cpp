// A folder of projects made from the sample quest: which files are its projects, their counts
// against the project loaded alone, and damaged or unreadable files and folders.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/ScratchFolder.h"
#include "common/ShippedData.h"
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
  const std::vector<Case> cases = {
      {"a/every3", 26, 1},      {"a/half", 38, 3},       {"b/asis", 3, 0}, {"b/cut", 0, 0, true},
      {"b/deep/linked", 19, 2}, {"b/empty", 0, 0, true}, {"b/old", 76, 0},  // no states: the file ends after the
                                                                            // quests, as older files do
      {"fresh", 0, 0},          {"states", 38, 0},  // its damaged block of states is dropped with a warning; the quests
                                                    // load
  };
  Save(folder, "a/every3.txg", 3, {5});
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
  TWorkspaceProject sum;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const TWorkspaceProject& project = projects[i];
    SCOPED_TRACE(project.FileName);
    EXPECT_EQ(project.FileName, folder.File(cases[i].name + ".txg"));
    EXPECT_EQ(project.Name, cases[i].name);
    EXPECT_EQ(project.LastSaved,
              std::filesystem::file_time_type::clock::to_sys(std::filesystem::last_write_time(project.FileName))
                      .time_since_epoch() /
                  std::chrono::seconds(1));
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
    EXPECT_EQ(project.Positions, project.Damaged ? 0 : 76);
    EXPECT_EQ(project.Positions, plain.PositionCount);
    EXPECT_EQ(project.Translated, cases[i].translated);
    EXPECT_EQ(project.Translated, plain.TranslatedPositions());
    EXPECT_EQ(project.Untranslated, plain.PositionCount - plain.TranslatedPositions());
    EXPECT_EQ(project.Review, cases[i].review);
    EXPECT_EQ(project.Review, plain.ReviewPositions());
    sum.Positions += project.Positions;
    sum.Translated += project.Translated;
    sum.Untranslated += project.Untranslated;
    sum.Review += project.Review;
    sum.LastSaved = std::max(sum.LastSaved, project.Damaged ? 0 : project.LastSaved);
  }
  EXPECT_EQ(WorkspaceTotal(projects), sum);
}

TEST(Workspace, AFolderThatCannotBeReadIsAnErrorNamingIt) {
  ScratchFolder folder;
  folder.Write("file.txg", std::string("x"));
  const std::vector<std::pair<std::string, int>> cases = {{folder.File("absent"), IoFileNotFound},
                                                          {folder.File("absent/below"), IoInvalidFilename},
                                                          {folder.File("file.txg"), IoInvalidFilename}};
  for (const auto& [name, code] : cases) {
    SCOPED_TRACE(name);
    try {
      SummarizeWorkspace(name, ShippedCatalogue());
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.ErrorCode, code);
      const std::vector<std::string> lines = DescribeError(error);
      ASSERT_EQ(lines.size(), 2u);
      EXPECT_EQ(lines[0], name + ": " + EInOutError::MessageFor(code));
      EXPECT_EQ(lines[1].rfind(name + ": the folder of projects cannot be read: ", 0), 0u) << lines[1];
    }
  }
}

TEST(Workspace, ASubfolderThatCannotBeReadIsLeftOut) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every folder";
  ScratchFolder folder;
  folder.Write("a.txg", std::string("x"));
  std::filesystem::create_directory(folder.File("closed"));
  folder.Write("closed/b.txg", std::string("x"));
  std::filesystem::permissions(folder.File("closed"), std::filesystem::perms::none);
  EXPECT_EQ(WorkspaceProjectFiles(folder.Path()), std::vector<std::string>{folder.File("a.txg")});
  std::filesystem::permissions(folder.File("closed"), std::filesystem::perms::owner_all);
}

}  // namespace
