// The open addressing table against std::map on keys chosen to collide: short texts over a tiny
// alphabet, repeated, with the empty text among them, in tables from nearly empty to half full.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "support/OpenTable.h"

namespace {

TEST(OpenTable, FirstNumberOfEachKeyAgreesWithAMap) {
  std::mt19937 random(11);
  for (const std::size_t count : {std::size_t{1}, std::size_t{7}, std::size_t{8}, std::size_t{9}, std::size_t{300}}) {
    SCOPED_TRACE(count);
    std::vector<std::u16string> keys(count + 1);
    for (std::size_t n = 1; n <= count; ++n)
      for (int length = static_cast<int>(random() % 3); length > 0; --length)
        keys[n] += static_cast<char16_t>(u'a' + random() % 3);
    auto keyOf = [&keys](int32_t n) -> std::u16string_view { return keys[static_cast<std::size_t>(n)]; };

    TOpenTable table;
    table.Reset(count);
    std::map<std::u16string, int32_t> first;
    for (std::size_t n = 1; n <= count; ++n) {
      int32_t& slot = table.Slot(keys[n], keyOf);
      const auto known = first.find(keys[n]);
      ASSERT_EQ(slot, known == first.end() ? 0 : known->second) << n;
      if (slot == 0) slot = static_cast<int32_t>(n);
      first.emplace(keys[n], static_cast<int32_t>(n));
    }
    for (const auto& [key, n] : first) EXPECT_EQ(table.Find(key, keyOf), n);
    for (const std::u16string absent : {u"aaaa", u"d", u"abcabc"}) EXPECT_EQ(table.Find(absent, keyOf), 0);
    table.Clear();
    EXPECT_EQ(table.Find(keys[1], keyOf), 0);
  }
}

}  // namespace
