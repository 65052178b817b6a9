// Saves never lose data: a save killed at any moment leaves the old file or the complete new one,
// a refused save leaves the old file as it was, links and permission bits survive a save.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "project/ProjectClass.h"
#include "reliability/ReliabilityHelpers.h"
#include "support/BlockFile.h"

using reliability::Catalogue;
using reliability::ReadBytes;
using reliability::ScratchFolder;

namespace {

// A project large enough that a save takes a noticeable time: every target text of the sample
// made long.
void MakeLargeProject(TtxgProject& project, char16_t fill) {
  project.Clear();
  project.NewFromSource(reliability::SampleQuest());
  std::u16string longText(20000, fill);
  for (int32_t n = 1; n <= project.TargetCount; ++n) project.SetTargetText(n, longText + project.GetSourceText(n));
}

// Runs `body` in a child process, as the unprivileged user "nobody" when we are root, so that
// file permissions are enforced; returns the child's exit code.
template <typename Body>
int RunUnprivileged(Body body) {
  pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(90);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

// 0 when saving the project to `file` as the user "nobody" fails with "File access denied".
int SaveRefusedAsAccessDenied(const TtxgProject& project, const std::string& file) {
  return RunUnprivileged([&] {
    try {
      project.SaveToFile(file);
      return 1;
    } catch (const EInOutError& error) {
      return error.ErrorCode == IoAccessDenied ? 0 : 2;
    } catch (...) {
      return 3;
    }
  });
}

}  // namespace

TEST(SafeSave, KilledSaveLeavesOldOrNewFileAndNoStrayTemporary) {
  ScratchFolder folder;
  const std::string target = folder.File("work.txg");
  TtxgProject oldProject(Catalogue());
  TtxgProject newProject(Catalogue());
  MakeLargeProject(oldProject, u'a');
  MakeLargeProject(newProject, u'b');
  newProject.SaveToFile(target);
  const auto newBytes = ReadBytes(target);
  oldProject.SaveToFile(target);
  const auto oldBytes = ReadBytes(target);
  ASSERT_NE(oldBytes, newBytes);

  std::mt19937 random(20261207);
  int sawOld = 0, sawNew = 0;
  // Rounds in which the kill landed inside a save: its temporary is still beside the target.
  int interrupted = 0;
  for (int round = 0; round < 40; ++round) {
    // Each round starts with the target alone, so a temporary seen after the kill is this round's.
    for (const std::string& name : folder.Entries())
      if (name != "work.txg") std::filesystem::remove(folder.File(name));
    // The child says when it runs, so that a slow start under load does not use up the delay.
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(started[0]);
      if (write(started[1], "s", 1) != 1) _exit(2);
      // Alternate so that every moment of a save over an existing file is a candidate.
      try {
        for (int i = 0;; ++i) (i % 2 == 0 ? newProject : oldProject).SaveToFile(target);
      } catch (...) {
        _exit(1);
      }
    }
    close(started[1]);
    char signal = 0;
    ASSERT_EQ(read(started[0], &signal, 1), 1);
    close(started[0]);
    if (round % 2 == 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 40000)(random)));
    } else {
      // A save spends most of its time building the bytes in memory, and how long depends on the
      // build; these rounds wait for the temporary, so that kills while it is written are tried.
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (folder.Entries().size() < 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 2000)(random)));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    const auto bytes = ReadBytes(target);
    const bool isOld = bytes == oldBytes;
    const bool isNew = bytes == newBytes;
    ASSERT_TRUE(isOld || isNew) << "round " << round << ": the file is neither the old nor the new one ("
                                << bytes.size() << " bytes)";
    sawOld += isOld;
    sawNew += isNew;
    interrupted += folder.Entries().size() > 1;
    // Whatever a killed save left behind, the real file still loads.
    TtxgProject loaded(Catalogue());
    ASSERT_NO_THROW(loaded.LoadFromFile(target));
  }
  // Otherwise every kill fell between two saves and the rounds proved nothing.
  EXPECT_GT(interrupted, 0) << "old " << sawOld << ", new " << sawNew;

  // A successful save removes any temporary a killed save left.
  oldProject.SaveToFile(target);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"work.txg"});
  EXPECT_EQ(ReadBytes(target), oldBytes);
}

TEST(SafeSave, RefusedSavesLeaveTheOldFileUnchanged) {
  ScratchFolder folder;
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::all);
  TtxgProject project(Catalogue());
  project.NewFromSource(reliability::SampleQuest());
  const std::string readOnly = folder.File("read-only.txg");
  project.SaveToFile(readOnly);
  const auto before = ReadBytes(readOnly);
  chmod(readOnly.c_str(), 0444);
  project.SetTargetText(1, u"changed");

  // Read-only file in a writable folder.
  int code = SaveRefusedAsAccessDenied(project, readOnly);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadBytes(readOnly), before);

  // Writable file in a folder without write permission.
  const std::string inLockedFolder = folder.File("locked/project.txg");
  std::filesystem::create_directory(folder.File("locked"));
  project.SaveToFile(inLockedFolder);
  const auto lockedBefore = ReadBytes(inLockedFolder);
  chmod(inLockedFolder.c_str(), 0666);
  chmod(folder.File("locked").c_str(), 0555);
  project.SetTargetText(1, u"changed again");
  code = SaveRefusedAsAccessDenied(project, inLockedFolder);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadBytes(inLockedFolder), lockedBefore);
  chmod(folder.File("locked").c_str(), 0755);
  EXPECT_EQ(std::filesystem::directory_iterator(folder.File("locked"))->path().filename(), "project.txg")
      << "a refused save left a temporary behind";
}

TEST(SafeSave, SaveThroughALinkReplacesItsTargetAndKeepsLinkAndPermissions) {
  ScratchFolder folder;
  TtxgProject project(Catalogue());
  project.NewFromSource(reliability::SampleQuest());
  const std::string real = folder.File("real.txg");
  const std::string link = folder.File("link.txg");
  project.SaveToFile(real);
  chmod(real.c_str(), 0640);
  std::filesystem::create_symlink("real.txg", link);

  project.SetTargetText(1, u"through the link");
  project.SaveToFile(link);

  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::read_symlink(link), "real.txg");
  struct stat info {};
  ASSERT_EQ(stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  TtxgProject loaded(Catalogue());
  loaded.LoadFromFile(real);
  EXPECT_EQ(loaded.GetTargetText(1), u"through the link");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"link.txg", "real.txg"}));
}

TEST(SafeSave, QuestExportAndExchangeFileAreAtomicToo) {
  ScratchFolder folder;
  TtxgProject project(Catalogue());
  project.NewFromSource(reliability::SampleQuest());
  const std::string quest = folder.File("out.xg");
  const std::string exchange = folder.File("out.txt");
  project.TargetGame.SaveToFile(quest);
  project.SaveMessages(exchange);
  const auto questBefore = ReadBytes(quest);
  const auto exchangeBefore = ReadBytes(exchange);
  chmod(quest.c_str(), 0444);
  chmod(exchange.c_str(), 0444);
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::all);
  project.SetTargetText(1, u"changed");
  int code = RunUnprivileged([&] {
    int failures = 0;
    try {
      project.TargetGame.SaveToFile(quest);
    } catch (const EInOutError&) {
      ++failures;
    }
    try {
      project.SaveMessages(exchange);
    } catch (const EInOutError&) {
      ++failures;
    }
    return failures == 2 ? 0 : 1;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadBytes(quest), questBefore);
  EXPECT_EQ(ReadBytes(exchange), exchangeBefore);
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"out.txt", "out.xg"}));
}
