// xgtool recover: what the window journalled since the project's last save, applied and saved.
#include <filesystem>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "journal/JournalReplay.h"
#include "project/ProjectClass.h"

namespace {

int RecoverCommand(const std::vector<std::string>& args, CommandContext& context) {
  bool dryRun = false;
  const std::vector<std::string> files = WithoutSwitch(args, "--dry-run", dryRun);
  if (files.size() != 1) throw UsageError{"recover needs one project file"};
  const std::string& file = files[0];
  const std::string journalFile = JournalFileFor(file);
  std::error_code ignored;
  if (!std::filesystem::exists(journalFile, ignored)) {
    context.err << "xgtool: " << file << ": there is no journal " << journalFile << '\n';
    return ExitReported;
  }
  const TJournal journal = ReadJournal(journalFile);
  // Records of another state of the file would land on the wrong texts: nothing is changed.
  if (journal.Header.Kind != TJournalKind::ProjectFile || !JournalMatches(journal.Header, file)) {
    context.err << "xgtool: " << journalFile << ": the journal does not match " << file
                << ": the project was saved since it was written\n";
    return ExitError;
  }
  auto project = LoadProject(file, context);
  const int32_t recovered = WithFileContext(journalFile, [&] { return ApplyJournal(*project, journal); });
  if (!dryRun) {
    SaveProject(*project, file, context);
    TJournalWriter::Start(journalFile, JournalHeaderFor(file));
  }
  context.out << "recovered: " << recovered << '\n';
  return ExitOk;
}

const CommandRegistration recoverRegistration(
    "recover", "recover FILE.txg [--dry-run]   (apply the project's journal of unsaved changes and save)",
    RecoverCommand);

}  // namespace
