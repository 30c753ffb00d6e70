// Runs of the sweep: equal leads on the first run and the centring kept on
// later ones, leads taken at the right end of the cylinder, the rocker and
// admission variants as mirror images, and failures that say where.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "CrankSweep.h"
#include "MidGear.h"
#include "SampleEngines.h"
#include "Session.h"

namespace {

// A session that has taken the engine in and run it once at angle.
Session Swept(const EngineRecord& record, double angle) {
  Session s;
  EXPECT_FALSE(s.Take(ToEngine(record)));
  EXPECT_TRUE(s.Go(angle).ok()) << RecordName(record) << " at " << angle;
  return s;
}

void ExpectSameResults(const RunResults& a, const RunResults& b) {
  for (int e = 0; e < kEvents; ++e) {
    EXPECT_EQ(a.eventFound[e], b.eventFound[e]) << e;
    EXPECT_NEAR(a.eventPct[e], b.eventPct[e], 1e-9) << e;
  }
  EXPECT_NEAR(a.leadBack, b.leadBack, 1e-12);
  EXPECT_NEAR(a.leadFront, b.leadFront, 1e-12);
  EXPECT_NEAR(a.portOpenBack, b.portOpenBack, 1e-12);
  EXPECT_NEAR(a.portOpenFront, b.portOpenFront, 1e-12);
}

}  // namespace

TEST(CrankSweep, FirstRunEqualisesLeadsAndLaterRunsKeepTheCentring) {
  for (const SampleEngine& sample : SampleEngines()) {
    if (sample.assemblesFrom == sample.assemblesTo) continue;
    Session s = Swept(sample.record, 15);
    EXPECT_TRUE(s.centring());
    const std::shared_ptr<const GearRun> first = s.latestRun();
    EXPECT_NEAR(first->results.leadBack, first->results.leadFront, 1e-12) << s.engine().name;
    EXPECT_EQ(first->valveTable[180], first->valveTable[0]);
    EXPECT_EQ(first->pistonTable[180], first->pistonTable[0]);
    ASSERT_TRUE(s.Go(-25).ok());
    EXPECT_EQ(s.latestRun()->valveCentre, first->valveCentre);
    const RunResults& later = s.latestRun()->results;
    EXPECT_GT(std::fabs(later.leadBack - later.leadFront), 1e-4) << s.engine().name;
  }
}

TEST(CrankSweep, LeadsAreTakenWhereThePistonIsAtThatEnd) {
  // Inside admission starts at the front dead centre: on a run at 30 degrees
  // after centring at 25 the valve stands 1.652 out with a lap of 1.4 there.
  Session s = Swept(SampleRecord("Tank 0-6-2T piston valves"), 25);
  ASSERT_TRUE(s.Go(30).ok());
  const GearRun& run = *s.latestRun();
  EXPECT_NEAR(run.pistonTable[0], 13, 1e-9);
  EXPECT_NEAR(run.valveTable[0], 1.652, 0.0005);
  EXPECT_NEAR(run.results.leadFront, 0.252, 0.0005);
  EXPECT_NEAR(run.results.leadBack, std::fabs(run.valveTable[90]) - 1.4, 1e-12);
}

TEST(CrankSweep, RockersAndAdmissionTypesAreMirrorImages) {
  // A type B rocker reverses the valve; with the admission type reversed too the
  // crank starts at the same dead centre and every event is unchanged.
  for (const char* name : {"Goods 0-6-0 slide valve", "Tank 0-6-2T piston valves"}) {
    const EngineRecord plain = SampleRecord(name);
    EngineRecord mirrored = plain;
    mirrored.valveType = -plain.valveType;
    mirrored.rockerType = -1;
    mirrored.rockerRatio = 1;
    const auto a = Swept(plain, 20).latestRun();
    const auto b = Swept(mirrored, 20).latestRun();
    for (int k = 0; k <= kSteps; ++k) EXPECT_EQ(b->valveTable[k], -a->valveTable[k]) << name << " " << k;
    ExpectSameResults(a->results, b->results);
  }
  // No rocker acts as a type A of ratio 1 whatever ratio is stored; ratio 2
  // doubles the travel.
  const EngineRecord tank = SampleRecord("Tank 0-6-2T piston valves");  // ratio 2.5, no rocker
  EngineRecord typeA = tank;
  typeA.rockerType = 1;
  typeA.rockerRatio = 1;
  const Session none = Swept(tank, 20);
  const auto a1 = Swept(typeA, 20).latestRun();
  typeA.rockerRatio = 2;
  const auto a2 = Swept(typeA, 20).latestRun();
  EXPECT_EQ(none.engine().rockerType, 0);
  for (int k = 0; k <= kSteps; ++k) {
    EXPECT_EQ(none.latestRun()->valveTable[k], a1->valveTable[k]);
    EXPECT_EQ(a2->valveTable[k], 2 * a1->valveTable[k]);
  }
}

TEST(CrankSweep, AFailedRunSaysWhere) {
  const Engine goods = SampleGear("Goods 0-6-0 slide valve");
  const RunOutcome apart = RunCrankSweep(goods, *FindMidGearAngle(goods), -90, std::nullopt);
  ASSERT_FALSE(apart.ok());
  EXPECT_NE(FailureMessage(*apart.failure).find("lifting link cannot reach the link"), std::string::npos);

  // 13 sin 50 deg. < 10 < 13 sin 52 deg.: the rod first falls short at 52.
  Session conrod;
  ASSERT_FALSE(conrod.Take(SampleGear("Conrod shorter than crank")));
  const RunOutcome outcome = conrod.Go(10);
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(FailureMessage(*outcome.failure),
            "The gear cannot be assembled at crank angle 52 deg.: the connecting rod cannot reach the line "
            "of stroke.");
  EXPECT_FALSE(conrod.centring());
  EXPECT_EQ(FailureMessage(*conrod.Go(-10).failure), FailureMessage(*outcome.failure));
}
