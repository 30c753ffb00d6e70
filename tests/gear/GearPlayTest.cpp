// The worn gear: no play is the gear's own to the last bit; a total lost
// motion b takes b/2 off both leads; the levers are the whole sweeps'
// differences; a hand-worked rocker lever; the bands hold random wear; the
// play file's rows are checked by line and column.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "CrankSweep.h"
#include "DeadBand.h"
#include "PlayBands.h"
#include "PlayCsv.h"
#include "SampleEngines.h"
#include "Session.h"
#include "UsableRange.h"

namespace {

constexpr const char* kGoods = "Goods 0-6-0 slide valve";

void ExpectSameResults(const RunResults& a, const RunResults& b) {
  for (int e = 0; e < kEvents; ++e) {
    EXPECT_EQ(a.eventFound[e], b.eventFound[e]);
    EXPECT_EQ(a.eventPct[e], b.eventPct[e]);
  }
  EXPECT_EQ(a.leadBack, b.leadBack);
  EXPECT_EQ(a.leadFront, b.leadFront);
  EXPECT_EQ(a.portOpenBack, b.portOpenBack);
  EXPECT_EQ(a.portOpenFront, b.portOpenFront);
  EXPECT_EQ(a.valveTravel, b.valveTravel);
}

struct SetGear {
  Session session;
  UsableRange usable{0, 0};
  double centring = 0;
};

// The engine with its valves set for equal leads in full forward gear.
SetGear Set(const Engine& e) {
  SetGear g;
  g.session.Take(e);
  g.usable = *FindUsableRange(g.session, 2);
  g.centring = g.session.Go(g.usable.hiDeg).run->valveCentre;
  return g;
}

GearPlay Worn() {
  GearPlay play;
  play.clearance[rodPin1Joint] = play.clearance[rodPin2Joint] = 1.0 / 32;
  play.clearance[dieJoint] = 1.0 / 64;
  play.clearance[strap1Joint] = play.clearance[strap2Joint] = 0.01;
  play.clearance[liftLinkPinJoint] = play.clearance[liftArmPinJoint] = 0.02;
  play.clearance[valveRodEndJoint] = 0.005;
  return play;
}

TEST(GearPlayTest, NoPlayIsTheGearsOwnToTheLastBit) {
  for (const char* name : {kGoods, "Express 4-4-0 rocker B"}) {
    SetGear g = Set(SampleGear(name));
    GearPlay none;
    none.clearance[dieJoint] = 0;
    GearPlay noTotal;
    noTotal.total = 0;
    for (const double angle : {g.usable.loDeg, 0.0, 10.0, g.usable.hiDeg}) {
      const RunOutcome own = g.session.Evaluate(angle, g.centring);
      ASSERT_TRUE(own.ok());
      ExpectSameResults(WornRunResults(g.session.engine(), *own.run, none), own.run->results);
      ExpectSameResults(WornRunResults(g.session.engine(), *own.run, noTotal), own.run->results);
    }
  }
}

TEST(GearPlayTest, ATotalPlayTakesHalfOffBothLeadsAndDelaysBothCutOffs) {
  SetGear g = Set(SampleGear(kGoods));
  GearPlay play;
  play.total = 1.0 / 32;
  for (const double fullGear : {g.usable.loDeg, g.usable.hiDeg}) {
    const RunOutcome own = g.session.Evaluate(fullGear, g.centring);
    const RunResults worn = WornRunResults(g.session.engine(), *own.run, play);
    EXPECT_NEAR(own.run->results.leadFront - worn.leadFront, 1.0 / 64, 1e-4) << fullGear;
    EXPECT_NEAR(own.run->results.leadBack - worn.leadBack, 1.0 / 64, 1e-4) << fullGear;
    // Wear is symmetric: both cut-offs later, their difference nearly the same.
    const double laterB = worn.eventPct[cutOffBack] - own.run->results.eventPct[cutOffBack];
    const double laterF = worn.eventPct[cutOffFront] - own.run->results.eventPct[cutOffFront];
    EXPECT_GT(laterB, 0);
    EXPECT_GT(laterF, 0);
    EXPECT_LT(std::fabs(laterB - laterF), 0.5 * std::max(laterB, laterF));
  }
}

TEST(GearPlayTest, LeversAreTheCentralDifferencesOfWholeSweeps) {
  SetGear g = Set(SampleGear(kGoods));
  const Engine& e = g.session.engine();
  const double h = 1e-4;
  for (const double angle : {g.usable.loDeg, 7.5, g.usable.hiDeg}) {
    const RunOutcome own = g.session.Evaluate(angle, g.centring);
    const PlayLevers levers = LeversOf(e, *own.run);
    const auto valveWith = [&](auto change) {
      Engine moved = e;
      change(moved);
      return RunCrankSweep(moved, *g.session.midGearAngle(), angle, g.centring);
    };
    const RunOutcome rod1Up = valveWith([&](Engine& m) { m.asBuilt.rod1 = h; });
    const RunOutcome rod1Down = valveWith([&](Engine& m) { m.asBuilt.rod1 = -h; });
    const RunOutcome rod2Up = valveWith([&](Engine& m) { m.asBuilt.rod2 = h; });
    const RunOutcome rod2Down = valveWith([&](Engine& m) { m.asBuilt.rod2 = -h; });
    const RunOutcome liftUp = valveWith([&](Engine& m) { m.liftlink += h; });
    const RunOutcome liftDown = valveWith([&](Engine& m) { m.liftlink -= h; });
    for (int k = 0; k < kSteps; ++k) {
      const auto diff = [&](const RunOutcome& up, const RunOutcome& down) {
        return (up.run->valveTable[k] - down.run->valveTable[k]) / (2 * h);
      };
      ASSERT_NEAR(levers.rod1[k], diff(rod1Up, rod1Down), 1e-4) << angle << ' ' << k;
      ASSERT_NEAR(levers.rod2[k], diff(rod2Up, rod2Down), 1e-4) << angle << ' ' << k;
      ASSERT_NEAR(levers.liftLink[k], diff(liftUp, liftDown), 1e-4) << angle << ' ' << k;
    }
  }
}

// A type B rocker of equal arms swings about its input pin when its shaft is
// slack, so the valve moves twice the shaft's play: 0.01 in there is 0.02 in
// of lost motion, 0.01 in off each lead. A slack die moves the valve one for one.
TEST(GearPlayTest, ARockersShaftDoublesItsPlayAtTheValve) {
  SetGear g = Set(SampleGear("Express 4-4-0 rocker B"));
  const RunOutcome own = g.session.Evaluate(g.usable.hiDeg, g.centring);
  GearPlay shaft, die;
  shaft.clearance[rockerShaftJoint] = 0.01;
  die.clearance[dieJoint] = 0.02;
  for (const GearPlay& play : {shaft, die}) {
    const RunResults worn = WornRunResults(g.session.engine(), *own.run, play);
    EXPECT_NEAR(own.run->results.leadFront - worn.leadFront, 0.01, 1e-12);
    EXPECT_NEAR(own.run->results.leadBack - worn.leadBack, 0.01, 1e-12);
  }
  EXPECT_NE(PlayProblem(shaft, SampleGear(kGoods)), "");
}

// The bands of every end's figure hold the gear worn by random clearances of
// the joints, each up to the one given (bench/ draws 200 over the quadrant).
TEST(GearPlayTest, BandsHoldRandomWearOfTheJoints) {
  SetGear g = Set(SampleGear(kGoods));
  const GearPlay play = Worn();
  const PlayStudy bands = RunPlayStudy(g.session, g.usable.hiDeg, NotchPlan{false, -20, 20, 10}, play, 2);
  ASSERT_EQ(bands.bands.size(), 5u);
  std::mt19937 random(37);
  std::uniform_real_distribution<double> share(0, 1);
  for (std::size_t i = 0; i < bands.study.rows.size(); ++i) {
    const StudyRow& row = bands.study.rows[i];
    const RunOutcome run = g.session.Evaluate(row.liftArmDeg, bands.study.centring);
    const PlayLevers levers = LeversOf(g.session.engine(), *run.run);
    for (int draw = 0; draw < 20; ++draw) {
      GearPlay drawn = play;
      for (double& c : drawn.clearance) c *= share(random);
      const RunResults worn = WornResults(g.session.engine(), *run.run, LostMotionOf(drawn, levers));
      for (const FigureSpec& f : RunFigures()) {
        const auto band = FigureBand(f, row, bands.bands[i]);
        const auto value = f.Of(worn);
        if (!band || !value || f.end == CylinderEnd::none) continue;
        EXPECT_GE(*value, band->first - 1e-12) << f.key << ' ' << row.liftArmDeg;
        EXPECT_LE(*value, band->second + 1e-12) << f.key << ' ' << row.liftArmDeg;
      }
    }
  }
  EXPECT_GT(*bands.worstWithPlay.worstInequality, *bands.study.summary.worstInequality);
  EXPECT_LT(*bands.worstWithPlay.leadMin, *bands.study.summary.leadMin);
}

TEST(GearPlayTest, APlayFileIsReadWholeOrItsBadRowNamed) {
  const auto good = ParsePlayCsv("joint,clearance\r\n\nrodPin1, 0.03125\n\"die\",1e-2\n");
  ASSERT_TRUE(std::holds_alternative<GearPlay>(good));
  EXPECT_EQ(std::get<GearPlay>(good).clearance[rodPin1Joint], 0.03125);
  EXPECT_EQ(std::get<GearPlay>(good).clearance[dieJoint], 0.01);
  EXPECT_EQ(std::get<GearPlay>(good).clearance[strap1Joint], 0);
  const std::pair<const char*, std::pair<int, int>> bad[] = {
      {"joint,clearnce\n", {1, 0}},
      {"joint,clearance\nrodPin1,0.1\nrodpin2,0.1\n", {3, 1}},
      {"joint,clearance\ndie,-0.01\n", {2, 2}},
      {"joint,clearance\ndie,0.01\n\ndie,0.02\n", {4, 1}},
      {"joint,clearance\ndie,0,01\n", {2, 0}},
      {"", {1, 0}},
  };
  for (const auto& [text, where] : bad) {
    const auto parsed = ParsePlayCsv(text);
    ASSERT_TRUE(std::holds_alternative<PlayTextProblem>(parsed)) << text;
    EXPECT_EQ(std::get<PlayTextProblem>(parsed).line, where.first) << text;
    EXPECT_EQ(std::get<PlayTextProblem>(parsed).column, where.second) << text;
  }
}

}  // namespace
