// A seeded campaign of engines drawn around the sample engines, every
// dimension perturbed widely (zeros and negatives included), swept at several
// lifting-arm angles: each run either completes with finite results and every
// rod at its length, or fails with a message that says where.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "PerturbedEngines.h"
#include "SampleEngines.h"
#include "Session.h"

namespace {

double Distance(const GearRun& r, int k, Joint a, Joint b) {
  return std::hypot(r.joints.X[k][a] - r.joints.X[k][b], r.joints.Y[k][a] - r.joints.Y[k][b]);
}

// What a completed run must satisfy; returns the first broken promise.
std::string BrokenPromise(const Engine& s, const GearRun& run) {
  for (int k = 0; k < kSteps; ++k) {
    const auto kept = [&](double length, double wanted) {
      return std::fabs(length - std::fabs(wanted)) <= 1e-7 * (1 + std::fabs(wanted));
    };
    if (!std::isfinite(run.pistonTable[k]) || !std::isfinite(run.valveTable[k]))
      return "a non-finite table entry";
    if (!kept(Distance(run, k, ecc1, pin1), s.eccrod)) return "eccentric rod 1 changed length";
    if (!kept(Distance(run, k, ecc2, pin2), s.eccrod)) return "eccentric rod 2 changed length";
    if (!kept(Distance(run, k, pin1, pin2), s.linkpins)) return "the link chord changed length";
    if (!kept(Distance(run, k, crankPin, crosshead), s.conrod)) return "the connecting rod changed length";
  }
  const RunResults& r = run.results;
  for (int e = 0; e < kEvents; ++e)
    if (r.eventFound[e] && !std::isfinite(r.eventPct[e])) return "a non-finite event";
  for (const double value : {r.leadBack, r.leadFront, r.portOpenBack, r.portOpenFront, r.linkAngleMinDeg,
                             r.linkAngleMaxDeg, r.dieDeflection})
    if (!std::isfinite(value)) return "a non-finite result";
  return {};
}

}  // namespace

TEST(RandomGeometryTest, EveryRunCompletesSoundlyOrSaysWhereItFailed) {
  const char* seedText = std::getenv("ZOV_CAMPAIGN_SEED");
  const unsigned seed =
      seedText != nullptr ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 20261207u;
  std::mt19937 random(seed);
  const auto samples = SampleEngines();
  int completed = 0, failed = 0;
  for (int n = 0; n < 2000; ++n) {
    const EngineRecord engine = Perturbed(samples[static_cast<size_t>(n) % 4].record, random, n % 2 == 1);
    Session session;
    const auto midFailure = session.Take(ToEngine(engine));
    ASSERT_TRUE(std::isfinite(session.midGearAngle().value_or(0)));
    for (const double angle : {15.0, -25.0, 0.0, 40.0}) {
      SCOPED_TRACE(::testing::Message() << "seed " << seed << ", engine " << n << ", angle " << angle);
      const RunOutcome run = session.Go(angle);
      if (run.ok()) {
        ASSERT_FALSE(midFailure);
        ASSERT_EQ(BrokenPromise(session.engine(), *run.run), "");
        ++completed;
      } else {
        const std::string message = FailureMessage(*run.failure);
        ASSERT_TRUE(message.find("crank angle") != std::string::npos ||
                    message.find("mid-gear") != std::string::npos ||
                    run.failure->member == Member::engineData)
            << message;
        ++failed;
      }
    }
  }
  std::printf("random geometry: %d runs completed, %d failed with a message\n", completed, failed);
  EXPECT_GT(completed, 2000);
}
