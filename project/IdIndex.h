#pragma once
// TIdIndex: message id -> smallest message number with that id, over a 1-based id array. An open
// addressing table of message numbers: one allocation, and the ids themselves stay in the array.
#include <cstdint>
#include <string>
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

class TIdIndex {
 public:
  // Indexes ids[1..count]. The array must not change while the index is used.
  void Build(const std::vector<std::u16string>& ids, int32_t count) {
    ids_ = &ids;
    std::size_t capacity = 16;
    while (capacity < static_cast<std::size_t>(count) * 2) capacity *= 2;
    slots_.assign(capacity, 0);
    smallest_.assign(static_cast<std::size_t>(count) + 1, false);
    for (int32_t n = 1; n <= count; ++n) {
      const std::u16string& id = ids[static_cast<std::size_t>(n)];
      std::size_t slot = Hash(id) & (capacity - 1);
      // Numbers go in increasing order, so an id already present keeps its smaller number.
      while (slots_[slot] != 0 && ids[static_cast<std::size_t>(slots_[slot])] != id) slot = (slot + 1) & (capacity - 1);
      if (slots_[slot] == 0) {
        slots_[slot] = n;
        smallest_[static_cast<std::size_t>(n)] = true;
      }
    }
  }

  // Whether Find(id) is n, answered without hashing: true when ids[n] is `id` and no smaller
  // number has that id. Readers that expect a certain number try it first.
  bool IsSmallestFor(int32_t n, std::u16string_view id) const {
    if (ids_ == nullptr || n < 1 || static_cast<std::size_t>(n) >= smallest_.size()) return false;
    return smallest_[static_cast<std::size_t>(n)] && (*ids_)[static_cast<std::size_t>(n)] == id;
  }

  void Clear() {
    ids_ = nullptr;
    slots_.clear();
    smallest_.clear();
  }

  // The smallest message number whose id is `id`, or -1.
  int32_t Find(std::u16string_view id) const {
    if (ids_ == nullptr || slots_.empty()) return -1;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = Hash(id) & mask; slots_[slot] != 0; slot = (slot + 1) & mask)
      if ((*ids_)[static_cast<std::size_t>(slots_[slot])] == id) return slots_[slot];
    return -1;
  }

 private:
  static std::size_t Hash(std::u16string_view text) { return HashUnits(text); }

  const std::vector<std::u16string>* ids_ = nullptr;
  std::vector<int32_t> slots_;
  std::vector<bool> smallest_;  // per number: no smaller number has the same id
};
