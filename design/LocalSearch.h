// One start of the design search: NLopt's COBYLA on the epigraph of the worst
// inequality (minimise t with every notch's inequality at most t), the port
// floors and positive leads as further inequality constraints, in the unit cube.
#pragma once

#include <vector>

#include "DesignProblem.h"
#include "SearchTally.h"

struct StartOutcome {
  bool found = false;         // a feasible design was met
  double inequality = 0;      // the best feasible one's
  std::vector<double> point;  // where it is
  int evaluations = 0;
};

class LocalSearch {
 public:
  LocalSearch(const DesignProblem& problem, SearchTally& tally) : problem_(problem), tally_(tally) {}

  // Runs from u0 for at most `budget` evaluations of the gear.
  StartOutcome Run(const std::vector<double>& u0, int budget);

 private:
  const DesignProblem& problem_;
  SearchTally& tally_;
};
