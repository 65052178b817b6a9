#pragma once
// Moving through the positions of a project by what is left to do.
#include <cstdint>

class TtxgProject;

// Unfinished: not translated yet (IsTranslated), or flagged as needing review.
bool IsUnfinished(const TtxgProject& project, int32_t message);

// The nearest position after (step +1) or before (step -1) `position` whose message is unfinished,
// going round past the last (first) position; `position` itself comes last. Linked messages are
// skipped. -1 when none is.
int32_t FindUnfinished(const TtxgProject& project, int32_t position, int step);

// The position a step back (-1) or forward (+1) from `position` shows: the next one whose message
// is no linked duplicate, or -1 when there is none before position 0 (back) or after the last
// position (forward). Position 0, no message, is a step back from the first.
int32_t StepPosition(const TtxgProject& project, int32_t position, int step);
