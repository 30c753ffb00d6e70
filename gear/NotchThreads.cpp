// One atomic counter hands out the items; the helpers are joined before the
// caller's results are read.
#include "NotchThreads.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

void SpreadOverThreads(std::size_t count, const ThreadSpread& spread,
                       const std::function<ItemTask()>& makeTask) {
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    const ItemTask task = makeTask();
    for (std::size_t i; (i = next++) < count && !(spread.stop && spread.stop());) task(i);
  };
  const int most =
      static_cast<int>(std::min<std::size_t>(count, static_cast<std::size_t>(std::max(spread.threads, 1))));
  std::vector<std::thread> helpers;
  for (int t = 1; t < most; ++t) helpers.emplace_back(work);
  if (spread.before) spread.before();
  work();
  for (std::thread& helper : helpers) helper.join();
}

void SpreadOverThreads(std::size_t count, const ThreadSpread& spread, const ItemTask& task) {
  SpreadOverThreads(count, spread, [&task] { return task; });
}
