// The solved gear against geometry: every rod keeps its length at every step of
// every workable sample engine across its whole working range, the pose joins
// up round the revolution, and mid-gear agrees with a hand-solved construction.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "CrankSweep.h"
#include "GearSolver.h"
#include "MidGear.h"
#include "SampleEngines.h"

namespace {

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

void ExpectLength(double length, double expected, const char* member, double angle, int k) {
  EXPECT_NEAR(length, expected, 1e-9 * expected) << member << " at arm " << angle << ", step " << k;
}

void ExpectAssembled(const GearState& s, double angle) {
  const JointTable& t = s.joints;
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
double HandMidGearAngle(const GearState& s) {
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
    GearState s;
    ASSERT_TRUE(SetMidGear(s, sample.record).ok);
    for (double angle = sample.assemblesFrom; angle <= sample.assemblesTo; angle += 1) {
      const GearStatus status = RunCrankSweep(s, angle);
      ASSERT_TRUE(status.ok) << s.name << " at " << angle << ": " << status.message;
      ExpectAssembled(s, angle);
    }
    for (const double outside : {sample.assemblesFrom - 1, sample.assemblesTo + 1}) {
      if (std::fabs(outside) > 90) continue;
      EXPECT_FALSE(RunCrankSweep(s, outside).ok) << s.name << " at " << outside;
    }
  }
}

TEST(GearSolver, FollowsTheLowShaftGearFromMidGearInsteadOfTheOtherAssembly) {
  GearState s;
  ASSERT_TRUE(SetMidGear(s, SampleRecord("Low shaft, short lifting link")).ok);
  ASSERT_TRUE(RunCrankSweep(s, -30).ok);
  // The lifting link stands up from the arm end to the link; the other
  // assembly (pin1 at -7.68) has it swung down below the arm end.
  EXPECT_NEAR(s.joints.Y[0][pin1], 11.61, 0.005);
  EXPECT_GT(s.joints.Y[0][liftPin], s.joints.Y[0][armEnd]);
}

TEST(GearSolver, DeadCentresAndCrankDirection) {
  GearState s;
  ASSERT_TRUE(SetMidGear(s, SampleRecord("Goods 0-6-0 slide valve")).ok);  // outside admission: back first
  ASSERT_TRUE(RunCrankSweep(s, 20).ok);
  EXPECT_NEAR(s.pistonTable[0], -13, 1e-9);
  EXPECT_NEAR(s.pistonTable[90], 13, 1e-9);
  EXPECT_NEAR(s.pistonTable[45], std::sqrt(78.0 * 78 - 13 * 13) - 78, 1e-6);
  const double forwardPinY = s.joints.Y[1][crankPin];
  ASSERT_TRUE(RunCrankSweep(s, -20).ok);
  EXPECT_EQ(s.runDir, -1);
  EXPECT_NEAR(s.joints.Y[1][crankPin], -forwardPinY, 1e-12);
  EXPECT_NEAR(s.joints.X[90][crankPin], 13, 1e-9);

  ASSERT_TRUE(SetMidGear(s, SampleRecord("Tank 0-6-2T piston valves")).ok);  // inside admission: front first
  ASSERT_TRUE(RunCrankSweep(s, 20).ok);
  EXPECT_NEAR(s.pistonTable[0], 13, 1e-9);
  EXPECT_NEAR(s.pistonTable[90], -13, 1e-9);

  // Any other stored valve type counts as outside admission, however large.
  EngineRecord odd = SampleRecord("Express 4-4-0 rocker B");
  odd.valveType = std::numeric_limits<std::int32_t>::min();
  ASSERT_TRUE(SetMidGear(s, odd).ok);
  ASSERT_TRUE(RunCrankSweep(s, 20).ok);
  EXPECT_NEAR(s.pistonTable[0], -13, 1e-9);
}

TEST(MidGear, ArmEndMeetsTheLiftingLinkOnTheSideTheArmSwings) {
  for (const SampleEngine& sample : SampleEngines()) {
    if (sample.assemblesFrom == sample.assemblesTo) continue;
    GearState s;
    ASSERT_TRUE(SetMidGear(s, sample.record).ok);
    EXPECT_NEAR(s.midGearAngle, HandMidGearAngle(s), 1e-7) << s.name;
    // At 0 degrees the arm end is the mid-gear one, a lifting link's length
    // from the mid-gear lifting pin.
    const Point armAtMid = PlaceDrivers(s, 0, s.midGearAngle).armEnd;
    EXPECT_NEAR(Distance(armAtMid, {s.eccrod + s.pintoslot - s.raddisp, s.circdisp}), s.liftlink, 1e-7)
        << s.name;
  }
  // Weighshaft straight above the eccentric-rod end: the arm swings towards
  // the link, and mid-gear is found on that side.
  EngineRecord above = SampleRecord("Express 4-4-0 rocker B");
  above.ctoweighh = above.eccrod;
  GearState s;
  ASSERT_TRUE(SetMidGear(s, above).ok);
  EXPECT_NEAR(s.midGearAngle * 180 / std::numbers::pi, 18.54, 0.01);
  EXPECT_NEAR(s.midGearAngle, HandMidGearAngle(s), 1e-7);
}

TEST(MidGear, DirectionTextAndUnreachableLiftingLink) {
  GearState s;
  ASSERT_TRUE(SetMidGear(s, SampleRecord("Goods 0-6-0 slide valve")).ok);
  EXPECT_EQ(MidGearText(s), " down 5.216 deg. ");  // about asin(1/11): the arm end 1 below the shaft
  EXPECT_EQ(MidGearText(s, ','), " down 5,216 deg. ");
  s.midGearAngle = 0;
  EXPECT_EQ(MidGearText(s), " up 0 deg. ");

  const GearStatus status = SetMidGear(s, SampleRecord("Lifting link too short"));
  EXPECT_FALSE(status.ok);
  EXPECT_NE(status.message.find("lifting link cannot reach"), std::string::npos) << status.message;
  EXPECT_EQ(s.midGearAngle, 0);
  EXPECT_EQ(s.name, "Lifting link too short");
  EXPECT_EQ(s.liftlink, 5);
  const GearStatus sweep = RunCrankSweep(s, 10);
  EXPECT_FALSE(sweep.ok);
  EXPECT_EQ(sweep.message, status.message);
}
