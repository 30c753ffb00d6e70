// Timing of a valve setting for the goods engine as the command line makes
// it: the design prepared (usable range, centring, recommended readings), the
// eight recommended readings of a mis-set gear fitted and the corrections
// found with the quadrant's worst cut-off inequality after each; and the fit
// alone. Run with --benchmark_repetitions=N for medians.
#include <benchmark/benchmark.h>

#include <cmath>
#include <thread>

#include "../tests/gear/SampleEngines.h"
#include "ShopSetting.h"

namespace {

int Cores() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

ShopSettingRequest MisSetGoods() {
  ShopSettingRequest q;
  q.engine = SampleGear("Goods 0-6-0 slide valve");
  q.unit = LengthUnit::in;
  q.threads = Cores();
  const ShopSetting prepared = PrepareShopSetting(q);
  q.readings = prepared.recommended;
  const Prediction p = Predict(*prepared.design, {1.0 / 16, 0, 0.5, 0, 1.0 / 32}, q.readings);
  for (std::size_t i = 0; i < q.readings.size(); ++i)
    q.readings[i].value = std::round(p.figures[i] / q.readings[i].plusMinus) * q.readings[i].plusMinus;
  return q;
}

void BM_SettingFitAndCorrections(benchmark::State& state) {
  ShopSettingRequest q = MisSetGoods();
  if (state.range(0) != 0)
    q.allowed = {Adjustment::spindle, Adjustment::rod1, Adjustment::rod2, Adjustment::advance1,
                 Adjustment::advance2};
  for (auto _ : state) {
    const ShopSetting s = RunShopSetting(q);
    if (!s.ok()) state.SkipWithError("no setting");
    benchmark::DoNotOptimize(s.corrections.options.front().worstMiss);
  }
}
BENCHMARK(BM_SettingFitAndCorrections)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_SettingFit(benchmark::State& state) {
  const ShopSettingRequest q = MisSetGoods();
  const ShopSetting prepared = PrepareShopSetting(q);
  for (auto _ : state) {
    const SettingFit fit = FitDeviations(*prepared.design, q.readings);
    benchmark::DoNotOptimize(fit.deviations[0]);
  }
}
BENCHMARK(BM_SettingFit)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
