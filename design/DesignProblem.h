// One design search's problem in the unit cube: each free dimension mapped
// from [0, 1] onto its bounds, and a point judged by the figures of the engine
// it gives (worst cut-off inequality, constraint violation).
#pragma once

#include <vector>

#include "DesignFigures.h"
#include "DesignSearch.h"

struct Trial {
  bool complete = false;  // assembles and makes every event at every notch
  double inequality = 0;  // when complete
  double violation = 0;   // when complete; 0 when feasible
  bool feasible() const { return complete && violation == 0; }
};

class DesignProblem {
 public:
  // The start must be complete: its port openings set the floor at each notch.
  DesignProblem(const DesignInput& input, const DesignFigures& before);

  std::size_t size() const { return input_.free.size(); }
  // The start engine's own point (clamped into the cube).
  std::vector<double> StartPoint() const;
  // The engine at u, every coordinate clamped into [0, 1] first, so no bound
  // is ever left whatever point a method asks for.
  Engine EngineAt(const std::vector<double>& u) const;
  Trial Judge(const std::vector<double>& u) const;
  DesignFigures Measure(const Engine& engine) const;
  // The value shown in the boxes (4 significant digits) if it lies within the
  // dimension's bounds, else the value itself.
  Engine ShownDigits(const Engine& engine) const;
  const DesignInput& input() const { return input_; }
  const std::vector<double>& portFloor() const { return portFloor_; }

 private:
  const DesignInput& input_;
  std::vector<double> portFloor_;
};
