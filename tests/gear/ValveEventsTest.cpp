// Events, travel, leads and port openings read off a hand-made valve curve: a
// triangle wave from -1 at step 0 to +1 at step 90 and back, against a piston
// that runs linearly from -9 to +8.9, so every crossing can be worked by hand.
#include <gtest/gtest.h>

#include <memory>

#include "ValveEvents.h"

namespace {

struct Wave {
  Engine engine;
  GearRun run;
};

std::unique_ptr<Wave> TriangleWave(int valveType, double stlap, double exlap, double offset = 0) {
  auto w = std::make_unique<Wave>();
  w->engine.mcrank = 9;
  w->engine.stlap = stlap;
  w->engine.exlap = exlap;
  w->engine.port = 10;
  w->engine.valveType = valveType;
  GearRun& r = w->run;
  for (int k = 0; k < kSteps; ++k) {
    r.pistonTable[k] = k / 10.0 - 9;
    r.valveTable[k] = valveType * ((k <= 90 ? k - 45 : 135 - k) / 45.0 + offset);
  }
  r.pistonTable[kSteps] = r.pistonTable[0];
  r.valveTable[kSteps] = r.valveTable[0];
  return w;
}

const RunResults& Computed(Wave& w) {
  return ComputeRunResults(w.engine, w.run);
}

}  // namespace

TEST(ValveEvents, CrossingsInterpolatedAndMirroredForOutsideAdmission) {
  // Inside admission, laps 0.5 and 0.1: the wave is at +0.5 at steps 67.5 and
  // 112.5, at -0.5 at 22.5 and 157.5, at +0.1 at 49.5 and 130.5, at -0.1 at
  // 40.5 and 139.5; the piston stands at step / 10 - 9 there.
  const double expected[kEvents] = {-4.95, -2.25, 2.25, 4.95, 4.05, 6.75, -6.75, -4.05};
  for (const int v : {1, -1}) {
    auto w = TriangleWave(v, 0.5, 0.1);
    const RunResults& r = Computed(*w);
    for (int e = 0; e < kEvents; ++e) {
      EXPECT_TRUE(r.eventFound[e]);
      EXPECT_NEAR(w->run.eventPos[e], expected[e], 1e-12) << "event " << e << ", valve type " << v;
    }
    // Front events count from the front dead centre (+9), back ones from the back (-9).
    EXPECT_NEAR(r.eventPct[admissionFront], 62.5, 1e-12);
    EXPECT_NEAR(r.eventPct[cutOffFront], 37.5, 1e-12);
    EXPECT_NEAR(r.eventPct[admissionBack], 87.5, 1e-12);
    EXPECT_NEAR(r.eventPct[cutOffBack], 12.5, 1e-12);
    EXPECT_EQ(w->run.strokeScale, 18);
    EXPECT_EQ(w->run.travelMax, 1);
    EXPECT_EQ(w->run.travelMin, -1);
  }
}

TEST(ValveEvents, ExactLevelsGiveNoEventAndTheLastPairClosesTheCurve) {
  auto w = TriangleWave(1, 0.5, 0.1);
  FindValveEvents(w->engine, w->run);
  ASSERT_TRUE(w->run.results.eventFound[admissionFront]);
  // A lap of 0.2 is met exactly by the samples at steps 36, 54, 126 and 144:
  // no strict crossing, so no admission or cut-off at either end, and nothing
  // left over from the run before; the exhaust lap is still crossed.
  w->engine.stlap = 0.2;
  const RunResults& r = Computed(*w);
  for (const ValveEvent e : {admissionFront, cutOffFront, admissionBack, cutOffBack}) {
    EXPECT_FALSE(r.eventFound[e]) << e;
    EXPECT_EQ(r.eventPct[e], 0) << e;
  }
  EXPECT_TRUE(r.eventFound[compressionFront]);

  // Exhaust lap 0.99: falling through -0.99 happens only between step 179
  // (-44/45) and step 180, which repeats step 0 (-1): 0.55 of the way from
  // piston 8.9 to -9.
  w->engine.exlap = 0.99;
  FindValveEvents(w->engine, w->run);
  EXPECT_NEAR(w->run.eventPos[exhaustFront], 8.9 - 17.9 * 0.55, 1e-9);
}

TEST(ValveEvents, LeadsAndPortOpeningsAtTheRightEnds) {
  // Offset 0.1: the valve is -0.9 at step 0 and 1.1 at step 90.
  auto inside = TriangleWave(1, 0.5, 0.1, 0.1);
  const RunResults& r = Computed(*inside);
  EXPECT_NEAR(r.leadFront, 0.4, 1e-12);  // inside admission: step 0 is the front dead centre
  EXPECT_NEAR(r.leadBack, 0.6, 1e-12);
  EXPECT_NEAR(r.portOpenFront, 0.6, 1e-12);  // 1.1 - 0.5
  EXPECT_NEAR(r.portOpenBack, 0.4, 1e-12);   // 0.9 - 0.5

  auto outside = TriangleWave(-1, 0.5, 0.1, 0.1);  // valve 0.9 at step 0, -1.1 at 90
  const RunResults o = Computed(*outside);
  EXPECT_NEAR(o.leadBack, 0.4, 1e-12);  // outside admission: step 0 is the back dead centre
  EXPECT_NEAR(o.leadFront, 0.6, 1e-12);
  EXPECT_NEAR(o.portOpenBack, 0.4, 1e-12);
  EXPECT_NEAR(o.portOpenFront, 0.6, 1e-12);

  outside->engine.port = 0.5;   // wider openings are shown as the port width
  outside->engine.stlap = 1.0;  // the valve never uncovers the back port
  const RunResults limited = Computed(*outside);
  EXPECT_NEAR(limited.portOpenFront, 0.1, 1e-12);
  EXPECT_NEAR(limited.portOpenBack, -0.1, 1e-12);
  outside->engine.stlap = 0.2;
  EXPECT_EQ(Computed(*outside).portOpenFront, 0.5);
}
