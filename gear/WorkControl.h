// What another thread sees of a long computation (a quadrant study, a design
// search): a flag it raises to stop it and the counts of the work done and to
// do, all atomics so that it may read and write them while the work runs.
#pragma once

#include <atomic>

struct WorkControl {
  std::atomic<bool> cancel{false};
  std::atomic<int> done{0};
  std::atomic<int> total{0};

  bool cancelled() const { return cancel.load(); }
};
