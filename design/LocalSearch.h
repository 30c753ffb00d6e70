// The local polish of the design search: NLopt's COBYLA on the epigraph of the
// worst objective part (minimise t with every notch's part at most t), every
// other constraint value at or below zero, in the unit cube.
#pragma once

#include "TrialDesigns.h"

class LocalSearch {
 public:
  explicit LocalSearch(TrialDesigns& trials) : trials_(trials) {}

  // Runs from a trial already measured, the first steps `step` of each
  // bound's width, until the tally has counted `limit` trials or the method
  // converges; the best trial met (the first when no other is better).
  Trial Run(const Trial& first, int limit, double step);

 private:
  TrialDesigns& trials_;
};
