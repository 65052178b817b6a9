#pragma once
// The check "inconsistent": the same source text (blanks at both ends aside) translated one way in
// this quest and another way in another quest of the workspace. One finding per other quest, its
// detail "QUEST: TRANSLATION". The index is built once from the workspace's translations; it takes
// plain texts, so the memory (which links the checks) can fill it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "checks/TranslationChecks.h"

class TtxgProject;

inline constexpr TCheckCode InconsistentCheck{"inconsistent",
                                              "The same source is translated differently in another quest"};

class TConsistencyIndex {
 public:
  struct TQuestTranslation {
    uint32_t Quest;              // into Quests()
    std::u16string Translation;  // trimmed
  };
  // Keeps the pair once per quest and trimmed translation; an empty translation is no translation.
  void Add(std::u16string_view source, std::u16string_view translation, std::u16string_view quest);
  void Reserve(std::size_t sources) { sources_.reserve(sources); }
  // The distinct translations of `source` (trimmed here), in the order they were added; empty for
  // a source no quest translated.
  const std::vector<TQuestTranslation>& Find(std::u16string_view source) const;
  const std::u16string& Quest(uint32_t number) const { return quests_[number]; }
  std::size_t SourceCount() const { return sources_.size(); }

 private:
  struct THash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>{}(text); }
  };
  std::unordered_map<std::u16string, std::vector<TQuestTranslation>, THash, std::equal_to<>> sources_;
  std::unordered_map<std::u16string, uint32_t, THash, std::equal_to<>> questNumbers_;
  std::vector<std::u16string> quests_;
};

// A finding for each quest other than `quest` translating the trimmed `source` otherwise than the
// trimmed `translation`, in the order the index holds them.
std::vector<TCheckFinding> CheckInconsistent(const TConsistencyIndex& index, std::u16string_view quest,
                                             std::u16string_view source, std::u16string_view translation);

// The findings of message n of a project that is the quest `quest`, on the edited messages only
// (none for a deleted or not yet edited one, as CheckMessageTerms).
std::vector<TCheckFinding> CheckMessageInconsistent(const TtxgProject& project, int32_t n,
                                                    const TConsistencyIndex& index, std::u16string_view quest);
