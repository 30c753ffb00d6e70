// The design search on the sample engines, with few evaluations: the start's
// figures and breaches are the quadrant study's, the bounds hold and the sign
// rules too, the proposal keeps every notch of the start's usable range, the
// limit of evaluations holds, the seed decides the proposal alone on any
// number of threads, and a cancel stops it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

#include "DesignProblem.h"
#include "DesignSearch.h"
#include "EngineScale.h"
#include "NumberFormat.h"
#include "QuadrantStudy.h"
#include "SampleEngines.h"
#include "ToleranceCheck.h"

namespace {

DesignInput GoodsInput(int evaluations) {
  DesignInput input;
  input.start = SampleGear("Goods 0-6-0 slide valve");
  input.free = DefaultFreeSet(input.start);
  input.maxEvaluations = evaluations;
  return input;
}

bool SameNumbers(const Engine& a, const Engine& b) {
  for (const DesignDimension& d : DesignDimensions())
    if (std::memcmp(&(a.*d.field), &(b.*d.field), sizeof(double)) != 0) return false;
  return true;
}

}  // namespace

TEST(DesignSearchTest, TheStartIsJudgedByItsQuadrantStudy) {
  const Engine goods = SampleGear("Goods 0-6-0 slide valve");
  Session s;
  s.Take(goods);
  const QuadrantStudy study = RunQuadrantStudy(s, 25, NotchPlan{true, 0, 0, 0.5}, 2);
  ASSERT_TRUE(study.usable);
  const DesignResult result = SearchDesign(GoodsInput(1), 2);
  ASSERT_TRUE(result.range);
  EXPECT_EQ(result.range->loDeg, study.usable->loDeg);
  EXPECT_EQ(result.range->hiDeg, study.usable->hiDeg);
  ASSERT_EQ(result.before.notches.size(), study.rows.size());
  for (std::size_t i = 0; i < study.rows.size(); ++i) {
    EXPECT_EQ(result.before.notches[i].row.liftArmDeg, study.rows[i].liftArmDeg);
    EXPECT_EQ(std::memcmp(&result.before.notches[i].row.results, &study.rows[i].results, sizeof(RunResults)),
              0)
        << study.rows[i].liftArmDeg;
  }
  EXPECT_EQ(result.beforeObjective, study.summary.worstInequality);
  EXPECT_EQ(result.beforeSummary.study.worstInequalityUp, study.summary.worstInequalityUp);
  EXPECT_TRUE(result.startBreaches.empty());
}

TEST(DesignSearchTest, ACornerOfTheTolerancesThatCannotBeMeasuredFailsTheCheck) {
  // Made 10 units off, the weighshaft's height leaves the gear with no
  // figures at a corner: the check says so rather than reading figures it lacks.
  DesignInput input = GoodsInput(1);
  input.grid.lengthTolerance = 10;
  const DesignResult start = SearchDesign(input, 2);
  const DesignProblem problem(input, start.notchesDeg, start.before, 2);
  Engine design = input.start;
  design.ctoweighv += 0.01;
  const DesignProgressSink silent;
  SearchTally tally(100, nullptr, silent);
  const ToleranceOutcome outcome = CheckTolerance(problem, tally, design, problem.MeasureFine(design));
  EXPECT_TRUE(outcome.checked);
  EXPECT_FALSE(outcome.holds);
  ASSERT_EQ(outcome.breaches.size(), 1u);
  EXPECT_EQ(outcome.breaches.front().kind, BreachKind::notMeasured);
  EXPECT_NE(BreachText(outcome.breaches.front()).find("cannot be measured"), std::string::npos);
}

TEST(DesignSearchTest, WithNoDesignHoldingAtItsTolerancesTheBestFoundSaysWhyAndWhatItWouldNeed) {
  // Goods as a 5-in gauge model in millimetres, made within +/- 0.2 mm: the
  // better designs found all break a limit at a corner of that box, and so
  // does the start itself, made so.
  DesignInput input;
  input.start = ScaledEngine(SampleGear("Goods 0-6-0 slide valve"), 25.4 / 11.3);
  input.free = DefaultFreeSet(input.start);
  input.grid = DrawingGrid::ForUnit(LengthUnit::mm);
  input.grid.lengthTolerance = 0.2;
  const DesignResult result = SearchDesign(input, 2);
  ASSERT_EQ(result.status, DesignStatus::noBetterDesign);
  ASSERT_TRUE(result.rejected);
  const RejectedDesign& best = *result.rejected;
  EXPECT_LT(best.objective, *result.beforeObjective);
  EXPECT_FALSE(best.tolerance.holds);
  ASSERT_FALSE(best.tolerance.breaches.empty());
  EXPECT_FALSE(best.tolerance.brokenCorner.empty());
  ASSERT_TRUE(best.toleranceShare);
  EXPECT_TRUE(result.tolerance.checked);
  EXPECT_FALSE(result.tolerance.holds);
  const std::string why = NoBetterDesignText(result, input, LengthUnit::mm);
  EXPECT_EQ(why.rfind("The start itself does not hold its limits within its tolerances", 0), 0u) << why;
  EXPECT_NE(why.find(BreachText(best.tolerance.breaches.front())), std::string::npos) << why;
  EXPECT_NE(why.find("within +/- " + FormatGeneral4(0.2 * *best.toleranceShare) + " mm"), std::string::npos)
      << why;
  // Made that much closer, the search proposes a better design.
  input.grid.lengthTolerance *= *best.toleranceShare;
  const DesignResult closer = SearchDesign(input, 2);
  EXPECT_EQ(closer.status, DesignStatus::improved);
  EXPECT_LT(*closer.afterObjective, *result.beforeObjective);
}

TEST(DesignSearchTest, TheBreachesOfAStartAreWhereItsRunsBreakTheConstraint) {
  // Set for equal cut-off, the low-shaft engine's leads go negative towards
  // full gear: the first notch where a study's run shows it is the breach named.
  const Engine low = SampleGear("Low shaft, short lifting link");
  Session s;
  s.Take(low);
  const auto centring = FindCentring(s, 25, ValveSetting::equalCutOff).centring;
  ASSERT_TRUE(centring);
  DesignInput input;
  input.start = low;
  input.setting.valve = ValveSetting::equalCutOff;
  input.maxEvaluations = 1;
  const DesignResult result = SearchDesign(input, 2);
  std::optional<double> firstNegative;
  for (const double angle : result.notchesDeg) {
    const RunOutcome run = s.Evaluate(angle, *centring);
    ASSERT_TRUE(run.ok());
    if (!firstNegative && !(std::min(run.run->results.leadBack, run.run->results.leadFront) > 0))
      firstNegative = angle;
  }
  ASSERT_TRUE(firstNegative);
  ASSERT_FALSE(result.startBreaches.empty());
  EXPECT_EQ(result.startBreaches.front().kind, BreachKind::leadNotPositive);
  EXPECT_EQ(result.startBreaches.front().notchDeg, *firstNegative);
}

TEST(DesignSearchTest, TheProposalKeepsBoundsSignsAndEveryNotchOfTheRange) {
  DesignInput input = GoodsInput(400);
  for (const DesignDimension& d : DesignDimensions()) {
    const FreeDimension bounds = DefaultBounds(input.start, d.name);
    EXPECT_FALSE(BoundsProblem(input.start, bounds)) << d.name;
    if (FindDimension(d.name)->sign == SignRule::positive && input.start.*d.field > 0) {
      EXPECT_GT(bounds.lower, 0) << d.name;
    }
  }
  input.free.push_back(DefaultBounds(input.start, "stlap"));
  EXPECT_TRUE(BoundsProblem(input.start, {"stlap", -0.5, 1.5}));
  EXPECT_TRUE(BoundsProblem(input.start, {"angadv", -1, 30}));
  EXPECT_FALSE(BoundsProblem(input.start, {"exlap", -0.5, 0.5}));

  const DesignResult result = SearchDesign(input, 2);
  ASSERT_EQ(result.status, DesignStatus::improved);
  EXPECT_LT(*result.afterObjective, *result.beforeObjective);
  for (const FreeDimension& d : input.free) {
    const double value = result.proposal.*(FindDesignDimension(d.name)->field);
    EXPECT_GE(value, d.lower) << d.name;
    EXPECT_LE(value, d.upper) << d.name;
  }
  Session s;
  s.Take(result.proposal);
  const auto range = FindUsableRange(s, 2);
  ASSERT_TRUE(range);
  EXPECT_LE(range->loDeg, result.range->loDeg);
  EXPECT_GE(range->hiDeg, result.range->hiDeg);
  // The figures reported are the proposal's quadrant study.
  const QuadrantStudy study =
      RunQuadrantStudy(s, 25, NotchPlan{false, result.range->loDeg, result.range->hiDeg, 0.5}, 2);
  EXPECT_EQ(result.afterObjective, study.summary.worstInequality);
}

TEST(DesignSearchTest, TheLimitOfEvaluationsHolds) {
  for (const int most : {1, 4, 40}) {
    const DesignResult result = SearchDesign(GoodsInput(most), 2);
    EXPECT_LE(result.evaluations, most);
    EXPECT_GE(result.evaluations, most / 2) << most;
  }
}

TEST(DesignSearchTest, TheSameSeedGivesTheSameProposalOnOneThreadOrThree) {
  DesignInput input = GoodsInput(60);
  input.seed = 7;
  const DesignResult first = SearchDesign(input, 1);
  const DesignResult again = SearchDesign(input, 3);
  EXPECT_TRUE(SameNumbers(first.proposal, again.proposal));
  EXPECT_EQ(first.evaluations, again.evaluations);
}

TEST(DesignSearchTest, CancelStopsTheSearchWithTheBestSoFar) {
  DesignInput input = GoodsInput(1000000);
  std::atomic<bool> cancel{false};
  int atCancel = 0;
  const DesignResult result = SearchDesign(input, 2, &cancel, [&](const DesignProgress& p) {
    if (cancel) return;
    atCancel = p.evaluations;
    cancel = true;
  });
  EXPECT_EQ(result.status, DesignStatus::cancelled);
  // The trial under way ends, then at most the checks of the best so far.
  EXPECT_LE(result.evaluations, atCancel + 3);
  EXPECT_EQ(result.after.notches.size(), result.notchesDeg.size());
}

TEST(DesignSearchTest, AStartThatCannotBeSetSaysWhereItFails) {
  DesignInput input;
  input.start = SampleGear("Conrod shorter than crank");
  input.free = DefaultFreeSet(input.start);
  const DesignResult result = SearchDesign(input, 1);
  EXPECT_EQ(result.status, DesignStatus::cannotStart);
  ASSERT_TRUE(result.failure);
  EXPECT_NE(result.problem.find("crank angle"), std::string::npos) << result.problem;
}

TEST(DesignSearchTest, QuickRunsAgreeWithExactOnes) {
  // The low-shaft engine's link pose must be followed on its upper side.
  const Engine low = SampleGear("Low shaft, short lifting link");
  std::vector<double> angles;
  for (double a = -60; a <= 60; a += 2.5) angles.push_back(a);
  const DesignFigures exact = MeasureDesign(low, {}, angles, SolveMethod::exact, 2);
  const DesignFigures quick = MeasureDesign(low, {}, angles, SolveMethod::quick, 2);
  ASSERT_EQ(exact.notches.size(), quick.notches.size());
  for (std::size_t i = 0; i < angles.size(); ++i) {
    const NotchFigures &e = exact.notches[i], &q = quick.notches[i];
    ASSERT_EQ(e.row.ok(), q.row.ok()) << angles[i];
    if (!e.row.ok()) continue;
    EXPECT_EQ(e.usable(), q.usable()) << angles[i];
    for (int k = 0; k < kEvents; ++k)
      EXPECT_NEAR(e.row.results.eventPct[k], q.row.results.eventPct[k], 1e-3) << angles[i];
    EXPECT_NEAR(e.dieLow, q.dieLow, 1e-6);
  }
}
