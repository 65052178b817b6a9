// Message states and the filter of the message list.
#include "project/MessageFilter.h"

#include "project/MessageSearch.h"
#include "project/ProjectClass.h"

TMessageState MessageState(bool translated, bool review) {
  if (review) return TMessageState::NeedsReview;
  return translated ? TMessageState::Translated : TMessageState::Untranslated;
}

TMessageState MessageState(const TtxgProject& project, int32_t n) {
  if (project.NeedsReview(n)) return TMessageState::NeedsReview;
  return MessageState(project.IsTranslated(n), false);
}

bool PassesStateFilter(TStateFilter filter, bool translated, bool review) {
  switch (filter) {
    case TStateFilter::All:
      return true;
    case TStateFilter::Untranslated:
      return !translated;
    case TStateFilter::NeedsReview:
      return review;
    case TStateFilter::Translated:
      return translated;
  }
  return false;
}

bool PassesStateFilter(TStateFilter filter, const TtxgProject& project, int32_t n) {
  return filter == TStateFilter::All || PassesStateFilter(filter, project.IsTranslated(n), project.NeedsReview(n));
}

std::vector<int32_t> FilterPositions(const TtxgProject& project, TStateFilter filter, const TMessageSearch* search) {
  std::vector<int32_t> positions;
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t n = project.MessageAtPosition(position);
    if (!PassesStateFilter(filter, project, n)) continue;
    if (search != nullptr && !search->Matches(project, n)) continue;
    positions.push_back(position);
  }
  return positions;
}
