#pragma once
// TIdIndex: message id -> smallest message number with that id, over a 1-based id array. The ids
// themselves stay in the array; the table holds message numbers.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/OpenTable.h"

class TIdIndex {
  struct TIdOf {
    const std::vector<std::u16string>* ids;
    std::u16string_view operator()(int32_t n) const { return (*ids)[static_cast<std::size_t>(n)]; }
  };

 public:
  // Indexes ids[1..count]. The array must not change while the index is used.
  void Build(const std::vector<std::u16string>& ids, int32_t count) {
    ids_ = &ids;
    table_.Reset(static_cast<std::size_t>(std::max(count, 0)));
    smallest_.assign(static_cast<std::size_t>(std::max(count, 0)) + 1, false);
    for (int32_t n = 1; n <= count; ++n) {
      // Numbers go in increasing order, so an id already present keeps its smaller number.
      int32_t& slot = table_.Slot(ids[static_cast<std::size_t>(n)], TIdOf{ids_});
      if (slot == 0) {
        slot = n;
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
    table_.Clear();
    smallest_.clear();
  }

  // The smallest message number whose id is `id`, or -1.
  int32_t Find(std::u16string_view id) const {
    if (ids_ == nullptr) return -1;
    const int32_t n = table_.Find(id, TIdOf{ids_});
    return n == 0 ? -1 : n;
  }

 private:
  const std::vector<std::u16string>* ids_ = nullptr;
  TOpenTable table_;
  std::vector<bool> smallest_;  // per number: no smaller number has the same id
};
