// The real window, killed at random moments while a translator types: the recovery journal gives
// back every change made at least a second before the kill, and nothing the kill leaves fails to
// load. The program runs as a child on the offscreen platform, driven through its automation input
// (ui/Automation.h) on a pipe; its acknowledgements come back on another.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "cli/ToolRunner.h"
#include "journal/JournalFile.h"
#include "project/ProjectClass.h"
#include "reliability/ReliabilityHelpers.h"
#include "support/Utf8.h"

using reliability::Catalogue;
using reliability::ScratchFolder;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// xgtranslator --automation - FILE, started in `folder` with a copy of the catalogue there (the
// catalogue is read under an exclusive lock; tests running beside this one read the shipped one)
// and settings of its own. Whatever it prints on its error output goes to window.log.
class WindowProcess {
 public:
  WindowProcess(const ScratchFolder& folder, const std::string& projectFile) : log_(folder.File("window.log")) {
    signal(SIGPIPE, SIG_IGN);  // a write to a window that died fails instead of ending the test
    folder.Copy(XG_DATA_DIR "/msg_cfg.txt", "msg_cfg.txt");
    std::vector<std::string> arguments = {XG_BIN_DIR "/xgtranslator", "--automation", "-", projectFile};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const std::string config = folder.File("config"), data = folder.File("data");
    int commands[2], acks[2];
    if (pipe2(commands, O_CLOEXEC) != 0 || pipe2(acks, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    pid_ = fork();
    if (pid_ == 0) {
      const int log = open(log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (log < 0 || chdir(folder.Path().c_str()) != 0 || dup2(commands[0], 0) < 0 || dup2(acks[1], 1) < 0 ||
          dup2(log, 2) < 0)
        _exit(126);
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      setenv("XDG_CONFIG_HOME", config.c_str(), 1);
      setenv("XDG_DATA_HOME", data.c_str(), 1);
      // SIGKILL leaves no leak report, and a clean exit keeps Qt's caches: leaks are the window
      // tests' business. An error report aborts, so that it shows here as a signal.
      setenv("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1", 1);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(commands[0]);
    close(acks[1]);
    commands_ = commands[1];
    acks_ = acks[0];
    if (pid_ < 0) throw std::runtime_error("no fork");
  }
  ~WindowProcess() {
    if (pid_ > 0) Kill();
    close(commands_);
    close(acks_);
  }

  // Sends one command; the moment its acknowledgement came, or nothing when `deadline` came first.
  // Raises when the window refuses the command or ends.
  std::optional<Clock::time_point> Do(const std::string& command, Clock::time_point deadline) {
    const std::string line = command + "\n";
    if (write(commands_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
      throw std::runtime_error("the window took no command: " + clitest::ReadWhole(log_));
    const std::string expected = "done " + std::to_string(++sent_);
    for (;;) {
      if (const std::size_t end = received_.find('\n'); end != std::string::npos) {
        const std::string answer = received_.substr(0, end);
        received_.erase(0, end + 1);
        if (answer != expected) throw std::runtime_error("\"" + command + "\" answered \"" + answer + "\"");
        return Clock::now();
      }
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return std::nullopt;
      pollfd ready{acks_, POLLIN, 0};
      if (poll(&ready, 1, static_cast<int>(left)) <= 0) continue;
      char chunk[256];
      const ssize_t count = read(acks_, chunk, sizeof chunk);
      if (count <= 0) throw std::runtime_error("the window ended at \"" + command + "\": " + clitest::ReadWhole(log_));
      received_.append(chunk, static_cast<std::size_t>(count));
    }
  }
  void Kill() {
    kill(pid_, SIGKILL);
    Wait();
  }
  // The exit code, or 128 + the signal that ended it.
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  std::string Log() const { return clitest::ReadWhole(log_); }

 private:
  std::string log_;
  pid_t pid_ = -1;
  int commands_ = -1;
  int acks_ = -1;
  int sent_ = 0;
  std::string received_;
};

// One message's change: its translation typed, the review box clicked or a note typed.
struct Edit {
  int32_t Message = 0;
  std::string Text;  // UTF-8
  bool Review = false;
  std::string Note;
  bool Started = false;                   // its first command was sent
  std::optional<Clock::time_point> Done;  // when its last command was acknowledged

  std::vector<std::string> Commands() const {
    std::vector<std::string> commands = {"show " + std::to_string(Message), "type " + Text};
    if (Review) commands.push_back("review");
    if (!Note.empty()) commands.push_back("note " + Note);
    return commands;
  }
};

// The sample quest's new project, saved once for all rounds, and the messages a translator can
// type into: untranslated, each with a position of its own.
class KilledWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new ScratchFolder;
    pristine_ = new TtxgProject(Catalogue());
    pristine_->NewFromSource(reliability::SampleQuest());
    pristine_->SaveToFile(folder_->File("sample.txg"));
    pristine_->LoadFromFile(folder_->File("sample.txg"));
    messages_ = new std::vector<int32_t>;
    for (int32_t n = 1; n <= pristine_->TargetCount; ++n)
      if (pristine_->PositionOfMessage(n) > 0 && pristine_->IsNotEdited(n)) messages_->push_back(n);
  }
  static void TearDownTestSuite() {
    delete messages_;
    delete pristine_;
    delete folder_;
  }

  static std::string CopyOfSample(const ScratchFolder& folder) {
    return folder.Copy(folder_->File("sample.txg"), "work.txg");
  }
  static std::vector<Edit> PlanEdits(std::mt19937& random, int round) {
    std::vector<int32_t> messages = *messages_;
    std::shuffle(messages.begin(), messages.end(), random);
    messages.resize(std::min<std::size_t>(messages.size(), 40));
    std::vector<Edit> edits;
    for (std::size_t i = 0; i < messages.size(); ++i) {
      const std::string id = "r" + std::to_string(round) + " m" + std::to_string(messages[i]);
      Edit& edit = edits.emplace_back();
      edit.Message = messages[i];
      edit.Text = id + " Übersetzung ñ";
      edit.Review = i % 3 == 1;
      if (i % 3 == 2) edit.Note = id + " prüfen";
    }
    return edits;
  }

  static inline ScratchFolder* folder_ = nullptr;
  static inline TtxgProject* pristine_ = nullptr;
  static inline std::vector<int32_t>* messages_ = nullptr;
};

// The automation does what the user does: the changes are the project's after its Save, and a
// line the window cannot perform is answered, saying why, without stopping the others.
TEST_F(KilledWindow, AutomatedEditsAreSavedAndBadCommandsAnswered) {
  ScratchFolder folder;
  const std::string file = CopyOfSample(folder);
  std::mt19937 random(7);
  const std::vector<Edit> edits = PlanEdits(random, 0);
  WindowProcess window(folder, file);
  const auto deadline = Clock::now() + std::chrono::seconds(120);
  for (std::size_t i = 0; i < 3; ++i)
    for (const std::string& command : edits[i].Commands()) ASSERT_TRUE(window.Do(command, deadline)) << command;
  for (const char* command : {"save", "quit"}) ASSERT_TRUE(window.Do(command, deadline)) << command;
  EXPECT_EQ(window.Wait(), 0) << window.Log();
  EXPECT_FALSE(std::filesystem::exists(JournalFileFor(file))) << "a clean close leaves no journal";

  TtxgProject saved(Catalogue());
  saved.LoadFromFile(file);
  for (std::size_t i = 0; i < 3; ++i) {
    const int32_t n = edits[i].Message;
    EXPECT_EQ(saved.GetTargetText(n), Utf8ToUtf16(edits[i].Text)) << n;
    EXPECT_EQ(saved.NeedsReview(n), edits[i].Review) << n;
    EXPECT_EQ(saved.Note(n), Utf8ToUtf16(edits[i].Note)) << n;
  }

  WindowProcess again(folder, file);
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"show 99999999", "failed 1: No message 99999999 to show"},
      {"frobnicate", "failed 2: Unknown command \"frobnicate\""},
      {"show 3x", "failed 3: \"show\" needs a message number"},
      {"type", "failed 4: \"type\" needs a text"},
      {"save now", "failed 5: \"save\" takes no argument"},
  };
  for (const auto& [command, answer] : refused) {
    try {
      again.Do(command, deadline);
      ADD_FAILURE() << command << " was performed";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(error.what(), "\"" + command + "\" answered \"" + answer + "\"");
    }
  }
}

TEST_F(KilledWindow, EveryEditOlderThanASecondIsRecovered) {
  const char* given = std::getenv("XG_KILL_SEED");
  const unsigned seed =
      given != nullptr ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device{}();
  SCOPED_TRACE("XG_KILL_SEED=" + std::to_string(seed));
  std::mt19937 random(seed);
  constexpr int Rounds = 50;
  int owedInAll = 0;
  int madeInAll = 0;
  for (int round = 1; round <= Rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    ScratchFolder folder;
    const std::string file = CopyOfSample(folder);
    std::vector<Edit> edits = PlanEdits(random, round);
    std::optional<Clock::time_point> killAt;
    Clock::time_point killed;
    {
      WindowProcess window(folder, file);
      const auto startDeadline = Clock::now() + std::chrono::seconds(60);
      for (Edit& edit : edits) {
        edit.Started = true;
        std::optional<Clock::time_point> done;
        for (const std::string& command : edit.Commands()) {
          ASSERT_NO_THROW(done = window.Do(command, killAt.value_or(startDeadline)));
          if (!done) break;
          // The kill falls 0.5 to 2.5 seconds after the first typing, wherever the typing is then.
          if (!killAt && command.starts_with("type "))
            killAt = *done + milliseconds(std::uniform_int_distribution<int>(500, 2500)(random));
        }
        if (!done) break;
        edit.Done = done;
        std::this_thread::sleep_until(
            std::min(*killAt, Clock::now() + milliseconds(std::uniform_int_distribution<int>(0, 100)(random))));
      }
      ASSERT_TRUE(killAt) << "no command was acknowledged: " << window.Log();
      std::this_thread::sleep_until(*killAt);
      killed = Clock::now();
      window.Kill();
    }

    // What the kill left loads: the project as last saved, the journal up to its last whole record.
    const std::string journal = JournalFileFor(file);
    if (std::filesystem::exists(journal)) {
      EXPECT_NO_THROW(ReadJournal(journal));
    }
    {
      TtxgProject left(Catalogue());
      EXPECT_NO_THROW(left.LoadFromFile(file));
    }

    std::map<int32_t, const Edit*> touched;
    int owed = 0;
    for (const Edit& edit : edits) {
      if (edit.Started) touched[edit.Message] = &edit;
      owed += edit.Done && *edit.Done <= killed - std::chrono::seconds(1);
    }
    madeInAll += static_cast<int>(std::count_if(edits.begin(), edits.end(), [](const Edit& e) { return e.Done; }));
    owedInAll += owed;

    const clitest::ToolResult recovered =
        clitest::RunProgram(XG_BIN_DIR "/xgtool", {"--catalogue", folder.File("msg_cfg.txt"), "recover", file});
    if (owed == 0 && recovered.exitCode == 1) continue;
    ASSERT_EQ(recovered.exitCode, 0) << owed << " edits owed\n" << recovered.err;
    ASSERT_TRUE(recovered.out.starts_with("recovered: ")) << recovered.out;
    EXPECT_GE(std::stoi(recovered.out.substr(11)), owed);
    EXPECT_NO_THROW(ReadJournal(journal));

    TtxgProject project(Catalogue());
    ASSERT_NO_THROW(project.LoadFromFile(file));
    for (int32_t n = 1; n <= project.TargetCount; ++n) {
      if (project.IsLinked(n)) continue;  // follows the message it is linked to
      const std::u16string text = project.GetTargetText(n), note = project.Note(n);
      const auto edit = touched.find(n);
      if (edit == touched.end()) {
        EXPECT_EQ(text, pristine_->GetTargetText(n)) << "message " << n << " was never typed into";
        EXPECT_EQ(note, pristine_->Note(n)) << n;
        EXPECT_EQ(project.NeedsReview(n), pristine_->NeedsReview(n)) << n;
      } else if (edit->second->Done && *edit->second->Done <= killed - std::chrono::seconds(1)) {
        EXPECT_EQ(text, Utf8ToUtf16(edit->second->Text)) << "message " << n;
        EXPECT_EQ(project.NeedsReview(n), edit->second->Review) << n;
        EXPECT_EQ(note, Utf8ToUtf16(edit->second->Note)) << n;
      } else {
        // Typed into when the window was killed: some of the keys or none.
        const std::u16string typed = Utf8ToUtf16(edit->second->Text);
        EXPECT_TRUE(text == pristine_->GetTargetText(n) || (!text.empty() && typed.starts_with(text)))
            << "message " << n << ": " << Utf16ToUtf8(text);
        EXPECT_TRUE(Utf8ToUtf16(edit->second->Note).starts_with(note)) << n;
      }
    }
    if (HasFailure()) break;
  }
  std::cout << Rounds << " rounds: " << madeInAll << " edits made, " << owedInAll
            << " of them a second before the kill and recovered (" << double(owedInAll) / Rounds << " a round)\n";
}

}  // namespace
