// Timing of one design proposal as the assistant and zovuderiz-design make it:
// "Goods 0-6-0 slide valve" with the default free set, valves set at 25
// degrees for equal leads, judged over the whole usable range, on every core,
// on the inch drawing grid with its tolerance check; and the trade-off front
// between cut-off equality and work balance on the same start (up to seven
// such searches).
// Run with --benchmark_repetitions=N for the median.
#include <benchmark/benchmark.h>

#include <string>
#include <thread>

#include "DesignSearch.h"
#include "NumberFormat.h"
#include "TradeOffFront.h"

namespace {

DesignInput GoodsInput() {
  DesignInput input;
  input.start = Engine{
      "Goods 0-6-0 slide valve", 78, 13, 54, 2.75, 24, 0, 65, 19, 11, 18, 13, 0, 0, 1.0, 0, 1.5, -1, 0, 0.0};
  input.free = DefaultFreeSet(input.start);
  input.grid = DrawingGrid::ForUnit(LengthUnit::in);
  return input;
}

void BM_GoodsProposal(benchmark::State& state) {
  const DesignInput input = GoodsInput();
  DesignResult result;
  for (auto _ : state) result = SearchDesign(input, static_cast<int>(std::thread::hardware_concurrency()));
  state.SetLabel("worst inequality " + std::to_string(result.beforeObjective.value_or(-1)) + " -> " +
                 std::to_string(result.afterObjective.value_or(-1)) + ", within tolerance " +
                 std::to_string(result.tolerance.worstObjective.value_or(-1)) + " after " +
                 std::to_string(result.evaluations) + " evaluations");
}
BENCHMARK(BM_GoodsProposal)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The label lists the front's designs as (cut-off inequality, signed work imbalance).
void BM_GoodsTradeOff(benchmark::State& state) {
  const DesignInput input = GoodsInput();
  TradeOffFront front;
  for (auto _ : state)
    front = FindTradeOffFront(input, static_cast<int>(std::thread::hardware_concurrency()));
  std::string label = std::to_string(front.searches) + " searches:";
  for (const FrontDesign& d : front.designs)
    label += " (" + FormatGeneral4(d.cutOffInequality) + ", " + FormatGeneral4(d.workImbalancePct) + ")";
  state.SetLabel(label);
}
BENCHMARK(BM_GoodsTradeOff)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
