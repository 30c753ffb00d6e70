// Timing of one design proposal as the assistant and zovuderiz-design make it:
// "Goods 0-6-0 slide valve" with the default free set, valves set at 25
// degrees, notches -30, -20, -10, 10, 20, 30. Run with
// --benchmark_repetitions=N for the median.
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
  input.notchesDeg = {-30, -20, -10, 10, 20, 30};
  double inequality = 0;
  for (auto _ : state) {
    const DesignResult result = SearchDesign(input, static_cast<int>(std::thread::hardware_concurrency()));
    inequality = result.after.worstInequality;
  }
  state.SetLabel("worst inequality " + std::to_string(inequality));
}
BENCHMARK(BM_GoodsProposal)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
