// The session: Evaluate from two threads at once gives bit for bit the runs it
// gives one call after the other, the first good Go fixes the centring until
// the next Take, and each failure the sample engines provoke carries its kind,
// crank angle and member.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "SampleEngines.h"
#include "Session.h"

namespace {

const char kGoods[] = "Goods 0-6-0 slide valve";

void ExpectSameOutcome(const RunOutcome& a, const RunOutcome& b, double angle) {
  ASSERT_EQ(a.ok(), b.ok()) << angle;
  if (!a.ok()) {
    EXPECT_EQ(a.failure->kind, b.failure->kind) << angle;
    EXPECT_EQ(a.failure->crankAngleDeg, b.failure->crankAngleDeg) << angle;
    return;
  }
  const GearRun &x = *a.run, &y = *b.run;
  EXPECT_EQ(std::memcmp(&x.joints, &y.joints, sizeof x.joints), 0) << angle;
  EXPECT_EQ(std::memcmp(x.pistonTable, y.pistonTable, sizeof x.pistonTable), 0) << angle;
  EXPECT_EQ(std::memcmp(x.valveTable, y.valveTable, sizeof x.valveTable), 0) << angle;
  EXPECT_EQ(std::memcmp(x.eventPos, y.eventPos, sizeof x.eventPos), 0) << angle;
  EXPECT_EQ(std::memcmp(&x.results, &y.results, sizeof x.results), 0) << angle;
}

}  // namespace

TEST(Session, EvaluateFromTwoThreadsGivesTheRunsOfOneAfterTheOther) {
  Session s;
  ASSERT_FALSE(s.Take(SampleGear(kGoods)));
  ASSERT_TRUE(s.Go(25).ok());
  std::vector<double> angles{-90};  // one that comes apart
  for (double angle = -40; angle <= 40; angle += 2.5) angles.push_back(angle);
  // One thread keeps the session's centring, the other centres every run afresh.
  const auto evaluateAll = [&](std::optional<double> centring, std::vector<RunOutcome>& out) {
    for (const double angle : angles) out.push_back(s.Evaluate(angle, centring));
  };
  std::vector<RunOutcome> keptAlone, freshAlone, kept, fresh;
  evaluateAll(s.centring(), keptAlone);
  evaluateAll(std::nullopt, freshAlone);
  std::thread other(evaluateAll, s.centring(), std::ref(kept));
  evaluateAll(std::nullopt, fresh);
  other.join();
  for (std::size_t i = 0; i < angles.size(); ++i) {
    ExpectSameOutcome(kept[i], keptAlone[i], angles[i]);
    ExpectSameOutcome(fresh[i], freshAlone[i], angles[i]);
  }
  EXPECT_FALSE(keptAlone[0].ok());
  EXPECT_TRUE(keptAlone[1].ok());
}

TEST(Session, FirstGoodGoFixesTheCentringUntilTheNextTake) {
  Session s;
  ASSERT_FALSE(s.Take(SampleGear(kGoods)));
  // The session holds this good run as its latest and the centring set at settingDeg.
  const auto expectKept = [&](const RunOutcome& good, double settingDeg) {
    EXPECT_EQ(s.latestRun(), good.run);
    EXPECT_EQ(s.centring(), good.run->valveCentre);
    EXPECT_EQ(s.settingAngleDeg(), settingDeg);
  };
  EXPECT_FALSE(s.Go(-90).ok());
  EXPECT_FALSE(s.centring() || s.settingAngleDeg() || s.latestRun());

  const RunOutcome first = s.Go(20);
  ASSERT_TRUE(first.ok());
  expectKept(first, 20);
  EXPECT_NEAR(first.run->results.leadBack, first.run->results.leadFront, 1e-12);
  for (const double angle : {-90.0, std::nan(""), 1e308, -4e305}) {
    EXPECT_FALSE(s.Go(angle).ok()) << angle;
    expectKept(first, 20);
  }
  const RunOutcome later = s.Go(-20);
  ASSERT_TRUE(later.ok());
  EXPECT_EQ(later.run->valveCentre, first.run->valveCentre);
  EXPECT_GT(std::fabs(later.run->results.leadBack - later.run->results.leadFront), 1e-4);
  expectKept(later, 20);
  ExpectSameOutcome(s.Evaluate(-20, s.centring()), later, -20);

  ASSERT_FALSE(s.Take(SampleGear(kGoods)));
  EXPECT_FALSE(s.centring() || s.settingAngleDeg() || s.latestRun());
  const RunOutcome again = s.Go(-20);
  ASSERT_TRUE(again.ok());
  EXPECT_NEAR(again.run->results.leadBack, again.run->results.leadFront, 1e-12);
  EXPECT_EQ(s.settingAngleDeg(), -20);
}

TEST(Session, EachFailureCarriesItsKindCrankAngleAndMember) {
  Engine nanDimension = SampleGear(kGoods);
  nanDimension.larad = std::numeric_limits<double>::quiet_NaN();
  const struct {
    Engine engine;
    double angle;
    bool atTake;  // the engine is refused as it is taken in
    FailureKind kind;
    int crankAngleDeg;
    Member member;
  } cases[] = {
      {SampleGear("Lifting link too short"), 10, true, FailureKind::midGearUnreachable, 0,
       Member::liftingArm},
      {SampleGear("Conrod shorter than crank"), 10, false, FailureKind::connectingRodShort, 52,
       Member::connectingRod},
      {SampleGear(kGoods), -90, false, FailureKind::liftingLinkNoReach, 182, Member::liftingLink},
      {SampleGear(kGoods), std::nan(""), false, FailureKind::angleNotNumber, 0, Member::liftArmAngle},
      {SampleGear(kGoods), 1e308, false, FailureKind::angleTooLarge, 0, Member::liftArmAngle},
      {nanDimension, 10, true, FailureKind::nonFiniteEngine, 0, Member::engineData},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.engine.name + " at " + std::to_string(c.angle));
    Session s;
    const auto taken = s.Take(c.engine);
    EXPECT_EQ(taken.has_value(), c.atTake);
    if (taken) {
      EXPECT_EQ(taken->kind, c.kind);
    }
    const RunOutcome outcome = s.Go(c.angle);
    ASSERT_FALSE(outcome.ok());
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->kind, c.kind);
    EXPECT_EQ(outcome.failure->crankAngleDeg, c.crankAngleDeg);
    EXPECT_EQ(outcome.failure->member, c.member);
  }
}
