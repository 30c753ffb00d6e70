// The session: Evaluate from two threads at once gives bit for bit the runs it
// gives one call after the other, the first good Go (or reverser move, at the
// setting angle) fixes the centring until the next Take, each failure the
// sample engines provoke carries its kind, crank angle and member, and a gear
// scaled in every length runs as the full-size one.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "EngineScale.h"
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
  // Figures are shares of the stroke and of the port: neither may vanish.
  const auto with = [](double Engine::*field, double value) {
    Engine e = SampleGear(kGoods);
    e.*field = value;
    return e;
  };
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
      {with(&Engine::port, 0), 10, true, FailureKind::portUnusable, 0, Member::engineData},
      {with(&Engine::port, -1e308), 10, true, FailureKind::portUnusable, 0, Member::engineData},
      {with(&Engine::port, 5e-324), 10, true, FailureKind::portUnusable, 0, Member::engineData},
      {with(&Engine::mcrank, 5e-324), 10, true, FailureKind::crankUnusable, 0, Member::engineData},
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

TEST(Session, AReverserMoveWithNoCentringFixesItAtTheSettingAngleFirst) {
  Session s;
  ASSERT_FALSE(s.Take(SampleGear(kGoods)));
  const ReverserMove first = s.MoveReverser(-12, 35);
  ASSERT_TRUE(first.outcome.ok());
  EXPECT_TRUE(first.settingFixed);
  EXPECT_EQ(s.settingAngleDeg(), 35);
  EXPECT_EQ(s.centring(), s.Evaluate(35, std::nullopt).run->valveCentre);
  EXPECT_EQ(s.latestRun(), first.outcome.run);
  ExpectSameOutcome(first.outcome, s.Evaluate(-12, s.centring()), -12);

  const ReverserMove later = s.MoveReverser(10, -20);  // the setting is kept
  ASSERT_TRUE(later.outcome.ok());
  EXPECT_FALSE(later.settingFixed);
  EXPECT_EQ(s.settingAngleDeg(), 35);

  // A setting that does not assemble changes nothing; a move that fails after
  // a good setting run leaves that run as the latest.
  ASSERT_FALSE(s.Take(SampleGear(kGoods)));
  const ReverserMove refused = s.MoveReverser(10, -90);
  EXPECT_FALSE(refused.outcome.ok() || refused.settingFixed);
  EXPECT_FALSE(s.centring() || s.latestRun());
  const ReverserMove failed = s.MoveReverser(-90, 20);
  EXPECT_FALSE(failed.outcome.ok());
  EXPECT_TRUE(failed.settingFixed);
  ASSERT_TRUE(s.latestRun());
  EXPECT_EQ(s.settingAngleDeg(), 20);
  ExpectSameOutcome({s.latestRun(), std::nullopt}, s.Evaluate(20, std::nullopt), 20);
}

TEST(Session, AGearScaledInEveryLengthGivesTheSameValveEvents) {
  const Engine goods = SampleGear(kGoods);
  const Engine model = ScaledEngine(goods, 1.0 / 8);
  EXPECT_EQ(model.conrod, goods.conrod / 8);
  EXPECT_EQ(model.ctoweighv, goods.ctoweighv / 8);
  EXPECT_EQ(model.angadv, goods.angadv);
  EXPECT_EQ(model.rockerRatio, goods.rockerRatio);
  EXPECT_EQ(model.name, goods.name);
  Session full, small;
  ASSERT_FALSE(full.Take(goods));
  ASSERT_FALSE(small.Take(model));
  const RunOutcome a = full.Go(20), b = small.Go(20);
  ASSERT_TRUE(a.ok() && b.ok());
  for (int e = 0; e < kEvents; ++e) {
    EXPECT_EQ(a.run->results.eventFound[e], b.run->results.eventFound[e]) << e;
    EXPECT_NEAR(a.run->results.eventPct[e], b.run->results.eventPct[e], 1e-9) << e;
  }
  EXPECT_NEAR(a.run->results.leadBack / 8, b.run->results.leadBack, 1e-9);
  EXPECT_NEAR(a.run->results.portOpenFront / 8, b.run->results.portOpenFront, 1e-9);
}
