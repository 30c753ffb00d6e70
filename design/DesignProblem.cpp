// Clamping here, below every method, is what keeps a search inside the bounds.
#include "DesignProblem.h"

#include <algorithm>
#include <cmath>

#include "NumberFormat.h"

namespace {

double Clamp01(double u) {
  return std::isfinite(u) ? std::clamp(u, 0.0, 1.0) : 0.0;
}

}  // namespace

DesignProblem::DesignProblem(const DesignInput& input, const DesignFigures& before) : input_(input) {
  for (const double smaller : SmallerPortOpenings(before)) portFloor_.push_back(kPortOpeningShare * smaller);
}

std::vector<double> DesignProblem::StartPoint() const {
  std::vector<double> u;
  for (const FreeDimension& d : input_.free) {
    const double value = input_.start.*(FindDesignDimension(d.name)->field);
    u.push_back(d.upper > d.lower ? Clamp01((value - d.lower) / (d.upper - d.lower)) : 0.0);
  }
  return u;
}

Engine DesignProblem::EngineAt(const std::vector<double>& u) const {
  Engine engine = input_.start;
  for (std::size_t i = 0; i < input_.free.size(); ++i) {
    const FreeDimension& d = input_.free[i];
    // Clamped again: lower + 1 * (upper - lower) may round just above upper.
    engine.*(FindDesignDimension(d.name)->field) =
        std::clamp(d.lower + Clamp01(u[i]) * (d.upper - d.lower), d.lower, d.upper);
  }
  return engine;
}

DesignFigures DesignProblem::Measure(const Engine& engine) const {
  return MeasureDesign(engine, input_.setAngleDeg, input_.notchesDeg);
}

Engine DesignProblem::ShownDigits(const Engine& engine) const {
  Engine shown = engine;
  for (const FreeDimension& d : input_.free) {
    double& value = shown.*(FindDesignDimension(d.name)->field);
    const auto rounded = ParseFloat(FormatGeneral4(value));
    if (rounded && *rounded >= d.lower && *rounded <= d.upper) value = *rounded;
  }
  return shown;
}
