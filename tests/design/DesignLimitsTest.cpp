// The drawing grid worked by hand, and the designer's limits on the Goods
// engine: a proposal on the grid that holds at its tolerance corners, the
// mid-gear direction and the work balance held when they bind, and a larger
// limit of evaluations never giving a worse proposal.
#include <gtest/gtest.h>

#include <cmath>

#include "DesignSearch.h"
#include "DrawingGrid.h"
#include "SampleEngines.h"

namespace {

DesignInput GoodsInput(int evaluations) {
  DesignInput input;
  input.start = SampleGear("Goods 0-6-0 slide valve");
  input.free = DefaultFreeSet(input.start);
  input.maxEvaluations = evaluations;
  input.grid = DrawingGrid::ForUnit(LengthUnit::in);
  return input;
}

// The worst inequality over the start's range, the figure the search compares.
double Worst(const DesignResult& r) {
  return SummariseDesign(r.after, {}).study.worstInequality.value();
}

}  // namespace

TEST(DrawingGridTest, ValuesGoToTheNearestGridFigureWithinTheBounds) {
  const DrawingGrid inch = DrawingGrid::ForUnit(LengthUnit::in);
  const FreeDimension wide{"eccrod", 45.9, 62.1}, narrow{"eccrod", 52.2304, 52.2309};
  EXPECT_EQ(inch.Round(52.23047795371575, wide, Quantity::length), 52.23);
  EXPECT_EQ(inch.Round(52.2305, wide, Quantity::length), 52.231);  // half a step rounds away from zero
  EXPECT_EQ(inch.Round(62.0996, wide, Quantity::length), 62.1);
  // No grid figure within the bounds: the bound nearer the value.
  EXPECT_EQ(inch.Round(52.23047, narrow, Quantity::length), 52.2304);
  EXPECT_EQ(inch.Tolerance(52.23, Quantity::length), 0.002);
  // No unit: four significant figures and 0.05 % of the value; an angle likewise in any unit.
  const DrawingGrid none = DrawingGrid::ForUnit(LengthUnit::none);
  EXPECT_EQ(none.Round(14.235647849992553, {"ctoweighv", 12, 26}, Quantity::length), 14.24);
  EXPECT_EQ(none.Round(0.0123456, {"circdisp", -1, 1}, Quantity::length), 0.01235);
  EXPECT_DOUBLE_EQ(none.Tolerance(-40, Quantity::length), 0.02);
  EXPECT_EQ(inch.Round(24.04567, {"angadv", 23, 25}, Quantity::angle), 24.05);
  EXPECT_EQ(
      DrawingGrid::ForUnit(LengthUnit::mm).Round(1981.19999999, {"conrod", 1900, 2000}, Quantity::length),
      1981.2);
}

TEST(DesignLimitsTest, TheProposalIsOnTheGridAndHoldsAtItsToleranceCorners) {
  const DesignInput input = GoodsInput(250);
  const DesignResult r = SearchDesign(input, 2);
  ASSERT_EQ(r.status, DesignStatus::improved);
  for (const FreeDimension& d : input.free) {
    const double value = r.proposal.*(FindDesignDimension(d.name)->field);
    EXPECT_NEAR(value * 1000, std::round(value * 1000), 1e-6) << d.name;
  }
  EXPECT_TRUE(r.tolerance.checked);
  EXPECT_TRUE(r.tolerance.holds);
  EXPECT_GT(r.tolerance.corners, 0);
  EXPECT_GE(*r.tolerance.worstObjective, Worst(r) - 1e-12);
  // The mid-gear direction and the work balance keep their defaults.
  EXPECT_LE(std::fabs(r.after.midGearDeg - r.before.midGearDeg), kDefaultMidGearShiftDeg);
  const DesignSummary before = SummariseDesign(r.before, {}), after = SummariseDesign(r.after, {});
  EXPECT_LE(*after.worstWorkImbalancePct, *before.worstWorkImbalancePct);
}

TEST(DesignLimitsTest, EachTightenedLimitHoldsAndIsReportedAsBinding) {
  DesignInput input = GoodsInput(250);
  input.rules.midGearShiftDeg = 1;
  input.rules.workLimit = WorkLimit::none;
  const DesignResult r = SearchDesign(input, 2);
  ASSERT_EQ(r.status, DesignStatus::improved);
  EXPECT_LE(std::fabs(r.after.midGearDeg - r.before.midGearDeg), 1);
  const auto limit = [&](const std::string& key) {
    for (const LimitState& s : r.limits)
      if (key == s.key) return s.binds;
    ADD_FAILURE() << key;
    return false;
  };
  EXPECT_TRUE(limit("midGearShiftDeg"));
  EXPECT_FALSE(limit("workLimitPct"));
  EXPECT_EQ(input.start.ctoweighh > input.start.eccrod, r.proposal.ctoweighh > r.proposal.eccrod);
}

TEST(DesignLimitsTest, MoreEvaluationsNeverGiveAWorseProposal) {
  DesignInput small = GoodsInput(200), large = GoodsInput(400);
  small.seed = large.seed = 4;
  const DesignResult a = SearchDesign(small, 2), b = SearchDesign(large, 2);
  EXPECT_LE(Worst(b), Worst(a));
}
