// Timing of the gear review of "Goods 0-6-0 slide valve", valves set at 25
// degrees for equal leads, on every core: the checks with the whole
// sensitivity table, and the suggested fixes' searches on top of them.
// Run with --benchmark_repetitions=N for the median.
#include <benchmark/benchmark.h>

#include <string>
#include <thread>

#include "GearReview.h"
#include "ReviewFixes.h"
#include "ReviewSensitivity.h"

namespace {

const Engine kGoods{
    "Goods 0-6-0 slide valve", 78, 13, 54, 2.75, 24, 0, 65, 19, 11, 18, 13, 0, 0, 1.0, 0, 1.5, -1, 0, 0.0};
const ReviewSetting kSetting{25, ValveSetting::equalLeads};

int Cores() {
  return static_cast<int>(std::thread::hardware_concurrency());
}

void BM_GoodsChecksAndSensitivities(benchmark::State& state) {
  std::size_t notches = 0;
  for (auto _ : state) {
    const GearReview review = ReviewGear(kGoods, kSetting, Cores());
    const SensitivityTable table = ComputeSensitivities(review, Cores());
    benchmark::DoNotOptimize(table);
    notches = review.notchesDeg.size();
  }
  state.SetLabel(std::to_string(notches) + " notches");
}
BENCHMARK(BM_GoodsChecksAndSensitivities)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_GoodsFixes(benchmark::State& state) {
  const GearReview review = ReviewGear(kGoods, kSetting, Cores());
  const SensitivityTable table = ComputeSensitivities(review, Cores());
  std::size_t fixes = 0;
  for (auto _ : state) fixes = FindFixes(review, table, Cores()).size();
  state.SetLabel(std::to_string(fixes) + " fixes");
}
BENCHMARK(BM_GoodsFixes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
