// The start is measured exactly over its usable range, every half degree;
// trials are measured quickly at the range's ends and every 5 degrees while
// the search explores, every degree while it polishes. The search runs in
// rounds of a fixed size, the first from the start, each later one from the
// best of a Latin hypercube drawn from the seed and the round: COBYLA on the
// coarse grid, a polish on the fine one (when the coarse result beats the best
// kept, as nothing else can come under it), then the design is put on the drawing
// grid, walked there a step at a time, checked exactly on every notch and at
// the corners of its tolerances. A design that the polish left outside the
// limits, or that broke one only between the polish's notches or at a
// tolerance corner, is polished again, with those notches added or kept clear
// of that limit by the swing the tolerances gave it. The best design that
// holds is kept. No step depends on --max-evals, so a larger limit runs the
// same rounds and more: its proposal is never worse. Each measurement spreads
// its notches over the threads, so nothing depends on their number.
#include "DesignSearch.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "LocalSearch.h"
#include "NumberFormat.h"
#include "QuadrantStudy.h"
#include "Session.h"
#include "ToleranceCheck.h"

namespace {

constexpr int kFirstRoundTrials = 150;  // COBYLA from the start
constexpr int kSpaceFilling = 30;       // the hypercube's points in each later round
constexpr int kRoundTrials = 80;        // COBYLA from the best of them
constexpr int kPolishTrials = 50;
constexpr int kRepolishes = 3;        // of a design the polish has not yet brought within the limits
constexpr double kNearlyKept = 0.01;  // points of violation a polish may end with and still be settled
constexpr int kGridWalks = 2;         // passes of single steps on the drawing grid
constexpr int kMostRounds = 1000;
constexpr double kExploreStep = 0.1;  // COBYLA's first steps, of each bound's width
constexpr double kPolishStep = 0.02;
constexpr double kFineStepDeg = 0.5;

// A uniform draw in [0, 1) from the generator's bits, the same on every library.
double Uniform(std::mt19937_64& generator) {
  return static_cast<double>(generator() >> 11) * 0x1.0p-53;
}

// `count` points, each coordinate in its own stratum of [0, 1).
std::vector<std::vector<double>> LatinHypercube(std::size_t count, std::size_t size, std::uint64_t seed) {
  std::mt19937_64 generator(seed);
  std::vector<std::vector<double>> points(count, std::vector<double>(size));
  std::vector<std::size_t> strata(count);
  for (std::size_t d = 0; d < size; ++d) {
    for (std::size_t i = 0; i < count; ++i) strata[i] = i;
    for (std::size_t i = count; i > 1; --i) std::swap(strata[i - 1], strata[generator() % i]);
    for (std::size_t i = 0; i < count; ++i)
      points[i][d] = (static_cast<double>(strata[i]) + Uniform(generator)) / static_cast<double>(count);
  }
  return points;
}

// A design on the drawing grid with its exact figures and its tolerance check.
struct Candidate {
  Engine engine;
  DesignFigures figures;
  double objective = 0;
  ToleranceOutcome tolerance;
};

class Rounds {
 public:
  Rounds(DesignProblem& problem, SearchTally& tally, const Trial& start, double beforeObjective)
      : trials_(problem, tally), start_(start), bar_(beforeObjective) {}

  // Runs rounds until the limit or a cancel stops them; the best design that held.
  std::optional<Candidate> Run() {
    for (int round = 0; round < kMostRounds && Alive(); ++round) Round(round);
    return std::move(best_);
  }
  // The best design that beat the start but broke a limit at its tolerances.
  std::optional<Candidate> TakeRejected() { return std::move(rejected_); }

 private:
  bool Alive() {
    return !trials_.tally().cancelled() && trials_.tally().evaluations() < trials_.tally().maxEvaluations();
  }
  int Now() { return trials_.tally().evaluations(); }
  DesignProblem& problem() { return trials_.problem(); }

  // The first round starts from the start; each later one from the best of its own hypercube.
  std::optional<Trial> From(int round) {
    if (round == 0) return start_;
    const std::uint64_t seed = problem().input().seed * 1000003u + static_cast<std::uint64_t>(round);
    std::optional<Trial> best;
    const int limit = Now() + kSpaceFilling;
    for (const auto& u : LatinHypercube(kSpaceFilling, problem().size(), seed)) {
      auto trial = trials_.Try(u, limit);
      if (!trial) return std::nullopt;
      if (!best || Better(*trial, *best)) best = std::move(trial);
    }
    return best;
  }

  void Round(int round) {
    // The clearance one round's design needed at its tolerances is not asked of the next.
    problem().ForgetClearance();
    problem().UseGrid(kCoarseStepDeg);
    const auto from = From(round);
    if (!from) return;
    const int explore = round == 0 ? kFirstRoundTrials : kRoundTrials;
    const Trial found = LocalSearch(trials_).Run(*from, Now() + explore, kExploreStep);
    // The coarse notches are some of the fine ones, so the coarse figure is
    // the least the fine one can be: a round that explored to no better than
    // the best kept has nothing a small polish could bring under it.
    if (round > 0 && !(found.feasible() && found.objective < bar())) return;
    // A design that the polish leaves outside the limits, or that breaks one
    // only at notches the polish did not measure or at its tolerances, is
    // polished again (with those notches or that clearance), rather than lost
    // with its round.
    std::vector<double> u = found.u;
    for (int polish = 0; polish <= kRepolishes; ++polish) {
      FineGrid();
      const auto again = trials_.Try(u, Now() + 1);
      if (!again) return;
      const Trial polished = LocalSearch(trials_).Run(*again, Now() + kPolishTrials, kPolishStep);
      if (!(polished.objective < bar())) return;
      u = polished.u;
      // The values keep margins inside the limits, and the exact check judges:
      // a polish that ends a hair outside them is still worth settling; one
      // further outside goes on polishing.
      if (!(polished.violation <= kNearlyKept)) continue;
      if (!Settle(problem().OnGrid(problem().EngineAt(polished.u)))) return;
    }
  }

  void FineGrid() {
    problem().UseGrid(kPolishStepDeg);
    problem().AddToGrid(broken_);
  }

  double bar() const { return best_ ? best_->objective : bar_; }

  // Single drawing-grid steps of one dimension at a time, while they improve the trial.
  Engine Walk(Engine engine) {
    auto here = trials_.TryEngine(engine, problem().PointOf(engine), Now() + 1);
    for (int pass = 0; here && pass < kGridWalks; ++pass) {
      bool moved = false;
      for (const FreeDimension& d : problem().input().free) {
        const auto field = FindDesignDimension(d.name)->field;
        const double step = problem().input().grid.Step(engine.*field, DimensionQuantity(d.name));
        for (const double sign : {-1.0, 1.0}) {
          Engine next = engine;
          next.*field =
              problem().input().grid.Round(engine.*field + sign * step, d, DimensionQuantity(d.name));
          if (next.*field == engine.*field) continue;
          auto there = trials_.TryEngine(next, problem().PointOf(next), Now() + 1);
          if (!there) return engine;
          if (Better(*there, *here)) {
            engine = next;
            here = std::move(there);
            moved = true;
          }
        }
      }
      if (!moved) break;
    }
    return engine;
  }

  // The design walked on the drawing grid, checked exactly and at its
  // tolerances; true when it broke a limit at a notch the polish missed or
  // at a corner of its tolerances: a second polish may mend either.
  bool Settle(const Engine& rounded) {
    const Engine engine = Walk(rounded);
    if (!trials_.tally().CountCheck()) return false;
    Candidate c{engine, problem().MeasureFine(engine), 0, {}};
    const DesignConstraints& constraints = problem().constraints();
    const auto objective = constraints.Reported(c.figures);
    if (!c.figures.measured()) return false;
    if (!constraints.Breaches(engine, c.figures).empty()) {
      // Notches the quick grid missed join every polish from now on.
      const std::size_t known = broken_.size();
      for (const std::size_t i : constraints.BreachedNotches(c.figures))
        if (std::find(broken_.begin(), broken_.end(), i) == broken_.end()) broken_.push_back(i);
      return broken_.size() > known;
    }
    if (!objective || !(*objective < bar())) return false;
    c.objective = *objective;
    c.tolerance = CheckTolerance(problem(), trials_.tally(), engine, c.figures);
    if (c.tolerance.holds) {
      best_ = std::move(c);
      return false;
    }
    if (c.tolerance.checked && (!rejected_ || c.objective < rejected_->objective)) rejected_ = c;
    // Kept clear by what the tolerances swing, the design is polished again.
    problem().KeepClear(c.tolerance.swings);
    return c.tolerance.checked;
  }

  TrialDesigns trials_;
  Trial start_;
  double bar_;
  std::optional<Candidate> best_, rejected_;
  std::vector<std::size_t> broken_;
};

// The free dimensions a proposal holds on a bound or nearly (within a hundredth
// of the bounds' width, or a grid step): a bound stopped the search there.
std::vector<std::string> AtBound(const DesignInput& input, const Engine& proposal) {
  constexpr double kNearShare = 0.01;
  std::vector<std::string> at;
  for (const FreeDimension& d : input.free) {
    const auto field = FindDesignDimension(d.name)->field;
    const double value = proposal.*field;
    const double near =
        std::max(kNearShare * (d.upper - d.lower), input.grid.Step(value, DimensionQuantity(d.name)));
    if (value != input.start.*field && (value - d.lower <= near || d.upper - value <= near))
      at.push_back(d.name);
  }
  return at;
}

std::string SettingProblem(const DesignInput& input, const GearFailure& failure) {
  const char* rule = input.setting.valve == ValveSetting::equalCutOff ? "equal cut-off" : "equal leads";
  return "At the setting angle " + FormatGeneral4(input.setting.angleDeg) +
         " deg. the valves cannot be set for " + rule + ". " + FailureMessage(failure);
}

// The start's valves set, its usable range and exact figures; false with the
// problem when it cannot be searched.
bool MeasureStart(const DesignInput& input, int threads, DesignResult& result) {
  const DesignFigures setting = MeasureDesign(input.start, input.setting, {}, SolveMethod::exact, 1);
  if (setting.failure) {
    // Without a mid-gear there is no setting run to blame.
    result.failure = setting.failure;
    result.problem =
        setting.setting.failure ? SettingProblem(input, *setting.failure) : FailureMessage(*setting.failure);
    return false;
  }
  Session session;
  session.Take(input.start);
  result.range = FindUsableRange(session, threads);
  if (!result.range) {
    QuadrantStudy none;
    none.problem = StudyProblem::noUsableRange;
    result.failure = session.Evaluate(0, std::nullopt).failure;
    result.problem =
        StudyProblemMessage(none) + (result.failure ? " " + FailureMessage(*result.failure) : "");
    return false;
  }
  result.notchesDeg = NotchAngles(NotchPlan{true, 0, 0, kFineStepDeg}, result.range);
  result.before = MeasureDesign(input.start, input.setting, result.notchesDeg, SolveMethod::exact, threads);
  return true;
}

// The best design that held nothing but its tolerances, and what share of them it would need.
RejectedDesign Rejected(const DesignInput& input, const DesignResult& result, Candidate candidate,
                        int threads) {
  RejectedDesign rejected{candidate.engine, candidate.objective, std::move(candidate.tolerance),
                          std::nullopt};
  rejected.toleranceShare = ToleranceShareNeeded(input, result.notchesDeg, result.before, candidate.engine,
                                                 candidate.figures, threads);
  return rejected;
}

// Searches a start that could be measured; the proposal and its exact figures, or the start's.
void Improve(const DesignInput& input, DesignProblem& problem, SearchTally& tally, DesignResult& result,
             int threads) {
  TrialDesigns trials(problem, tally);
  const Trial start = trials.Known(problem.StartPoint(), result.before);
  std::optional<Candidate> found, rejected;
  if (!input.free.empty()) {
    Rounds rounds(problem, tally, start, *result.beforeObjective);
    found = rounds.Run();
    rejected = rounds.TakeRejected();
  }
  if (!found && rejected && !tally.cancelled())
    result.rejected = Rejected(input, result, std::move(*rejected), threads);
  if (found) {
    result.proposal = found->engine;
    result.after = std::move(found->figures);
    result.tolerance = std::move(found->tolerance);
    result.atBound = AtBound(input, result.proposal);
    result.status = DesignStatus::improved;
  } else {
    result.status = DesignStatus::noBetterDesign;
  }
  if (tally.cancelled()) result.status = DesignStatus::cancelled;
}

// The proposal's figures over its own usable range, as its study reads them.
void MeasureOwnRange(const DesignInput& input, int threads, DesignResult& result) {
  const bool unchanged = std::all_of(input.free.begin(), input.free.end(), [&](const FreeDimension& d) {
    const auto field = FindDesignDimension(d.name)->field;
    return result.proposal.*field == input.start.*field;
  });
  if (unchanged) {
    // The start is its own proposal: its range and figures are measured already.
    result.afterRange = result.range;
    result.afterOwn = result.before;
    return;
  }
  Session proposal;
  proposal.Take(result.proposal);
  result.afterRange = FindUsableRange(proposal, threads);
  result.afterOwn = result.after;
  if (result.afterRange)
    result.afterOwn = MeasureDesign(result.proposal, input.setting,
                                    NotchAngles(NotchPlan{true, 0, 0, kFineStepDeg}, result.afterRange),
                                    SolveMethod::exact, threads);
}

}  // namespace

DesignResult SearchDesign(const DesignInput& input, int threads, const std::atomic<bool>* cancel,
                          const DesignProgressSink& progress) {
  const auto started = std::chrono::steady_clock::now();
  DesignResult result;
  result.proposal = input.start;
  if (MeasureStart(input, threads, result)) {
    DesignProblem problem(input, result.notchesDeg, result.before, threads);
    result.beforeSummary = SummariseDesign(result.before, input.rules.indicator);
    result.beforeObjective = problem.constraints().Reported(result.before);
    result.startBreaches = problem.constraints().StartBreaches(result.before);
    result.after = result.before;
    if (!result.beforeObjective) {
      result.problem =
          "The start design has no working notch (mean cut-off 15 to 80 %) on the side asked for.";
    } else {
      SearchTally tally(input.maxEvaluations, cancel, progress);
      Improve(input, problem, tally, result, threads);
      result.evaluations = problem.measurements();
    }
    if (result.status == DesignStatus::noBetterDesign) {
      // The start proposed: whether it holds its own limits made within the tolerances.
      const DesignProgressSink silent;
      SearchTally check(kDefaultMaxEvaluations, nullptr, silent);
      result.tolerance = CheckTolerance(problem, check, input.start, result.before, true);
    } else if (result.status != DesignStatus::improved) {
      result.tolerance = {true, true, result.beforeObjective, {}, {}, 0, {}};
    }
    MeasureOwnRange(input, threads, result);
    result.afterSummary = SummariseDesign(result.afterOwn, input.rules.indicator);
    result.afterObjective = problem.constraints().Reported(result.afterOwn);
    // The corners are run over the start's range; the nominal figure over the proposal's own may be worse.
    if (result.afterObjective && result.tolerance.worstObjective)
      result.tolerance.worstObjective = std::max(*result.tolerance.worstObjective, *result.afterObjective);
    result.limits = DescribeLimits(problem.constraints(), result.proposal, result.after);
  }
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return result;
}

const char* StatusText(DesignStatus status) {
  switch (status) {
    case DesignStatus::improved:
      return "improved";
    case DesignStatus::noBetterDesign:
      return "no better design found";
    case DesignStatus::cancelled:
      return "cancelled";
    case DesignStatus::cannotStart:
      return "cannot start";
  }
  return "";
}

namespace {

std::string CornerText(const ToleranceOutcome& tolerance) {
  std::string corner;
  for (const auto& [name, sign] : tolerance.brokenCorner)
    corner += (corner.empty() ? "" : ", ") + name + (sign > 0 ? " +" : " -");
  return "made at a corner of them (" + corner + "): ";
}

std::string BreachesText(const ToleranceOutcome& tolerance) {
  std::string text;
  for (std::size_t i = 0; i < tolerance.breaches.size(); ++i)
    text += (i ? "; " : "") + BreachText(tolerance.breaches[i]);
  return text.back() == '.' ? text : text + '.';
}

}  // namespace

std::string NoBetterDesignText(const DesignResult& r, const DesignInput& input, LengthUnit unit) {
  if (r.status != DesignStatus::noBetterDesign) return "";
  std::string text;
  if (r.tolerance.checked)
    text = r.tolerance.holds
               ? "The start holds every limit made within its tolerances (every free dimension)."
               : "The start itself does not hold its limits within its tolerances, " +
                     CornerText(r.tolerance) + BreachesText(r.tolerance);
  if (!r.rejected) return text;
  const RejectedDesign& d = *r.rejected;
  text += std::string(text.empty() ? "" : " ") +
          "No better design holds at its tolerances. The best found (worst figure " +
          FormatGeneral4(d.objective) + ", the start's " + FormatGeneral4(r.beforeObjective.value_or(0)) +
          "), " + CornerText(d.tolerance) + BreachesText(d.tolerance);
  const double tolerance = input.grid.lengthTolerance;
  const auto within = [&](double share) {
    const std::string relative = FormatGeneral4(share * kRelativeTolerance * 100) + " %";
    return tolerance > 0 ? "+/- " + FormatGeneral4(share * tolerance) + UnitSuffix(Quantity::length, unit) +
                               " (angles and ratios " + relative + ")"
                         : relative + " of each value";
  };
  text += d.toleranceShare ? " It holds every limit made within " + within(*d.toleranceShare) + "."
                           : " It does not hold even made within " + within(kLeastToleranceShare) + ".";
  return text;
}
