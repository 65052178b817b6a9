#pragma once
// TTranslationMemory: pairs of a source text and its translation with where they came from, and
// the best matches for a new source text. An index from each word to the entries holding it
// finds the candidates; the exact similarity is computed only for those that could still rank.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A match is offered to the translator from this similarity up.
constexpr int OfferedSimilarity = 75;

struct TMemoryEntry {
  std::u16string Source;
  std::u16string Translation;
  std::u16string Origin;  // a message id, "unused: <id>", or the TMX file it was read from
  // The quest of a workspace the pair was taken from, shown with the suggestion; empty for the
  // open project's own entries. TMX files do not hold it.
  std::u16string Quest = {};
};

struct TSuggestion {
  std::size_t Entry;  // index into the memory
  int Percent;        // SimilarityPercent of the query and the entry's source
};

class TTranslationMemory {
 public:
  // An entry whose source and translation are both already held is not added again; the first
  // origin stays. Returns the index of the entry holding the pair.
  std::size_t Add(TMemoryEntry entry);
  std::size_t Size() const { return entries_.size(); }
  const TMemoryEntry& Entry(std::size_t index) const { return entries_.at(index); }
  void Clear();

  // Up to `limit` entries with a similarity of at least `minimumPercent`, best first; equal
  // percentages in the order the entries were added. A high minimum looks only at the entries
  // holding one of the query's rarest words, so a memory of a whole game answers quickly.
  std::vector<TSuggestion> Suggest(std::u16string_view source, std::size_t limit = 5, int minimumPercent = 1) const;

 private:
  struct TIndexedEntry {
    std::vector<uint32_t> Words;  // word numbers in text order
  };
  struct TPosting {
    uint32_t Entry;
    uint32_t Count;  // how often the word occurs in the entry
  };
  std::vector<TMemoryEntry> entries_;
  std::vector<TIndexedEntry> indexed_;
  // Looked up by the words of a text as they lie in it, without a copy of each.
  struct TWordHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view word) const { return std::hash<std::u16string_view>{}(word); }
  };
  std::unordered_map<std::u16string, uint32_t, TWordHash, std::equal_to<>> wordNumbers_;
  std::vector<std::vector<TPosting>> postings_;              // per word number
  std::unordered_multimap<std::size_t, std::size_t> pairs_;  // hash of source and translation -> entry

  uint32_t WordNumber(std::u16string_view word);
  // The entries sharing a word with the query and how many words (as multisets) they share.
  void CountCommonWords(const std::vector<std::pair<uint32_t, uint32_t>>& queryCounts, std::size_t unknownWords,
                        std::size_t queryWords, int minimumPercent, std::vector<uint32_t>& touched,
                        std::vector<uint32_t>& common) const;
};
