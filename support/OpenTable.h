#pragma once
// TOpenTable: an open addressing table of positive numbers keyed by texts that the caller keeps
// (message ids, trimmed texts). Only the numbers are stored: one allocation, no copied keys. The
// caller says how a stored number's key reads (`keyOf`), so one table serves any array of texts.
#include <cstdint>
#include <string_view>
#include <vector>

// FNV-1a over the code units: equal texts give equal hashes, and short ids hash fast.
inline std::size_t HashUnits(std::u16string_view text) {
  uint64_t hash = 14695981039346656037ull;
  for (char16_t unit : text) {
    hash ^= unit;
    hash *= 1099511628211ull;
  }
  return static_cast<std::size_t>(hash ^ (hash >> 32));
}

class TOpenTable {
 public:
  // Empties the table and makes room for `count` distinct keys at most half full.
  void Reset(std::size_t count) {
    std::size_t capacity = 16;
    while (capacity < count * 2) capacity *= 2;
    slots_.assign(capacity, 0);
  }

  void Clear() { slots_.clear(); }

  // The slot of `key`: it holds the number stored for that key, or 0 when there is none yet (the
  // caller then writes its number into it). Reset must have made room for every key inserted.
  template <typename KeyOf>
  int32_t& Slot(std::u16string_view key, KeyOf&& keyOf) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = HashUnits(key) & mask;
    while (slots_[slot] != 0 && keyOf(slots_[slot]) != key) slot = (slot + 1) & mask;
    return slots_[slot];
  }

  // The number stored for `key`, or 0.
  template <typename KeyOf>
  int32_t Find(std::u16string_view key, KeyOf&& keyOf) const {
    if (slots_.empty()) return 0;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = HashUnits(key) & mask; slots_[slot] != 0; slot = (slot + 1) & mask)
      if (keyOf(slots_[slot]) == key) return slots_[slot];
    return 0;
  }

 private:
  std::vector<int32_t> slots_;
};
