// One design search's problem in the unit cube: each free dimension mapped
// from [0, 1] onto its bounds, the figures of the engine a point gives, and
// the port-opening floor each notch must keep.
#pragma once

#include <vector>

#include "DesignFigures.h"
#include "DesignSearch.h"

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
