// The fit and the corrections on gears mis-set on purpose, their readings
// worked out by the program with those deviations and rounded as a fitter
// reads them.
#include <gtest/gtest.h>

#include <cmath>

#include "SampleEngines.h"
#include "ShopSetting.h"

namespace {

struct Goods {
  ShopSettingRequest request;
  ShopSetting prepared;
  Goods() {
    request.engine = SampleGear("Goods 0-6-0 slide valve");
    request.unit = LengthUnit::in;
    request.threads = 2;
    prepared = PrepareShopSetting(request);
  }
  const SettingDesign& design() const { return *prepared.design; }
  // The recommended readings of the gear with these deviations, rounded to their precision.
  std::vector<Reading> ReadingsOf(const DeviationVector& d) const {
    std::vector<Reading> rows = prepared.recommended;
    const Prediction p = Predict(design(), d, rows);
    for (std::size_t i = 0; i < rows.size(); ++i)
      rows[i].value = std::round(p.figures[i] / rows[i].plusMinus) * rows[i].plusMinus;
    return rows;
  }
  // The largest miss of the design's recommended readings, in precisions,
  // once the option is made on the gear with these deviations.
  double MissAfter(DeviationVector truth, const CorrectionOption& option) const {
    for (const Operation& op : option.operations) {
      const DeviationVector u = AdjustmentDirection(op.adjust);
      for (int j = 0; j < kDeviationCount; ++j) truth[j] += op.amount * u[j];
    }
    const std::vector<Reading>& rows = prepared.recommended;
    const Prediction after = Predict(design(), truth, rows),
                     want = Predict(design(), DeviationVector{}, rows);
    double worst = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
      worst = std::max(worst, std::fabs(after.figures[i] - want.figures[i]) / rows[i].plusMinus);
    return worst;
  }
};

TEST(SettingFitTest, EachAdjustmentMisSetIsCorrected) {
  const Goods goods;
  ASSERT_TRUE(goods.prepared.ok()) << goods.prepared.problem;
  ASSERT_EQ(goods.prepared.recommended.size(), 8u);
  EXPECT_EQ(goods.design().forwardRod, 1);
  for (int j = 0; j < kDeviationCount; ++j) {
    DeviationVector truth{};
    truth[j] = IsAngleDeviation(j) ? 1.5 : 3.0 / 32;
    ShopSettingRequest q = goods.request;
    q.readings = goods.ReadingsOf(truth);
    q.allowed = {Adjustment::spindle, Adjustment::rod1, Adjustment::rod2, Adjustment::advance1,
                 Adjustment::advance2};
    const ShopSetting s = RunShopSetting(q);
    ASSERT_TRUE(s.ok()) << s.problem;
    EXPECT_LE(goods.MissAfter(truth, s.corrections.options.front()), 1) << DeviationKey(j);
    for (const FittedReading& f : s.fit.readings) EXPECT_FALSE(f.suspect) << DeviationKey(j);
    // The spindle and the two rods together read alike, and the fit says so.
    ASSERT_EQ(s.inseparable.size(), 1u);
    EXPECT_NE(s.inseparable[0].find("on its spindle"), std::string::npos);
    if (IsAngleDeviation(j)) {
      EXPECT_NEAR(s.fit.deviations[j], truth[j], 3 * *s.fit.sigma[j]);
    }
  }
}

TEST(SettingFitTest, ClassicLeadsAreAnsweredWithTheForwardRod) {
  const Goods goods;
  // Leads 1/16 in short at the front and 1/16 in long at the back in full
  // forward gear, back gear as designed: the forward rod is too long.
  const Prediction design = Predict(goods.design(), DeviationVector{}, goods.prepared.recommended);
  ShopSettingRequest q = goods.request;
  for (int i = 0; i < 4; ++i) {
    q.readings.push_back(goods.prepared.recommended[static_cast<std::size_t>(i)]);
    q.readings.back().value = design.figures[static_cast<std::size_t>(i)] + (i == 0   ? -1.0
                                                                             : i == 1 ? 1.0
                                                                                      : 0.0) /
                                                                                16;
  }
  const ShopSetting s = RunShopSetting(q);
  ASSERT_TRUE(s.ok()) << s.problem;
  const CorrectionOption& first = s.corrections.options.front();
  ASSERT_EQ(first.operations.size(), 1u);
  EXPECT_EQ(first.operations[0].adjust, Adjustment::rod1);
  EXPECT_EQ(first.operations[0].amount, -1.0 / 16);
  EXPECT_EQ(s.order.front(), "1. Shorten the upper eccentric rod (forward gear) by 1/16 in.");
  // Four leads cannot separate five deviations: the cut-offs are asked for.
  EXPECT_EQ(s.readingsToAdd.size(), 4u);
  for (const Reading& r : s.readingsToAdd) EXPECT_EQ(r.event, ReadingEvent::cutOff);
}

TEST(SettingFitTest, SuspectReadingAndRefusedAngle) {
  const Goods goods;
  ShopSettingRequest q = goods.request;
  q.readings = goods.ReadingsOf({1.0 / 16, 0, 0, 0, 1.0 / 32});
  q.readings[5].value = *q.readings[5].value + 6;  // a cut-off misread by 6 %
  const ShopSetting s = RunShopSetting(q);
  ASSERT_TRUE(s.ok()) << s.problem;
  for (std::size_t i = 0; i < s.fit.readings.size(); ++i) EXPECT_EQ(s.fit.readings[i].suspect, i == 5) << i;
  EXPECT_LE(goods.MissAfter({1.0 / 16, 0, 0, 0, 1.0 / 32}, s.corrections.options.front()), 1);
  q.readings[0].angleDeg = goods.design().usable.hiDeg + 1;
  const ShopSetting outside = RunShopSetting(q);
  EXPECT_EQ(outside.kind, ShopProblem::readings);
  EXPECT_NE(outside.problem.find("usable range, -31.5 to 35 deg."), std::string::npos) << outside.problem;
}

TEST(SettingFitTest, EqualLeadsTargetNeedsOneOperation) {
  const Goods goods;
  ShopSettingRequest q = goods.request;
  q.readings = goods.ReadingsOf({0, 0, 0, 0, 3.0 / 32});
  q.target = *ParseSettingTarget("equal-leads:35");
  const ShopSetting s = RunShopSetting(q);
  ASSERT_TRUE(s.ok()) << s.problem;
  const CorrectionOption& first = s.corrections.options.front();
  ASSERT_EQ(first.operations.size(), 1u);
  EXPECT_TRUE(first.reaches);
  EXPECT_EQ(first.operations[0].adjust, Adjustment::spindle);
  EXPECT_FALSE(ParseSettingTarget("equal-leads:x"));
}

}  // namespace
