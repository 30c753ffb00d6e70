// The quality of the valve setting on the sample engines: for each, gears
// mis-set at random (each deviation within +-1/8 in and +-2 deg.), their
// recommended readings worked out exactly and rounded to the usual precision,
// fitted with every adjustment allowed; the first correction offered is made
// on the true gear, and its readings and worst cut-off inequality over the
// quadrant are set against the design's. Prints one row per engine.
// Usage: setting_quality [GEARS [SEED [DEGREES]]] (default 30 gears, seed 1,
// the eccentrics turned in the shop's usual 0.5 deg. steps).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

#include "../tests/gear/SampleEngines.h"
#include "ShopSetting.h"

namespace {

struct Tally {
  int gears = 0, failed = 0, withinOne = 0, withinTwo = 0, inequalityHeld = 0;
  double worstMiss = 0, worstInequalityRise = 0, seconds = 0;
};

// The true gear after the option, in precisions of the recommended rows' design figures.
double MissAfter(const SettingDesign& d, const DeviationVector& truth, const CorrectionOption& o,
                 const std::vector<Reading>& rows, const Prediction& design) {
  DeviationVector corrected = truth;
  for (const Operation& op : o.operations) {
    const DeviationVector u = AdjustmentDirection(op.adjust);
    for (int j = 0; j < kDeviationCount; ++j) corrected[j] += op.amount * u[j];
  }
  const Prediction after = Predict(d, corrected, rows);
  if (!after.ok()) return INFINITY;
  double worst = 0;
  for (std::size_t i = 0; i < rows.size(); ++i)
    worst = std::max(worst, std::fabs(after.figures[i] - design.figures[i]) / rows[i].plusMinus);
  return worst;
}

void Trial(const ShopSettingRequest& base, const ShopSetting& prepared, const DeviationVector& truth,
           Tally& t) {
  const SettingDesign& d = *prepared.design;
  ShopSettingRequest q = base;
  q.readings = prepared.recommended;
  const Prediction read = Predict(d, truth, q.readings);
  ++t.gears;
  if (!read.ok()) {
    ++t.failed;
    return;
  }
  for (std::size_t i = 0; i < q.readings.size(); ++i)
    q.readings[i].value = std::round(read.figures[i] / q.readings[i].plusMinus) * q.readings[i].plusMinus;
  const auto start = std::chrono::steady_clock::now();
  const ShopSetting s = RunShopSetting(q);
  t.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!s.ok()) {
    ++t.failed;
    return;
  }
  const CorrectionOption& first = s.corrections.options.front();
  const double miss =
      MissAfter(d, truth, first, prepared.recommended, Predict(d, DeviationVector{}, prepared.recommended));
  t.worstMiss = std::max(t.worstMiss, miss);
  t.withinOne += miss <= 1;
  t.withinTwo += miss <= 2;
  DeviationVector corrected = truth;
  for (const Operation& op : first.operations) {
    const DeviationVector u = AdjustmentDirection(op.adjust);
    for (int j = 0; j < kDeviationCount; ++j) corrected[j] += op.amount * u[j];
  }
  const auto after = WorstCutOffInequality(d, corrected, q.threads);
  const auto design = s.corrections.designWorstCutOffInequality;
  if (after && design) {
    t.worstInequalityRise = std::max(t.worstInequalityRise, *after - *design);
    t.inequalityHeld += *after - *design <= 0.5;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int gears = argc > 1 ? std::atoi(argv[1]) : 30;
  std::mt19937 random(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1u);
  const std::optional<double> angleStep = argc > 3 ? std::optional(std::atof(argv[3])) : std::nullopt;
  std::uniform_real_distribution<double> unit(-1, 1);
  std::printf("%-32s %5s %6s %8s %8s %9s %10s %11s %8s\n", "engine", "gears", "failed", "<=1 prec",
              "<=2 prec", "worst", "ineq. ok", "ineq. rise", "s/gear");
  for (const SampleEngine& sample : SampleEngines()) {
    ShopSettingRequest q;
    q.engine = ToEngine(sample.record);
    q.unit = LengthUnit::in;
    q.angleStep = angleStep;
    q.threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    q.allowed = {Adjustment::spindle, Adjustment::rod1, Adjustment::rod2, Adjustment::advance1,
                 Adjustment::advance2};
    const ShopSetting prepared = PrepareShopSetting(q);
    if (!prepared.ok()) continue;
    Tally t;
    for (int g = 0; g < gears; ++g) {
      const DeviationVector truth{unit(random) / 8, unit(random) / 8, 2 * unit(random), 2 * unit(random),
                                  unit(random) / 8};
      Trial(q, prepared, truth, t);
    }
    std::printf("%-32s %5d %6d %8d %8d %9.3f %10d %11.3f %8.3f\n", q.engine.name.c_str(), t.gears, t.failed,
                t.withinOne, t.withinTwo, t.worstMiss, t.inequalityHeld, t.worstInequalityRise,
                t.seconds / std::max(1, t.gears - t.failed));
  }
  return 0;
}
