#pragma once
// Moving through the positions of a project by what is left to do.
#include <cstdint>

class TtxgProject;

// Unfinished: the message is not edited yet (IsNotEdited). Linked messages are skipped.
bool IsUnfinished(const TtxgProject& project, int32_t message);

// The nearest position after (step +1) or before (step -1) `position` whose message is unfinished,
// going round past the last (first) position; `position` itself comes last. -1 when none is.
int32_t FindUnfinished(const TtxgProject& project, int32_t position, int step);
