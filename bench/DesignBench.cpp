// Timing of one design proposal as the assistant and zovuderiz-design make it:
// "Goods 0-6-0 slide valve" with the default free set, valves set at 25
// degrees for equal leads, judged over the whole usable range, on every core,
// on the inch drawing grid with its tolerance check.
// Run with --benchmark_repetitions=N for the median.
#include <benchmark/benchmark.h>

#include <string>
#include <thread>

#include "DesignSearch.h"

namespace {

void BM_GoodsProposal(benchmark::State& state) {
  DesignInput input;
  input.start = Engine{
      "Goods 0-6-0 slide valve", 78, 13, 54, 2.75, 24, 0, 65, 19, 11, 18, 13, 0, 0, 1.0, 0, 1.5, -1, 0, 0.0};
  input.free = DefaultFreeSet(input.start);
  input.grid = DrawingGrid::ForUnit(LengthUnit::in);
  DesignResult result;
  for (auto _ : state) result = SearchDesign(input, static_cast<int>(std::thread::hardware_concurrency()));
  state.SetLabel("worst inequality " + std::to_string(result.beforeObjective.value_or(-1)) + " -> " +
                 std::to_string(result.afterObjective.value_or(-1)) + ", within tolerance " +
                 std::to_string(result.tolerance.worstObjective.value_or(-1)) + " after " +
                 std::to_string(result.evaluations) + " evaluations");
}
BENCHMARK(BM_GoodsProposal)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
