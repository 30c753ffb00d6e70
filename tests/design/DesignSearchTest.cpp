// The design search on the sample engines, with few evaluations: the start's
// figures are the quadrant study's, the bounds hold, the seed decides the
// proposal alone on any number of threads, and a cancel stops it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

#include "DesignSearch.h"
#include "QuadrantStudy.h"
#include "SampleEngines.h"

namespace {

DesignInput GoodsInput() {
  DesignInput input;
  input.start = SampleGear("Goods 0-6-0 slide valve");
  input.free = DefaultFreeSet(input.start);
  input.notchesDeg = {-30, -20, -10, 10, 20, 30};
  input.maxEvaluations = 80;
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
  const QuadrantStudy study = RunQuadrantStudy(s, 25, NotchPlan{true, 0, 0, 5}, 2);
  const std::vector<double> working = study.summary.workingNotchesDeg;
  ASSERT_GE(working.size(), 4u);
  const DesignFigures figures = MeasureDesign(goods, 25, working);
  ASSERT_TRUE(figures.complete);
  EXPECT_EQ(figures.worstInequality, *study.summary.worstInequality);
  for (std::size_t i = 0; i < working.size(); ++i) {
    const StudyRow* row = nullptr;
    for (const StudyRow& r : study.rows)
      if (r.liftArmDeg == working[i]) row = &r;
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(std::memcmp(&figures.notches[i].results, &row->results, sizeof(RunResults)), 0) << working[i];
  }
  // The defaults are working notches of that study, on both sides of mid-gear.
  const std::vector<double> defaults = DefaultNotches(goods, 25, 2);
  ASSERT_FALSE(defaults.empty());
  EXPECT_LT(defaults.front(), 0);
  EXPECT_GT(defaults.back(), 0);
  EXPECT_LE(defaults.size(), 10u);
  for (const double notch : defaults)
    EXPECT_NE(std::find(working.begin(), working.end(), notch), working.end());
  // The port floor is 90 % of the start's smaller opening: the start meets it and a
  // design opening less fails it.
  const std::vector<double> smaller = SmallerPortOpenings(figures);
  std::vector<double> floor;
  for (const double opening : smaller) floor.push_back(kPortOpeningShare * opening);
  EXPECT_EQ(ConstraintViolation(figures, floor, goods.port), 0);
  floor[0] = smaller[0] * 1.01;
  EXPECT_GT(ConstraintViolation(figures, floor, goods.port), 0);
}

TEST(DesignSearchTest, BoundsHoldAndTheSameSeedGivesTheSameProposalOnOneThreadOrFour) {
  DesignInput input = GoodsInput();
  input.free = {{"larad", 10.5, 11.2}, {"liftlink", 17.9, 19}, {"ctoweighv", 18, 19.5}};
  const DesignResult first = SearchDesign(input, 1);
  const DesignResult again = SearchDesign(input, 4);
  EXPECT_EQ(first.status, DesignStatus::improved);
  EXPECT_LT(first.after.worstInequality, first.before.worstInequality);
  EXPECT_TRUE(SameNumbers(first.proposal, again.proposal));
  for (const FreeDimension& d : input.free) {
    const double value = first.proposal.*(FindDesignDimension(d.name)->field);
    EXPECT_GE(value, d.lower) << d.name;
    EXPECT_LE(value, d.upper) << d.name;
  }
  Engine unchanged = first.proposal;
  for (const FreeDimension& d : input.free)
    unchanged.*(FindDesignDimension(d.name)->field) = input.start.*(FindDesignDimension(d.name)->field);
  EXPECT_TRUE(SameNumbers(unchanged, input.start));
}

TEST(DesignSearchTest, CancelStopsTheSearchWithTheBestSoFar) {
  DesignInput input = GoodsInput();
  input.maxEvaluations = 1000000;
  std::atomic<bool> cancel{false};
  int atCancel = 0;
  const DesignResult result = SearchDesign(input, 2, &cancel, [&](const DesignProgress& p) {
    if (cancel) return;
    atCancel = p.evaluations;
    cancel = true;
  });
  EXPECT_EQ(result.status, DesignStatus::cancelled);
  // Each thread stops at its next evaluation (a few may have begun meanwhile).
  EXPECT_LE(result.evaluations, atCancel + 10);
  EXPECT_TRUE(result.after.complete);
}

TEST(DesignSearchTest, AStartThatFailsAtANotchHasNoFeasibleDesign) {
  DesignInput input = GoodsInput();
  input.notchesDeg = {-89.5, 10};
  EXPECT_EQ(SearchDesign(input, 1).status, DesignStatus::noFeasibleDesign);
}
