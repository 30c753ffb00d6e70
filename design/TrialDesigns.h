// Trial designs as a search sees them: a point of the unit cube, the
// objective's part and the constraint values at each notch of the search
// grid, the worst part and the total violation. Every trial measured is
// counted by the tally; the start's is read off its exact figures.
#pragma once

#include <optional>
#include <vector>

#include "DesignProblem.h"
#include "SearchTally.h"

// A violation this small (in points of a percentage) counts as none.
inline constexpr double kTolerated = 1e-6;

struct Trial {
  std::vector<double> u;
  std::vector<double> parts;   // per grid notch; NaN where the notch adds nothing
  std::vector<double> values;  // kValuesPerNotch per grid notch, at or below 0 when kept
  double objective = 0;        // the worst part (0 when none counts)
  double violation = 0;        // the sum of the values above 0

  // The margins in the values dwarf what a method's last steps leave over.
  bool feasible() const { return violation <= kTolerated; }
};

// Within the constraints before outside; then the smaller objective, or the smaller violation.
bool Better(const Trial& a, const Trial& b);

class TrialDesigns {
 public:
  TrialDesigns(DesignProblem& problem, SearchTally& tally) : problem_(problem), tally_(tally) {}

  // Measures the design at u on the search grid; empty when the tally
  // allows no more trials before `limit`.
  std::optional<Trial> Try(const std::vector<double>& u, int limit);
  // The same for an engine given as it is (a design on the drawing grid), at its point u.
  std::optional<Trial> TryEngine(const Engine& engine, const std::vector<double>& u, int limit);
  // The trial of figures measured at every notch of the range, uncounted.
  Trial Known(const std::vector<double>& u, const DesignFigures& fine) const;

  DesignProblem& problem() { return problem_; }
  SearchTally& tally() { return tally_; }

 private:
  Trial Judge(const Engine& engine, const std::vector<double>& u, const DesignFigures& figures,
              const std::vector<std::size_t>& fineOf) const;

  DesignProblem& problem_;
  SearchTally& tally_;
};
