// xgtool catalogue FILE: the tree of a block-parameter file and the catalogue keys it lacks.
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/Commands.h"
#include "support/JD_BlockPar.h"
#include "support/JD_Error.h"
#include "ui/keys/CatalogueKeys.h"

namespace {

// One line per element in file order, children right behind their block. Walked with an
// explicit stack so that a deeply nested file cannot exhaust the call stack.
void PrintTree(const TBlockParJD& root, std::ostream& out) {
  std::vector<std::pair<const TBlockParElJD*, int>> pending;  // next element to print, its depth
  if (root.First() != nullptr) pending.emplace_back(root.First(), 0);
  while (!pending.empty()) {
    auto [element, depth] = pending.back();
    pending.pop_back();
    if (element->Next != nullptr) pending.emplace_back(element->Next, depth);
    out << depth << '\t' << element->Kind << '\t' << EscapeForOutput(element->Name) << '\t'
        << (element->Kind == TBlockParElJD::KindBlock ? std::string() : EscapeForOutput(element->Value)) << '\n';
    if (element->SubBlock && element->SubBlock->First() != nullptr)
      pending.emplace_back(element->SubBlock->First(), depth + 1);
  }
}

int CatalogueCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 1) throw UsageError{"catalogue takes exactly one FILE"};
  TBlockParJD tree;
  tree.LoadFromFile(args[0], false);
  PrintTree(tree, context.out);
  bool anyMissing = false;
  for (const std::u16string& key : CatalogueKeys()) {
    try {
      tree.Par_Get(key);
    } catch (const TExceptionJD&) {
      context.out << "missing: " << EscapeForOutput(key) << '\n';
      anyMissing = true;
    }
  }
  return anyMissing ? ExitReported : ExitOk;
}

const CommandRegistration registration("catalogue", "catalogue FILE", CatalogueCommand);

}  // namespace
