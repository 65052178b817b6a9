#pragma once
// xgtool's command table. Each command file registers its commands with a static
// CommandRegistration; main.cpp parses the global options, picks the command and turns
// exceptions into exit code 3. The output formats and exit codes are a contract for scripts.
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "glossary/Glossary.h"

class TBlockParJD;
class TtxgProject;

enum ExitCode : int {
  ExitOk = 0,
  ExitReported = 1,  // the command worked and found something to report (missing keys, import report)
  ExitUsage = 2,
  ExitError = 3,
};

// Thrown by a command for wrong arguments; main prints the usage and exits with 2.
struct UsageError {
  std::string message;
};

class CommandContext {
 public:
  CommandContext(std::string catalogueOption, std::ostream& out, std::ostream& err);
  ~CommandContext();
  // The catalogue: --catalogue FILE, else the first found of CatalogueCandidates() (the places
  // the window looks too). Loaded on first use; load errors propagate (exit 3).
  const TBlockParJD& Catalogue();
  std::ostream& out;
  std::ostream& err;

 private:
  std::string catalogueOption_;
  std::unique_ptr<TBlockParJD> catalogue_;
};

using CommandFunction = std::function<int(const std::vector<std::string>& args, CommandContext& context)>;

struct CommandRegistration {
  // `name` is what the user types; `usage` is one line for the help text.
  CommandRegistration(const std::string& name, std::string usage, CommandFunction function);
};

// The project file a command works on: every command that opens a .txg opens it here. A damaged
// block of states after the quests does not stop the command: what was dropped goes to stderr, one
// "warning: " line each, and the exit code stays the command's own.
std::unique_ptr<TtxgProject> LoadProject(const std::string& fileName, CommandContext& context);

// Every save of a project goes through here. The first save over a file whose load dropped
// something keeps the file as it was beside it (TtxgProject::KeptDamagedCopy) and says so on stderr:
//   warning: the damaged project file was kept as FILE.txg.damaged
// (or FILE.txg.damaged.1, .2, ... when that name was taken). The exit code stays the command's own.
void SaveProject(const TtxgProject& project, const std::string& fileName, CommandContext& context);

// Whether an operand names a folder standing for its projects: a folder whose name does not end in
// ".txg" (a name that does is a project file, and a folder of that name fails to open as one).
bool IsFolderOfProjects(const std::string& operand);

// The project files a command of several projects works on: each folder of projects among
// `operands` stands for its projects (WorkspaceProjectFiles: subfolders too, sorted; a folder that
// cannot be read raises), anything else for itself. A file named twice (also through its folder) is a usage error
// of `command`.
std::vector<std::string> ProjectFilesOf(const std::vector<std::string>& operands, const std::string& command);

// Loads `file` into `project`; false, with the lines of the error's description in `error`, when it
// does not load (running out of memory still raises).
bool TryLoadProject(TtxgProject& project, const std::string& file, std::vector<std::string>& error);

// Loads the projects one after another and hands each to `each` with what its output lines start
// with: nothing for a single project, so the output is that of the command of one project, and
// "FILE<TAB>" for several, as grep names its files. With several, a project that does not load is
// told on stderr (PrintProjectError) and the others still run, and the warnings of a load name the
// file ("warning: FILE: ..."); false when one did not load. A single project that does not load
// raises as before.
bool ForEachProject(const std::vector<std::string>& files, CommandContext& context,
                    const std::function<void(const std::string& prefix, TtxgProject& project)>& each);

// "xgtool: FILE: ..." for each line of an error's description, FILE added to a line not naming it.
void PrintProjectError(const std::string& fileName, const std::vector<std::string>& lines, std::ostream& err);

// The arguments other than the switch `name` (such as "--dry-run"), and whether it was given.
std::vector<std::string> WithoutSwitch(const std::vector<std::string>& args, const std::string& name, bool& given);

// Text for people and scripts: UTF-8 with \\, \r, \n, \t and \uXXXX (lowercase hex) for every
// other code unit below U+0020 and for every lone surrogate.
std::string EscapeForOutput(const std::u16string& text);

class TTermMatcher;
// The glossary files (TBX) given with --glossary, read before the project: one that cannot be read
// fails the command (exit 3). Entries skipped for lack of a source term are told on stderr, one
// "warning: " line per file.
std::vector<TGlossary> LoadGlossaries(const std::vector<std::string>& fileNames, CommandContext& context);
// The terms of `glossaries`, in order, in the project's languages: the quests' source language and
// the "language" setting, or else the target language the first glossary declaring one names.
std::unique_ptr<TTermMatcher> MakeTermMatcher(std::vector<TGlossary> glossaries, const TtxgProject& project);
