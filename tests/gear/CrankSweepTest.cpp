// Runs of the sweep: equal leads on the first run and the centring kept on
// later ones, leads taken at the right end of the cylinder, the rocker and
// admission variants as mirror images, and failures that change nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "CrankSweep.h"
#include "MidGear.h"
#include "SampleEngines.h"
#include "ValveEvents.h"

namespace {

std::unique_ptr<GearState> Swept(const EngineRecord& engine, double angle) {
  auto s = std::make_unique<GearState>();
  EXPECT_TRUE(SetMidGear(*s, engine).ok);
  EXPECT_TRUE(RunCrankSweep(*s, angle).ok) << RecordName(engine) << " at " << angle;
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
    auto s = Swept(sample.record, 15);
    EXPECT_FALSE(s->firstRun);
    const RunResults first = ComputeRunResults(*s);
    EXPECT_NEAR(first.leadBack, first.leadFront, 1e-12) << s->name;
    EXPECT_EQ(s->valveTable[180], s->valveTable[0]);
    EXPECT_EQ(s->pistonTable[180], s->pistonTable[0]);
    const double centre = s->valveCentre;
    ASSERT_TRUE(RunCrankSweep(*s, -25).ok);
    EXPECT_EQ(s->valveCentre, centre);
    const RunResults later = ComputeRunResults(*s);
    EXPECT_GT(std::fabs(later.leadBack - later.leadFront), 1e-4) << s->name;
  }
}

TEST(CrankSweep, LeadsAreTakenWhereThePistonIsAtThatEnd) {
  // Inside admission starts at the front dead centre: on a run at 30 degrees
  // after centring at 25 the valve stands 1.652 out with a lap of 1.4 there.
  auto s = Swept(SampleRecord("Tank 0-6-2T piston valves"), 25);
  ASSERT_TRUE(RunCrankSweep(*s, 30).ok);
  const RunResults tank = ComputeRunResults(*s);
  EXPECT_NEAR(s->pistonTable[0], 13, 1e-9);
  EXPECT_NEAR(s->valveTable[0], 1.652, 0.0005);
  EXPECT_NEAR(tank.leadFront, 0.252, 0.0005);
  EXPECT_NEAR(tank.leadBack, std::fabs(s->valveTable[90]) - 1.4, 1e-12);
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
    auto a = Swept(plain, 20);
    auto b = Swept(mirrored, 20);
    for (int k = 0; k <= kSteps; ++k) EXPECT_EQ(b->valveTable[k], -a->valveTable[k]) << name << " " << k;
    ExpectSameResults(ComputeRunResults(*a), ComputeRunResults(*b));
  }
  // No rocker acts as a type A of ratio 1 whatever ratio is stored; ratio 2
  // doubles the travel.
  const EngineRecord tank = SampleRecord("Tank 0-6-2T piston valves");  // ratio 2.5, no rocker
  EngineRecord typeA = tank;
  typeA.rockerType = 1;
  typeA.rockerRatio = 1;
  auto none = Swept(tank, 20);
  auto a1 = Swept(typeA, 20);
  typeA.rockerRatio = 2;
  auto a2 = Swept(typeA, 20);
  EXPECT_EQ(none->rockerType, 0);
  for (int k = 0; k <= kSteps; ++k) {
    EXPECT_EQ(none->valveTable[k], a1->valveTable[k]);
    EXPECT_EQ(a2->valveTable[k], 2 * a1->valveTable[k]);
  }
}

TEST(CrankSweep, AFailedRunChangesNothingAndSaysWhere) {
  auto s = Swept(SampleRecord("Goods 0-6-0 slide valve"), 20);
  const auto before = std::make_unique<GearState>(*s);
  for (const double angle : {-90.0, std::nan(""), 1e308, -4e305}) {
    const GearStatus status = RunCrankSweep(*s, angle);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(std::memcmp(&s->joints, &before->joints, sizeof s->joints), 0);
    EXPECT_EQ(std::memcmp(s->valveTable, before->valveTable, sizeof s->valveTable), 0);
    EXPECT_EQ(s->liftArmAngle, before->liftArmAngle);
    EXPECT_EQ(s->valveCentre, before->valveCentre);
  }
  EXPECT_NE(RunCrankSweep(*s, -90).message.find("lifting link cannot reach the link"), std::string::npos);

  // 13 sin 50 deg. < 10 < 13 sin 52 deg.: the rod first falls short at 52.
  GearState conrod;
  ASSERT_TRUE(SetMidGear(conrod, SampleRecord("Conrod shorter than crank")).ok);
  const GearStatus status = RunCrankSweep(conrod, 10);
  EXPECT_EQ(status.message,
            "The gear cannot be assembled at crank angle 52 deg.: the connecting rod cannot reach the line "
            "of stroke.");
  EXPECT_TRUE(conrod.firstRun);
  EXPECT_EQ(RunCrankSweep(conrod, -10).message, status.message);
}
