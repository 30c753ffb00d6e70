// Timing of the valve-gear calculation as the results window uses it: one whole
// crank sweep with its events and derived values, and taking an engine in with
// its mid-gear direction. Run with --benchmark_repetitions=N for medians.
#include <benchmark/benchmark.h>

#include "CrankSweep.h"
#include "MidGear.h"
#include "ValveEvents.h"

namespace {

// A goods engine with the weighshaft above the link, and one with a short
// lifting link hung from a shaft below it, where the link's pose is followed.
EngineRecord Engine(bool lowShaft) {
  EngineRecord e = lowShaft ? EngineRecord{{}, 90,   12,  58,   3.0,    25,    2.0, 71.0, -8.25, 10, 0,
                                           10, 13.5, 1.5, -1.0, 1.0625, 0.125, 1.5, -1,   1,     0.9}
                            : EngineRecord{{}, 78, 13, 54, 2.75, 24, 0,   65, 19, 11, 0,
                                           18, 13, 0,  0,  1.0,  0,  1.5, -1, 0,  0.0};
  SetRecordName(e, "Bench", 5);
  return e;
}

void BM_CrankSweep(benchmark::State& state) {
  GearState s;
  SetMidGear(s, Engine(state.range(0) != 0));
  const double angle = static_cast<double>(state.range(1));
  for (auto _ : state) {
    s.firstRun = true;
    const GearStatus status = RunCrankSweep(s, angle);
    const RunResults results = ComputeRunResults(s);
    benchmark::DoNotOptimize(status.ok);
    benchmark::DoNotOptimize(results.leadBack);
  }
}
BENCHMARK(BM_CrankSweep)
    ->Args({0, 20})
    ->Args({0, -20})
    ->Args({1, 20})
    ->Args({1, -30})
    ->Unit(benchmark::kMicrosecond);

void BM_SetMidGear(benchmark::State& state) {
  const EngineRecord engine = Engine(false);
  GearState s;
  for (auto _ : state) {
    const GearStatus status = SetMidGear(s, engine);
    benchmark::DoNotOptimize(status.ok);
    benchmark::DoNotOptimize(s.midGearAngle);
  }
}
BENCHMARK(BM_SetMidGear);

}  // namespace
