// Timing of the valve-gear calculation as the results window uses it: one whole
// crank sweep with its events and derived values (and the quick sweep a design
// search's trials take), taking an engine in with its mid-gear direction, a
// study of 100 lifting-arm angles on one thread and on two, and the quadrant
// study of 121 notches and of the usable range, and the same studies with the
// worn gear's bands.
// Run with --benchmark_repetitions=N for medians.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "MidGear.h"
#include "PlayBands.h"
#include "QuadrantStudy.h"
#include "Session.h"

namespace {

// A goods engine with the weighshaft above the link, and one with a short
// lifting link hung from a shaft below it, where the link's pose is followed.
Engine BenchEngine(bool lowShaft) {
  return lowShaft
             ? Engine{"Bench", 90,   12,  58,   3.0,    25,    2.0, 71.0, -8.25, 10,
                      10,      13.5, 1.5, -1.0, 1.0625, 0.125, 1.5, -1,   1,     0.9}
             : Engine{"Bench", 78, 13, 54, 2.75, 24, 0, 65, 19, 11, 18, 13, 0, 0, 1.0, 0, 1.5, -1, 0, 0.0};
}

// A first run at the angle: the valve is centred for equal leads there.
void BM_CrankSweep(benchmark::State& state) {
  Session s;
  s.Take(BenchEngine(state.range(0) != 0));
  const double angle = static_cast<double>(state.range(1));
  for (auto _ : state) {
    const RunOutcome outcome = s.Evaluate(angle, std::nullopt);
    benchmark::DoNotOptimize(outcome.ok());
    benchmark::DoNotOptimize(outcome.run->results.leadBack);
  }
}
BENCHMARK(BM_CrankSweep)
    ->Args({0, 20})
    ->Args({0, -20})
    ->Args({1, 20})
    ->Args({1, -30})
    ->Unit(benchmark::kMicrosecond);

// The sweep of a trial design: solved into one run kept from sweep to sweep,
// the link's height found from the steps before, centred for equal leads.
void BM_QuickSweep(benchmark::State& state) {
  const Engine engine = BenchEngine(state.range(0) != 0);
  const double midGear = *FindMidGearAngle(engine);
  const double angle = static_cast<double>(state.range(1));
  auto run = std::make_unique<GearRun>();
  for (auto _ : state) {
    if (SolveCrankSweep(engine, midGear, angle, *run, SolveMethod::quick)) state.SkipWithError("fails");
    CentreRun(engine, *run, std::nullopt);
    benchmark::DoNotOptimize(run->results.leadBack);
  }
}
BENCHMARK(BM_QuickSweep)
    ->Args({0, 20})
    ->Args({0, -20})
    ->Args({1, 20})
    ->Args({1, -30})
    ->Unit(benchmark::kMicrosecond);

void BM_Take(benchmark::State& state) {
  const Engine engine = BenchEngine(false);
  Session s;
  for (auto _ : state) {
    const auto failure = s.Take(engine);
    benchmark::DoNotOptimize(failure.has_value());
    benchmark::DoNotOptimize(s.midGearAngle());
  }
}
BENCHMARK(BM_Take);

void EvaluateEach(const Session& s, const std::vector<double>& angles, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    const RunOutcome outcome = s.Evaluate(angles[i], s.centring());
    benchmark::DoNotOptimize(outcome.ok());
  }
}

// The goods engine at -25 to 24.5 degrees in half-degree steps, centred at 25;
// with two threads each takes half the angles.
void BM_EvaluateHundredAngles(benchmark::State& state) {
  Session s;
  s.Take(BenchEngine(false));
  s.Go(25);
  std::vector<double> angles;
  for (int i = 0; i < 100; ++i) angles.push_back(-25 + 0.5 * i);
  const std::size_t half = angles.size() / 2;
  for (auto _ : state) {
    if (state.range(0) == 1) {
      EvaluateEach(s, angles, 0, angles.size());
      continue;
    }
    std::thread other(EvaluateEach, std::cref(s), std::cref(angles), std::size_t{0}, half);
    EvaluateEach(s, angles, half, angles.size());
    other.join();
  }
}
BENCHMARK(BM_EvaluateHundredAngles)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// The goods engine from -60 to 60 by 1 degree (121 notches, all assemble) with
// equal leads set at 20, on one thread and on two (one per core here).
void BM_QuadrantStudy121(benchmark::State& state) {
  Session s;
  s.Take(BenchEngine(false));
  const NotchPlan plan{false, -60, 60, 1};
  for (auto _ : state) {
    const QuadrantStudy study = RunQuadrantStudy(s, 20, plan, static_cast<int>(state.range(0)));
    if (study.rows.size() != 121) state.SkipWithError("not 121 notches");
    benchmark::DoNotOptimize(study.summary.worstInequality);
  }
}
BENCHMARK(BM_QuadrantStudy121)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// "auto" at half a degree: the search for the usable range, then its notches.
void BM_QuadrantStudyAuto(benchmark::State& state) {
  Session s;
  s.Take(BenchEngine(false));
  const NotchPlan plan{true, 0, 0, 0.5};
  for (auto _ : state) {
    const QuadrantStudy study =
        RunQuadrantStudy(s, 20, plan, static_cast<int>(std::thread::hardware_concurrency()));
    benchmark::DoNotOptimize(study.summary.worstInequality);
  }
}
BENCHMARK(BM_QuadrantStudyAuto)->UseRealTime()->Unit(benchmark::kMillisecond);

// What the indicator figures add to the 121-notch study: the figures of every
// notch taken again from the study's own rows, to set beside BM_QuadrantStudy121/1.
void BM_QuadrantStudy121Indicators(benchmark::State& state) {
  Session s;
  s.Take(BenchEngine(false));
  const QuadrantStudy study = RunQuadrantStudy(s, 20, NotchPlan{false, -60, 60, 1}, 1);
  for (auto _ : state) {
    for (const StudyRow& row : study.rows) {
      const IndicatorFigures figures = IndicatorOf(row.results, study.options.indicator);
      benchmark::DoNotOptimize(figures.workImbalancePct);
    }
  }
}
BENCHMARK(BM_QuadrantStudy121Indicators)->Unit(benchmark::kMicrosecond);

// Goods worn as a fitter might find it: 1/32 in in each rod pin, 1/64 in in
// the die, 0.01 in in each strap and 0.02 in in the lifting link's pins.
GearPlay BenchPlay() {
  GearPlay play;
  play.clearance[rodPin1Joint] = play.clearance[rodPin2Joint] = 1.0 / 32;
  play.clearance[dieJoint] = 1.0 / 64;
  play.clearance[strap1Joint] = play.clearance[strap2Joint] = 0.01;
  play.clearance[liftLinkPinJoint] = play.clearance[liftArmPinJoint] = 0.02;
  return play;
}

// The bands beside BM_QuadrantStudy121: the same notches, each run's levers
// and its worn figures with half and all of the play.
void BM_PlayBands121(benchmark::State& state) {
  Session s;
  s.Take(BenchEngine(false));
  const NotchPlan plan{false, -60, 60, 1};
  for (auto _ : state) {
    const PlayStudy bands = RunPlayStudy(s, 20, plan, BenchPlay(), static_cast<int>(state.range(0)));
    if (bands.bands.size() != 121) state.SkipWithError("not 121 notches");
    benchmark::DoNotOptimize(bands.worstWithPlay.worstInequality);
  }
}
BENCHMARK(BM_PlayBands121)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// The bands over the quadrant beside BM_QuadrantStudyAuto.
void BM_PlayBandsAuto(benchmark::State& state) {
  Session s;
  s.Take(BenchEngine(false));
  const NotchPlan plan{true, 0, 0, 0.5};
  for (auto _ : state) {
    const PlayStudy bands =
        RunPlayStudy(s, 20, plan, BenchPlay(), static_cast<int>(std::thread::hardware_concurrency()));
    benchmark::DoNotOptimize(bands.worstWithPlay.worstInequality);
  }
}
BENCHMARK(BM_PlayBandsAuto)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
