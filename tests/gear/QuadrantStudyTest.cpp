// The quadrant study: its rows are the session's Evaluate bit for bit on one
// thread and on two, the usable ranges of the sample engines, the working-notch
// rule at its edges, and the CSV's header and rows.
#include <gtest/gtest.h>

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
  EXPECT_EQ(RunQuadrantStudy(Taken("Lifting link too short"), 10, {}).problem, StudyProblem::engineUnusable);

  // "auto" notches: the range's ends and the whole degrees between them.
  const QuadrantStudy study = RunQuadrantStudy(Taken(kGoods), 35, NotchPlan{true, 0, 0, 1});
  ASSERT_EQ(study.rows.size(), 68u);
  EXPECT_EQ(study.rows[0].liftArmDeg, -31.5);
  EXPECT_EQ(study.rows[1].liftArmDeg, -31);
  EXPECT_EQ(study.rows.back().liftArmDeg, 35);
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

  const StudySummary s = SummariseStudy(rows);
  EXPECT_EQ(s.workingNotchesDeg, (std::vector<double>{-20, 1, 20, 30}));
  EXPECT_EQ(s.worstInequalityUp, 4);
  EXPECT_EQ(s.worstInequalityDown, 4);
  EXPECT_EQ(s.worstInequality, 4);
  EXPECT_EQ(s.leadMin, -2);
  EXPECT_EQ(s.leadMax, 3);
  EXPECT_EQ(s.smallestPortOpening, 1);
  EXPECT_FALSE(SummariseStudy({rows[0], rows[2]}).worstInequality);
}

TEST(StudyCsv, HeaderAndRowsAtFullPrecisionWithEmptyEventsAndTheError) {
  StudyRow row = CutOffRow(12.5, 0.1, 1.0 / 3);
  row.results.eventFound[exhaustBack] = false;
  StudyRow failed;
  failed.liftArmDeg = -90;
  failed.failure = MakeFailure(FailureKind::liftingLinkNoReach, 182);
  const std::string csv = StudyCsvText({row, failed});
  EXPECT_EQ(csv,
            "liftArmDeg,admissionBack,cutOffBack,exhaustBack,compressionBack,admissionFront,cutOffFront,"
            "exhaustFront,compressionFront,leadBack,leadFront,maxPortOpeningBack,maxPortOpeningFront,"
            "valveTravel,linkAngleMinDeg,linkAngleMaxDeg,dieDeflection,error\r\n"
            "12.5,,0.10000000000000001,,,,0.33333333333333331,,,1.25,1.25,1,1,0,0,0,0,\r\n"
            "-90,,,,,,,,,,,,,,,,,The gear cannot be assembled at crank angle 182 deg.: the lifting link "
            "cannot reach the link.\r\n");
}
