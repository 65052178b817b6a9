// xgtool catalogue [--all] FILE: the tree of a block-parameter file and the catalogue keys it lacks.
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/Commands.h"
#include "project/CatalogueKeys.h"
#include "support/JD_BlockPar.h"

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
  const bool all = !args.empty() && args[0] == "--all";
  if (args.size() != (all ? 2u : 1u)) throw UsageError{"catalogue takes exactly one FILE"};
  TBlockParJD tree;
  tree.LoadFromFile(args.back(), false);
  PrintTree(tree, context.out);
  bool anyMissing = false;
  for (const std::u16string& key : RequiredCatalogueKeys()) {
    if (tree.Par_Find(key) == nullptr) {
      context.out << "missing: " << EscapeForOutput(key) << '\n';
      anyMissing = true;
    }
  }
  // An added key the file lacks is no fault: the program's own text stands in for it.
  if (all)
    for (const TAddedCatalogueKey& added : AddedCatalogueKeys())
      if (tree.Par_Find(added.Key) == nullptr) context.out << "default: " << EscapeForOutput(added.Key) << '\n';
  return anyMissing ? ExitReported : ExitOk;
}

const CommandRegistration registration("catalogue", "catalogue [--all] FILE", CatalogueCommand);

}  // namespace
