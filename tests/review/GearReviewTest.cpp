// The review against the quadrant study worked separately: sensitivities
// against finite differences of the study's own figures (over the notches a
// change keeps where it loses one), the range ends' move against the range of
// the changed engine, a fix's claimed
// figure against a fresh study of the changed engine, and the verdicts of an
// engine scaled from inches to millimetres.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "EngineConversion.h"
#include "EngineScale.h"
#include "EngineSchema.h"
#include "GearReview.h"
#include "QuadrantStudy.h"
#include "ReviewFixes.h"
#include "ReviewSensitivity.h"
#include "SampleEngines.h"

namespace {

constexpr int kThreads = 2;
const ReviewSetting kSetting{25, ValveSetting::equalLeads};

Engine Goods() {
  return ToEngine(SampleRecord("Goods 0-6-0 slide valve"));
}

// The study over the review's notches, its worst cut-off inequality and
// worst die slip (in % of the pin distance), and the mean lead at the ends.
struct StudyFigures {
  double inequality, slipPct, endLead;
};

StudyFigures Study(const Engine& engine, const UsableRange& range) {
  Session session;
  session.Take(engine);
  const QuadrantStudy study =
      RunQuadrantStudy(session, kSetting.angleDeg, NotchPlan{true, 0, 0, 0.5}, range, kThreads);
  const RunResults &lo = study.rows.front().results, &hi = study.rows.back().results;
  return {*study.summary.worstInequality, 100 * *study.summary.worstDieSlip / engine.linkpins,
          (lo.leadBack + lo.leadFront + hi.leadBack + hi.leadFront) / 4};
}

std::size_t DimensionIndex(const char* key) {
  return static_cast<std::size_t>(FindDimension(key) - EngineDimensions().data());
}

TEST(GearReviewTest, SensitivitiesMatchDifferencesOfTheStudy) {
  const GearReview review = ReviewGear(Goods(), kSetting, kThreads);
  ASSERT_TRUE(review.reviewed()) << review.problem;
  const SensitivityTable table = ComputeSensitivities(review, kThreads);
  for (const char* key : {"angadv", "liftlink", "stlap", "linkpins"}) {
    const DimensionSensitivity& d = table.dimensions[DimensionIndex(key)];
    const UsableRange over = d.kept.value_or(review.range);
    Engine up = review.engine, down = review.engine;
    const double h = 3e-3 * std::fabs(up.*FindDimension(key)->field);
    up.*FindDimension(key)->field += h;
    down.*FindDimension(key)->field -= h;
    const StudyFigures a = Study(up, over), b = Study(down, over);
    const auto near = [&](std::size_t check, double expected) {
      const double got = d.figures[check]->perUnit;
      EXPECT_NEAR(got, expected, 0.05 * std::fabs(expected) + 1e-6)
          << key << " " << ReviewChecks()[check].key;
    };
    near(cutOffInequality, (a.inequality - b.inequality) / (2 * h));
    near(dieSlip, (a.slipPct - b.slipPct) / (2 * h));
    near(fullGearLead, 100 * (a.endLead - b.endLead) / (2 * h) / review.engine.port);
    const double value = review.engine.*FindDimension(key)->field;
    EXPECT_DOUBLE_EQ(*d.figures[cutOffInequality]->perPercent,
                     d.figures[cutOffInequality]->perUnit * value / 100);
  }
  // The rocker ratio of a gear without a rocker moves nothing and is not offered;
  // the full-gear notches' die lies at a rod pin, so the eccentric rod loses one.
  EXPECT_FALSE(table.dimensions[DimensionIndex("rockerRatio")].used);
  EXPECT_TRUE(table.dimensions[DimensionIndex("eccrod")].lost);
}

// Each of these loses the notch above mid-gear one way: every figure still has
// its sensitivity, and the engine changed far enough to move an end by three
// notches finds each end where the rate said, within a notch.
TEST(GearReviewTest, ADimensionThatLosesANotchKeepsItsFiguresAndMovesTheRangeEnds) {
  const GearReview review = ReviewGear(Goods(), kSetting, kThreads);
  const SensitivityTable table = ComputeSensitivities(review, kThreads);
  for (const char* key : {"eccrod", "ctoweighh", "larad", "linkpins"}) {
    const DimensionSensitivity& d = table.dimensions[DimensionIndex(key)];
    EXPECT_TRUE(d.lost) << key;
    ASSERT_TRUE(d.kept.has_value()) << key;
    EXPECT_EQ(d.kept->loDeg, review.range.loDeg + kReviewStepDeg) << key;
    for (std::size_t c = 0; c < kChecks; ++c)
      if (ReviewChecks()[c].sensitive && review.figures[c]) {
        EXPECT_TRUE(d.figures[c].has_value()) << key << " " << ReviewChecks()[c].key;
      }
    ASSERT_TRUE(d.rangeEnds[0] && d.rangeEnds[1]) << key;
    const double fastest = std::max(std::fabs(d.rangeEnds[0]->perUnit), std::fabs(d.rangeEnds[1]->perUnit));
    const double change = 1.5 / fastest;
    Engine changed = review.engine;
    changed.*FindDimension(key)->field += change;
    const GearReview after = ReviewGear(changed, kSetting, kThreads);
    ASSERT_TRUE(after.reviewed()) << key;
    const double moved[] = {after.range.loDeg - review.range.loDeg, after.range.hiDeg - review.range.hiDeg};
    for (std::size_t side = 0; side < 2; ++side) {
      const double expected = d.rangeEnds[side]->perUnit * change;
      EXPECT_NEAR(moved[side], expected, kReviewStepDeg + 0.2 * std::fabs(expected)) << key << " " << side;
      if (std::fabs(expected) > 0.75) {
        EXPECT_EQ(moved[side] > 0, expected > 0) << key << " " << side;
      }
    }
  }
}

TEST(GearReviewTest, AFixClaimsWhatAFreshStudyOfTheChangedEngineGives) {
  const GearReview review = ReviewGear(Goods(), kSetting, kThreads);
  const SensitivityTable table = ComputeSensitivities(review, kThreads);
  const auto ranked = RankedDimensions(table, dieSlip, review.engine);
  ASSERT_FALSE(ranked.empty());
  // Asked to bring the die slip down, whatever its verdict, by its most influential dimension.
  const auto fix = FindFix(review, table, dieSlip, ranked.front(), kThreads);
  ASSERT_TRUE(fix.has_value());
  ASSERT_TRUE(fix->after.reviewed());
  EXPECT_NE(fix->to, fix->from);
  const double scale = std::max(std::fabs(fix->from), DimensionScale(review.engine, fix->dimension));
  EXPECT_LE(std::fabs(fix->to - fix->from), 0.1501 * scale);
  Engine changed = review.engine;
  changed.*EngineDimensions()[fix->dimension].field = fix->to;
  Session session;
  session.Take(changed);
  const auto range = FindUsableRange(session, kThreads);
  ASSERT_TRUE(range.has_value());
  EXPECT_EQ(fix->after.range.loDeg, range->loDeg);
  EXPECT_EQ(fix->after.range.hiDeg, range->hiDeg);
  const StudyFigures fresh = Study(changed, *range);
  EXPECT_EQ(*fix->after.figures[dieSlip], fresh.slipPct);
  EXPECT_EQ(*fix->after.figures[cutOffInequality], fresh.inequality);
  EXPECT_LT(*fix->after.figures[dieSlip], *review.figures[dieSlip]);
}

TEST(GearReviewTest, AScaledEngineGetsTheSameVerdicts) {
  for (const char* name : {"Goods 0-6-0 slide valve", "Express 4-4-0 rocker B"}) {
    const Engine engine = ToEngine(SampleRecord(name));
    const GearReview inches = ReviewGear(engine, kSetting, kThreads);
    const GearReview millimetres = ReviewGear(ScaledEngine(engine, 25.4), kSetting, kThreads);
    ASSERT_TRUE(inches.reviewed() && millimetres.reviewed()) << name;
    for (std::size_t c = 0; c < kChecks; ++c) {
      EXPECT_EQ(inches.VerdictOf(c), millimetres.VerdictOf(c)) << name << " " << ReviewChecks()[c].key;
      if (inches.figures[c]) {
        EXPECT_NEAR(*millimetres.figures[c], *inches.figures[c], 1e-6 * (1 + std::fabs(*inches.figures[c])));
      }
    }
  }
}

}  // namespace
