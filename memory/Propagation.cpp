#include "memory/Propagation.h"

#include <string>
#include <unordered_map>

#include "project/ProjectClass.h"

std::vector<int32_t> PropagationTargets(const TtxgProject& project, int32_t n) {
  std::vector<int32_t> targets;
  if (!project.IsTranslated(n)) return targets;
  const int32_t holder = project.StateMessage(n);
  const std::u16string source = TrimQuestText(project.GetSourceText(holder));
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t m = project.MessageAtPosition(position);
    if (m != holder && !project.IsTranslated(m) && TrimQuestText(project.GetSourceText(m)) == source)
      targets.push_back(m);
  }
  return targets;
}

int32_t PropagateTranslation(TtxgProject& project, int32_t n) {
  const std::vector<int32_t> targets = PropagationTargets(project, n);
  const std::u16string translation = project.GetTargetText(n);
  const bool asIs = project.TranslatedAsIs(n);
  for (int32_t m : targets) {
    project.StoreTranslation(m, translation);
    // Kept as it is there, kept as it is here (when the texts are equal, not only trimmed).
    project.SetTranslatedAsIs(m, asIs);
    project.SetNeedsReview(m, true);
  }
  return static_cast<int32_t>(targets.size());
}

int32_t PropagateAll(TtxgProject& project) {
  // One pass: the first translated position of each source, then every untranslated one after.
  std::unordered_map<std::u16string, int32_t> translationOfSource;
  std::vector<std::pair<int32_t, std::u16string>> untranslated;  // message, trimmed source
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t m = project.MessageAtPosition(position);
    std::u16string source = TrimQuestText(project.GetSourceText(m));
    if (project.IsTranslated(m))
      translationOfSource.try_emplace(std::move(source), m);
    else
      untranslated.emplace_back(m, std::move(source));
  }
  int32_t filled = 0;
  for (const auto& [m, source] : untranslated) {
    auto found = translationOfSource.find(source);
    if (found == translationOfSource.end()) continue;
    project.StoreTranslation(m, project.GetTargetText(found->second));
    project.SetTranslatedAsIs(m, project.TranslatedAsIs(found->second));
    project.SetNeedsReview(m, true);
    ++filled;
  }
  return filled;
}
