// xgtool commands that reuse translations: update to a new source quest, propagation, export of
// the translation memory as TMX.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "memory/ProjectMemory.h"
#include "memory/ProjectUpdate.h"
#include "memory/Propagation.h"
#include "project/ProjectClass.h"

namespace {

int ExportTmxCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"export-tmx needs a project file and a TMX file"};
  ExportProjectTmx(*LoadProject(args[0], context), args[1]);
  return ExitOk;
}

int UpdateCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 3) throw UsageError{"update needs the old project, the new quest and the output project"};
  auto old = LoadProject(args[0], context);
  auto fresh = std::make_unique<TtxgProject>(context.Catalogue());
  const TUpdatePlan plan = UpdateProject(*old, args[1], *fresh);
  SaveProject(*fresh, args[2], context);
  context.out << "kept: " << plan.Kept << "\nchanged: " << plan.Changed << "\nmoved: " << plan.Moved
              << "\nnew: " << plan.New << "\nunused: " << plan.UnusedMessages.size() << '\n';
  return ExitOk;
}

int PropagateCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 1) throw UsageError{"propagate needs one project file"};
  auto project = LoadProject(args[0], context);
  const int32_t filled = PropagateAll(*project);
  SaveProject(*project, args[0], context);
  context.out << "propagated: " << filled << '\n';
  return ExitOk;
}

const CommandRegistration exportTmxRegistration(
    "export-tmx", "export-tmx FILE.txg OUT.tmx   (write the translated positions as a TMX 1.4 memory)",
    ExportTmxCommand);
const CommandRegistration updateRegistration(
    "update", "update OLD.txg NEW.xg OUT.txg   (carry the translations of OLD over to the quest NEW)", UpdateCommand);
const CommandRegistration propagateRegistration(
    "propagate", "propagate FILE.txg   (fill each translation into untranslated messages of the same source)",
    PropagateCommand);

}  // namespace
