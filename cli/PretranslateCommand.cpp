// xgtool pretranslate: fills the untranslated messages of a project from the other projects of its
// workspace and from TMX files, as the window's pre-translation does.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "memory/Pretranslation.h"
#include "memory/WorkspaceMemory.h"
#include "project/ProjectClass.h"
#include "workspace/Workspace.h"

namespace {

int PercentArgument(const std::string& text) {
  std::size_t used = 0;
  int percent = 0;
  try {
    percent = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size() || percent < 1 || percent > 100)
    throw UsageError{"--min needs a percentage from 1 to 100"};
  return percent;
}

int PretranslateCommand(const std::vector<std::string>& args, CommandContext& context) {
  int minimumPercent = OfferedSimilarity;
  bool dryRun = false;
  std::vector<std::string> tmxFiles;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--min" || args[i] == "--memory") {
      if (i + 1 >= args.size() || args[i + 1].empty()) throw UsageError{args[i] + " needs a value"};
      if (args[i] == "--min")
        minimumPercent = PercentArgument(args[++i]);
      else
        tmxFiles.push_back(args[++i]);
    } else if (args[i] == "--dry-run") {
      dryRun = true;
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      throw UsageError{"unknown option " + args[i]};
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.empty() || files.size() > 2) throw UsageError{"pretranslate needs a project file and at most one folder"};
  const std::string& projectFile = files[0];
  std::filesystem::path folder =
      files.size() == 2 ? std::filesystem::path(files[1]) : std::filesystem::path(projectFile).parent_path();
  if (folder.empty()) folder = ".";

  // Everything is read before anything is written: unreadable input changes nothing.
  auto project = LoadProject(projectFile, context);
  TWorkspaceMemorySources sources;
  sources.Folder = folder.string();
  sources.ProjectFiles = WorkspaceProjectFiles(sources.Folder);
  sources.Skipped = projectFile;
  TTranslationMemory memory;
  std::vector<std::string> problems;
  FillWorkspaceMemory(sources, context.Catalogue(), memory, problems);
  for (const std::string& file : tmxFiles) AddTmxToMemory(file, memory);
  for (const std::string& problem : problems) context.err << "warning: skipped " << problem << '\n';

  const TPretranslation plan = PlanPretranslation(*project, memory, minimumPercent);
  if (!dryRun && !plan.Fills.empty()) {
    ApplyPretranslation(*project, plan.Fills);
    SaveProject(*project, projectFile, context);
  }
  context.out << "exact: " << plan.Counts.Exact << "\nfuzzy: " << plan.Counts.Fuzzy() << "\nnone: " << plan.Counts.None
              << '\n';
  return ExitOk;
}

const CommandRegistration pretranslateRegistration(
    "pretranslate",
    "pretranslate [--min PERCENT] [--memory FILE.tmx]... [--dry-run] FILE.txg [DIR]   (fill the untranslated "
    "messages from the other projects of DIR and the TMX files)",
    PretranslateCommand);

}  // namespace
