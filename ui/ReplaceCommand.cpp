#include "ui/ReplaceCommand.h"

#include <utility>

TReplaceCommand::TReplaceCommand(TtxgProject& project, std::vector<TReplacement> replacements,
                                 std::function<void(const std::vector<TReplacement>&)> applied, const QString& text)
    : QUndoCommand(text), project_(project), replacements_(std::move(replacements)), applied_(std::move(applied)) {}

void TReplaceCommand::redo() { Apply(false); }

void TReplaceCommand::undo() { Apply(true); }

void TReplaceCommand::Apply(bool undo) {
  ApplyReplacements(project_, replacements_, undo);
  if (applied_) applied_(replacements_);
}
