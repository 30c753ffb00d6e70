// The solved gear against geometry: every rod keeps its length at every step of
// every workable sample engine across its whole working range, the pose joins
// up round the revolution, and mid-gear agrees with a hand-solved construction.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "CrankSweep.h"
#include "GearSolver.h"
#include "MidGear.h"
#include "SampleEngines.h"
#include "Session.h"

namespace {

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

void ExpectLength(double length, double expected, const char* member, double angle, int k) {
  EXPECT_NEAR(length, expected, 1e-9 * expected) << member << " at arm " << angle << ", step " << k;
}

void ExpectAssembled(const Engine& s, const GearRun& run, double angle) {
  const JointTable& t = run.joints;
  for (int k = 0; k < kSteps; ++k) {
    ExpectLength(Distance(t.At(k, ecc1), t.At(k, pin1)), s.eccrod, "eccentric rod 1", angle, k);
    ExpectLength(Distance(t.At(k, ecc2), t.At(k, pin2)), s.eccrod, "eccentric rod 2", angle, k);
    ExpectLength(Distance(t.At(k, pin1), t.At(k, pin2)), s.linkpins, "link chord", angle, k);
    ExpectLength(Distance(t.At(k, linkCentre), t.At(k, pin2)), s.eccrod, "link radius", angle, k);
    ExpectLength(Distance(t.At(k, linkCentre), t.At(k, die)), s.eccrod + s.pintoslot, "slot radius", angle,
                 k);
    ExpectLength(Distance(t.At(k, crankPin), t.At(k, crosshead)), s.conrod, "connecting rod", angle, k);
    ExpectLength(Distance(t.At(k, weighshaft), t.At(k, armEnd)), s.larad, "lifting arm", angle, k);
    EXPECT_NEAR(Distance(t.At(k, armEnd), t.At(k, liftPin)), s.liftlink, 1e-4 * s.eccrad)
        << angle << " " << k;
    EXPECT_NEAR(t.Y[k][die], 0, 1e-12);
    // The pose moves a little from each step to the next, also from the last
    // step back to the first: the search never jumps to another assembly.
    const int next = (k + 1) % kSteps;
    EXPECT_LT(std::fabs(t.Y[next][pin1] - t.Y[k][pin1]), 0.05 * s.linkpins) << angle << " " << k;
  }
}

// The mid-gear arm end by the textbook construction of two crossing circles,
// taking the crossing farther out on the side the lifting arm points to.
double HandMidGearAngle(const Engine& s) {
  const Point l0{s.eccrod + s.pintoslot - s.raddisp, s.circdisp}, w{s.ctoweighh, s.ctoweighv};
  const double d = Distance(l0, w);
  const double a = (d * d + s.liftlink * s.liftlink - s.larad * s.larad) / (2 * d);
  const double h = std::sqrt(s.liftlink * s.liftlink - a * a);
  const Point base{l0.x + a * (w.x - l0.x) / d, l0.y + a * (w.y - l0.y) / d};
  const Point e1{base.x - h * (w.y - l0.y) / d, base.y + h * (w.x - l0.x) / d};
  const Point e2{base.x + h * (w.y - l0.y) / d, base.y - h * (w.x - l0.x) / d};
  const double armSign = s.ctoweighh <= s.eccrod ? 1 : -1;
  const Point e = armSign * (e1.x - e2.x) > 0 ? e1 : e2;
  return std::asin((s.ctoweighv - e.y) / s.larad);
}

}  // namespace

TEST(GearSolver, EveryWorkableSampleAssemblesWithTrueLengthsAcrossItsRange) {
  for (const SampleEngine& sample : SampleEngines()) {
    if (sample.assemblesFrom == sample.assemblesTo) continue;
    Session s;
    ASSERT_FALSE(s.Take(ToEngine(sample.record)));
    const Engine& e = s.engine();
    for (double angle = sample.assemblesFrom; angle <= sample.assemblesTo; angle += 1) {
      const RunOutcome outcome = s.Go(angle);
      ASSERT_TRUE(outcome.ok()) << e.name << " at " << angle << ": " << FailureMessage(*outcome.failure);
      ExpectAssembled(e, *outcome.run, angle);
    }
    for (const double outside : {sample.assemblesFrom - 1, sample.assemblesTo + 1}) {
      if (std::fabs(outside) > 90) continue;
      EXPECT_FALSE(s.Go(outside).ok()) << e.name << " at " << outside;
    }
  }
}

TEST(GearSolver, FollowsTheLowShaftGearFromMidGearInsteadOfTheOtherAssembly) {
  Session s;
  ASSERT_FALSE(s.Take(SampleGear("Low shaft, short lifting link")));
  ASSERT_TRUE(s.Go(-30).ok());
  // The lifting link stands up from the arm end to the link; the other
  // assembly (pin1 at -7.68) has it swung down below the arm end.
  const JointTable& t = s.latestRun()->joints;
  EXPECT_NEAR(t.Y[0][pin1], 11.61, 0.005);
  EXPECT_GT(t.Y[0][liftPin], t.Y[0][armEnd]);
}

TEST(GearSolver, DeadCentresAndCrankDirection) {
  Session s;
  ASSERT_FALSE(s.Take(SampleGear("Goods 0-6-0 slide valve")));  // outside admission: back first
  const RunOutcome forward = s.Go(20);
  ASSERT_TRUE(forward.ok());
  EXPECT_NEAR(forward.run->pistonTable[0], -13, 1e-9);
  EXPECT_NEAR(forward.run->pistonTable[90], 13, 1e-9);
  EXPECT_NEAR(forward.run->pistonTable[45], std::sqrt(78.0 * 78 - 13 * 13) - 78, 1e-6);
  const RunOutcome backward = s.Go(-20);
  ASSERT_TRUE(backward.ok());
  EXPECT_EQ(backward.run->runDir, -1);
  EXPECT_NEAR(backward.run->joints.Y[1][crankPin], -forward.run->joints.Y[1][crankPin], 1e-12);
  EXPECT_NEAR(backward.run->joints.X[90][crankPin], 13, 1e-9);

  ASSERT_FALSE(s.Take(SampleGear("Tank 0-6-2T piston valves")));  // inside admission: front first
  ASSERT_TRUE(s.Go(20).ok());
  EXPECT_NEAR(s.latestRun()->pistonTable[0], 13, 1e-9);
  EXPECT_NEAR(s.latestRun()->pistonTable[90], -13, 1e-9);

  // Any other stored valve type counts as outside admission, however large.
  Engine odd = SampleGear("Express 4-4-0 rocker B");
  odd.valveType = std::numeric_limits<std::int32_t>::min();
  ASSERT_FALSE(s.Take(odd));
  ASSERT_TRUE(s.Go(20).ok());
  EXPECT_NEAR(s.latestRun()->pistonTable[0], -13, 1e-9);
}

TEST(MidGear, ArmEndMeetsTheLiftingLinkOnTheSideTheArmSwings) {
  for (const SampleEngine& sample : SampleEngines()) {
    if (sample.assemblesFrom == sample.assemblesTo) continue;
    const Engine s = ToEngine(sample.record);
    const auto midGear = FindMidGearAngle(s);
    ASSERT_TRUE(midGear) << s.name;
    EXPECT_NEAR(*midGear, HandMidGearAngle(s), 1e-7) << s.name;
    // At 0 degrees the arm end is the mid-gear one, a lifting link's length
    // from the mid-gear lifting pin.
    const Point armAtMid = PlaceDrivers(s, 0, *midGear).armEnd;
    EXPECT_NEAR(Distance(armAtMid, {s.eccrod + s.pintoslot - s.raddisp, s.circdisp}), s.liftlink, 1e-7)
        << s.name;
  }
  // Weighshaft straight above the eccentric-rod end: the arm swings towards
  // the link, and mid-gear is found on that side.
  Engine above = SampleGear("Express 4-4-0 rocker B");
  above.ctoweighh = above.eccrod;
  const auto midGear = FindMidGearAngle(above);
  ASSERT_TRUE(midGear);
  EXPECT_NEAR(*midGear * 180 / std::numbers::pi, 18.54, 0.01);
  EXPECT_NEAR(*midGear, HandMidGearAngle(above), 1e-7);
}

TEST(MidGear, DirectionTextAndUnreachableLiftingLink) {
  const auto goods = FindMidGearAngle(SampleGear("Goods 0-6-0 slide valve"));
  ASSERT_TRUE(goods);
  EXPECT_EQ(MidGearText(*goods), " down 5.216 deg. ");  // about asin(1/11): the arm end 1 below the shaft
  EXPECT_EQ(MidGearText(*goods, ','), " down 5,216 deg. ");
  EXPECT_EQ(MidGearText(0), " up 0 deg. ");

  Session s;
  const auto failure = s.Take(SampleGear("Lifting link too short"));
  ASSERT_TRUE(failure);
  const std::string message = FailureMessage(*failure);
  EXPECT_NE(message.find("lifting link cannot reach"), std::string::npos) << message;
  EXPECT_FALSE(s.midGearAngle());
  EXPECT_EQ(s.engine().name, "Lifting link too short");
  EXPECT_EQ(s.engine().liftlink, 5);
  const RunOutcome sweep = s.Go(10);
  ASSERT_FALSE(sweep.ok());
  EXPECT_EQ(FailureMessage(*sweep.failure), message);
}

TEST(GearSolver, EccentricsWithoutThrowOrOfNegativeRadiusStillAssemble) {
  // Without throw the link hangs still: the valve never moves at any notch.
  Engine still = SampleGear("Goods 0-6-0 slide valve");
  still.eccrad = 0;
  Session s;
  ASSERT_FALSE(s.Take(still));
  for (const double angle : {0.0, 30.0, -30.0}) {
    const RunOutcome outcome = s.Go(angle);
    ASSERT_TRUE(outcome.ok()) << angle << ": " << FailureMessage(*outcome.failure);
    const double* valve = outcome.run->valveTable;
    const auto [least, most] = std::minmax_element(valve, valve + kSteps);
    EXPECT_LT(*most - *least, 1e-3) << angle;
  }
  // A negative radius puts each eccentric half a turn round: the same gear as
  // the positive radius with the advance turned by 180 degrees.
  Engine negative = SampleGear("Goods 0-6-0 slide valve"), turned = negative;
  negative.eccrad = -negative.eccrad;
  turned.angadv += 180;
  Session t;
  ASSERT_FALSE(s.Take(negative));
  ASSERT_FALSE(t.Take(turned));
  const RunOutcome a = s.Go(20), b = t.Go(20);
  ASSERT_TRUE(a.ok() && b.ok());
  for (int k = 0; k < kSteps; ++k) EXPECT_NEAR(a.run->valveTable[k], b.run->valveTable[k], 1e-6) << k;
}
