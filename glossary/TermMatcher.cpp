#include "glossary/TermMatcher.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "quest/QuestMarkup.h"

namespace {

// A word of a text, as the markup scanner finds it: letters, or digits, or both glued together
// ("Vega7"). A term goes on from one word to the next only across blanks, line breaks and hyphens
// ("Vega-7", "звёздная\nкарта"); punctuation and markup between two words end it.
struct TTextWord {
  uint32_t Begin = 0;
  uint32_t End = 0;
  bool Joined = false;  // a term may go on into this word from the one before
};

bool IsHyphen(char16_t c) { return c == u'-' || c == u'\u2010' || c == u'\u2011'; }

std::vector<TTextWord> TextWords(std::u16string_view text) {
  std::vector<TTextWord> words;
  bool joined = false;
  TMarkupScanner scanner(text);
  TMarkupToken token;
  while (scanner.Next(token)) {
    switch (token.Kind) {
      case TMarkupKind::Word:
      case TMarkupKind::Number:
        if (!words.empty() && words.back().End == token.Begin) {
          words.back().End = token.End;
        } else {
          words.push_back({token.Begin, token.End, joined});
          joined = true;
        }
        break;
      case TMarkupKind::Blank:
      case TMarkupKind::LineBreak:
        break;
      case TMarkupKind::Other:
        if (!IsHyphen(text[token.Begin])) joined = false;
        break;
      default:  // tags, colour tags, formulas
        joined = false;
        break;
    }
  }
  return words;
}

// Word ids are stems numbered as the terms bring them; a word of a text that no term has gets
// NoWord and stops every term going through it.
constexpr int32_t NoWord = -1;

// Aho-Corasick over word ids: a trie of the terms' word sequences, each state with a fail link
// to the longest proper suffix of its path that is also in the trie, and a link to the nearest
// such suffix where a term ends.
class TAutomaton {
 public:
  TAutomaton() : fail_(1, 0), output_(1, 0), ends_(1) {}

  void Add(const std::vector<int32_t>& words, int32_t pattern) {
    int32_t state = 0;
    for (int32_t word : words) {
      auto [next, added] = goto_.try_emplace(Key(state, word), static_cast<int32_t>(fail_.size()));
      if (added) {
        fail_.push_back(0);
        output_.push_back(0);
        ends_.emplace_back();
        children_.resize(fail_.size());
        children_[static_cast<std::size_t>(state)].push_back({word, next->second});
      }
      state = next->second;
    }
    ends_[static_cast<std::size_t>(state)].push_back(pattern);
  }

  // The links, breadth first: a state's fail target is shallower, so it is done before it.
  void Finish() {
    children_.resize(fail_.size());
    std::vector<int32_t> queue;
    for (const auto& [word, child] : children_[0]) queue.push_back(child);
    for (std::size_t at = 0; at < queue.size(); ++at) {
      const auto state = static_cast<std::size_t>(queue[at]);
      const int32_t fail = fail_[state];
      output_[state] = ends_[static_cast<std::size_t>(fail)].empty() ? output_[static_cast<std::size_t>(fail)] : fail;
      for (const auto& [word, child] : children_[state]) {
        fail_[static_cast<std::size_t>(child)] = Step(fail, word);
        queue.push_back(child);
      }
    }
    children_.clear();
    children_.shrink_to_fit();
  }

  // The state after `word` in `state`; `state` 0 is the start, where no term has begun.
  int32_t Step(int32_t state, int32_t word) const {
    if (word == NoWord) return 0;
    for (;;) {
      const auto next = goto_.find(Key(state, word));
      if (next != goto_.end()) return next->second;
      if (state == 0) return 0;
      state = fail_[static_cast<std::size_t>(state)];
    }
  }

  // Calls found(pattern) for every term ending in `state`.
  template <typename Found>
  void Ends(int32_t state, Found&& found) const {
    for (auto at = static_cast<std::size_t>(state); at != 0; at = static_cast<std::size_t>(output_[at]))
      for (int32_t pattern : ends_[at]) found(pattern);
  }

  void Reserve(std::size_t states) {
    goto_.reserve(states);
    fail_.reserve(states);
    output_.reserve(states);
    ends_.reserve(states);
  }

 private:
  static uint64_t Key(int32_t state, int32_t word) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(state)) << 32) | static_cast<uint32_t>(word);
  }
  std::unordered_map<uint64_t, int32_t> goto_;
  std::vector<int32_t> fail_;
  std::vector<int32_t> output_;                                     // 0: no term ends on the fail path
  std::vector<std::vector<int32_t>> ends_;                          // the terms ending in a state
  std::vector<std::vector<std::pair<int32_t, int32_t>>> children_;  // while building only
};

struct TPattern {
  std::size_t Entry = 0;
  std::size_t Term = 0;
  std::size_t Words = 0;
};

// One occurrence, by word indexes of the text (end exclusive).
struct TFound {
  int32_t Pattern = 0;
  std::size_t First = 0;
  std::size_t Last = 0;
};

// The terms of one language: its stemmer, the ids of the stems of its terms, the automaton.
class TSide {
 public:
  explicit TSide(std::string_view language) : stemmer_(language), lower_("") {}

  void Add(std::u16string_view term, std::size_t entry, std::size_t index) {
    std::vector<int32_t> ids;
    for (const TTextWord& word : TextWords(term)) {
      const std::u16string_view written = term.substr(word.Begin, word.End - word.Begin);
      const int32_t id = stems_.try_emplace(stemmer_.Stem(written), static_cast<int32_t>(stems_.size())).first->second;
      // The stemmers cut names unevenly ("гаал" to "гаа", "гаалу" to "гаал"): a text word whose
      // stem is the whole term word is taken for it too.
      stems_.try_emplace(lower_.Stem(written), id);
      ids.push_back(id);
    }
    if (ids.empty()) return;  // markup or punctuation only: nothing a text could match
    automaton_.Add(ids, static_cast<int32_t>(patterns_.size()));
    patterns_.push_back({entry, index, ids.size()});
  }

  void Reserve(std::size_t terms) {
    stems_.reserve(terms * 2);
    automaton_.Reserve(terms * 2);
    patterns_.reserve(terms);
  }
  void Finish() { automaton_.Finish(); }

  std::vector<TFound> Find(const std::vector<TTextWord>& words, std::u16string_view text) const {
    std::vector<TFound> found;
    if (patterns_.empty()) return found;
    int32_t state = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (!words[i].Joined) state = 0;
      const auto stem = stems_.find(stemmer_.Stem(text.substr(words[i].Begin, words[i].End - words[i].Begin)));
      state = automaton_.Step(state, stem == stems_.end() ? NoWord : stem->second);
      automaton_.Ends(state, [&](int32_t pattern) {
        found.push_back({pattern, i + 1 - patterns_[static_cast<std::size_t>(pattern)].Words, i + 1});
      });
    }
    return found;
  }

  const TPattern& Pattern(int32_t pattern) const { return patterns_[static_cast<std::size_t>(pattern)]; }

 private:
  TWordStemmer stemmer_;
  TWordStemmer lower_;  // case only
  std::unordered_map<std::u16string, int32_t> stems_;
  TAutomaton automaton_;
  std::vector<TPattern> patterns_;
};

}  // namespace

struct TTermMatcher::TState {
  TState(std::vector<TGlossaryEntry> entries, std::string_view sourceLanguage, std::string_view targetLanguage)
      : Entries(std::move(entries)), Source(sourceLanguage), Target(targetLanguage) {}
  std::vector<TGlossaryEntry> Entries;
  TSide Source;
  TSide Target;

  TTermMatch Match(const TSide& side, const TFound& found, const std::vector<TTextWord>& words) const {
    const TPattern& pattern = side.Pattern(found.Pattern);
    return {pattern.Entry, pattern.Term, static_cast<int32_t>(words[found.First].Begin),
            static_cast<int32_t>(words[found.Last - 1].End)};
  }
};

TTermMatcher::TTermMatcher(std::vector<TGlossaryEntry> entries, std::string_view sourceLanguage,
                           std::string_view targetLanguage)
    : state_(std::make_unique<TState>(std::move(entries), sourceLanguage, targetLanguage)) {
  state_->Source.Reserve(state_->Entries.size());
  state_->Target.Reserve(state_->Entries.size());
  for (std::size_t entry = 0; entry < state_->Entries.size(); ++entry) {
    const TGlossaryEntry& glossaryEntry = state_->Entries[entry];
    state_->Source.Add(glossaryEntry.Source, entry, 0);
    for (std::size_t term = 0; term < glossaryEntry.Targets.size(); ++term)
      state_->Target.Add(glossaryEntry.Targets[term], entry, term);
  }
  state_->Source.Finish();
  state_->Target.Finish();
}

TTermMatcher::~TTermMatcher() = default;

const std::vector<TGlossaryEntry>& TTermMatcher::Entries() const { return state_->Entries; }

bool TTermMatcher::Empty() const { return state_->Entries.empty(); }

// Of overlapping terms the one of more words wins; of equally long ones an entry that is not
// forbidden (a forbidden entry is about the translation, so it must not hide the entry saying how
// the same term is translated), then the first listed, then the first in the text.
std::vector<TTermMatch> TTermMatcher::FindSourceTerms(std::u16string_view text) const {
  const std::vector<TTextWord> words = TextWords(text);
  std::vector<TFound> found = state_->Source.Find(words, text);
  auto rank = [this](const TFound& found) {
    const TPattern& pattern = state_->Source.Pattern(found.Pattern);
    const bool forbidden = state_->Entries[pattern.Entry].Status == TTermStatus::Forbidden;
    const auto length = static_cast<std::ptrdiff_t>(found.Last - found.First);
    return std::make_tuple(-length, forbidden, pattern.Entry, found.First);
  };
  std::sort(found.begin(), found.end(), [&rank](const TFound& a, const TFound& b) { return rank(a) < rank(b); });
  std::vector<bool> taken(words.size(), false);
  std::vector<TFound> kept;
  for (const TFound& candidate : found) {
    if (std::any_of(taken.begin() + static_cast<std::ptrdiff_t>(candidate.First),
                    taken.begin() + static_cast<std::ptrdiff_t>(candidate.Last), [](bool word) { return word; }))
      continue;
    std::fill(taken.begin() + static_cast<std::ptrdiff_t>(candidate.First),
              taken.begin() + static_cast<std::ptrdiff_t>(candidate.Last), true);
    kept.push_back(candidate);
  }
  std::sort(kept.begin(), kept.end(), [](const TFound& a, const TFound& b) { return a.First < b.First; });
  std::vector<TTermMatch> matches;
  matches.reserve(kept.size());
  for (const TFound& match : kept) matches.push_back(state_->Match(state_->Source, match, words));
  return matches;
}

std::vector<TTermMatch> TTermMatcher::FindTargetTerms(std::u16string_view text) const {
  const std::vector<TTextWord> words = TextWords(text);
  std::vector<TTermMatch> matches;
  for (const TFound& found : state_->Target.Find(words, text))
    matches.push_back(state_->Match(state_->Target, found, words));
  std::sort(matches.begin(), matches.end(), [](const TTermMatch& a, const TTermMatch& b) {
    return std::tie(a.Begin, a.End, a.Entry, a.Term) < std::tie(b.Begin, b.End, b.Entry, b.Term);
  });
  return matches;
}
