#pragma once
// Concordance: where a word or phrase was used before. The entries of a memory whose source or
// translation holds the text, by the rule of the message list's search with case ignored.
#include <cstddef>
#include <string_view>
#include <vector>

#include "memory/TranslationMemory.h"

struct TConcordance {
  std::vector<std::size_t> Entries;  // the first `limit` found, in the order of the memory
  std::size_t Total = 0;             // every entry found
};

// An empty or blank text finds nothing.
TConcordance FindInMemory(const TTranslationMemory& memory, std::u16string_view text, std::size_t limit);
