// xgtool commands that reuse translations: export of the translation memory as TMX.
#include <memory>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "memory/ProjectMemory.h"
#include "memory/Tmx.h"
#include "project/ProjectClass.h"

namespace {

std::unique_ptr<TtxgProject> LoadProject(const std::string& fileName, CommandContext& context) {
  auto project = std::make_unique<TtxgProject>(context.Catalogue());
  project->LoadFromFile(fileName);
  return project;
}

int ExportTmxCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"export-tmx needs a project file and a TMX file"};
  auto project = LoadProject(args[0], context);
  WriteTmx(args[1], TranslatedEntries(*project));
  return ExitOk;
}

const CommandRegistration exportTmxRegistration(
    "export-tmx", "export-tmx FILE.txg OUT.tmx   (write the translated positions as a TMX 1.4 memory)",
    ExportTmxCommand);

}  // namespace
