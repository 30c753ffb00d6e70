// The quadrant study: its rows are the session's Evaluate bit for bit on one
// thread and on two, the usable ranges of the sample engines (one given is
// never searched again), notches as typed and never repeated, the valve set
// for equal cut-offs with the indicator parameters carried to every row, the
// working-notch rule at its edges, and the CSV.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "QuadrantStudy.h"
#include "SampleEngines.h"
#include "StudyCsv.h"

namespace {

const char kGoods[] = "Goods 0-6-0 slide valve";

Session Taken(const std::string& name) {
  Session s;
  s.Take(SampleGear(name));
  return s;
}

StudyRow CutOffRow(double degrees, double back, double front) {
  StudyRow row;
  row.liftArmDeg = degrees;
  row.results.eventPct[cutOffBack] = back;
  row.results.eventPct[cutOffFront] = front;
  row.results.eventFound[cutOffBack] = row.results.eventFound[cutOffFront] = true;
  row.results.leadBack = row.results.leadFront = 0.1 * degrees;
  row.results.portOpenBack = row.results.portOpenFront = 1;
  return row;
}

}  // namespace

TEST(QuadrantStudy, RowsAreTheSessionsEvaluateBitForBitOnOneThreadAndOnTwo) {
  const Session s = Taken(kGoods);
  const NotchPlan plan{false, -92, 40, 2.5};  // the first notch does not assemble
  const double centring = s.Evaluate(17.5, std::nullopt).run->valveCentre;
  for (const int threads : {1, 2}) {
    const QuadrantStudy study = RunQuadrantStudy(s, 17.5, plan, threads);
    ASSERT_EQ(study.problem, StudyProblem::none);
    EXPECT_EQ(study.centring, centring);
    ASSERT_EQ(study.rows.size(), 53u);
    EXPECT_FALSE(study.rows.front().ok());
    for (const StudyRow& row : study.rows) {
      const StudyRow alone = MakeStudyRow(row.liftArmDeg, s.Evaluate(row.liftArmDeg, centring));
      ASSERT_EQ(row.ok(), alone.ok()) << row.liftArmDeg;
      if (!row.ok()) {
        EXPECT_EQ(row.failure->crankAngleDeg, alone.failure->crankAngleDeg);
        continue;
      }
      EXPECT_EQ(std::memcmp(&row.results, &alone.results, sizeof row.results), 0) << row.liftArmDeg;
      EXPECT_EQ(std::memcmp(&row.results.valveTravel, &alone.results.valveTravel, sizeof(double)), 0)
          << row.liftArmDeg;
    }
  }
}

TEST(QuadrantStudy, UsableRangesOfTheSampleEngines) {
  const struct {
    const char* name;
    double lo, hi;
  } samples[] = {{kGoods, -31.5, 35},
                 {"Express 4-4-0 rocker B", -28, 29.5},
                 {"Tank 0-6-2T piston valves", -24.5, 33},
                 {"Low shaft, short lifting link", -40.5, 36}};
  for (const auto& sample : samples) {
    const auto range = FindUsableRange(Taken(sample.name), 2);
    ASSERT_TRUE(range) << sample.name;
    EXPECT_EQ(range->loDeg, sample.lo) << sample.name;
    EXPECT_EQ(range->hiDeg, sample.hi) << sample.name;
  }
  EXPECT_FALSE(FindUsableRange(Taken("Conrod shorter than crank"), 1));
  EXPECT_EQ(RunQuadrantStudy(Taken("Lifting link too short"), 10, {}, 1).problem,
            StudyProblem::engineUnusable);

  // "auto" notches: the range's ends and the whole degrees between them.
  const Session goods = Taken(kGoods);
  const NotchPlan automatic{true, 0, 0, 1};
  const QuadrantStudy study = RunQuadrantStudy(goods, 35, automatic, 2);
  ASSERT_EQ(study.rows.size(), 68u);
  EXPECT_EQ(study.rows[0].liftArmDeg, -31.5);
  EXPECT_EQ(study.rows[1].liftArmDeg, -31);
  EXPECT_EQ(study.rows.back().liftArmDeg, 35);
  // A range the caller found is taken as it is, never searched again.
  const QuadrantStudy given = RunQuadrantStudy(goods, 35, automatic, UsableRange{-10, 10}, 2);
  ASSERT_EQ(given.rows.size(), 21u);
  EXPECT_EQ(std::memcmp(&given.rows[0].results, &study.rows[22].results, sizeof(RunResults)), 0);
  EXPECT_EQ(RunQuadrantStudy(goods, 35, automatic, std::nullopt, 2).problem, StudyProblem::noUsableRange);
  EXPECT_EQ(RunQuadrantStudy(goods, 35, NotchPlan{false, 0, 2, 1}, UsableRange{-1, 1}, 1).usable->hiDeg, 1);

  // A lap the valve never uncovers in mid-gear: no usable range, and the message says what fails there.
  Engine lapped = SampleGear(kGoods);
  lapped.stlap = 1.6;
  Session s;
  s.Take(lapped);
  const QuadrantStudy none = RunQuadrantStudy(s, 35, automatic, 2);
  EXPECT_EQ(none.problem, StudyProblem::noUsableRange);
  EXPECT_EQ(StudyProblemMessage(none),
            "The gear has no usable range. In mid-gear the valve event \"Admission back\" does not occur.");
}

TEST(QuadrantStudy, NotchesAreTypedCountedExactlyAndNeverRepeated) {
  EXPECT_EQ(NotchAngles({false, 0.1, 0.3, 0.1}, {}), (std::vector<double>{0.1, 0.2, 0.3}));
  const std::vector<double> tenths = NotchAngles({false, -90, -89, 0.1}, {});
  ASSERT_EQ(tenths.size(), 11u);
  EXPECT_EQ(tenths[1], -89.9);
  EXPECT_EQ(NotchAngles({false, 0, 1, 0.1}, {})[3], 0.3);  // 3 x 0.1 is 0.30000000000000004
  EXPECT_EQ(tenths.back(), -89);
  EXPECT_EQ(NotchAngles({false, 0.25, 1, 0.5}, {}), (std::vector<double>{0.25, 0.75}));
  EXPECT_EQ(NotchAngles({true, 0, 0, 0.1}, UsableRange{-0.5, 0.5})[8], 0.3);
  EXPECT_EQ(NotchAngles({false, 0, 10000, 1}, {}).size(), 10001u);
  EXPECT_TRUE(NotchAngles({false, 0, 10001, 1}, {}).empty());
  // A step lost in rounding at the limits would run copies of one notch.
  for (const double lo : {1e300, 1e20, 1e16})
    EXPECT_TRUE(NotchAngles({false, lo, lo + 8, 1}, {}).empty()) << lo;
}

TEST(QuadrantStudy, EqualCutOffSettingAndIndicatorParametersReachEveryRow) {
  const Session s = Taken(kGoods);
  const StudyOptions options{ValveSetting::equalCutOff, IndicatorParams{5, 0.2, 0.15}};
  const QuadrantStudy study = RunQuadrantStudy(s, 25, NotchPlan{false, -30, 30, 10}, 2, nullptr, options);
  ASSERT_EQ(study.problem, StudyProblem::none);
  EXPECT_EQ(study.centring, FindCentring(s, 25, ValveSetting::equalCutOff).centring);
  const RunResults setting = SettingRun(s, study).run->results;
  EXPECT_NEAR(setting.eventPct[cutOffBack], setting.eventPct[cutOffFront], 1e-6);
  std::optional<double> worst;
  for (const StudyRow& row : study.rows) {
    const IndicatorFigures expected = IndicatorOf(row.results, options.indicator);
    ASSERT_TRUE(row.indicator.workImbalancePct) << row.liftArmDeg;
    EXPECT_EQ(row.indicator.mepBack, expected.mepBack);
    EXPECT_EQ(row.indicator.workImbalancePct, expected.workImbalancePct);
    if (IsWorkingNotch(row) && (!worst || std::fabs(*expected.workImbalancePct) > std::fabs(*worst)))
      worst = expected.workImbalancePct;
  }
  EXPECT_EQ(study.summary.worstWorkImbalancePct, worst);
  EXPECT_NE(IndicatorOf(study.rows[0].results, {}).mepBack, study.rows[0].indicator.mepBack);
}

TEST(StudySummary, WorkingNotchesIncludeBothEdgesOfTheMeanCutOff) {
  std::vector<StudyRow> rows{CutOffRow(-30, 81, 79.002), CutOffRow(-20, 82, 78),  // 80.001 and 80
                             CutOffRow(-1, 10, 19.998),  CutOffRow(1, 14, 16),    // 14.999 and 15
                             CutOffRow(20, 40, 44),      CutOffRow(30, 50, 50)};
  StudyRow failed;
  failed.liftArmDeg = 40;
  failed.failure = MakeFailure(FailureKind::liftingLinkNoReach, 182);
  rows.push_back(failed);
  StudyRow noCutOff = CutOffRow(45, 50, 50);
  noCutOff.results.eventFound[cutOffFront] = false;
  rows.push_back(noCutOff);
  // The worst work imbalance by size, its sign kept, over working notches only.
  rows[0].indicator.workImbalancePct = 50;
  rows[1].indicator.workImbalancePct = 4;
  rows[3].indicator.workImbalancePct = -5;

  const StudySummary s = SummariseStudy(rows);
  EXPECT_EQ(s.workingNotchesDeg, (std::vector<double>{-20, 1, 20, 30}));
  EXPECT_EQ(s.worstInequalityUp, 4);
  EXPECT_EQ(s.worstInequalityDown, 4);
  EXPECT_EQ(s.worstInequality, 4);
  EXPECT_EQ(s.leadMin, -2);
  EXPECT_EQ(s.leadMax, 3);
  EXPECT_EQ(s.smallestPortOpening, 1);
  EXPECT_EQ(s.worstWorkImbalancePct, -5);
  EXPECT_FALSE(SummariseStudy({rows[0], rows[2]}).worstInequality);
}

TEST(StudyCsv, WhatWasStudiedThenHeaderAndRowsAtFullPrecisionWithEmptyFiguresAndTheError) {
  QuadrantStudy study;
  study.settingDeg = 17.5;
  study.options.valveSetting = ValveSetting::equalCutOff;
  study.options.indicator.rodRatio = 0.125;
  StudyRow row = CutOffRow(12.5, 0.1, 1.0 / 3);
  row.results.eventFound[exhaustBack] = false;
  row.indicator = {0.5, 1.0 / 3, std::nullopt};
  StudyRow failed;
  failed.liftArmDeg = -90 + 0.1;  // as the notches are typed, not -89.900000000000006
  failed.failure = MakeFailure(FailureKind::liftingLinkNoReach, 182);
  study.rows = {row, failed};
  EXPECT_EQ(
      StudyCsvText(study, "Goods, \"new\"", LengthUnit::mm),
      "engine,\"Goods, \"\"new\"\"\"\r\nsettingDeg,17.5\r\nvalveSetting,cutoff\r\nlengthUnit,mm\r\n"
      "clearancePct,8\r\nexhaustPressure,0.1\r\nrodRatio,0.125\r\n\r\n"
      "liftArmDeg,admissionBack,cutOffBack,exhaustBack,compressionBack,admissionFront,cutOffFront,"
      "exhaustFront,compressionFront,leadBack (mm),leadFront (mm),maxPortOpeningBack (mm),"
      "maxPortOpeningFront (mm),valveTravel (mm),linkAngleMinDeg,linkAngleMaxDeg,dieDeflection (mm),"
      "dieSlip (mm),mepBack,mepFront,workImbalancePct,error\r\n"
      "12.5,,0.10000000000000001,,,,0.33333333333333331,,,1.25,1.25,1,1,0,0,0,0,0,0.5,0.33333333333333331,,"
      "\r\n"
      "-89.9,,,,,,,,,,,,,,,,,,,,,The gear cannot be assembled at crank angle 182 deg.: the lifting link "
      "cannot reach the link.\r\n");
}
