#pragma once
// Finds glossary terms in texts: case-insensitive, on word boundaries, in any inflection (words
// are compared by their Snowball stems, in the language of their side), a multi-word term word by
// word, and never inside markup (tags, colour tags, formulas). Built once per glossary set as an
// Aho-Corasick automaton over stemmed words, so finding the terms of one text does not depend on
// how many terms there are.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "glossary/Glossary.h"

// One occurrence of a term in a text.
struct TTermMatch {
  std::size_t Entry = 0;  // index into TTermMatcher::Entries()
  std::size_t Term = 0;   // in a translation: index into the entry's Targets; 0 in a source
  int32_t Begin = 0;      // code units of the text, end exclusive
  int32_t End = 0;
  bool operator==(const TTermMatch&) const = default;
};

// A word reduced for comparing: lower case, then stemmed by the language's Snowball stemmer. A
// language without a stemmer ("", "xx") only lowers the case. Languages are codes such as "ru",
// "en_US", "de-DE".
class TWordStemmer {
 public:
  explicit TWordStemmer(std::string_view language);
  ~TWordStemmer();
  TWordStemmer(const TWordStemmer&) = delete;
  TWordStemmer& operator=(const TWordStemmer&) = delete;
  std::u16string Stem(std::u16string_view word) const;
  bool HasStemmer() const;

 private:
  struct TState;
  std::unique_ptr<TState> state_;
};

class TTermMatcher {
 public:
  // The entries of every glossary of a project, in order; the source side is stemmed in
  // `sourceLanguage`, the targets in `targetLanguage`.
  TTermMatcher(std::vector<TGlossaryEntry> entries, std::string_view sourceLanguage, std::string_view targetLanguage);
  ~TTermMatcher();
  TTermMatcher(const TTermMatcher&) = delete;
  TTermMatcher& operator=(const TTermMatcher&) = delete;

  const std::vector<TGlossaryEntry>& Entries() const;
  bool Empty() const;

  // The source terms in a text, in text order; where terms overlap the longest (then the first
  // listed) wins, so "звёздная карта" is one match, not two.
  std::vector<TTermMatch> FindSourceTerms(std::u16string_view text) const;
  // Every target term of every entry in a translation, in text order, overlaps kept (a check asks
  // about one entry at a time).
  std::vector<TTermMatch> FindTargetTerms(std::u16string_view text) const;

 private:
  struct TState;
  std::unique_ptr<TState> state_;
};
