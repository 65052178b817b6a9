// xgtool find: the messages of projects that match a pattern, searched by the same rule as the
// window's message list.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "project/MessageSearch.h"
#include "project/ProjectClass.h"
#include "support/JD_Str.h"

namespace {

int FindCommand(const std::vector<std::string>& args, CommandContext& context) {
  TSearchOptions options;
  int fields = 0;
  std::vector<std::string> operands;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      operands.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--source" || arg == "--target" || arg == "--id") {
      ++fields;
      options.InSource = arg == "--source";
      options.InTarget = arg == "--target";
      options.InId = arg == "--id";
    } else if (arg == "--regex") {
      options.RegularExpression = true;
    } else if (arg == "--ignore-case") {
      options.IgnoreCase = true;
    } else {
      throw UsageError{"find does not know the option " + arg};
    }
  }
  if (fields > 1) throw UsageError{"find takes one of --source, --target and --id"};
  if (operands.size() < 2) throw UsageError{"find needs a pattern and one project file or more, or a folder"};
  const TMessageSearch search(AnsiToWide(operands[0]), options);
  const std::vector<std::string> files = ProjectFilesOf({operands.begin() + 1, operands.end()}, "find");
  bool matched = false;
  const bool allLoaded = ForEachProject(files, context, [&](const std::string& prefix, TtxgProject& project) {
    const std::vector<int32_t> positions = search.MatchingPositions(project);
    for (int32_t position : positions) {
      const int32_t n = project.MessageAtPosition(position);
      context.out << prefix << position << '\t' << n << '\t'
                  << EscapeForOutput(project.TargetIds[static_cast<std::size_t>(n)]) << '\t'
                  << EscapeForOutput(project.GetTargetText(n)) << '\n';
    }
    matched = matched || !positions.empty();
  });
  if (!allLoaded) return ExitError;
  return matched ? ExitOk : ExitReported;
}

const CommandRegistration findRegistration(
    "find",
    "find [--source|--target|--id] [--regex] [--ignore-case] PATTERN FILE.txg|DIR...   (matching positions, "
    "each line after its file when there are several projects; exit 1 when none)",
    FindCommand);

}  // namespace
