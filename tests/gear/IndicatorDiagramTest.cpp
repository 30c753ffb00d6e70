// The theoretical diagram against a case worked by hand, and the balance of
// the two ends under swapping and equality.
#include <gtest/gtest.h>

#include <cmath>

#include "IndicatorDiagram.h"

namespace {

RunResults WithEnds(const EndEvents& back, const EndEvents& front) {
  RunResults r;
  const auto set = [&r](ValveEvent e, double pct) {
    r.eventPct[e] = pct;
    r.eventFound[e] = true;
  };
  set(admissionBack, back.admissionPct);
  set(cutOffBack, back.cutOffPct);
  set(exhaustBack, back.exhaustPct);
  set(compressionBack, back.compressionPct);
  set(admissionFront, front.admissionPct);
  set(cutOffFront, front.cutOffPct);
  set(exhaustFront, front.exhaustPct);
  set(compressionFront, front.compressionPct);
  return r;
}

}  // namespace

TEST(IndicatorDiagram, MeanEffectivePressureOfATextbookCase) {
  // Cut-off 50 %, release 90 %, compression 10 %, admission at dead centre,
  // clearance 8 %, back pressure 0.1: worked by hand from the areas.
  const double byHand =
      0.5 + 0.58 * std::log(0.98 / 0.58) + 0.1 * 0.1 - 0.1 * 0.9 - 0.1 * 0.18 * std::log(0.18 / 0.08);
  const auto mep = MeanEffectivePressure({0, 50, 90, 10}, {8, 0.1, 0});
  ASSERT_TRUE(mep);
  EXPECT_NEAR(*mep, byHand, 1e-12);
  EXPECT_NEAR(*mep, 0.709627, 1e-6);
  // The curve closes on its start and passes cut-off at full pressure.
  const auto curve = IndicatorCurve({0, 50, 90, 10}, {});
  ASSERT_FALSE(curve.empty());
  EXPECT_DOUBLE_EQ(curve.front().strokePct, curve.back().strokePct);
  EXPECT_DOUBLE_EQ(curve.front().pressure, curve.back().pressure);
}

TEST(IndicatorDiagram, EventsOutOfOrderGiveNoDiagram) {
  EXPECT_FALSE(MeanEffectivePressure({0, 95, 90, 10}, {}));   // cut-off after release
  EXPECT_FALSE(MeanEffectivePressure({20, 50, 90, 10}, {}));  // admission before compression
  EXPECT_TRUE(IndicatorCurve({0, 95, 90, 10}, {}).empty());
  EXPECT_TRUE(IndicatorParamsProblem({0, 0.1, 0}));  // no clearance: the compression curve has no end
  EXPECT_FALSE(IndicatorOf(WithEnds({0, 95, 90, 10}, {0, 50, 90, 10}), {}).workImbalancePct);
}

TEST(IndicatorDiagram, SwappedEndsGiveTheOppositeImbalanceAndEqualEndsNone) {
  const EndEvents early{1, 40, 85, 12}, late{2, 60, 92, 8};
  const IndicatorParams params{8, 0.1, 0};
  const auto one = IndicatorOf(WithEnds(early, late), params);
  const auto other = IndicatorOf(WithEnds(late, early), params);
  ASSERT_TRUE(one.workImbalancePct && other.workImbalancePct);
  EXPECT_LT(*one.workImbalancePct, 0);  // the back cuts off earlier: less work
  EXPECT_NEAR(*one.workImbalancePct, -*other.workImbalancePct, 1e-12);
  EXPECT_DOUBLE_EQ(*IndicatorOf(WithEnds(late, late), params).workImbalancePct, 0);
  // The piston rod takes area from the back end only.
  const auto withRod = IndicatorOf(WithEnds(late, late), {8, 0.1, 0.2});
  EXPECT_NEAR(*withRod.workImbalancePct, 100 * (0.96 - 1) / 0.98, 1e-12);
}
