// Each side of mid-gear is read outwards from mid-gear, where the mean cut-off
// grows towards full gear; a figure "at 25 % cut-off" is interpolated linearly
// between the two notches whose mean cut-offs bracket 25 %, so it moves
// smoothly with the dimensions and has sensitivities.
#include "ReviewFigures.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using RowFigure = std::function<std::optional<double>(const ReviewNotch&)>;

std::optional<double> MeanCutOff(const ReviewNotch& n) {
  return ::MeanCutOff(n.row);
}

std::optional<double> CutOffDifference(const ReviewNotch& n) {
  return n.row.ok() ? ::CutOffDifference(n.row.results) : std::nullopt;
}

std::optional<double> SmallerPortOpening(const ReviewNotch& n) {
  if (!n.row.ok()) return std::nullopt;
  return std::min(n.row.results.portOpenBack, n.row.results.portOpenFront);
}

double MeanLead(const ReviewNotch& n) {
  return (n.row.results.leadBack + n.row.results.leadFront) / 2;
}

// The notches of one side from mid-gear outwards, mid-gear included.
std::vector<const ReviewNotch*> Side(const ReviewSweep& sweep, bool down) {
  std::vector<const ReviewNotch*> side;
  for (const ReviewNotch& n : sweep.notches)
    if (down ? n.row.liftArmDeg >= 0 : n.row.liftArmDeg <= 0) side.push_back(&n);
  if (!down) std::reverse(side.begin(), side.end());
  return side;
}

// The figure where the mean cut-off first reaches `targetPct` going outwards.
std::optional<double> AtCutOff(const std::vector<const ReviewNotch*>& side, double targetPct,
                               const RowFigure& figure) {
  for (std::size_t i = 1; i < side.size(); ++i) {
    const auto c0 = MeanCutOff(*side[i - 1]), c1 = MeanCutOff(*side[i]);
    const auto f0 = figure(*side[i - 1]), f1 = figure(*side[i]);
    if (!c0 || !c1 || !f0 || !f1 || *c0 > targetPct || *c1 < targetPct || *c1 == *c0) continue;
    const double t = (targetPct - *c0) / (*c1 - *c0);
    return *f0 + t * (*f1 - *f0);
  }
  return std::nullopt;
}

std::optional<double> Size(std::optional<double> value) {
  return value ? std::optional(std::fabs(*value)) : std::nullopt;
}

std::optional<double> Smaller(std::optional<double> a, std::optional<double> b) {
  if (!a || !b) return a ? a : b;
  return std::min(*a, *b);
}

// The die's least clearance from the nearer rod pin over the side's working
// notches, in % of the pin-to-pin arc: the measure the design assistant's die
// margin keeps. The usable range itself ends where the die reaches a pin, so
// its own ends would always show none.
std::optional<double> WorkingClearance(const std::vector<const ReviewNotch*>& side) {
  std::optional<double> least;
  for (const ReviewNotch* n : side)
    if (IsWorkingNotch(n->row)) least = Smaller(least, 100 * std::min(n->arcLow, 1 - n->arcHigh));
  return least;
}

void SideFigures(const ReviewSweep& sweep, const Engine& e, ReviewFigures& f) {
  const auto down = Side(sweep, true), up = Side(sweep, false);
  const ReviewNotch &fullDown = *down.back(), &fullUp = *up.back();
  f[cutOffInequalityFullDown] = Size(CutOffDifference(fullDown));
  f[cutOffInequalityFullUp] = Size(CutOffDifference(fullUp));
  f[cutOffInequalityHalfDown] = Size(AtCutOff(down, 50, CutOffDifference));
  f[cutOffInequalityHalfUp] = Size(AtCutOff(up, 50, CutOffDifference));
  f[cutOffInequalityQuarterDown] = Size(AtCutOff(down, 25, CutOffDifference));
  f[cutOffInequalityQuarterUp] = Size(AtCutOff(up, 25, CutOffDifference));
  const auto port = [&](std::optional<double> opening) {
    return opening ? std::optional(100 * *opening / e.port) : std::nullopt;
  };
  f[portAtQuarterCutOff] =
      Smaller(port(AtCutOff(down, 25, SmallerPortOpening)), port(AtCutOff(up, 25, SmallerPortOpening)));
  f[fullGearCutOff] = Smaller(MeanCutOff(fullDown), MeanCutOff(fullUp));
  const double fullLead = (MeanLead(fullDown) + MeanLead(fullUp)) / 2;
  f[fullGearLead] = 100 * fullLead / e.port;
  f[leadChange] = 100 * (MeanLead(*down.front()) - fullLead) / e.port;
  const double lapAndPort = 2 * (e.stlap + e.port);
  f[fullPortOpening] =
      100 * std::min(fullDown.row.results.valveTravel, fullUp.row.results.valveTravel) / lapAndPort;
  f[dieClearance] = Smaller(WorkingClearance(down), WorkingClearance(up));
}

void RangeFigures(const ReviewSweep& sweep, const Engine& e, ReviewFigures& f) {
  std::vector<StudyRow> rows;
  std::optional<double> leastLead, shortest;
  for (const ReviewNotch& n : sweep.notches) {
    rows.push_back(n.row);
    leastLead = Smaller(leastLead, std::min(n.row.results.leadBack, n.row.results.leadFront));
    shortest = Smaller(shortest, MeanCutOff(n));
  }
  const StudySummary summary = SummariseStudy(rows);
  f[cutOffInequality] = summary.worstInequality;
  f[workImbalance] = Size(summary.worstWorkImbalancePct);
  f[smallestLead] = 100 * *leastLead / e.port;
  f[shortestCutOff] = shortest;
  if (summary.worstDieSlip) f[dieSlip] = 100 * *summary.worstDieSlip / e.linkpins;
}

}  // namespace

ReviewFigures FiguresOf(const Engine& engine, const ReviewSweep& sweep, const UsableRange& range) {
  ReviewFigures f;
  f[usableRange] = std::min(-range.loDeg, range.hiDeg);
  f[conrodRatio] = engine.conrod / engine.mcrank;
  f[eccentricRodRatio] = engine.eccrod / engine.eccrad;
  if (sweep.failure) return f;
  f[midGear] = std::fabs(sweep.midGearDeg);
  if (sweep.notches.empty() || !sweep.allUsable()) return f;
  RangeFigures(sweep, engine, f);
  SideFigures(sweep, engine, f);
  return f;
}
