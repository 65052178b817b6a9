#pragma once
// The state of a message as the message list shows it, and the positions a filter and a search
// leave. The list shows one state per message (needs review before the others); the filters follow
// the project's counts instead: Untranslated and Translated split the positions whatever their
// review mark, and Needs review keeps the flagged ones of both.
#include <cstdint>
#include <vector>

class TtxgProject;
class TMessageSearch;

enum class TMessageState {
  Untranslated,  // the target still equals the source or holds the deleted-message mark
  NeedsReview,   // flagged for review, translated or not
  Translated,
};

enum class TStateFilter { All, Untranslated, NeedsReview, Translated };

TMessageState MessageState(const TtxgProject& project, int32_t n);
// The same rule for a message known by its translated and review marks.
TMessageState MessageState(bool translated, bool review);
// Whether message n passes `filter`: the rule of the status bar's and `xgtool stats`' counts.
bool PassesStateFilter(TStateFilter filter, const TtxgProject& project, int32_t n);
// The same rule for a message known by its translated and review marks.
bool PassesStateFilter(TStateFilter filter, bool translated, bool review);
// The positions (increasing) whose message passes `filter` and, when given, `search`.
std::vector<int32_t> FilterPositions(const TtxgProject& project, TStateFilter filter, const TMessageSearch* search);
