// xgtool commands on translation projects: new, messages, info, stats, count, review marks and notes,
// export and import of the exchange file, export of either quest.
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "project/ProjectClass.h"
#include "project/WordCount.h"
#include "support/JD_Str.h"
#include "workspace/Workspace.h"

namespace {

// A project holds two documents of 900 records each; keep it off the stack.
std::unique_ptr<TtxgProject> MakeProject(CommandContext& context) {
  return std::make_unique<TtxgProject>(context.Catalogue());
}

}  // namespace

std::unique_ptr<TtxgProject> LoadProject(const std::string& fileName, CommandContext& context) {
  auto project = MakeProject(context);
  project->LoadFromFile(fileName);
  std::istringstream warnings(project->LoadWarning());
  for (std::string line; std::getline(warnings, line);) context.err << "warning: " << line << '\n';
  return project;
}

void SaveProject(const TtxgProject& project, const std::string& fileName, CommandContext& context) {
  project.SaveToFile(fileName);
  if (!project.KeptDamagedCopy().empty())
    context.err << "warning: the damaged project file was kept as " << project.KeptDamagedCopy() << '\n';
}

namespace {

// A message number as typed: a decimal integer, or the conversion error (exit 3).
int32_t MessageNumber(const std::string& text) { return StrToIntJD(AnsiToWide(text)); }

int NewCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"new needs a quest file and a project file"};
  auto project = MakeProject(context);
  project->Clear();
  project->NewFromSource(args[0]);
  SaveProject(*project, args[1], context);
  return ExitOk;
}

int MessagesCommand(const std::vector<std::string>& args, CommandContext& context) {
  bool source = false;
  const std::vector<std::string> files = WithoutSwitch(args, "--source", source);
  if (files.size() != 1) throw UsageError{"messages needs one project file"};
  auto project = LoadProject(files[0], context);
  const int32_t count = source ? project->SourceCount : project->TargetCount;
  const auto& types = source ? project->SourceTypes : project->TargetTypes;
  const auto& ids = source ? project->SourceIds : project->TargetIds;
  for (int32_t n = 1; n <= count; ++n) {
    const auto i = static_cast<std::size_t>(n);
    const std::u16string text = source ? project->GetSourceText(n) : project->GetTargetText(n);
    context.out << n << '\t' << types[i] << '\t' << EscapeForOutput(ids[i]) << '\t' << EscapeForOutput(text) << '\n';
  }
  return ExitOk;
}

int InfoCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 1) throw UsageError{"info needs one project file"};
  auto project = LoadProject(args[0], context);
  int32_t notEdited = 0;
  for (int32_t n = 1; n <= project->SourceCount; ++n)
    if (!project->IsLinked(n) && project->IsNotEdited(n)) ++notEdited;
  std::ostream& out = context.out;
  out << "File: " << args[0] << '\n';
  out << "Source messages: " << project->SourceCount << '\n';
  out << "Target messages: " << project->TargetCount << '\n';
  out << "Positions: " << project->PositionCount << '\n';
  out << "Linked path questions: " << project->SourceCount - project->PositionCount << '\n';
  out << "Not edited: " << notEdited << '\n';
  out << "Translated: " << project->TranslatedPositions() << '\n';
  out << "Untranslated: " << project->PositionCount - project->TranslatedPositions() << '\n';
  out << "Needs review: " << project->ReviewPositions() << '\n';
  out << "Notes: " << project->NotePositions() << '\n';
  out << "Current message: " << project->CurrentMessage;
  const int32_t position = project->PositionOfMessage(project->CurrentMessage);
  if (position > 0) out << " (position " << position << ")";
  out << '\n';
  const int32_t next = project->FindNotEdited(position > 0 ? position : 0);
  out << "Next not edited: ";
  if (next > 0)
    out << "position " << next << " (message " << project->MessageAtPosition(next) << ")\n";
  else
    out << "none\n";
  return ExitOk;
}

// `stats DIR`: a line of counts for each project, then their total; a damaged project is told on
// stderr instead and makes the exit code 3, after every other line.
int WorkspaceStats(const std::string& folder, CommandContext& context) {
  const std::vector<TWorkspaceProject> projects = SummarizeWorkspace(folder, context.Catalogue());
  const auto line = [&](const std::string& name, const TWorkspaceProject& counts) {
    context.out << name << '\t' << counts.Positions << '\t' << counts.Translated << '\t' << counts.Untranslated << '\t'
                << counts.Review << '\n';
  };
  bool damaged = false;
  for (const TWorkspaceProject& project : projects) {
    if (project.Damaged) {
      std::vector<std::string> lines;
      std::istringstream error(project.Error);
      for (std::string text; std::getline(error, text);) lines.push_back(text);
      PrintProjectError(project.FileName, lines, context.err);
      damaged = true;
    } else {
      line(project.FileName, project);
    }
  }
  line("total", WorkspaceTotal(projects));
  return damaged ? ExitError : ExitOk;
}

int StatsCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 1) throw UsageError{"stats needs one project file"};
  if (IsFolderOfProjects(args[0])) return WorkspaceStats(args[0], context);
  auto project = LoadProject(args[0], context);
  context.out << "positions: " << project->PositionCount << '\n'
              << "translated: " << project->TranslatedPositions() << '\n'
              << "untranslated: " << project->PositionCount - project->TranslatedPositions() << '\n'
              << "review: " << project->ReviewPositions() << '\n';
  return ExitOk;
}

int CountCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 1) throw UsageError{"count needs one project file"};
  const TWorkSizes sizes = MeasureProject(*LoadProject(args[0], context));
  const auto line = [&](const char* state, const TTextSize& size) {
    context.out << state << ": " << size.Words << " words, " << size.Characters << " characters\n";
  };
  line("translated", sizes.Translated);
  line("review", sizes.Review);
  line("untranslated", sizes.Untranslated);
  line("total", sizes.Total());
  return ExitOk;
}

int ReviewCommand(const std::vector<std::string>& args, CommandContext& context) {
  bool off = false;
  const std::vector<std::string> rest = WithoutSwitch(args, "--off", off);
  const bool on = !off;
  if (rest.size() < 2) throw UsageError{"review needs a project file and message numbers"};
  auto project = LoadProject(rest[0], context);
  // Nothing is saved unless every number is a message of the project.
  for (std::size_t i = 1; i < rest.size(); ++i) project->SetNeedsReview(MessageNumber(rest[i]), on);
  SaveProject(*project, rest[0], context);
  return ExitOk;
}

int NoteCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 3) throw UsageError{"note needs a project file, a message number and a text"};
  auto project = LoadProject(args[0], context);
  project->SetNote(MessageNumber(args[1]), AnsiToWide(args[2]));
  SaveProject(*project, args[0], context);
  return ExitOk;
}

int ExportMessagesCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"export-messages needs a project file and a text file"};
  auto project = LoadProject(args[0], context);
  // The references are resolved in memory only: the project file stays as it is.
  project->Relink();
  project->SaveMessages(args[1]);
  return ExitOk;
}

int ImportMessagesCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"import-messages needs a project file and a text file"};
  auto project = LoadProject(args[0], context);
  std::u16string report;
  project->LoadMessages(args[1], report);
  project->Relink();
  SaveProject(*project, args[0], context);
  context.out << WideToAnsi(report);
  return report.empty() ? ExitOk : ExitReported;
}

int ExportTargetCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"export-target needs a project file and a quest file"};
  LoadProject(args[0], context)->TargetGame.SaveToFile(args[1]);
  return ExitOk;
}

int ExportSourceCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"export-source needs a project file and a quest file"};
  LoadProject(args[0], context)->SourceGame.SaveToFile(args[1]);
  return ExitOk;
}

const CommandRegistration newRegistration("new", "new IN.xg OUT.txg   (new translation project from a quest)",
                                          NewCommand);
const CommandRegistration messagesRegistration(
    "messages.txg", "messages [--source] FILE.txg   (list the target's messages, or the source's)", MessagesCommand);
const CommandRegistration infoRegistration("info.txg", "info FILE.txg   (summary of a translation project)",
                                           InfoCommand);
const CommandRegistration statsRegistration(
    "stats",
    "stats FILE.txg|DIR   (positions, translated, untranslated and flagged for review; of a folder, a line for "
    "each project and the total)",
    StatsCommand);
const CommandRegistration countRegistration(
    "count", "count FILE.txg   (words and characters of the sources: translated, review, untranslated, total)",
    CountCommand);
const CommandRegistration reviewRegistration(
    "review", "review FILE.txg N... [--off]   (flag messages N for review, or clear the flag, and save)",
    ReviewCommand);
const CommandRegistration noteRegistration("note",
                                           "note FILE.txg N TEXT   (set the note of message N, empty TEXT removes "
                                           "it, and save)",
                                           NoteCommand);
const CommandRegistration exportMessagesRegistration(
    "export-messages", "export-messages PROJECT.txg OUT.txt   (write the texts to translate)", ExportMessagesCommand);
const CommandRegistration importMessagesRegistration(
    "import-messages",
    "import-messages PROJECT.txg IN.txt   (read translated texts into the project; exit 1 with a report)",
    ImportMessagesCommand);
const CommandRegistration exportTargetRegistration("export-target",
                                                   "export-target PROJECT.txg OUT.xg   (save the translated quest)",
                                                   ExportTargetCommand);
const CommandRegistration exportSourceRegistration("export-source",
                                                   "export-source PROJECT.txg OUT.xg   (save the source quest)",
                                                   ExportSourceCommand);

}  // namespace
