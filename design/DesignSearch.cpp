// The start is measured exactly over its usable range, every half degree;
// trials are measured quickly at the range's ends and every 5 degrees while
// the search explores, every degree while it polishes. A fifth of the trials
// go to a Latin hypercube drawn from the seed, three fifths to COBYLA from the
// start and the four best of those points, the rest to polishing the best two
// on the finer grid and, once the best holds, polishing it again; a few are kept to check the best exactly on
// every notch (and its rounding to the digits the boxes show), and notches a check finds broken join the
// polishing grid. Each measurement spreads its notches over the threads, so nothing depends on their number.
#include "DesignSearch.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "LocalSearch.h"
#include "NumberFormat.h"
#include "QuadrantStudy.h"
#include "Session.h"

namespace {

constexpr int kLocalStarts = 5;
constexpr int kTrialsPerStart = 60;  // fewer leave COBYLA no room to move from a start
constexpr int kPolishStarts = 2;
constexpr double kExploreStep = 0.1;  // COBYLA's first steps, of each bound's width
constexpr double kPolishStep = 0.02;
constexpr double kDistinctStarts = 0.1;  // in the unit cube, the least distance between two starts
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

struct Budget {
  int global, local, polish;  // the tally's limits at the end of each phase
};

// The checks on every notch keep a few trials of the limit for themselves; of
// the rest a fifth fills space, three fifths explore and the last fifth
// polishes, whose trials on the finer grid cost four times as much.
Budget PlanBudget(int most) {
  const int checks = most < 4 ? 0 : std::min(8, 2 + most / 200);
  const int search = most - checks;
  return {search / 5, search * 4 / 5, search};
}

double Distance(const std::vector<double>& a, const std::vector<double>& b) {
  double most = 0;
  for (std::size_t i = 0; i < a.size(); ++i) most = std::max(most, std::fabs(a[i] - b[i]));
  return most;
}

// The start, then the best space-filling trials apart from it and each
// other, as many as the trials left give room to.
std::vector<Trial> LocalStarts(const Trial& start, std::vector<Trial> global, int trials) {
  const auto most = static_cast<std::size_t>(std::clamp(trials / kTrialsPerStart, 1, kLocalStarts));
  std::stable_sort(global.begin(), global.end(), Better);
  std::vector<Trial> starts{start};
  for (const Trial& t : global) {
    if (starts.size() >= most) break;
    const bool apart = std::all_of(starts.begin(), starts.end(),
                                   [&](const Trial& s) { return Distance(s.u, t.u) > kDistinctStarts; });
    if (apart) starts.push_back(t);
  }
  return starts;
}

// Keeps the trials within the constraints that beat the objective, best first.
void KeepBetter(std::vector<Trial>& trials, double objective) {
  std::erase_if(trials, [&](const Trial& t) { return !t.feasible() || !(t.objective < objective); });
  std::stable_sort(trials.begin(), trials.end(), Better);
}

// The space-filling phase, then COBYLA from the start and the best points.
std::vector<Trial> Search(TrialDesigns& trials, const Trial& start, const Budget& budget) {
  const DesignProblem& problem = trials.problem();
  std::vector<Trial> global;
  for (const auto& u :
       LatinHypercube(static_cast<std::size_t>(budget.global), problem.size(), problem.input().seed)) {
    auto trial = trials.Try(u, budget.global);
    if (!trial) break;
    global.push_back(std::move(*trial));
  }
  std::vector<Trial> found;
  const std::vector<Trial> starts = LocalStarts(start, global, budget.local - trials.tally().evaluations());
  for (std::size_t s = 0; s < starts.size(); ++s) {
    const int done = trials.tally().evaluations(), left = static_cast<int>(starts.size() - s);
    found.push_back(LocalSearch(trials).Run(starts[s], done + (budget.local - done) / left, kExploreStep));
  }
  found.insert(found.end(), global.begin(), global.end());
  return found;
}

struct Checked {
  Engine engine;
  DesignFigures figures;
  bool holds = false;  // keeps every constraint and beats the start
  std::string why;     // why not
};

// The exact figures of an engine at every notch of the range; empty when the
// tally allows no more checks.
std::optional<Checked> Check(const DesignProblem& problem, SearchTally& tally, const Engine& engine,
                             double beforeObjective) {
  if (!tally.CountCheck()) return std::nullopt;
  Checked c{engine, problem.MeasureFine(engine), false, {}};
  const auto breaches = problem.constraints().Breaches(c.figures);
  const auto objective = problem.constraints().Reported(c.figures);
  if (!c.figures.measured())
    c.why = "the valves could not be set";
  else if (!breaches.empty())
    c.why = BreachText(breaches.front());
  else if (!objective || !(*objective < beforeObjective))
    c.why = "the gain would be lost";
  c.holds = c.why.empty();
  return c;
}

// Polishes the best candidates again on the problem's grid as it is now.
std::vector<Trial> Polish(TrialDesigns& trials, const std::vector<Trial>& candidates, int limit,
                          double beforeObjective) {
  std::vector<Trial> polished;
  for (std::size_t s = 0; s < candidates.size(); ++s) {
    const auto again = trials.Try(candidates[s].u, limit);
    if (!again) break;
    const int done = trials.tally().evaluations(), left = static_cast<int>(candidates.size() - s);
    polished.push_back(LocalSearch(trials).Run(*again, done + (limit - done) / left, kPolishStep));
  }
  KeepBetter(polished, beforeObjective);
  return polished;
}

// The budget left once a proposal holds polishes it again from a fresh first
// step, since a restarted COBYLA often leaves the corner it had settled in;
// the new point replaces the proposal only when it holds and beats it.
Checked Refine(TrialDesigns& trials, const Trial& best, Checked held, const Budget& budget) {
  const double bar = *trials.problem().constraints().Reported(held.figures);
  const std::vector<Trial> again = Polish(trials, {best}, budget.polish, bar);
  if (again.empty()) return held;
  auto checked = Check(trials.problem(), trials.tally(), trials.problem().EngineAt(again.front().u), bar);
  return checked && checked->holds ? std::move(*checked) : held;
}

// The best candidates polished on the finer grid, then checked on every notch;
// where the best breaks a constraint, those notches join the grid and it is
// polished again from there.
std::optional<Checked> Settle(TrialDesigns& trials, std::vector<Trial> candidates, const Budget& budget,
                              double beforeObjective) {
  constexpr int kRounds = 3;
  DesignProblem& problem = trials.problem();
  SearchTally& tally = trials.tally();
  KeepBetter(candidates, beforeObjective);
  if (candidates.size() > kPolishStarts) candidates.resize(kPolishStarts);
  problem.UseGrid(kPolishStepDeg);
  const int firstLimit = tally.evaluations() + (budget.polish - tally.evaluations()) / 2;
  std::vector<Trial> polished = Polish(trials, candidates, firstLimit, beforeObjective);
  if (polished.empty()) polished = candidates;
  for (int round = 0; round < kRounds && !polished.empty(); ++round) {
    const Trial best = polished.front();
    polished.erase(polished.begin());
    auto checked = Check(problem, tally, problem.EngineAt(best.u), beforeObjective);
    if (!checked) return std::nullopt;
    // The checks kept back must still cover this round's, the refined design's and the rounding's.
    const bool room = tally.maxEvaluations() - budget.polish >= round + 3;
    if (checked->holds) return room ? Refine(trials, best, std::move(*checked), budget) : checked;
    problem.AddToGrid(problem.constraints().BreachedNotches(checked->figures));
    const int limit = tally.evaluations() + (budget.polish - tally.evaluations()) / (kRounds - round);
    auto again = Polish(trials, {best}, limit, beforeObjective);
    polished.insert(polished.begin(), again.begin(), again.end());
  }
  return std::nullopt;
}

bool SameFreeValues(const DesignInput& input, const Engine& a, const Engine& b) {
  return std::all_of(input.free.begin(), input.free.end(), [&](const FreeDimension& d) {
    const auto field = FindDesignDimension(d.name)->field;
    return a.*field == b.*field;
  });
}

// The proposal as the boxes will show it, unless rounding breaks a constraint or loses the gain.
void Propose(const DesignProblem& problem, SearchTally& tally, Checked exact, DesignResult& result) {
  const Engine shown = problem.ShownDigits(exact.engine);
  if (!SameFreeValues(problem.input(), shown, exact.engine)) {
    auto rounded = Check(problem, tally, shown, *result.beforeObjective);
    if (rounded && rounded->holds) {
      exact = std::move(*rounded);
    } else {
      result.rounded = false;
      result.roundingNote = "exact values: rounded to 4 significant digits, " +
                            (rounded ? rounded->why : std::string("no evaluation was left to check them"));
    }
  }
  result.proposal = exact.engine;
  result.after = std::move(exact.figures);
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

// Searches a start that could be measured; the proposal and its exact figures, or the start's.
void Improve(const DesignInput& input, DesignProblem& problem, SearchTally& tally, DesignResult& result) {
  TrialDesigns trials(problem, tally);
  const Budget budget = PlanBudget(input.maxEvaluations);
  const std::vector<double> startPoint = problem.StartPoint();
  const Trial start = trials.Known(startPoint, result.before);
  std::optional<Checked> found;
  if (!input.free.empty())
    found = Settle(trials, Search(trials, start, budget), budget, *result.beforeObjective);
  if (found) {
    Propose(problem, tally, std::move(*found), result);
    result.status = DesignStatus::improved;
  } else {
    result.status = DesignStatus::noBetterDesign;
  }
  if (tally.cancelled()) result.status = DesignStatus::cancelled;
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
      Improve(input, problem, tally, result);
      result.evaluations = problem.measurements();
    }
    result.afterSummary = SummariseDesign(result.after, input.rules.indicator);
    result.afterObjective = problem.constraints().Reported(result.after);
    Session proposal;
    proposal.Take(result.proposal);
    result.afterRange = FindUsableRange(proposal, threads);
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
