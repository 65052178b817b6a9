#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "quest/CPDiapClass.h"
#include "quest/TextFieldClass.h"
#include "quest/ValueListClass.h"
#include "support/BlockFile.h"

namespace {

using Ranges = std::vector<std::pair<int64_t, int64_t>>;

Ranges RangesOf(const TCPDiapazone& ranges) {
  Ranges result;
  EXPECT_EQ(ranges.Low.size(), ranges.High.size());
  for (std::size_t i = 0; i < ranges.Low.size(); ++i) result.emplace_back(ranges.Low[i], ranges.High[i]);
  return result;
}

TCPDiapazone Made(const Ranges& ranges) {
  TCPDiapazone result;
  for (const auto& [a, b] : ranges) result.AddRange(a, b);
  return result;
}

constexpr int64_t kLow = -200000000;
constexpr int64_t kHigh = 200000000;

TEST(CriticalRanges, RangeTextIsRead) {
  struct Case {
    std::string text;
    Ranges ranges;
  };
  const Case cases[] = {
      {"[", {}},
      {";", {}},
      {"", {}},
      {"[]", {{kLow, kHigh}}},
      {";;", {{kLow, kHigh}, {kLow, kHigh}}},
      {"[5;10h20;-3h-1]", {{5, 5}, {10, 20}, {-3, -1}}},
      {"[5h1;2]", {{1, 5}, {2, 2}}},
      {"[1h2h9]", {{1, 9}}},
      {"[9h-4h2]", {{-4, 9}}},
      {"[abc]", {{kLow, kHigh}}},
      {"[-]", {{kLow, kHigh}}},
      {"[99999999999]", {{kLow, kHigh}}},
      {"[2147483647]", {{kHigh, 2147483647}}},
      {"[-2147483648]", {{-2147483648LL, kLow}}},
      {"[2147483648]", {{kLow, kHigh}}},
      {"[-2147483649]", {{kLow, kHigh}}},
      {"[300000000]", {{kHigh, 300000000}}},
      {"[-300000000]", {{-300000000, kLow}}},
      {"[5", {}},
      {"[5;7", {{5, 5}}},
      {"[1 2]", {{12, 12}}},
      {"[0007]", {{7, 7}}},
      {"[-0]", {{0, 0}}},
      {"[1-2]", {{kLow, kHigh}}},
      {"[--5]", {{kLow, kHigh}}},
      {"[5H6]", {{56, 56}}},  // upper-case H has no meaning
      {"[x;5]", {{kLow, kHigh}, {5, 5}}},
      {"[abc;h;5hq]", {{kLow, kHigh}, {kLow, kHigh}, {5, 5}}},
  };
  for (const Case& c : cases) {
    TCPDiapazone ranges = Made({{1, 1}});  // anything held before is replaced
    ranges.FromText(c.text);
    EXPECT_EQ(RangesOf(ranges), c.ranges) << c.text;
  }
}

TEST(CriticalRanges, RangeTextIsWritten) {
  struct Case {
    Ranges ranges;
    std::string text;
  };
  const Case cases[] = {
      {{}, "["},
      {{{0, 0}}, "[0]"},
      {{{5, 5}, {10, 20}, {-3, -1}}, "[5;10h20;-3h-1]"},
      {{{kLow, kHigh}}, "[-200000000h200000000]"},
      {{{5, 1}}, "[1h5]"},  // AddRange orders the bounds
      {{{-2147483648LL, 2147483647}}, "[-2147483648h2147483647]"},
      {{{7, 7}, {7, 7}, {3, 3}}, "[7;7;3]"},  // never sorted, merged or de-duplicated
  };
  for (const Case& c : cases) EXPECT_EQ(Made(c.ranges).ToText(), c.text);
}

TEST(CriticalRanges, WrittenRangesReadBackInOrder) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int64_t> bound(kLow, kHigh);
  std::uniform_int_distribution<int> count(0, 6);
  for (int round = 0; round < 500; ++round) {
    Ranges ranges;
    const int n = count(random);
    for (int i = 0; i < n; ++i) {
      const int64_t a = bound(random);
      const int64_t b = i % 2 == 0 ? a : bound(random);
      ranges.emplace_back(std::min(a, b), std::max(a, b));
    }
    TCPDiapazone read;
    read.FromText(Made(ranges).ToText());
    EXPECT_EQ(RangesOf(read), ranges);
  }
}

TEST(CriticalRanges, ValuesBecomeSingleValueRanges) {
  TValuesList list;
  list.Count = 3;
  list.Values = {3, -7, 3};
  TCPDiapazone ranges = Made({{1, 9}});
  ranges.AssignValues(list);
  EXPECT_EQ(RangesOf(ranges), (Ranges{{3, 3}, {-7, -7}, {3, 3}}));

  TValuesList negative;
  negative.Count = -4;
  ranges.AssignValues(negative);
  EXPECT_EQ(ranges.Count(), 0);

  TCPDiapazone copy = Made({{0, 0}});
  copy.Assign(Made({{1, 2}, {4, 4}}));
  EXPECT_EQ(RangesOf(copy), (Ranges{{1, 2}, {4, 4}}));
}

TEST(CriticalRanges, StoredAsOneTextField) {
  TBlockFileWriter writer;
  Made({}).Save(writer);
  EXPECT_EQ(writer.Bytes(), (std::vector<uint8_t>{1, 0, 0, 0, 1, 0, 0, 0, 0x5B, 0}));

  // Non-ASCII units mean nothing in a range text and are skipped like letters.
  TBlockFileWriter stored;
  TTextField(u" [1\u00A02;\u0436\u0037]\r\n").Save(stored);
  TBlockFileReader reader(stored.Bytes());
  TCPDiapazone ranges;
  ranges.Load(reader);
  EXPECT_EQ(RangesOf(ranges), (Ranges{{12, 12}, {7, 7}}));
  EXPECT_EQ(reader.BytesLeft(), 0);
}

}  // namespace
