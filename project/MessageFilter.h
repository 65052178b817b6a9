#pragma once
// The state of a message as the message list shows and filters it, and the positions a filter and
// a search leave. One state per message, so the filters split the positions without overlap.
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
bool PassesStateFilter(TStateFilter filter, TMessageState state);
// The positions (increasing) whose message passes `filter` and, when given, `search`.
std::vector<int32_t> FilterPositions(const TtxgProject& project, TStateFilter filter, const TMessageSearch* search);
