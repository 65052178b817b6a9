#include "ui/EditCommands.h"

#include <utility>

TTranslationCommand::TTranslationCommand(TEditTarget& target, TTextChange change, const QString& label, int typingRun)
    : QUndoCommand(label), target_(target), change_(std::move(change)), typingRun_(typingRun) {}

void TTranslationCommand::undo() { target_.PutTranslation(change_.Message, change_.Before, change_.AsIsBefore); }

void TTranslationCommand::redo() {
  // The change was made before the command was recorded.
  if (std::exchange(applied_, false)) return;
  target_.PutTranslation(change_.Message, change_.After, change_.AsIsAfter);
}

bool TTranslationCommand::mergeWith(const QUndoCommand* other) {
  const auto* typed = static_cast<const TTranslationCommand*>(other);
  if (typed->typingRun_ != typingRun_ || typed->change_.Message != change_.Message) return false;
  change_.After = typed->change_.After;
  change_.AsIsAfter = typed->change_.AsIsAfter;
  // Typed back to where the run started: nothing is left to undo, unless the typing dropped the
  // mark of a translation kept as it is.
  setObsolete(change_.After == change_.Before && change_.AsIsAfter == change_.AsIsBefore);
  return true;
}

TImportCommand::TImportCommand(TEditTarget& target, std::vector<TTextChange> changes, std::vector<TStateChange> states,
                               const QString& label)
    : QUndoCommand(label), target_(target), changes_(std::move(changes)), states_(std::move(states)) {}

void TImportCommand::undo() { target_.PutTranslations(changes_, states_, false); }

void TImportCommand::redo() {
  if (std::exchange(applied_, false)) return;
  target_.PutTranslations(changes_, states_, true);
}

TReviewCommand::TReviewCommand(TEditTarget& target, int32_t message, bool on, const QString& label)
    : QUndoCommand(label), target_(target), message_(message), on_(on) {}

void TReviewCommand::undo() { target_.PutNeedsReview(message_, !on_); }

void TReviewCommand::redo() {
  if (std::exchange(applied_, false)) return;
  target_.PutNeedsReview(message_, on_);
}

TFinishCommand::TFinishCommand(TEditTarget& target, int32_t message, TFinishMarks before, TFinishMarks after,
                               const QString& label)
    : QUndoCommand(label), target_(target), message_(message), before_(before), after_(after) {}

void TFinishCommand::undo() { target_.PutFinished(message_, before_.NeedsReview, before_.AsIs); }

void TFinishCommand::redo() {
  if (std::exchange(applied_, false)) return;
  target_.PutFinished(message_, after_.NeedsReview, after_.AsIs);
}
