#include "memory/ProjectUpdate.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "memory/UnusedTranslations.h"
#include "project/ProjectClass.h"

TUpdatePlan PlanUpdate(const TtxgProject& old, const TtxgProject& fresh) {
  TUpdatePlan plan;
  // Sources are compared as the quest trims them: blanks at the ends are no change for the reader.
  std::vector<std::u16string> oldSources(static_cast<std::size_t>(old.SourceCount) + 1);
  std::unordered_map<std::u16string, int32_t> firstTranslatedWithSource;
  for (int32_t n = 1; n <= old.SourceCount; ++n) {
    oldSources[static_cast<std::size_t>(n)] = TrimQuestText(old.GetSourceText(n));
    if (old.IsTranslated(n)) firstTranslatedWithSource.try_emplace(oldSources[static_cast<std::size_t>(n)], n);
  }

  std::vector<bool> used(static_cast<std::size_t>(old.SourceCount) + 1, false);
  for (int32_t position = 1; position <= fresh.PositionCount; ++position) {
    TUpdateStep step;
    step.NewMessage = fresh.MessageAtPosition(position);
    const std::u16string source = TrimQuestText(fresh.GetSourceText(step.NewMessage));
    const int32_t sameId = old.FindSourceId(fresh.SourceIds[static_cast<std::size_t>(step.NewMessage)]);
    if (sameId > 0) {
      const bool sameSource = oldSources[static_cast<std::size_t>(sameId)] == source;
      if (old.IsTranslated(sameId)) {
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
    if (step.Rule != UpdateRule::New) used[static_cast<std::size_t>(old.StateMessage(step.OldMessage))] = true;
    plan.Steps.push_back(step);
  }

  for (int32_t position = 1; position <= old.PositionCount; ++position) {
    const int32_t n = old.MessageAtPosition(position);
    if (old.IsTranslated(n) && !used[static_cast<std::size_t>(n)]) plan.UnusedMessages.push_back(n);
  }
  return plan;
}

TUpdatePlan UpdateProject(const TtxgProject& old, const std::string& newQuestFile, TtxgProject& fresh) {
  fresh.Clear();
  fresh.NewFromSource(newQuestFile);
  TUpdatePlan plan = PlanUpdate(old, fresh);
  const std::u16string deletedText = old.DeletedMessageText();
  for (const TUpdateStep& step : plan.Steps) {
    const int32_t n = step.NewMessage;
    const int32_t from = step.OldMessage;
    if (from == 0) continue;
    switch (step.Rule) {
      case UpdateRule::Kept:
        fresh.StoreTranslation(n, old.GetTargetText(from));
        fresh.SetTranslatedAsIs(n, old.TranslatedAsIs(from));
        fresh.SetNeedsReview(n, old.NeedsReview(from));
        fresh.SetNote(n, old.Note(from));
        fresh.SetPreviousSource(n, old.PreviousSource(from));
        break;
      case UpdateRule::Changed:
        fresh.StoreTranslation(n, old.GetTargetText(from));
        fresh.SetNeedsReview(n, true);
        fresh.SetNote(n, old.Note(from));  // a note is about the message, and the message is the same
        fresh.SetPreviousSource(n, old.GetSourceText(from));
        break;
      case UpdateRule::Moved:
        fresh.StoreTranslation(n, old.GetTargetText(from));
        fresh.SetTranslatedAsIs(n, old.TranslatedAsIs(from));
        fresh.SetNeedsReview(n, true);
        break;
      case UpdateRule::New:
        // Untranslated, same id and source: what the translator noted or decided about it stays.
        if (old.GetTargetText(from) == deletedText) fresh.StoreTranslation(n, deletedText);
        fresh.SetNeedsReview(n, old.NeedsReview(from));
        fresh.SetNote(n, old.Note(from));
        break;
    }
  }

  for (const char16_t* key : {u"language", u"spelling", u"memories"}) fresh.SetSetting(key, old.Setting(key));
  std::vector<TMemoryEntry> unused = UnusedTranslations(old);
  for (int32_t m : plan.UnusedMessages)
    unused.push_back({old.GetSourceText(m), old.GetTargetText(m), old.SourceIds[static_cast<std::size_t>(m)]});
  SetUnusedTranslations(fresh, unused);

  const int32_t current = old.CurrentMessage >= 1 && old.CurrentMessage <= old.SourceCount
                              ? fresh.FindSourceId(old.SourceIds[static_cast<std::size_t>(old.CurrentMessage)])
                              : 0;
  fresh.CurrentMessage = current > 0 ? current : 1;
  return plan;
}
