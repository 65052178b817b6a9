#include "checks/ConsistencyCheck.h"

#include <algorithm>

#include "checks/TextChecks.h"
#include "project/ProjectClass.h"
#include "support/JD_Str.h"

void TConsistencyIndex::Add(std::u16string_view source, std::u16string_view translation, std::u16string_view quest) {
  const std::u16string_view trimmed = TrimViewJD(translation);
  if (trimmed.empty()) return;
  auto number = questNumbers_.find(quest);
  if (number == questNumbers_.end()) {
    number = questNumbers_.emplace(std::u16string(quest), static_cast<uint32_t>(quests_.size())).first;
    quests_.emplace_back(quest);
  }
  const std::u16string_view key = TrimViewJD(source);
  auto found = sources_.find(key);
  if (found == sources_.end()) found = sources_.emplace(std::u16string(key), std::vector<TQuestTranslation>{}).first;
  std::vector<TQuestTranslation>& translations = found->second;
  const uint32_t questNumber = number->second;
  if (std::none_of(translations.begin(), translations.end(), [&](const TQuestTranslation& held) {
        return held.Quest == questNumber && held.Translation == trimmed;
      }))
    translations.push_back({questNumber, std::u16string(trimmed)});
}

const std::vector<TConsistencyIndex::TQuestTranslation>& TConsistencyIndex::Find(std::u16string_view source) const {
  static const std::vector<TQuestTranslation> none;
  const auto found = sources_.find(TrimViewJD(source));
  return found == sources_.end() ? none : found->second;
}

std::vector<TCheckFinding> CheckInconsistent(const TConsistencyIndex& index, std::u16string_view quest,
                                             std::u16string_view source, std::u16string_view translation) {
  std::vector<TCheckFinding> findings;
  const std::u16string_view trimmed = TrimViewJD(translation);
  for (const TConsistencyIndex::TQuestTranslation& other : index.Find(source)) {
    const std::u16string& otherQuest = index.Quest(other.Quest);
    if (otherQuest == quest || other.Translation == trimmed) continue;
    TCheckFinding& finding = AddFinding(findings, InconsistentCheck);
    finding.Detail = otherQuest + u": " + other.Translation;
    finding.Spans.push_back({false, 0, static_cast<int32_t>(translation.size())});
  }
  return findings;
}

std::vector<TCheckFinding> CheckMessageInconsistent(const TtxgProject& project, int32_t n,
                                                    const TConsistencyIndex& index, std::u16string_view quest) {
  if (n < 1 || n > project.SourceCount || n > project.TargetCount || project.IsNotEdited(n)) return {};
  return CheckInconsistent(index, quest, project.GetSourceText(n), project.GetTargetText(n));
}
