#pragma once
// Translations an update found no place for. The project keeps them in its section "unused" so
// that nothing translated is ever lost; the memory offers them as suggestions.
#include <stdexcept>
#include <vector>

#include "memory/TranslationMemory.h"

class TtxgProject;

// Raised for a section "unused" that does not decode; its text is exactly
// "The unused translations of the project are damaged".
class EUnusedSectionError : public std::runtime_error {
 public:
  EUnusedSectionError();
};

// Each entry: the old message id as origin, its source and its translation.
std::vector<TMemoryEntry> UnusedTranslations(const TtxgProject& project);
// An empty list removes the section.
void SetUnusedTranslations(TtxgProject& project, const std::vector<TMemoryEntry>& entries);
