#include <libstemmer.h>

#include <mutex>

#include "glossary/TermMatcher.h"
#include "quest/QuestMarkup.h"
#include "support/Utf8.h"

namespace {

// "ru", "en_US", "de-DE.UTF-8" -> "ru", "en", "de": libstemmer knows the two-letter codes.
std::string AlgorithmName(std::string_view language) {
  std::string name(language.substr(0, language.find_first_of("_-.@")));
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return name;
}

}  // namespace

struct TWordStemmer::TState {
  sb_stemmer* Stemmer = nullptr;
  // A libstemmer stemmer keeps its work in itself: one word at a time.
  std::mutex Lock;
};

TWordStemmer::TWordStemmer(std::string_view language) : state_(std::make_unique<TState>()) {
  const std::string name = AlgorithmName(language);
  if (!name.empty()) state_->Stemmer = sb_stemmer_new(name.c_str(), "UTF_8");
}

TWordStemmer::~TWordStemmer() {
  if (state_->Stemmer != nullptr) sb_stemmer_delete(state_->Stemmer);
}

bool TWordStemmer::HasStemmer() const { return state_->Stemmer != nullptr; }

std::u16string TWordStemmer::Stem(std::u16string_view word) const {
  std::u16string lower(word);
  for (char16_t& c : lower) {
    c = FoldMarkupCase(c);
    if (c == u'ё') c = u'е';        // written either way in Russian texts
    if (c == u'\u2019') c = u'\'';  // the stemmers know the typewriter apostrophe only
  }
  if (state_->Stemmer == nullptr) return lower;
  const std::string utf8 = Utf16ToUtf8(lower);
  std::lock_guard<std::mutex> guard(state_->Lock);
  const sb_symbol* stem =
      sb_stemmer_stem(state_->Stemmer, reinterpret_cast<const sb_symbol*>(utf8.data()), static_cast<int>(utf8.size()));
  if (stem == nullptr) return lower;  // out of memory: the word unstemmed still compares
  return Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(stem),
                                      static_cast<std::size_t>(sb_stemmer_length(state_->Stemmer))));
}
