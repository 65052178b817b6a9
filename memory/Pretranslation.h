#pragma once
// Pre-translation: the untranslated messages of a project filled from a memory. An identical
// source gives a finished translation; a close one gives a translation to review, with a note of
// how close it was and which quest it came from. The markup of the message's own source is carried
// into the fill, and the translation checks have the last word.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "memory/TranslationMemory.h"

class TtxgProject;

// One message to fill: what the window stores in one undoable step, or xgtool before saving.
struct TPretranslationFill {
  int32_t Message = 0;  // the message holding the position's state
  std::u16string Text;
  bool Review = false;
  std::u16string Note;  // the message's note after the fill (its old note kept before ours)
  int Percent = 0;
  bool operator==(const TPretranslationFill&) const = default;
};

// Untranslated positions by the similarity of their best match. The lowest band starts at the
// threshold asked for (75 by default).
struct TPretranslationCounts {
  int32_t Exact = 0;        // 100%
  int32_t From95 = 0;       // 95-99%
  int32_t From85 = 0;       // 85-94%
  int32_t FromMinimum = 0;  // the threshold up to 84%
  int32_t None = 0;         // nothing at or above the threshold
  int32_t Fuzzy() const { return From95 + From85 + FromMinimum; }
  bool operator==(const TPretranslationCounts&) const = default;
};

struct TPretranslation {
  TPretranslationCounts Counts;
  std::vector<TPretranslationFill> Fills;  // in position order
  bool operator==(const TPretranslation&) const = default;
};

// The note a fill below 100% gets: "fuzzy 87% from Vega" (the TMX file or the origin when the
// entry names no quest).
std::u16string FuzzyNote(int percent, const TMemoryEntry& entry);

// `translation` of `memorySource` made to fit `source`: when the two sources differ only in their
// markup (tags, colour tags, formulas) and numbers, each such token of the translation that the
// memory's source holds becomes the one at the same place of `source`. Otherwise the translation as
// it is.
std::u16string CarryMarkup(std::u16string_view memorySource, std::u16string_view translation,
                           std::u16string_view source);

// What pre-translation would store, without changing the project (a dry run). `minimumPercent`
// below 1 counts as 1.
TPretranslation PlanPretranslation(const TtxgProject& project, const TTranslationMemory& memory,
                                   int minimumPercent = OfferedSimilarity);

// Stores the fills: the text (kept as is when it equals the source), the review flag and the note.
void ApplyPretranslation(TtxgProject& project, const std::vector<TPretranslationFill>& fills);
