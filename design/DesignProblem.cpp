// Clamping here, below every method, is what keeps a search inside the bounds.
// The search grid is a subset of the range's half-degree notches, so the
// start's figures on it are read off its exact measurement.
#include "DesignProblem.h"

#include <algorithm>
#include <cmath>

namespace {

double Clamp01(double u) {
  return std::isfinite(u) ? std::clamp(u, 0.0, 1.0) : 0.0;
}

double& FreeValue(Engine& engine, const std::string& name) {
  return engine.*(FindDesignDimension(name)->field);
}

}  // namespace

DesignProblem::DesignProblem(const DesignInput& input, const std::vector<double>& notchesDeg,
                             const DesignFigures& before, int threads)
    : input_(input),
      notchesDeg_(notchesDeg),
      constraints_(input.rules, input.start, before),
      threads_(threads) {
  UseGrid(kScreenStepDeg);
  screen_ = grid_;
  UseGrid(kCoarseStepDeg);
}

void DesignProblem::UseGrid(double stepDeg) {
  grid_.clear();
  for (std::size_t i = 0; i < notchesDeg_.size(); ++i)
    if (i == 0 || i + 1 == notchesDeg_.size() || std::fmod(notchesDeg_[i], stepDeg) == 0) grid_.push_back(i);
}

std::vector<double> DesignProblem::StartPoint() const {
  return PointOf(input_.start);
}

std::vector<double> DesignProblem::PointOf(const Engine& engine) const {
  std::vector<double> u;
  for (const FreeDimension& d : input_.free) {
    const double value = engine.*(FindDesignDimension(d.name)->field);
    u.push_back(d.upper > d.lower ? Clamp01((value - d.lower) / (d.upper - d.lower)) : 0.0);
  }
  return u;
}

Engine DesignProblem::EngineAt(const std::vector<double>& u) const {
  Engine engine = input_.start;
  for (std::size_t i = 0; i < input_.free.size(); ++i) {
    const FreeDimension& d = input_.free[i];
    // Clamped again: lower + 1 * (upper - lower) may round just above upper.
    FreeValue(engine, d.name) = std::clamp(d.lower + Clamp01(u[i]) * (d.upper - d.lower), d.lower, d.upper);
  }
  return engine;
}

Engine DesignProblem::OnGrid(const Engine& engine) const {
  Engine drawn = engine;
  for (const FreeDimension& d : input_.free) {
    double& value = FreeValue(drawn, d.name);
    // A dimension left at the start's value keeps it, on the grid or not.
    if (value != input_.start.*(FindDesignDimension(d.name)->field))
      value = input_.grid.Round(value, d, DimensionQuantity(d.name));
  }
  return drawn;
}

DesignFigures DesignProblem::MeasureFine(const Engine& engine) const {
  ++measurements_;
  return MeasureDesign(engine, input_.setting, notchesDeg_, SolveMethod::exact, threads_);
}

DesignFigures DesignProblem::MeasureTrial(const Engine& engine) const {
  ++measurements_;
  std::vector<double> angles;
  for (const std::size_t i : grid_) angles.push_back(notchesDeg_[i]);
  return MeasureDesign(engine, input_.setting, angles, SolveMethod::quick, threads_);
}

DesignFigures DesignProblem::MeasureScreen(const Engine& engine) const {
  ++measurements_;
  std::vector<double> angles;
  for (const std::size_t i : screen_) angles.push_back(notchesDeg_[i]);
  return MeasureDesign(engine, input_.setting, angles, SolveMethod::quick, threads_);
}

void DesignProblem::AddToGrid(const std::vector<std::size_t>& notches) {
  grid_.insert(grid_.end(), notches.begin(), notches.end());
  std::sort(grid_.begin(), grid_.end());
  grid_.erase(std::unique(grid_.begin(), grid_.end()), grid_.end());
}

void DesignProblem::KeepClear(const std::vector<double>& swings) {
  for (std::size_t k = 0; k < swings.size() && k < clearance_.size(); ++k)
    clearance_[k] = std::max(clearance_[k], swings[k]);
}
