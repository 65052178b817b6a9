#pragma once
// What a project gives the translation memory.
#include <vector>

#include "memory/TranslationMemory.h"

class TtxgProject;

// One entry per translated position, in position order; the origin is the message id.
std::vector<TMemoryEntry> TranslatedEntries(const TtxgProject& project);
