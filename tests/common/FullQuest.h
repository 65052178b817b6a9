#pragma once
// A quest filled to capacity, built in memory: 24 active parameters with ten view strings each,
// 300 locations with all ten texts and 24 custom critical messages, 600 paths with both texts and
// 24 custom critical messages. Used by tests and benchmarks that need the largest document.
#include <cstdint>

class TGame;

struct FullQuestOptions {
  // Every path asks the same question and shares one Value2, so that all question texts fold into
  // one entry of the project's table.
  bool AllPathQuestionsEqual = false;
};

// Resets `game` and fills it. Every text is distinct unless the options say otherwise.
void BuildFullQuest(TGame& game, const FullQuestOptions& options = {});

// The number of messages EnumerateMessages lists for a quest built by BuildFullQuest (with the
// catalogue defaults of the seven document texts all non-blank).
constexpr int32_t FullQuestMessageCount = 7 + 24 * (1 + 10 + 1) + 300 * (10 + 24) + 600 * (2 + 24);
