// A design that cannot be set up at all (no mid-gear, valves not set) has every
// value failed, so a method sees it far outside the constraints.
#include "TrialDesigns.h"

#include <cmath>
#include <numeric>

bool Better(const Trial& a, const Trial& b) {
  if (a.feasible() != b.feasible()) return a.feasible();
  return a.feasible() ? a.objective < b.objective : a.violation < b.violation;
}

std::optional<Trial> TrialDesigns::Try(const std::vector<double>& u, int limit) {
  return TryEngine(problem_.EngineAt(u), u, limit);
}

std::optional<Trial> TrialDesigns::TryEngine(const Engine& engine, const std::vector<double>& u, int limit) {
  if (!tally_.Count(limit)) return std::nullopt;
  Trial trial = Judge(engine, u, problem_.MeasureTrial(engine), problem_.grid());
  if (trial.feasible()) tally_.Offer(trial.objective);
  return trial;
}

Trial TrialDesigns::Known(const std::vector<double>& u, const DesignFigures& fine) const {
  DesignFigures onGrid = fine;
  onGrid.notches.clear();
  for (const std::size_t i : problem_.grid()) onGrid.notches.push_back(fine.notches[i]);
  return Judge(problem_.EngineAt(u), u, onGrid, problem_.grid());
}

Trial TrialDesigns::Judge(const Engine& engine, const std::vector<double>& u, const DesignFigures& figures,
                          const std::vector<std::size_t>& fineOf) const {
  Trial trial;
  trial.u = u;
  const std::size_t notches = fineOf.size();
  trial.parts.assign(notches, kFailedValue);
  trial.values.assign(notches * kValuesPerNotch + kDesignValues, kFailedValue);
  if (figures.measured()) {
    problem_.constraints().DesignValues(engine, figures, &trial.values[notches * kValuesPerNotch]);
    const DesignConstraints& constraints = problem_.constraints();
    for (std::size_t i = 0; i < notches; ++i) {
      trial.parts[i] = constraints.ObjectivePart(figures, i, fineOf[i]).value_or(NAN);
      constraints.Values(figures, i, fineOf[i], &trial.values[i * kValuesPerNotch]);
    }
  }
  // Limits a tolerance corner broke before are kept clear of by the swing it
  // had; a limit the notch does not count stays uncounted.
  for (std::size_t k = 0; k < trial.values.size(); ++k) {
    if (trial.values[k] == kNotCounted) continue;
    const std::size_t kind = k < notches * kValuesPerNotch
                                 ? k % kValuesPerNotch
                                 : kValuesPerNotch + (k - notches * kValuesPerNotch);
    trial.values[k] += problem_.clearance(kind);
  }
  for (const double part : trial.parts)
    if (!std::isnan(part)) trial.objective = std::max(trial.objective, part);
  for (const double value : trial.values) trial.violation += std::max(0.0, value);
  return trial;
}
