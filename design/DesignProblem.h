// One design search's problem: the free dimensions mapped from the unit cube
// onto their bounds, the notches of the start's usable range (every half
// degree) with the coarser subset a search measures trial designs on, and the
// constraints the start's figures set.
#pragma once

#include <algorithm>
#include <vector>

#include "DesignConstraints.h"
#include "DesignFigures.h"
#include "DesignSearchTypes.h"

// Trial designs are measured at the range's ends and every so many degrees:
// coarsely while the search explores, finer while it polishes.
inline constexpr double kCoarseStepDeg = 5;
inline constexpr double kPolishStepDeg = 1;
// A tolerance check's sensitivities are screened at the range's ends and every degree.
inline constexpr double kScreenStepDeg = 1;

class DesignProblem {
 public:
  // The start's figures must be measured at every notch of its range, `notchesDeg`.
  DesignProblem(const DesignInput& input, const std::vector<double>& notchesDeg, const DesignFigures& before,
                int threads);

  std::size_t size() const { return input_.free.size(); }
  // The start engine's own point (clamped into the cube).
  std::vector<double> StartPoint() const;
  // The engine at u, every coordinate clamped into [0, 1] first, so no bound
  // is ever left whatever point a method asks for.
  Engine EngineAt(const std::vector<double>& u) const;
  // The point of an engine's free dimensions (clamped into the cube).
  std::vector<double> PointOf(const Engine& engine) const;
  // The free dimensions on the drawing grid, within their bounds.
  Engine OnGrid(const Engine& engine) const;

  // Exact figures at every notch of the range.
  DesignFigures MeasureFine(const Engine& engine) const;
  // Quick figures at the notches of the search grid.
  DesignFigures MeasureTrial(const Engine& engine) const;
  // Quick figures at the screen's notches: for screening, never judging.
  DesignFigures MeasureScreen(const Engine& engine) const;
  // The notches a screen measures (indices into the range's): its ends and every degree.
  const std::vector<std::size_t>& screen() const { return screen_; }
  // How many designs were measured by the two above.
  int measurements() const { return measurements_; }
  // The search grid's notches, as indices into the range's notches.
  const std::vector<std::size_t>& grid() const { return grid_; }
  // Measures trials at the range's ends and its multiples of stepDeg from now on.
  void UseGrid(double stepDeg);
  // Adds notches of the range to the search grid (those there already are kept once).
  void AddToGrid(const std::vector<std::size_t>& notches);

  // Keeps every later trial's values of each kind this much further inside
  // their limits (the largest asked so far stays), until ForgetClearance.
  void KeepClear(const std::vector<double>& swings);
  void ForgetClearance() { std::fill(clearance_.begin(), clearance_.end(), 0.0); }
  // What a trial's value of kind `kind` is raised by.
  double clearance(std::size_t kind) const { return clearance_[kind]; }

  const DesignInput& input() const { return input_; }
  const DesignConstraints& constraints() const { return constraints_; }
  const std::vector<double>& notchesDeg() const { return notchesDeg_; }

 private:
  const DesignInput& input_;
  std::vector<double> notchesDeg_;
  std::vector<std::size_t> grid_, screen_;
  DesignConstraints constraints_;
  int threads_;
  std::vector<double> clearance_ = std::vector<double>(kValuesPerNotch + kDesignValues, 0.0);
  mutable int measurements_ = 0;
};
