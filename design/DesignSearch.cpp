// The starts are the design itself and points drawn from a generator seeded by
// the input; each start has its own share of the evaluations, so what one
// start finds never depends on the timing of another. The winner is the best
// feasible design, ties going to the earlier start.
#include "DesignSearch.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include "DesignProblem.h"
#include "LocalSearch.h"

namespace {

constexpr int kStarts = 4;

// A uniform draw in [0, 1) from the generator's bits, the same on every library.
double Uniform(std::mt19937_64& generator) {
  return static_cast<double>(generator() >> 11) * 0x1.0p-53;
}

std::vector<std::vector<double>> StartPoints(const DesignProblem& problem, std::uint64_t seed) {
  std::vector<std::vector<double>> points{problem.StartPoint()};
  std::mt19937_64 generator(seed);
  while (points.size() < kStarts) {
    std::vector<double> u(problem.size());
    for (double& coordinate : u) coordinate = Uniform(generator);
    points.push_back(u);
  }
  return points;
}

std::vector<StartOutcome> RunStarts(const DesignProblem& problem, SearchTally& tally, int budget,
                                    const std::vector<std::vector<double>>& points, int threads) {
  std::vector<StartOutcome> outcomes(points.size());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i; (i = next++) < points.size();)
      outcomes[i] = LocalSearch(problem, tally).Run(points[i], budget);
  };
  const int count = std::clamp(threads, 1, static_cast<int>(points.size()));
  std::vector<std::jthread> helpers;
  for (int t = 1; t < count; ++t) helpers.emplace_back(work);
  work();
  // Every start has written its outcome before the vector is handed back.
  for (std::jthread& helper : helpers) helper.join();
  return outcomes;
}

const StartOutcome* Best(const std::vector<StartOutcome>& outcomes) {
  const StartOutcome* best = nullptr;
  for (const StartOutcome& o : outcomes)
    if (o.found && (!best || o.inequality < best->inequality)) best = &o;
  return best;
}

// The proposal as the boxes will show it, unless that rounding loses feasibility
// or the gain.
Engine Proposal(const DesignProblem& problem, const StartOutcome& best, DesignFigures& after) {
  const Engine exact = problem.EngineAt(best.point);
  const Engine shown = problem.ShownDigits(exact);
  DesignFigures figures = problem.Measure(shown);
  if (figures.complete && ConstraintViolation(figures, problem.portFloor(), shown.port) == 0 &&
      figures.worstInequality <= best.inequality * 1.02 + 1e-9) {
    after = figures;
    return shown;
  }
  after = problem.Measure(exact);
  return exact;
}

void Decide(const DesignProblem& problem, const StartOutcome* best, bool startFeasible,
            DesignResult& result) {
  const double startInequality = result.before.worstInequality;
  if (best && (!startFeasible || best->inequality < startInequality)) {
    result.proposal = Proposal(problem, *best, result.after);
    const bool better = !startFeasible || result.after.worstInequality < startInequality;
    result.status = better ? DesignStatus::improved : DesignStatus::noBetterDesign;
    if (better) return;
  }
  result.proposal = problem.input().start;
  result.after = result.before;
  result.status = startFeasible ? DesignStatus::noBetterDesign : DesignStatus::noFeasibleDesign;
}

}  // namespace

DesignResult SearchDesign(const DesignInput& input, int threads, const std::atomic<bool>* cancel,
                          const DesignProgressSink& progress) {
  const auto started = std::chrono::steady_clock::now();
  DesignResult result;
  result.proposal = input.start;
  result.before = MeasureDesign(input.start, input.setAngleDeg, input.notchesDeg);
  result.after = result.before;
  if (result.before.complete && !input.free.empty() && !input.notchesDeg.empty()) {
    const DesignProblem problem(input, result.before);
    const bool startFeasible = ConstraintViolation(result.before, problem.portFloor(), input.start.port) == 0;
    SearchTally tally(input.maxEvaluations, cancel, progress);
    const auto points = StartPoints(problem, input.seed);
    const auto outcomes = RunStarts(
        problem, tally, std::max(1, input.maxEvaluations / static_cast<int>(points.size())), points, threads);
    Decide(problem, Best(outcomes), startFeasible, result);
    result.evaluations = tally.evaluations();
    if (tally.cancelled()) result.status = DesignStatus::cancelled;
  } else {
    result.status = result.before.complete ? DesignStatus::noBetterDesign : DesignStatus::noFeasibleDesign;
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
    case DesignStatus::noFeasibleDesign:
      return "no feasible design";
    case DesignStatus::cancelled:
      return "cancelled";
  }
  return "";
}
