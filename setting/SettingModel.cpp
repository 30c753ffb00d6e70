// A gear as built is the design engine carrying its deviations, swept at the
// design's mid-gear direction and centred with the design's centring (the
// sweep moves the valve by the spindle deviation). Each angle of a set of
// rows is solved once; the spindle's difference re-centres those solved runs.
#include "SettingModel.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "CrankSweep.h"
#include "NotchThreads.h"
#include "QuadrantStudy.h"
#include "Session.h"

namespace {

struct SolvedAngles {
  std::vector<double> angles;
  std::vector<std::shared_ptr<const GearRun>> raw;  // solved, not centred
  std::optional<GearFailure> failure;
};

SolvedAngles Solve(const SettingDesign& design, const Engine& built, const std::vector<Reading>& rows) {
  SolvedAngles s;
  for (const Reading& r : rows)
    if (std::find(s.angles.begin(), s.angles.end(), r.angleDeg) == s.angles.end())
      s.angles.push_back(r.angleDeg);
  for (const double angle : s.angles) {
    auto run = std::make_shared<GearRun>();
    if (auto failure = SolveCrankSweep(built, design.midGearAngle, angle, *run)) {
      s.failure = failure;
      return s;
    }
    s.raw.push_back(std::move(run));
  }
  return s;
}

Prediction FiguresOf(const SettingDesign& design, const Engine& built, const SolvedAngles& solved,
                     const std::vector<Reading>& rows) {
  Prediction p;
  if (solved.failure) {
    p.failure = solved.failure;
    return p;
  }
  std::vector<GearRun> centred;
  for (const auto& raw : solved.raw) {
    centred.push_back(*raw);
    CentreRun(built, centred.back(), design.centring);
  }
  for (const Reading& r : rows) {
    const auto at = std::find(solved.angles.begin(), solved.angles.end(), r.angleDeg) - solved.angles.begin();
    const auto figure = ReadingFigure(built, centred[static_cast<std::size_t>(at)], r);
    if (!figure && p.missing.empty())
      p.missing = std::string(ReadingEventKey(r.event)) + " " + std::string(ReadingEndKey(r.end));
    p.figures.push_back(figure.value_or(NAN));
  }
  return p;
}

// Differences small against a reading's precision, large against rounding.
double DifferenceStep(const SettingDesign& design, int index) {
  return IsAngleDeviation(index) ? 0.01 : 2e-4 * std::fabs(design.engine.eccrad);
}

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

int ForwardRod(const Engine& e, double midGear, double fullForwardDeg) {
  const RunOutcome o = RunCrankSweep(e, midGear, fullForwardDeg, std::nullopt);
  if (!o.ok()) return 1;
  double nearer1 = 0;
  for (int k = 0; k < kSteps; ++k) {
    const JointTable& t = o.run->joints;
    nearer1 += Distance(t.At(k, die), t.At(k, pin2)) - Distance(t.At(k, die), t.At(k, pin1));
  }
  return nearer1 >= 0 ? 1 : 2;
}

}  // namespace

DesignOutcome PrepareDesign(const Engine& engine, LengthUnit unit, std::optional<double> settingDeg,
                            ValveSetting setting, int threads) {
  Session session;
  Engine design = engine;
  design.asBuilt = {};
  if (const auto failure = session.Take(design)) return {std::nullopt, FailureMessage(*failure)};
  const auto usable = FindUsableRange(session, threads);
  if (!usable)
    return {std::nullopt, "the gear has no usable range: not even mid-gear makes every valve event"};
  SettingDesign d;
  d.engine = design;
  d.unit = unit;
  d.midGearAngle = *session.midGearAngle();
  d.usable = *usable;
  d.settingDeg = settingDeg.value_or(usable->hiDeg);
  d.valveSetting = setting;
  const CentringOutcome centring = FindCentring(session, d.settingDeg, setting);
  if (!centring.centring)
    return {std::nullopt, "the valves cannot be set: " + FailureMessage(*centring.failure)};
  d.centring = *centring.centring;
  d.forwardRod = ForwardRod(design, d.midGearAngle, usable->hiDeg);
  for (int j = 0; j < kDeviationCount; ++j) {
    d.scale[j] = DefaultStep(j, unit);
    d.plausible[j] = PlausibleDeviation(j, unit);
  }
  return {d, {}};
}

Engine AsBuilt(const SettingDesign& design, const DeviationVector& d) {
  Engine e = design.engine;
  e.asBuilt = ToDeviations(d);
  return e;
}

Prediction Predict(const SettingDesign& design, const DeviationVector& d, const std::vector<Reading>& rows) {
  const Engine built = AsBuilt(design, d);
  return FiguresOf(design, built, Solve(design, built, rows), rows);
}

Linearisation Linearise(const SettingDesign& design, const DeviationVector& d,
                        const std::vector<Reading>& rows) {
  Linearisation lin;
  const Engine built = AsBuilt(design, d);
  const SolvedAngles solved = Solve(design, built, rows);
  lin.at = FiguresOf(design, built, solved, rows);
  if (!lin.at.ok()) return lin;
  lin.slope.assign(rows.size(), DeviationVector{});
  for (int j = 0; j < kDeviationCount; ++j) {
    DeviationVector moved = d;
    const double h = DifferenceStep(design, j);
    moved[j] += h;
    const Engine movedEngine = AsBuilt(design, moved);
    // The spindle moves no joint: the runs already solved are centred anew.
    const Prediction p = j == spindleIndex
                             ? FiguresOf(design, movedEngine, solved, rows)
                             : FiguresOf(design, movedEngine, Solve(design, movedEngine, rows), rows);
    if (!p.ok()) {
      lin.at = p;
      return lin;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) lin.slope[i][j] = (p.figures[i] - lin.at.figures[i]) / h;
  }
  return lin;
}

std::optional<double> WorstCutOffInequality(const SettingDesign& design, const DeviationVector& d,
                                            int threads) {
  const std::vector<double> notches = NotchAngles(NotchPlan{true, 0, 0, 1}, design.usable);
  const Engine built = AsBuilt(design, d);
  std::vector<StudyRow> rows(notches.size());
  const ItemTask notch = [&](std::size_t i) {
    rows[i] =
        MakeStudyRow(notches[i], RunCrankSweep(built, design.midGearAngle, notches[i], design.centring));
  };
  SpreadOverThreads(notches.size(), {threads, {}, {}}, notch);
  return SummariseStudy(rows).worstInequality;
}
