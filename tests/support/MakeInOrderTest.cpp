// Items made on two threads arrive in order, never far ahead of their use, and the first failure
// of either side ends the work and comes back to the caller.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/MakeInOrder.h"

namespace {

struct OrderCase {
  std::size_t count;
  std::size_t failingMake;  // count = none
  std::size_t failingTake;  // count = none
};

TEST(MakeInOrder, ItemsArriveInOrderAndFailuresEndTheWork) {
  const std::vector<OrderCase> cases = {
      {0, 0, 0}, {1, 1, 1},      {2, 2, 2},       {9, 9, 9}, {200, 200, 200},  // no failure
      {9, 0, 9}, {9, 5, 9},      {200, 150, 200},                              // a make fails
      {9, 9, 0}, {200, 200, 40},                                               // a take fails
  };
  for (const OrderCase& test : cases) {
    SCOPED_TRACE(testing::Message() << test.count << " items, make fails at " << test.failingMake << ", take fails at "
                                    << test.failingTake);
    std::atomic<std::size_t> made = 0;
    std::atomic<std::size_t> mostAhead = 0;
    std::atomic<std::size_t> takenCount = 0;
    std::vector<std::string> taken;
    std::string error;
    try {
      MakeInOrder<std::string>(
          test.count,
          [&](std::size_t i, std::string& item) {
            if (i == test.failingMake) throw std::runtime_error("make " + std::to_string(i));
            // Uneven work, so the two threads finish out of order.
            for (std::size_t k = 0; k < (i % 3) * 2000; ++k) item += static_cast<char>('a' + k % 26);
            item = std::to_string(i) + ":" + std::to_string(item.size());
            const std::size_t ahead = ++made - takenCount;
            for (std::size_t most = mostAhead; ahead > most && !mostAhead.compare_exchange_weak(most, ahead);) {
            }
          },
          [&](const std::string& item) {
            if (taken.size() == test.failingTake) throw std::runtime_error("take " + std::to_string(taken.size()));
            taken.push_back(item);
            ++takenCount;
          });
    } catch (const std::runtime_error& failure) {
      error = failure.what();
    }
    const std::size_t firstFailure = std::min(test.failingMake, test.failingTake);
    EXPECT_EQ(error, test.failingMake < test.count   ? "make " + std::to_string(test.failingMake)
                     : test.failingTake < test.count ? "take " + std::to_string(test.failingTake)
                                                     : "");
    // In order, each item whole; nothing at or after a failure.
    ASSERT_LE(taken.size(), std::min(firstFailure, test.count));
    if (error.empty()) {
      EXPECT_EQ(taken.size(), test.count);
    }
    for (std::size_t i = 0; i < taken.size(); ++i)
      EXPECT_EQ(taken[i], std::to_string(i) + ":" + std::to_string((i % 3) * 2000)) << i;
    EXPECT_LE(mostAhead.load(), MadeAhead + 1);
    EXPECT_LE(made.load(), std::min(firstFailure, test.count) + MadeAhead + 1);
  }
}

}  // namespace
