#pragma once
// How many parameter records a quest file holds, and how many parameter changes each location and
// path record holds, by file version. Both counts change at the same versions.
#include <cstdint>

#include "quest/TextFieldClass.h"

inline int32_t StoredParameterCount(int32_t version) {
  if (version >= QuestVersion::V19) return 24;
  if (version >= QuestVersion::V15) return 12;
  return 9;
}

// Changes i beyond this count are not in the record and keep their defaults.
inline int32_t StoredChangeCount(int32_t version) { return StoredParameterCount(version); }
