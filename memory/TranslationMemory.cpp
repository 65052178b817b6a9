#include "memory/TranslationMemory.h"

#include <algorithm>
#include <utility>

#include "memory/MemoryWords.h"

uint32_t TTranslationMemory::WordNumber(std::u16string_view word) {
  if (auto found = wordNumbers_.find(word); found != wordNumbers_.end()) return found->second;
  postings_.emplace_back();
  return wordNumbers_.emplace(std::u16string(word), static_cast<uint32_t>(postings_.size() - 1)).first->second;
}

std::size_t TTranslationMemory::Add(TMemoryEntry entry) {
  // The pairs are found by their hash and compared with the entries themselves: a memory of a whole
  // game keeps each text once.
  const std::hash<std::u16string_view> hash;
  const std::size_t pairHash = hash(entry.Source) * 31 + hash(entry.Translation);
  for (auto [at, end] = pairs_.equal_range(pairHash); at != end; ++at) {
    const TMemoryEntry& held = entries_[at->second];
    if (held.Source == entry.Source && held.Translation == entry.Translation) return at->second;
  }
  pairs_.emplace(pairHash, entries_.size());

  const auto index = static_cast<uint32_t>(entries_.size());
  TIndexedEntry indexed;
  for (std::u16string_view word : WordsOf(entry.Source)) indexed.Words.push_back(WordNumber(word));
  std::vector<uint32_t> sorted = indexed.Words;
  std::sort(sorted.begin(), sorted.end());
  for (std::size_t i = 0; i < sorted.size();) {
    std::size_t j = i;
    while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
    postings_[sorted[i]].push_back({index, static_cast<uint32_t>(j - i)});
    i = j;
  }
  indexed_.push_back(std::move(indexed));
  entries_.push_back(std::move(entry));
  return index;
}

void TTranslationMemory::Clear() {
  entries_.clear();
  indexed_.clear();
  wordNumbers_.clear();
  postings_.clear();
  pairs_.clear();
}

void TTranslationMemory::CountCommonWords(const std::vector<std::pair<uint32_t, uint32_t>>& queryCounts,
                                          std::size_t unknownWords, std::size_t queryWords, int minimumPercent,
                                          std::vector<uint32_t>& touched, std::vector<uint32_t>& common) const {
  // Words in common (as multisets) per entry. The edit distance is at least the longer word
  // count minus the words in common, which bounds the similarity from above.
  auto countAll = [&](const std::vector<std::pair<uint32_t, uint32_t>>& words) {
    for (const auto& [word, count] : words)
      for (const TPosting& posting : postings_[word]) {
        if (common[posting.Entry] == 0) touched.push_back(posting.Entry);
        common[posting.Entry] += std::min(count, posting.Count);
      }
  };
  std::size_t allPostings = 0;
  for (const auto& [word, count] : queryCounts) allPostings += postings_[word].size();
  if (minimumPercent <= 0 || allPostings < 4096) return countAll(queryCounts);

  // An entry reaching the minimum shares at least `needed` of the query's word occurrences, so it
  // misses at most `missable` of them: it holds one of the rarest `missable + 1` occurrences.
  // Words the memory never saw are the rarest of all; only entries holding one of the other rare
  // words are candidates.
  const std::size_t needed = (static_cast<std::size_t>(minimumPercent) * queryWords + 99) / 100;
  const std::size_t missable = queryWords - std::min(needed, queryWords);
  if (unknownWords > missable) return;
  std::vector<std::pair<uint32_t, uint32_t>> byRarity = queryCounts;
  std::sort(byRarity.begin(), byRarity.end(), [&](const auto& a, const auto& b) {
    return postings_[a.first].size() != postings_[b.first].size()
               ? postings_[a.first].size() < postings_[b.first].size()
               : a.first < b.first;
  });
  std::size_t budget = missable + 1 - unknownWords;
  std::size_t rare = 0;
  std::size_t rarePostings = 0;
  while (budget > 0 && rare < byRarity.size()) {
    budget -= std::min<std::size_t>(budget, byRarity[rare].second);
    rarePostings += postings_[byRarity[rare].first].size();
    ++rare;
  }
  // Counting through the entries costs more per entry than through the postings.
  if (rarePostings * 4 > allPostings) return countAll(queryCounts);

  // Nor can an entry reach it whose word count is too far from the query's: the words in common
  // are at most the shorter count.
  const std::size_t shortest = needed;
  const std::size_t longest = queryWords * 100 / static_cast<std::size_t>(minimumPercent);
  for (std::size_t w = 0; w < rare; ++w)
    for (const TPosting& posting : postings_[byRarity[w].first])
      if (common[posting.Entry] == 0 && indexed_[posting.Entry].Words.size() >= shortest &&
          indexed_[posting.Entry].Words.size() <= longest) {
        common[posting.Entry] = 1;
        touched.push_back(posting.Entry);
      }
  std::vector<uint32_t> used(queryCounts.size(), 0);
  for (uint32_t entry : touched) {
    uint32_t shared = 0;
    for (uint32_t word : indexed_[entry].Words) {
      auto found = std::lower_bound(queryCounts.begin(), queryCounts.end(), std::make_pair(word, uint32_t{0}));
      if (found == queryCounts.end() || found->first != word) continue;
      const auto k = static_cast<std::size_t>(found - queryCounts.begin());
      if (used[k]++ < found->second) ++shared;
    }
    for (uint32_t word : indexed_[entry].Words) {
      auto found = std::lower_bound(queryCounts.begin(), queryCounts.end(), std::make_pair(word, uint32_t{0}));
      if (found != queryCounts.end() && found->first == word)
        used[static_cast<std::size_t>(found - queryCounts.begin())] = 0;
    }
    common[entry] = shared;
  }
}

std::vector<TSuggestion> TTranslationMemory::Suggest(std::u16string_view source, std::size_t limit,
                                                     int minimumPercent) const {
  std::vector<TSuggestion> best;
  if (limit == 0 || entries_.empty()) return best;

  // The query's words as numbers; a word the memory never saw gets a number of its own so that it
  // still counts in the distance.
  std::vector<uint32_t> query;
  std::vector<std::pair<uint32_t, uint32_t>> queryCounts;  // known word number, occurrences
  std::size_t unknownWords = 0;
  {
    uint32_t unknown = static_cast<uint32_t>(postings_.size());
    const uint32_t firstUnknown = unknown;
    for (std::u16string_view word : WordsOf(source)) {
      auto found = wordNumbers_.find(word);
      query.push_back(found == wordNumbers_.end() ? unknown++ : found->second);
    }
    std::vector<uint32_t> sorted = query;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size();) {
      std::size_t j = i;
      while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
      if (sorted[i] < postings_.size()) queryCounts.emplace_back(sorted[i], static_cast<uint32_t>(j - i));
      i = j;
    }
    unknownWords = unknown - firstUnknown;
  }

  std::vector<uint32_t> common(entries_.size(), 0);
  std::vector<uint32_t> touched;
  CountCommonWords(queryCounts, unknownWords, query.size(), minimumPercent, touched, common);

  // Similarities are compared as exact fractions: words kept over the longer word count.
  struct Fraction {
    uint64_t Kept;
    uint64_t Longer;
    bool operator<(const Fraction& other) const { return Kept * other.Longer < other.Kept * Longer; }
    bool operator==(const Fraction& other) const { return Kept * other.Longer == other.Kept * Longer; }
  };
  auto fraction = [](std::size_t kept, std::size_t longer) {
    return longer == 0 ? Fraction{0, 1} : Fraction{kept, longer};
  };
  struct Candidate {
    Fraction Bound;
    uint32_t Entry;
  };
  std::vector<Candidate> candidates;
  candidates.reserve(touched.size());
  for (uint32_t entry : touched) {
    const Fraction bound = fraction(common[entry], std::max(query.size(), indexed_[entry].Words.size()));
    if (bound.Kept * 100 >= static_cast<uint64_t>(std::max(minimumPercent, 0)) * bound.Longer)
      candidates.push_back({bound, entry});
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return !(a.Bound == b.Bound) ? b.Bound < a.Bound : a.Entry < b.Entry;
  });

  // Exact ranking: the similarity before rounding, an identical text above one that differs in
  // blanks only, then the entry order.
  struct Ranked {
    Fraction Score;
    bool Identical;
    uint32_t Entry;
    int Percent;
  };
  std::vector<Ranked> ranked;
  auto before = [](const Ranked& a, const Ranked& b) {
    if (!(a.Score == b.Score)) return b.Score < a.Score;
    if (a.Identical != b.Identical) return a.Identical;
    return a.Entry < b.Entry;
  };
  for (const Candidate& candidate : candidates) {
    if (ranked.size() == limit) {
      const Ranked& last = ranked.back();
      // Candidates come by falling bound, then rising entry: none after this one can rank higher.
      // Only a bound of 100% may still hide an identical text that outranks the last.
      const bool fullBound = candidate.Bound.Kept == candidate.Bound.Longer;
      if (candidate.Bound < last.Score ||
          (candidate.Bound == last.Score && candidate.Entry > last.Entry && (last.Identical || !fullBound)))
        break;
    }
    const auto& words = indexed_[candidate.Entry].Words;
    const std::size_t distance = WordEditDistance(query, words);
    const std::size_t longer = std::max(query.size(), words.size());
    const bool identical = entries_[candidate.Entry].Source == source;
    const int percent = SimilarityPercent(identical, distance, query.size(), words.size());
    if (percent < minimumPercent) continue;
    Ranked entry{fraction(longer - std::min(distance, longer), longer), identical, candidate.Entry, percent};
    ranked.insert(std::upper_bound(ranked.begin(), ranked.end(), entry, before), entry);
    if (ranked.size() > limit) ranked.pop_back();
  }
  for (const Ranked& entry : ranked) best.push_back({entry.Entry, entry.Percent});
  return best;
}
