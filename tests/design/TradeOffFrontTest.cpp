// The trade-off front: the filter keeps only designs no other beats on both
// counts, once each, ordered by cut-off inequality; a real front on the Goods
// engine is so ordered, every design of it a checked proposal, with progress
// counted over every search; a cancel keeps what was finished.
#include <gtest/gtest.h>

#include <atomic>

#include "SampleEngines.h"
#include "TradeOffFront.h"

namespace {

FrontDesign Made(double cutOff, double work, double larad) {
  FrontDesign d;
  d.cutOffInequality = cutOff;
  d.workImbalancePct = work;
  d.result.proposal.larad = larad;
  return d;
}

}  // namespace

TEST(TradeOffFrontTest, OnlyDesignsNoOtherBeatsOnBothCountsAreKeptInOrder) {
  // 3 is beaten by 1 on both counts (the sign of the work is which end does more, not better);
  // 5 has 2's figures; 6 is 4's design again; 7 ties 1's cut-off with worse work.
  const std::vector<FrontDesign> kept =
      NonDominated({Made(2.0, 3.0, 1), Made(3.0, -2.0, 2), Made(2.5, -3.5, 3), Made(1.0, 6.0, 4),
                    Made(3.0, -2.0, 5), Made(1.5, 5.0, 4), Made(2.0, 3.5, 7), Made(4.0, 2.0, 8)});
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0].result.proposal.larad, 4);
  EXPECT_EQ(kept[1].result.proposal.larad, 1);
  EXPECT_EQ(kept[2].result.proposal.larad, 2);
}

TEST(TradeOffFrontTest, GoodsFrontRunsFromBestCutOffToBestWorkWithProgressOverEverySearch) {
  DesignInput input;
  input.start = SampleGear("Goods 0-6-0 slide valve");
  input.free = DefaultFreeSet(input.start);
  input.maxEvaluations = 300;
  std::vector<FrontProgress> reports;
  const TradeOffFront front =
      FindTradeOffFront(input, 2, nullptr, [&](const FrontProgress& p) { reports.push_back(p); });
  ASSERT_EQ(front.status, DesignStatus::improved);
  ASSERT_GE(front.designs.size(), 3u);
  ASSERT_LE(front.designs.size(), 7u);
  EXPECT_EQ(front.searches, 2 + kFrontLevels);
  for (std::size_t i = 0; i < front.designs.size(); ++i) {
    const FrontDesign& d = front.designs[i];
    EXPECT_TRUE(d.result.tolerance.holds) << i;
    // No more imbalance than the start's, as the default work limit holds.
    EXPECT_LE(d.workSize(), std::fabs(*front.startWorkImbalancePct) + 1e-6);
    if (i == 0) continue;
    EXPECT_GT(d.cutOffInequality, front.designs[i - 1].cutOffInequality);
    EXPECT_LT(d.workSize(), front.designs[i - 1].workSize());
  }
  ASSERT_FALSE(reports.empty());
  for (std::size_t i = 1; i < reports.size(); ++i)
    EXPECT_GE(reports[i].evaluations, reports[i - 1].evaluations);
  EXPECT_EQ(reports.back().searchesDone, front.searches);
  EXPECT_EQ(reports.back().maxEvaluations, front.searches * input.maxEvaluations);
}

TEST(TradeOffFrontTest, ACancelStopsAfterTheSearchRunning) {
  DesignInput input;
  input.start = SampleGear("Goods 0-6-0 slide valve");
  input.free = DefaultFreeSet(input.start);
  const std::atomic<bool> cancel{true};
  const TradeOffFront front = FindTradeOffFront(input, 2, &cancel);
  EXPECT_EQ(front.status, DesignStatus::cancelled);
  EXPECT_EQ(front.searches, 1);
  EXPECT_TRUE(front.designs.empty());
  EXPECT_TRUE(front.startCutOffInequality);
}
