#pragma once
// Work that is made in pieces on two threads but must be used in order, such as the parts of a
// file: the caller's thread makes items and takes them in order, a second thread makes items too.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <future>
#include <mutex>
#include <vector>

// How many items may be made and not yet taken.
inline constexpr std::size_t MadeAhead = 4;

// Makes items 0..count-1 (make(i, item) fills a default Item) on this thread and a second one and
// hands each to take(item) on this thread, in order. Making stays at most MadeAhead items ahead of
// taking, so a few items are held at a time, not all. The first failure of a make or a take ends
// both threads and is raised here; an item after a failed one is never taken.
template <typename Item, typename Make, typename Take>
void MakeInOrder(std::size_t count, Make make, Take take) {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<Item> items(count);
  std::vector<bool> made(count);
  std::size_t next = 0, taken = 0;
  std::exception_ptr failure;
  auto canMake = [&] { return !failure && next < count && next < taken + MadeAhead; };
  // Makes the next item with the lock held on entry and on return.
  auto makeNext = [&](std::unique_lock<std::mutex>& lock) {
    const std::size_t item = next++;
    lock.unlock();
    std::exception_ptr error;
    try {
      make(item, items[item]);
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    if (error && !failure) failure = error;
    made[item] = true;
    changed.notify_all();
  };
  auto helper = std::async(std::launch::async, [&] {
    std::unique_lock lock(mutex);
    while (true) {
      changed.wait(lock, [&] { return canMake() || failure || next >= count; });
      if (!canMake()) return;
      makeNext(lock);
    }
  });
  std::unique_lock lock(mutex);
  while (taken < count && !failure) {
    if (made[taken]) {
      lock.unlock();
      try {
        take(items[taken]);
      } catch (...) {
        lock.lock();
        if (!failure) failure = std::current_exception();
        break;
      }
      // A taken item's storage goes now, not with the last one.
      const Item spent = std::move(items[taken]);
      lock.lock();
      ++taken;
      changed.notify_all();
    } else if (canMake()) {
      makeNext(lock);
    } else {
      changed.wait(lock);
    }
  }
  if (failure) changed.notify_all();
  lock.unlock();
  helper.get();
  if (failure) std::rethrow_exception(failure);
}
