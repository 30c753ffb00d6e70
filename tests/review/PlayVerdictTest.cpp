// Accept or re-bush: a little play is accepted, a lost motion that takes the
// full-gear lead below its rule is to be re-bushed down to the clearance the
// verdict names (and no further), and the joints are ranked by their effect.
#include <gtest/gtest.h>

#include <cmath>

#include "EngineConversion.h"
#include "GearReview.h"
#include "PlayVerdict.h"
#include "SampleEngines.h"

namespace {

TEST(PlayVerdictTest, AcceptedOrReBushedToTheClearanceItNames) {
  const GearReview review =
      ReviewGear(SampleGear("Goods 0-6-0 slide valve"), {25, ValveSetting::equalLeads}, 2);
  ASSERT_TRUE(review.reviewed()) << review.problem;

  GearPlay worn;
  worn.clearance[rodPin1Joint] = worn.clearance[rodPin2Joint] = 1.0 / 32;
  worn.clearance[dieJoint] = 1.0 / 64;
  const PlayVerdict accepted = JudgePlay(review, worn, LengthUnit::in, 2);
  EXPECT_EQ(accepted.verdict, PlayVerdictKind::accept) << accepted.words;
  ASSERT_EQ(accepted.joints.size(), 9u);  // no rocker
  for (std::size_t i = 1; i < accepted.joints.size(); ++i)
    EXPECT_GE(std::fabs(accepted.joints[i - 1].perUnit), std::fabs(accepted.joints[i].perUnit));
  // The die moves the valve one for one, a rod pin by less than its whole clearance.
  EXPECT_EQ(accepted.joints.front().joint, "die");
  ASSERT_TRUE(accepted.joints.front().clearanceAtChange);
  EXPECT_GT(*accepted.joints.front().clearanceAtChange, 1.0 / 64);

  GearPlay slack;
  slack.total = 0.5;  // leads fall a quarter inch: below the rule's fair limit
  const PlayVerdict rebush = JudgePlay(review, slack, LengthUnit::in, 2);
  EXPECT_EQ(rebush.verdict, PlayVerdictKind::rebush) << rebush.words;
  ASSERT_EQ(rebush.joints.size(), 1u);
  const auto limit = rebush.joints.front().clearanceAtChange;
  ASSERT_TRUE(limit);
  EXPECT_LT(*limit, 0.5);
  GearPlay bushed = slack;
  bushed.total = *limit;
  EXPECT_NE(JudgePlay(review, bushed, LengthUnit::in, 2).verdict, PlayVerdictKind::rebush);
  bushed.total = *limit * 1.01;
  EXPECT_EQ(JudgePlay(review, bushed, LengthUnit::in, 2).verdict, PlayVerdictKind::rebush);
  EXPECT_NE(rebush.words.find("Re-bush"), std::string::npos);
}

}  // namespace
