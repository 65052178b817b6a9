// xgtool: command-line access to catalogues, quests and translation projects.
#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "formats/PoFormat.h"
#include "support/ErrorDescription.h"
#include "support/Installation.h"
#include "support/JD_BlockPar.h"
#include "support/JD_Str.h"
#include "support/Utf8.h"

namespace {

struct CommandEntry {
  std::string usage;
  CommandFunction function;
};

std::map<std::string, CommandEntry>& CommandTable() {
  static std::map<std::string, CommandEntry> table;
  return table;
}

// Each line of the error's description (support/ErrorDescription.h) after "xgtool: ".
void PrintError(const std::exception& error, std::ostream& err) {
  for (const std::string& line : DescribeError(error)) err << "xgtool: " << line << '\n';
}

void PrintUsage(std::ostream& stream) {
  stream << "usage: xgtool [--catalogue FILE] COMMAND ARGS...\n"
            "       xgtool --help | --version\n"
            "commands:\n";
  for (const auto& [name, entry] : CommandTable())
    if (!entry.usage.empty()) stream << "  xgtool " << entry.usage << "\n";
  stream << "Without --catalogue, msg_cfg.txt is looked for in the current folder, beside xgtool, then\n"
            "in the installed share/xgtranslator.\n";
}

}  // namespace

// libgettextpo keeps a few bytes of every syntax error it reports: not a leak of ours, and a
// sanitizer build would otherwise turn "exit 3" for a broken PO file into a leak report.
extern "C" const char* __lsan_default_suppressions() { return "leak:libgettextpo\n"; }

CommandRegistration::CommandRegistration(const std::string& name, std::string usage, CommandFunction function) {
  CommandTable()[name] = CommandEntry{std::move(usage), std::move(function)};
}

CommandContext::CommandContext(std::string catalogueOption, std::ostream& out, std::ostream& err)
    : out(out), err(err), catalogueOption_(std::move(catalogueOption)) {}

CommandContext::~CommandContext() = default;

const TBlockParJD& CommandContext::Catalogue() {
  if (catalogue_ != nullptr) return *catalogue_;
  const std::string file = catalogueOption_.empty() ? FindCatalogue(CatalogueCandidates()) : catalogueOption_;
  auto catalogue = std::make_unique<TBlockParJD>();
  catalogue->LoadFromFile(file, false);
  catalogue_ = std::move(catalogue);
  return *catalogue_;
}

std::vector<std::string> WithoutSwitch(const std::vector<std::string>& args, const std::string& name, bool& given) {
  given = false;
  std::vector<std::string> rest;
  for (const std::string& arg : args) {
    if (arg == name)
      given = true;
    else
      rest.push_back(arg);
  }
  return rest;
}

std::string EscapeForOutput(const std::u16string& text) {
  static const char* hex = "0123456789abcdef";
  std::string result;
  std::u16string run;  // well-formed units waiting for conversion
  auto flush = [&] {
    result += WideToAnsi(run);
    run.clear();
  };
  auto escapeUnit = [&](char16_t unit) {
    flush();
    result += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) result += hex[(unit >> shift) & 0xF];
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      run += unit;
      run += text[++i];
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      escapeUnit(unit);
    } else if (unit == u'\\') {
      flush();
      result += "\\\\";
    } else if (unit == u'\r') {
      flush();
      result += "\\r";
    } else if (unit == u'\n') {
      flush();
      result += "\\n";
    } else if (unit == u'\t') {
      flush();
      result += "\\t";
    } else if (unit < 0x20) {
      escapeUnit(unit);
    } else {
      run += unit;
    }
  }
  flush();
  return result;
}

int main(int argc, char** argv) {
  ReadPoFilesAsBytes();
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string catalogueOption;
  std::size_t next = 0;
  if (next < args.size() && args[next] == "--catalogue") {
    if (next + 1 >= args.size()) {
      PrintUsage(std::cerr);
      return ExitUsage;
    }
    catalogueOption = args[next + 1];
    next += 2;
  }
  if (next >= args.size()) {
    PrintUsage(std::cerr);
    return ExitUsage;
  }
  if (args[next] == "--help" || args[next] == "-h") {
    PrintUsage(std::cout);
    return ExitOk;
  }
  if (args[next] == "--version") {
    std::cout << "xgtool " << ProgramVersion() << "\n";
    return ExitOk;
  }
  // "messages" and "info" take a quest or a project: a project (.txg, or --source) goes to the
  // project's variant of the command, registered as "messages.txg" / "info.txg".
  std::string name = args[next];
  if (name == "messages" || name == "info") {
    bool forProject = false;
    for (std::size_t i = next + 1; i < args.size(); ++i)
      if (args[i] == "--source" || EndsWithIgnoringCase(args[i], ".txg")) forProject = true;
    if (forProject) name += ".txg";
  }
  auto command = CommandTable().find(name);
  if (command == CommandTable().end()) {
    std::cerr << "xgtool: unknown command '" << args[next] << "'\n";
    PrintUsage(std::cerr);
    return ExitUsage;
  }
  std::vector<std::string> commandArgs(args.begin() + static_cast<std::ptrdiff_t>(next) + 1, args.end());
  CommandContext context(catalogueOption, std::cout, std::cerr);
  try {
    int code = command->second.function(commandArgs, context);
    std::cout.flush();
    return code;
  } catch (const UsageError& usage) {
    std::cerr << "xgtool: " << usage.message << "\nusage: xgtool " << command->second.usage << "\n";
    return ExitUsage;
  } catch (const std::bad_alloc&) {
    std::cerr << "Out of memory\n";
    return ExitError;
  } catch (const std::exception& error) {
    PrintError(error, std::cerr);
    return ExitError;
  }
}
