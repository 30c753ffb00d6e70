// An engine record of arbitrary doubles and a few lifting-arm angles through
// taking the engine in and full sweeps: either finite results or a failure
// with its sentence, never a crash, a hang or an exit.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "EngineConversion.h"
#include "Session.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckFinite(const double* values, int count) {
  for (int i = 0; i < count; ++i) Check(std::isfinite(values[i]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(EngineRecord) + sizeof(double)) return 0;
  EngineRecord engine;
  std::memcpy(&engine, data, sizeof engine);
  Session session;
  const auto mid = session.Take(ToEngine(engine));
  Check(std::isfinite(session.midGearAngle().value_or(0)));
  Check(!mid || !FailureMessage(*mid).empty());
  for (std::size_t at = sizeof engine; at + sizeof(double) <= size && at < sizeof engine + 4 * sizeof(double);
       at += sizeof(double)) {
    double angle;
    std::memcpy(&angle, data + at, sizeof angle);
    const RunOutcome run = session.Go(angle);
    if (!run.ok()) {
      Check(run.failure && !FailureMessage(*run.failure).empty());
      continue;
    }
    CheckFinite(run.run->pistonTable, kRows);
    CheckFinite(run.run->valveTable, kRows);
    const RunResults& results = run.run->results;
    for (int e = 0; e < kEvents; ++e) Check(!results.eventFound[e] || std::isfinite(results.eventPct[e]));
    const double shown[] = {results.leadBack,      results.leadFront,       results.portOpenBack,
                            results.portOpenFront, results.linkAngleMinDeg, results.linkAngleMaxDeg,
                            results.dieDeflection};
    CheckFinite(shown, 7);
  }
  return 0;
}
