#pragma once
// Propagation: a translation filled into the untranslated positions whose source is the same.
#include <cstdint>
#include <vector>

class TtxgProject;

// The untranslated positions (their messages, in position order) with the same source as message
// `n`, compared as the quest trims it; empty when `n` is not translated.
std::vector<int32_t> PropagationTargets(const TtxgProject& project, int32_t n);

// Fills the translation of `n` into PropagationTargets and flags each of them needs review.
// Returns how many were filled.
int32_t PropagateTranslation(TtxgProject& project, int32_t n);

// For every translated position in order, as PropagateTranslation: the first translation of a
// source wins. Returns how many positions were filled.
int32_t PropagateAll(TtxgProject& project);
