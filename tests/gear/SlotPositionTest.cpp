// The die's place along the slot measured independently: the chord from the
// upper rod pin (carried out onto the slot's arc) to the die, turned into an
// arc length; the pins stand half the pin distance's arc from the middle.
#include <gtest/gtest.h>

#include <cmath>

#include "SampleEngines.h"
#include "Session.h"
#include "SlotPosition.h"

namespace {

// The arc from the upper rod pin, carried onto the slot, down to the die.
double ArcFromTopPin(const GearRun& run, int k, double radius) {
  const JointTable& t = run.joints;
  const Point c = t.At(k, linkCentre), p = t.At(k, pin1), d = t.At(k, die);
  const double out = radius / std::hypot(p.x - c.x, p.y - c.y);
  const Point top{c.x + (p.x - c.x) * out, c.y + (p.y - c.y) * out};
  return 2 * radius * std::asin(std::hypot(d.x - top.x, d.y - top.y) / (2 * radius));
}

}  // namespace

TEST(SlotPosition, DiePlaceAndSlipAgreeWithChordsOnTheArc) {
  for (const char* name : {"Goods 0-6-0 slide valve", "Low shaft, short lifting link"}) {
    const Engine e = SampleGear(name);
    const double radius = e.eccrod + e.pintoslot;
    Session session;
    ASSERT_FALSE(session.Take(e));
    for (double angle : {-25.0, 0.0, 10.0, 30.0}) {
      const RunOutcome outcome = session.Evaluate(angle, std::nullopt);
      ASSERT_TRUE(outcome.ok()) << name << angle;
      const GearRun& run = *outcome.run;
      double lo = 1e300, hi = -1e300;
      for (int k = 0; k < kSteps; ++k) {
        const double topArc = PinAlongSlot(run, k, pin1);
        EXPECT_NEAR(topArc, -PinAlongSlot(run, k, pin2), 1e-9 * radius);
        EXPECT_NEAR(topArc, radius * std::asin(e.linkpins / (2 * e.eccrod)), 1e-9 * radius);
        const double fromTop = ArcFromTopPin(run, k, radius);
        EXPECT_NEAR(DieAlongSlot(run, k), topArc - fromTop, 1e-7 * radius) << name << angle << ' ' << k;
        lo = std::min(lo, topArc - fromTop);
        hi = std::max(hi, topArc - fromTop);
      }
      EXPECT_NEAR(run.results.dieSlip, hi - lo, 1e-7 * radius) << name << angle;
      EXPECT_GT(run.results.dieSlip, 0) << name << angle;
    }
  }
}
