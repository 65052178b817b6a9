#include "ui/ReuseSession.h"

#include "memory/ProjectMemory.h"
#include "memory/Propagation.h"
#include "memory/WorkspaceMemory.h"
#include "project/ProjectClass.h"
#include "support/ErrorDescription.h"
#include "ui/SuggestionsPanel.h"

void PutFilled(TtxgProject& project, const std::vector<TFilledMessage>& fills, bool after) {
  for (const TFilledMessage& fill : fills) {
    project.SetTargetText(fill.Message, after ? fill.After : fill.Before);
    project.SetNeedsReview(fill.Message, after ? fill.ReviewAfter : fill.ReviewBefore);
    project.SetTranslatedAsIs(fill.Message, after ? fill.AsIsAfter : fill.AsIsBefore);
  }
}

std::vector<TFilledMessage> FillSameTranslation(TtxgProject& project, int32_t n) {
  std::vector<TFilledMessage> fills;
  for (int32_t m : PropagationTargets(project, n))
    fills.push_back({m, project.GetTargetText(m), {}, project.NeedsReview(m), false, project.TranslatedAsIs(m)});
  PropagateTranslation(project, n);
  for (TFilledMessage& fill : fills) {
    fill.After = project.GetTargetText(fill.Message);
    fill.ReviewAfter = project.NeedsReview(fill.Message);
    fill.AsIsAfter = project.TranslatedAsIs(fill.Message);
  }
  return fills;
}

std::vector<TFilledMessage> FillSuggestion(TtxgProject& project, int32_t n, const std::u16string& translation,
                                           int percent) {
  if (n < 1 || n > project.SourceCount) return {};
  const bool review = project.NeedsReview(n) || percent < 100;
  TFilledMessage fill{n, project.GetTargetText(n), {}, project.NeedsReview(n), review, project.TranslatedAsIs(n)};
  project.StoreTranslation(n, translation);
  fill.After = project.GetTargetText(n);
  fill.AsIsAfter = project.TranslatedAsIs(n);
  if (fill.After == fill.Before && fill.ReviewAfter == fill.ReviewBefore) return {};
  project.SetNeedsReview(n, review);
  return {fill};
}

TFillCommand::TFillCommand(Put put, std::vector<TFilledMessage> fills, const QString& label)
    : QUndoCommand(label), put_(std::move(put)), fills_(std::move(fills)) {}

void TFillCommand::undo() {
  put_(fills_, false);
  applied_ = false;
}

void TFillCommand::redo() {
  // Pushed after the fill was made: the first redo finds it done.
  if (applied_) return;
  put_(fills_, true);
  applied_ = true;
}

QString UpdateSummary(const TUpdatePlan& plan) {
  return QStringLiteral("kept: %1\nchanged: %2\nmoved: %3\nnew: %4\nunused: %5")
      .arg(plan.Kept)
      .arg(plan.Changed)
      .arg(plan.Moved)
      .arg(plan.New)
      .arg(plan.UnusedMessages.size());
}

std::vector<std::string> TReuseSession::Rebuild(const TtxgProject& project,
                                                const std::vector<const TQuestTexts*>& otherQuests,
                                                const std::vector<std::string>& workspaceFiles) {
  std::vector<std::string> problems;
  FillProjectMemory(project, memory_, problems);
  for (const TQuestTexts* quest : otherQuests) AddQuestToMemory(*quest, memory_);
  for (const std::string& file : workspaceFiles) {
    try {
      AddTmxToMemory(file, memory_);
    } catch (const std::exception& error) {
      problems.push_back(DescribeErrorText(error));
    }
  }
  shown_ = 0;
  shownSource_.clear();
  shownPrevious_.clear();
  translationWhenShown_.clear();
  return problems;
}

int32_t TReuseSession::MessageShown(const TtxgProject& project, int32_t message, TSuggestionsPanel& panel) {
  if (message < 1 || message > project.SourceCount) message = 0;
  int32_t left = 0;
  if (message != shown_ && shown_ >= 1 && shown_ <= project.SourceCount && project.IsTranslated(shown_) &&
      project.GetTargetText(shown_) != translationWhenShown_) {
    left = shown_;
    memory_.Add(
        {project.GetSourceText(left), project.GetTargetText(left), project.SourceIds[static_cast<std::size_t>(left)]});
  }
  const std::u16string source = message >= 1 ? project.GetSourceText(message) : std::u16string();
  const std::u16string previous = message >= 1 ? project.PreviousSource(message) : std::u16string();
  if (message != shown_ || source != shownSource_ || previous != shownPrevious_) {
    if (message >= 1)
      panel.ShowMessage(&memory_, source, project.SourceIds[static_cast<std::size_t>(message)], previous);
    else
      panel.Clear();
  }
  if (message != shown_) translationWhenShown_ = message >= 1 ? project.GetTargetText(message) : std::u16string();
  shown_ = message;
  shownSource_ = source;
  shownPrevious_ = previous;
  return left;
}
