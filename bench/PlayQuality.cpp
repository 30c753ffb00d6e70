// Not a timing: how well the worn gear's bands hold. Goods with 1/32 in in
// each rod pin, 1/64 in in the die and some play in every other joint; 200
// random draws of every joint's clearance between none and the given, each
// run over every notch of the quadrant (auto:1) and every end's figure held
// against its band; and the b/2 rule on the two full-gear leads.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "DeadBand.h"
#include "PlayBands.h"
#include "SampleEngines.h"
#include "Session.h"

namespace {

GearPlay Worn() {
  GearPlay play;
  play.clearance[rodPin1Joint] = play.clearance[rodPin2Joint] = 1.0 / 32;
  play.clearance[dieJoint] = 1.0 / 64;
  play.clearance[strap1Joint] = play.clearance[strap2Joint] = 0.01;
  play.clearance[liftLinkPinJoint] = play.clearance[liftArmPinJoint] = 0.02;
  play.clearance[valveRodDieJoint] = play.clearance[valveRodEndJoint] = 0.005;
  return play;
}

struct Tally {
  long figures = 0, outside = 0;
  double worstExcess = 0;
  void Hold(double value, const std::pair<double, double>& band) {
    ++figures;
    const double excess = std::max(band.first - value, value - band.second);
    if (excess > 1e-12) ++outside;
    worstExcess = std::max(worstExcess, excess);
  }
};

void LeadRule(const Session& s, const PlayStudy& bands) {
  GearPlay play;
  play.total = 1.0 / 32;
  for (const double fullGear : {bands.study.usable->loDeg, bands.study.usable->hiDeg}) {
    const RunOutcome own = s.Evaluate(fullGear, bands.study.centring);
    const RunResults worn = WornRunResults(s.engine(), *own.run, play);
    std::printf("b = 1/32 in at %g deg.: lead back falls %.9f in, front %.9f in (1/64 = 0.015625)\n",
                fullGear, own.run->results.leadBack - worn.leadBack,
                own.run->results.leadFront - worn.leadFront);
  }
}

}  // namespace

int main() {
  Session s;
  s.Take(SampleGear("Goods 0-6-0 slide valve"));
  const GearPlay play = Worn();
  const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const PlayStudy bands = RunPlayStudy(s, 25, NotchPlan{true, 0, 0, 1}, play, threads);
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> share(0, 1);
  std::vector<GearPlay> draws(200, play);
  for (GearPlay& d : draws)
    for (double& c : d.clearance) c *= share(random);
  Tally ends, worst;
  std::vector<StudySummary> drawnWorst(draws.size());
  for (std::size_t i = 0; i < bands.study.rows.size(); ++i) {
    const StudyRow& row = bands.study.rows[i];
    if (!row.ok()) continue;
    const RunOutcome run = s.Evaluate(row.liftArmDeg, bands.study.centring);
    const PlayLevers levers = LeversOf(s.engine(), *run.run);
    for (const GearPlay& d : draws) {
      const RunResults worn = WornResults(s.engine(), *run.run, LostMotionOf(d, levers));
      for (const FigureSpec& f : RunFigures()) {
        const auto band = FigureBand(f, row, bands.bands[i]);
        const auto value = f.Of(worn);
        if (band && value && f.end != CylinderEnd::none) ends.Hold(*value, *band);
      }
      if (IsWorkingNotch(row)) {
        const double inequality = std::fabs(worn.eventPct[cutOffBack] - worn.eventPct[cutOffFront]);
        worst.Hold(inequality, {0, *bands.worstWithPlay.worstInequality});
      }
    }
  }
  std::printf("Goods, %zu notches, %zu draws: %ld end figures, %ld outside their bands (worst by %.3g)\n",
              bands.study.rows.size(), draws.size(), ends.figures, ends.outside, ends.worstExcess);
  std::printf(
      "cut-off inequality of the working notches: %ld figures, %ld above the worst with play %.4g %%"
      " (the gear's own %.4g %%)\n",
      worst.figures, worst.outside, *bands.worstWithPlay.worstInequality,
      *bands.study.summary.worstInequality);
  LeadRule(s, bands);
  return ends.outside == 0 && worst.outside == 0 ? 0 : 1;
}
