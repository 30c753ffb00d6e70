// Spreading a list of notches (or any items measured independently) over the
// caller's threads: each thread takes the next item nobody has taken, so a
// slow notch holds up no other, and the caller's own thread is one of them.
#pragma once

#include <cstddef>
#include <functional>

using ItemTask = std::function<void(std::size_t)>;

struct ThreadSpread {
  int threads = 1;               // at most this many, never more than the items, at least one
  std::function<bool()> stop;    // when set and true, no further item is taken
  std::function<void()> before;  // when set, the caller's thread does this while the others start
};

// makeTask is called once on each thread for that thread's own task (which
// may own the thread's working buffers); every item is done when this returns.
void SpreadOverThreads(std::size_t count, const ThreadSpread& spread,
                       const std::function<ItemTask()>& makeTask);
// The same with one task every thread shares.
void SpreadOverThreads(std::size_t count, const ThreadSpread& spread, const ItemTask& task);
