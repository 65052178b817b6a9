// A folder of projects made from the sample quest: which files are its projects, their counts
// against the project loaded alone, and damaged or unreadable files and folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/ScratchFolder.h"
#include "common/ShippedData.h"
#include "project/ProjectClass.h"
#include "support/BlockFile.h"
#include "support/ErrorDescription.h"
#include "workspace/Workspace.h"

namespace {

const TBlockParJD& Catalogue() { return ShippedCatalogue(); }

// What a project of the sample quest is given before it is saved.
struct Work {
  int translateEvery = 0;  // every n-th position gets a translation (0: none)
  std::vector<int32_t> review;
  std::vector<int32_t> asIs;  // marked translated as is
};

std::unique_ptr<TtxgProject> SampleProject(const Work& work) {
  auto project = std::make_unique<TtxgProject>(Catalogue());
  project->NewFromSource(SampleQuestPath());
  for (int32_t p = 1; work.translateEvery > 0 && p <= project->PositionCount; p += work.translateEvery) {
    const int32_t n = project->MessageAtPosition(p);
    project->StoreTranslation(n, u"RU " + project->GetSourceText(n));
  }
  for (int32_t n : work.review) project->SetNeedsReview(n, true);
  for (int32_t n : work.asIs) project->SetTranslatedAsIs(n, true);
  return project;
}

void Save(const Work& work, const std::string& fileName) {
  std::filesystem::create_directories(std::filesystem::path(fileName).parent_path());
  SampleProject(work)->SaveToFile(fileName);
}

// The project loaded the ordinary way, its counts as `xgtool stats` prints them.
TWorkspaceProject PlainCounts(const std::string& fileName) {
  TtxgProject project(Catalogue());
  project.LoadFromFile(fileName);
  TWorkspaceProject counts;
  counts.Positions = project.PositionCount;
  counts.Translated = project.TranslatedPositions();
  counts.Untranslated = project.PositionCount - project.TranslatedPositions();
  counts.Review = project.ReviewPositions();
  return counts;
}

std::string ReadWhole(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int64_t ModificationTime(const std::string& fileName) {
  struct stat info {};
  return ::stat(fileName.c_str(), &info) == 0 ? static_cast<int64_t>(info.st_mtime) : -1;
}

TEST(Workspace, ItsProjectsAreTheProjectFilesOfTheFolderAndItsSubfolders) {
  ScratchFolder folder;
  for (const char* name :
       {"b.txg", "a.txg", "UPPER.TXG", "sub/deep/c.txg", "sub/a.txg", "a.txg.journal", "a.txg.damaged",
        ".a.txg.saving~", ".git/x.txg", ".hidden.txg", "notes.txt", "sub/.txg", "txg", "folder.txg/inside.txg"}) {
    std::filesystem::create_directories(std::filesystem::path(folder.File(name)).parent_path());
    folder.Write(name, std::string("x"));
  }
  // A link to a folder is not followed: a link back up would never end.
  std::filesystem::create_directory_symlink(folder.Path(), folder.File("sub/up"));
  std::filesystem::create_symlink(folder.File("b.txg"), folder.File("linked.txg"));
  std::filesystem::create_symlink(folder.File("absent"), folder.File("dangling.txg"));

  const std::vector<std::string> expected = {"UPPER.TXG",  "a.txg",     "b.txg",         "folder.txg/inside.txg",
                                             "linked.txg", "sub/a.txg", "sub/deep/c.txg"};
  for (const std::string& given : {folder.Path(), folder.Path() + "/"}) {
    SCOPED_TRACE(given);
    std::vector<std::string> files;
    for (const std::string& name : expected) files.push_back(folder.File(name));
    EXPECT_EQ(WorkspaceProjectFiles(given), files);
  }
}

TEST(Workspace, CountsAreThoseOfTheProjectLoadedAlone) {
  ScratchFolder folder;
  struct Case {
    std::string name;
    Work work;
    int32_t translated, review;  // -1: only as the plain load counts
  };
  // 76 positions of 79 messages: three path questions fold into an earlier one.
  const std::vector<Case> cases = {
      {"fresh", {0, {}, {}}, 0, 0},
      {"chapter1/half", {2, {1, 2, 3}, {}}, 38, 3},
      {"chapter1/every3", {3, {5}, {}}, 26, 1},
      // No states: the file ends after the target quest, as the older files do.
      {"chapter2/old", {1, {}, {}}, 76, 0},
      {"chapter2/asis", {0, {}, {1, 2, 3}}, 3, 0},
      {"chapter2/deep/linked", {4, {36, 43, 57, 4}, {}}, -1, -1},
      {"z1", {5, {}, {}}, -1, 0},
      {"z2", {6, {}, {}}, -1, 0},
      {"z3", {7, {}, {}}, -1, 0},
  };
  for (const Case& c : cases) Save(c.work, folder.File(c.name + ".txg"));
  EXPECT_EQ(ReadWhole(folder.File("chapter2/old.txg")).find("TXGSTATE"), std::string::npos);
  EXPECT_NE(ReadWhole(folder.File("chapter1/half.txg")).find("TXGSTATE"), std::string::npos);

  const std::vector<TWorkspaceProject> projects = SummarizeWorkspace(folder.Path(), Catalogue());
  ASSERT_EQ(projects.size(), cases.size());
  std::vector<std::string> names;
  for (const TWorkspaceProject& project : projects) names.push_back(project.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"chapter1/every3", "chapter1/half", "chapter2/asis",
                                             "chapter2/deep/linked", "chapter2/old", "fresh", "z1", "z2", "z3"}));
  TWorkspaceProject sum;
  for (const TWorkspaceProject& project : projects) {
    SCOPED_TRACE(project.Name);
    const std::string fileName = folder.File(project.Name + ".txg");
    EXPECT_EQ(project.FileName, fileName);
    EXPECT_FALSE(project.Damaged);
    EXPECT_EQ(project.Error, "");
    EXPECT_EQ(project.LastSaved, ModificationTime(fileName));
    const TWorkspaceProject plain = PlainCounts(fileName);
    EXPECT_EQ(project.Positions, 76);
    EXPECT_EQ(project.Positions, plain.Positions);
    EXPECT_EQ(project.Translated, plain.Translated);
    EXPECT_EQ(project.Untranslated, plain.Untranslated);
    EXPECT_EQ(project.Review, plain.Review);
    for (const Case& c : cases) {
      if (c.name != project.Name) continue;
      if (c.translated >= 0) {
        EXPECT_EQ(project.Translated, c.translated);
      }
      if (c.review >= 0) {
        EXPECT_EQ(project.Review, c.review);
      }
    }
    EXPECT_EQ(SummarizeProject(folder.Path(), fileName, Catalogue()), project);
    sum.Positions += plain.Positions;
    sum.Translated += plain.Translated;
    sum.Untranslated += plain.Untranslated;
    sum.Review += plain.Review;
  }
  const TWorkspaceProject total = WorkspaceTotal(projects);
  EXPECT_EQ(total.Positions, sum.Positions);
  EXPECT_EQ(total.Translated, sum.Translated);
  EXPECT_EQ(total.Untranslated, sum.Untranslated);
  EXPECT_EQ(total.Review, sum.Review);
}

TEST(Workspace, ADamagedProjectIsListedWithItsErrorAndLeftOutOfTheTotal) {
  ScratchFolder folder;
  Save({2, {1}, {}}, folder.File("good.txg"));
  const std::string good = ReadWhole(folder.File("good.txg"));
  folder.Write("cut.txg", good.substr(0, 5000));
  folder.Write("empty.txg", std::string());
  // A damaged block of states after whole quests is dropped with a warning: the project loads.
  folder.Write("states.txg", good.substr(0, good.size() - 3));

  const std::vector<TWorkspaceProject> projects = SummarizeWorkspace(folder.Path(), Catalogue());
  ASSERT_EQ(projects.size(), 4u);
  struct Expected {
    std::string name;
    bool damaged;
  };
  const std::vector<Expected> expected = {{"cut", true}, {"empty", true}, {"good", false}, {"states", false}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const TWorkspaceProject& project = projects[i];
    SCOPED_TRACE(project.FileName);
    EXPECT_EQ(project.Name, expected[i].name);
    EXPECT_EQ(project.Damaged, expected[i].damaged);
    if (!project.Damaged) {
      EXPECT_EQ(project.Error, "");
      EXPECT_EQ(project.Translated, 38);
      continue;
    }
    // The error as the window and xgtool tell it: the file, then what went wrong.
    TtxgProject plain(Catalogue());
    try {
      plain.LoadFromFile(project.FileName);
      ADD_FAILURE() << "loads";
    } catch (const std::exception& error) {
      EXPECT_EQ(project.Error, DescribeErrorText(error));
    }
    EXPECT_EQ(project.Error.rfind(project.FileName + ": Read beyond end of file (at byte ", 0), 0u) << project.Error;
    EXPECT_EQ(project.Positions + project.Translated + project.Untranslated + project.Review, 0);
  }
  const TWorkspaceProject total = WorkspaceTotal(projects);
  EXPECT_EQ(total.Positions, 2 * 76);
  EXPECT_EQ(total.Translated, 2 * 38);
  EXPECT_EQ(total.Untranslated, 2 * 38);
  EXPECT_EQ(total.Review, 1);  // the damaged states lost the flag
  EXPECT_EQ(total.LastSaved, std::max(projects[2].LastSaved, projects[3].LastSaved));
}

TEST(Workspace, AFolderThatCannotBeReadIsAnErrorNamingIt) {
  ScratchFolder folder;
  folder.Write("file.txg", std::string("x"));
  struct Case {
    std::string folder;
    int errorCode;
  };
  const std::vector<Case> cases = {
      {folder.File("absent"), IoFileNotFound},
      {folder.File("absent/below"), IoInvalidFilename},
      {folder.File("file.txg"), IoInvalidFilename},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    try {
      WorkspaceProjectFiles(c.folder);
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.ErrorCode, c.errorCode);
      const std::vector<std::string> lines = DescribeError(error);
      ASSERT_EQ(lines.size(), 2u);
      EXPECT_EQ(lines[0], c.folder + ": " + EInOutError::MessageFor(c.errorCode));
      EXPECT_EQ(lines[1].rfind(c.folder + ": the folder of projects cannot be read: ", 0), 0u) << lines[1];
    }
    EXPECT_THROW(SummarizeWorkspace(c.folder, Catalogue()), EInOutError);
  }
}

TEST(Workspace, ASubfolderThatCannotBeReadIsLeftOut) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every folder";
  ScratchFolder folder;
  Save({0, {}, {}}, folder.File("a.txg"));
  Save({0, {}, {}}, folder.File("closed/b.txg"));
  std::filesystem::permissions(folder.File("closed"), std::filesystem::perms::none);
  EXPECT_EQ(WorkspaceProjectFiles(folder.Path()), std::vector<std::string>{folder.File("a.txg")});
  std::filesystem::permissions(folder.File("closed"), std::filesystem::perms::owner_all);
}

}  // namespace
