// Setting the valves for equal cut-off in the running notch.
#include <gtest/gtest.h>

#include "SampleEngines.h"
#include "Session.h"
#include "ValveSetting.h"

TEST(ValveSetting, EqualCutOffCentringGivesEqualCutOffsAtTheSettingAngle) {
  for (const char* name : {"Goods 0-6-0 slide valve", "Express 4-4-0 rocker B", "Tank 0-6-2T piston valves",
                           "Low shaft, short lifting link"}) {
    Session session;
    ASSERT_FALSE(session.Take(SampleGear(name)));
    for (const double setting : {25.0, -20.0}) {
      const CentringOutcome leads = FindCentring(session, setting, ValveSetting::equalLeads);
      const CentringOutcome cutOff = FindCentring(session, setting, ValveSetting::equalCutOff);
      ASSERT_TRUE(leads.centring && cutOff.centring) << name << " at " << setting;
      const RunResults r = session.Evaluate(setting, cutOff.centring).run->results;
      EXPECT_NEAR(r.eventPct[cutOffBack], r.eventPct[cutOffFront], 1e-6) << name << " at " << setting;
      // The equal-lead centring is the one a first "GO" there fixes.
      EXPECT_EQ(*leads.centring, session.Evaluate(setting, std::nullopt).run->valveCentre);
    }
  }
}

TEST(ValveSetting, AnEngineThatFailsAtTheSettingSaysWhere) {
  Session session;
  session.Take(SampleGear("Lifting link too short"));
  const CentringOutcome outcome = FindCentring(session, 20, ValveSetting::equalCutOff);
  EXPECT_FALSE(outcome.centring);
  ASSERT_TRUE(outcome.failure);
  EXPECT_EQ(outcome.failure->kind, FailureKind::midGearUnreachable);
}
