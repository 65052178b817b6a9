#include "memory/ProjectUpdate.h"

#include <string>
#include <unordered_map>

#include "project/ProjectClass.h"

namespace {

// The message whose position a message stands for: itself, or for a linked duplicate path question
// the message of the path it follows.
std::vector<int32_t> PositionHolders(const TtxgProject& project) {
  std::unordered_map<const TTextField*, int32_t> messageOfText;
  for (int32_t n = 1; n <= project.TargetCount; ++n)
    messageOfText.emplace(project.TargetTexts[static_cast<std::size_t>(n)], n);
  std::vector<int32_t> holders(static_cast<std::size_t>(project.SourceCount) + 1, 0);
  for (int32_t n = 1; n <= project.SourceCount; ++n) {
    holders[static_cast<std::size_t>(n)] = n;
    const int32_t path = project.LinkedPath[static_cast<std::size_t>(n)];
    if (path == 0) continue;
    auto found = messageOfText.find(&project.TargetGame.Path(path).StartText);
    if (found != messageOfText.end()) holders[static_cast<std::size_t>(n)] = found->second;
  }
  return holders;
}

}  // namespace

TUpdatePlan PlanUpdate(const TtxgProject& old, const TtxgProject& fresh) {
  TUpdatePlan plan;
  // Sources are compared as the quest trims them: blanks at the ends are no change for the reader.
  std::vector<std::u16string> oldSources(static_cast<std::size_t>(old.SourceCount) + 1);
  std::unordered_map<std::u16string, int32_t> firstTranslatedWithSource;
  for (int32_t n = 1; n <= old.SourceCount; ++n) {
    oldSources[static_cast<std::size_t>(n)] = TrimQuestText(old.GetSourceText(n));
    if (!old.IsNotEdited(n)) firstTranslatedWithSource.try_emplace(oldSources[static_cast<std::size_t>(n)], n);
  }

  const std::vector<int32_t> holders = PositionHolders(old);
  std::vector<bool> used(static_cast<std::size_t>(old.SourceCount) + 1, false);
  for (int32_t position = 1; position <= fresh.PositionCount; ++position) {
    TUpdateStep step;
    step.NewMessage = fresh.MessageAtPosition(position);
    const std::u16string source = TrimQuestText(fresh.GetSourceText(step.NewMessage));
    const int32_t sameId = old.FindSourceId(fresh.SourceIds[static_cast<std::size_t>(step.NewMessage)]);
    if (sameId > 0) {
      const bool sameSource = oldSources[static_cast<std::size_t>(sameId)] == source;
      if (!old.IsNotEdited(sameId)) {
        step.Rule = sameSource ? UpdateRule::Kept : UpdateRule::Changed;
        step.OldMessage = sameId;
      } else if (sameSource) {
        step.OldMessage = sameId;  // untranslated: its note (and nothing else) goes along
      }
    } else if (auto found = firstTranslatedWithSource.find(source); found != firstTranslatedWithSource.end()) {
      step.Rule = UpdateRule::Moved;
      step.OldMessage = found->second;
    }
    switch (step.Rule) {
      case UpdateRule::Kept:
        ++plan.Kept;
        break;
      case UpdateRule::Changed:
        ++plan.Changed;
        break;
      case UpdateRule::Moved:
        ++plan.Moved;
        break;
      case UpdateRule::New:
        ++plan.New;
        break;
    }
    if (step.Rule != UpdateRule::New)
      used[static_cast<std::size_t>(holders[static_cast<std::size_t>(step.OldMessage)])] = true;
    plan.Steps.push_back(step);
  }

  for (int32_t position = 1; position <= old.PositionCount; ++position) {
    const int32_t n = old.MessageAtPosition(position);
    if (!old.IsNotEdited(n) && !used[static_cast<std::size_t>(n)]) plan.UnusedMessages.push_back(n);
  }
  return plan;
}
