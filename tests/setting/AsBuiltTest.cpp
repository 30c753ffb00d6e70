// The gear as built: with no deviation every run is the stored engine's to
// the last bit; a deviation moves what it should by the amount worked out
// apart from the solver.
#include <gtest/gtest.h>

#include <cmath>

#include "CrankSweep.h"
#include "MidGear.h"
#include "SampleEngines.h"

namespace {

void ExpectSameRun(const GearRun& a, const GearRun& b) {
  for (int k = 0; k < kRows; ++k) {
    for (int j = 0; j < kJoints; ++j) {
      ASSERT_EQ(a.joints.X[k][j], b.joints.X[k][j]) << k << ' ' << j;
      ASSERT_EQ(a.joints.Y[k][j], b.joints.Y[k][j]) << k << ' ' << j;
    }
    ASSERT_EQ(a.valveTable[k], b.valveTable[k]);
    ASSERT_EQ(a.pistonTable[k], b.pistonTable[k]);
  }
  for (int e = 0; e < kEvents; ++e) ASSERT_EQ(a.results.eventPct[e], b.results.eventPct[e]);
  EXPECT_EQ(a.results.leadFront, b.results.leadFront);
  EXPECT_EQ(a.results.leadBack, b.results.leadBack);
  EXPECT_EQ(a.valveCentre, b.valveCentre);
  EXPECT_EQ(a.dieSlip, b.dieSlip);
}

TEST(AsBuiltTest, NoDeviationIsTheStoredEngineBitForBit) {
  for (const SampleEngine& sample : SampleEngines()) {
    const Engine stored = ToEngine(sample.record);
    Engine built = stored;
    built.asBuilt = GearDeviations{0, 0, 0, 0, 0};
    const auto midGear = FindMidGearAngle(stored);
    if (!midGear) continue;
    for (const double angle : {sample.assemblesFrom, 0.0, sample.assemblesTo}) {
      const RunOutcome a = RunCrankSweep(stored, *midGear, angle, std::nullopt);
      const RunOutcome b = RunCrankSweep(built, *midGear, angle, std::nullopt);
      ASSERT_EQ(a.ok(), b.ok());
      if (!a.ok()) continue;
      ExpectSameRun(*a.run, *b.run);
      const RunOutcome c = RunCrankSweep(built, *midGear, angle, a.run->valveCentre);
      ExpectSameRun(*a.run, *c.run);
    }
  }
}

TEST(AsBuiltTest, DeviationsMoveWhatTheyShould) {
  const Engine design = SampleGear("Goods 0-6-0 slide valve");
  const double midGear = *FindMidGearAngle(design);
  const RunOutcome set = RunCrankSweep(design, midGear, 30, std::nullopt);
  // The spindle moves the valve and nothing else: each lead changes by the
  // offset, the raw valve positions at the dead centres taken from the design.
  Engine spindle = design;
  spindle.asBuilt.spindle = 3.0 / 64;
  const RunOutcome moved = RunCrankSweep(spindle, midGear, 30, set.run->valveCentre);
  const double centre = set.run->valveCentre - 3.0 / 64;
  // Goods' crank starts at the back dead centre (step 0); the front is step 90.
  const double rawBack = set.run->valveTable[0] + set.run->valveCentre;
  const double rawFront = set.run->valveTable[90] + set.run->valveCentre;
  EXPECT_NEAR(moved.run->results.leadBack, std::fabs(rawBack - centre) - design.stlap, 1e-12);
  EXPECT_NEAR(moved.run->results.leadFront, std::fabs(rawFront - centre) - design.stlap, 1e-12);
  EXPECT_NEAR(moved.run->results.leadFront, set.run->results.leadFront - 3.0 / 64, 1e-12);
  // Rods: each rod as built, the link's radius as designed, at every step.
  Engine rods = design;
  rods.asBuilt.rod1 = 0.1;
  rods.asBuilt.rod2 = -0.05;
  const RunOutcome r = RunCrankSweep(rods, midGear, 30, set.run->valveCentre);
  ASSERT_TRUE(r.ok());
  for (int k = 0; k < kSteps; k += 17) {
    const JointTable& t = r.run->joints;
    const auto dist = [&](Joint a, Joint b) {
      return std::hypot(t.X[k][a] - t.X[k][b], t.Y[k][a] - t.Y[k][b]);
    };
    EXPECT_NEAR(dist(ecc1, pin1), design.eccrod + 0.1, 1e-9);
    EXPECT_NEAR(dist(ecc2, pin2), design.eccrod - 0.05, 1e-6);
    EXPECT_NEAR(dist(linkCentre, pin1), design.eccrod, 1e-6);
    EXPECT_NEAR(dist(linkCentre, pin2), design.eccrod, 1e-6);
  }
  // Both eccentrics turned alike are the design with that much more advance.
  Engine turned = design;
  turned.asBuilt.advance1Deg = turned.asBuilt.advance2Deg = 1.5;
  Engine advanced = design;
  advanced.angadv += 1.5;
  ExpectSameRun(*RunCrankSweep(turned, midGear, 30, 0.1).run, *RunCrankSweep(advanced, midGear, 30, 0.1).run);
}

}  // namespace
