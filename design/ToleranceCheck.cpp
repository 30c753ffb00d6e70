// Each changed dimension moved by its tolerance gives the change of every
// search value (and of the objective), measured quickly on every notch
// against the design measured the same way; a value's worst corner takes each
// dimension the way that raises it, and the corners predicted worst are the
// ones run. A first-order guess chooses the corners; only exact runs judge.
// Where a corner breaks a limit, the swings of the values predicted to break
// are handed back so that the search can keep that far inside.
#include "ToleranceCheck.h"

#include <algorithm>
#include <cmath>

namespace {

using Corner = std::vector<int>;  // +1 or -1 per changed dimension

// Values below this far under their limit are left out of the prediction.
constexpr double kIrrelevant = -5;

struct Changed {
  std::string name;
  double Engine::*field;
  double tolerance;
};

std::vector<Changed> ChangedDimensions(const DesignProblem& problem, const Engine& design, bool everyFree) {
  std::vector<Changed> changed;
  for (const FreeDimension& d : problem.input().free) {
    const auto field = FindDesignDimension(d.name)->field;
    if (everyFree || design.*field != problem.input().start.*field)
      changed.push_back(
          {d.name, field, problem.input().grid.Tolerance(design.*field, DimensionQuantity(d.name))});
  }
  return changed;
}

// Every search value at every notch screened, then the whole design's, then
// the objective; all failed for a design that cannot be measured (no notches),
// as long as a measured one's, so that every design's values line up.
std::vector<double> AllValues(const DesignProblem& problem, const Engine& e, const DesignFigures& f) {
  const DesignConstraints& c = problem.constraints();
  const std::size_t notches = problem.screen().size();
  std::vector<double> values(notches * kValuesPerNotch + kDesignValues + 1, kFailedValue);
  if (!f.measured() || f.notches.size() != notches) return values;
  for (std::size_t i = 0; i < notches; ++i) c.Values(f, i, problem.screen()[i], &values[i * kValuesPerNotch]);
  c.DesignValues(e, f, &values[notches * kValuesPerNotch]);
  values.back() = c.Reported(f).value_or(kFailedValue);
  return values;
}

// The corners that raise the values predicted nearest their limits (the
// objective's first), each once. A dimension whose move makes the design
// unmeasurable takes that way, so that the exact run judges that corner.
std::vector<Corner> WorstCorners(const std::vector<double>& base,
                                 const std::vector<std::vector<double>>& moved) {
  std::vector<std::pair<double, Corner>> ranked;
  for (std::size_t k = 0; k < base.size(); ++k) {
    if (base[k] >= kFailedValue || base[k] < kIrrelevant) continue;
    Corner corner;
    double predicted = base[k];
    for (const auto& m : moved) {
      const double change = m[k] - base[k];
      corner.push_back(change >= 0 ? 1 : -1);
      predicted += std::fabs(change);
    }
    const bool objective = k + 1 == base.size();
    ranked.emplace_back(objective ? kFailedValue : predicted, corner);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<Corner> corners;
  for (const auto& [predicted, corner] : ranked) {
    if (corners.size() >= kMostCorners) break;
    if (std::find(corners.begin(), corners.end(), corner) == corners.end()) corners.push_back(corner);
  }
  return corners;
}

// For each kind of value, the largest swing the tolerances give a value of
// that kind that the worst corner is predicted to push past its limit, with a
// quarter more for what the first-order guess leaves out. A move that makes
// the design unmeasurable predicts no swing: there is no figure to keep clear by.
std::vector<double> Swings(const std::vector<double>& base, const std::vector<std::vector<double>>& moved,
                           std::size_t notchValues) {
  constexpr double kCushion = 1.25;
  std::vector<double> swings(kValuesPerNotch + kDesignValues, 0.0);
  for (std::size_t k = 0; k + 1 < base.size(); ++k) {
    if (base[k] >= kFailedValue || base[k] < kIrrelevant) continue;
    double swing = 0;
    for (const auto& m : moved)
      if (m[k] < kFailedValue) swing += std::fabs(m[k] - base[k]);
    if (!(base[k] + swing > 0)) continue;
    const std::size_t kind = k < notchValues ? k % kValuesPerNotch : kValuesPerNotch + (k - notchValues);
    swings[kind] = std::max(swings[kind], kCushion * swing);
  }
  return swings;
}

}  // namespace

std::vector<Breach> MadeBreaches(const DesignConstraints& constraints, const Engine& engine,
                                 const DesignFigures& figures) {
  if (!figures.measured()) return {{BreachKind::notMeasured, 0}};
  std::vector<Breach> breaches = constraints.Breaches(engine, figures);
  std::erase_if(breaches, [](const Breach& b) {
    return b.kind == BreachKind::workWorse || b.kind == BreachKind::dieSlipWorse;
  });
  return breaches;
}

std::optional<double> ToleranceShareNeeded(const DesignInput& input, const std::vector<double>& notchesDeg,
                                           const DesignFigures& before, const Engine& design,
                                           const DesignFigures& nominal, int threads) {
  const DesignProgressSink silent;
  for (double share = 0.5; share >= kLeastToleranceShare; share /= 2) {
    DesignInput finer = input;
    finer.grid.toleranceShare = share;
    const DesignProblem problem(finer, notchesDeg, before, threads);
    SearchTally tally(kDefaultMaxEvaluations, nullptr, silent);
    if (CheckTolerance(problem, tally, design, nominal).holds) return share;
  }
  return std::nullopt;
}

ToleranceOutcome CheckTolerance(const DesignProblem& problem, SearchTally& tally, const Engine& design,
                                const DesignFigures& nominal, bool everyFree) {
  const DesignConstraints& constraints = problem.constraints();
  ToleranceOutcome outcome;
  outcome.worstObjective = constraints.Reported(nominal);
  const std::vector<Changed> changed = ChangedDimensions(problem, design, everyFree);
  // The quick sweep gives the changes as the exact one would, at a fraction of its cost.
  if (!tally.CountCheck()) return outcome;
  const DesignFigures screened = problem.MeasureScreen(design);
  if (!screened.measured()) {
    // Nothing to predict the corners from: the check cannot call the design made.
    outcome.checked = true;
    outcome.breaches = MadeBreaches(constraints, design, screened);
    return outcome;
  }
  const std::vector<double> base = AllValues(problem, design, screened);
  std::vector<std::vector<double>> moved;
  for (const Changed& c : changed) {
    if (!tally.CountCheck()) return outcome;
    Engine e = design;
    e.*c.field += c.tolerance;
    moved.push_back(AllValues(problem, e, problem.MeasureScreen(e)));
  }
  for (const Corner& corner : WorstCorners(base, moved)) {
    if (!tally.CountCheck()) return outcome;
    Engine e = design;
    for (std::size_t i = 0; i < changed.size(); ++i) e.*changed[i].field += corner[i] * changed[i].tolerance;
    const DesignFigures figures = problem.MeasureFine(e);
    ++outcome.corners;
    if (const auto objective = constraints.Reported(figures))
      outcome.worstObjective = std::max(outcome.worstObjective.value_or(*objective), *objective);
    if (!outcome.breaches.empty()) continue;
    outcome.breaches = MadeBreaches(constraints, e, figures);
    if (!outcome.breaches.empty())
      for (std::size_t i = 0; i < changed.size(); ++i)
        outcome.brokenCorner.emplace_back(changed[i].name, corner[i]);
  }
  outcome.checked = true;
  outcome.holds = outcome.breaches.empty();
  if (!outcome.holds) outcome.swings = Swings(base, moved, problem.screen().size() * kValuesPerNotch);
  return outcome;
}
