// Wear is symmetric (both ends' events later alike), a mis-set valve or rod
// antisymmetric (one end's earlier, the other's later): a cause fitted alone
// shows which the evidence is. Two causes the evidence cannot tell apart fit
// it within four of chi-squared of each other (two sigma); the reading that
// would tell them apart is the one their fitted gears predict furthest apart
// in its own precision.
#include "RunningDiagnosis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>

#include "CrankSweep.h"
#include "DeadBand.h"
#include "NumberFormat.h"
#include "SettingWords.h"
#include "ValveEvents.h"

namespace {

constexpr int kMostSteps = 12;
constexpr double kIndistinct = 4;
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Gear {
  DeviationVector d{};
  double play = 0;
};

Gear GearWith(Cause cause, double size) {
  Gear g;
  (cause == Cause::play ? g.play
                        : g.d[static_cast<int>(cause) == 0 ? spindleIndex : static_cast<int>(cause) - 1]) =
      size;
  return g;
}

double Chi2(const std::vector<Evidence>& evidence, const std::optional<std::vector<double>>& figures) {
  if (!figures) return kInf;
  double sum = 0;
  for (std::size_t i = 0; i < evidence.size(); ++i) {
    const double r = (evidence[i].value - (*figures)[i]) / evidence[i].plusMinus;
    sum += r * r;
  }
  return sum;
}

double Step(const SettingDesign& design, Cause cause) {
  const bool angle = cause == Cause::advance1 || cause == Cause::advance2;
  return angle ? 0.01 : 2e-4 * std::fabs(design.engine.eccrad);
}

// One cause alone fitted: Gauss-Newton on its size, each step halved until
// it lowers chi-squared.
CauseFit FitAlone(const SettingDesign& design, const std::vector<Evidence>& evidence, Cause cause,
                  double chi2Design) {
  CauseFit fit{cause, 0, 0, chi2Design, {}};
  const double h = Step(design, cause);
  auto figures = EvidenceFigures(design, {}, 0, evidence);
  for (int it = 0; it < kMostSteps && figures; ++it) {
    const Gear moved = GearWith(cause, fit.size + h);
    const auto beside = EvidenceFigures(design, moved.d, moved.play, evidence);
    if (!beside) break;
    double jr = 0, jj = 0;
    for (std::size_t i = 0; i < evidence.size(); ++i) {
      const double pm = evidence[i].plusMinus;
      const double slope = ((*beside)[i] - (*figures)[i]) / h / pm;
      jr += slope * (evidence[i].value - (*figures)[i]) / pm;
      jj += slope * slope;
    }
    if (!(jj > 0)) break;
    double step = jr / jj;
    bool better = false;
    for (int halving = 0; halving < 8 && !better; ++halving, step /= 2) {
      const double size = cause == Cause::play ? std::max(0.0, fit.size + step) : fit.size + step;
      const Gear g = GearWith(cause, size);
      auto tried = EvidenceFigures(design, g.d, g.play, evidence);
      const double chi2 = Chi2(evidence, tried);
      if (chi2 < fit.chi2) {
        fit.size = size;
        fit.chi2 = chi2;
        figures = std::move(tried);
        better = true;
      }
    }
    if (!better || std::fabs(step) < 1e-3 * h) break;
  }
  fit.explains = chi2Design > 0 ? std::clamp(1 - fit.chi2 / chi2Design, 0.0, 1.0) : 0;
  return fit;
}

// The size in the shop's 64ths of an inch where it is at least one, else in
// four figures.
std::string About(double size, LengthUnit unit) {
  const double sixtyFourths = std::round(std::fabs(size) * 64) / 64;
  if (sixtyFourths > 0 && unit != LengthUnit::mm) return "about " + LengthWords(sixtyFourths, unit);
  return "about " + FormatGeneral4(std::fabs(size)) + UnitSuffix(Quantity::length, unit);
}

std::string CauseWords(const SettingDesign& design, const CauseFit& f) {
  switch (f.cause) {
    case Cause::spindle:
      return "valve off on its spindle, " + About(f.size, design.unit) + " towards the " +
             (f.size > 0 ? "front" : "back");
    case Cause::rod1:
    case Cause::rod2:
      return RodName(design, f.cause == Cause::rod1 ? 1 : 2) + (f.size > 0 ? " long, " : " short, ") +
             About(f.size, design.unit);
    case Cause::advance1:
    case Cause::advance2:
      return EccentricName(design, f.cause == Cause::advance1 ? 1 : 2) + " slipped " +
             AngleWords(std::fabs(f.size)) + (f.size > 0 ? " ahead (more advance)" : " back (less advance)");
    case Cause::play:
      return "play in the gear, " + About(f.size, design.unit) + " of lost motion at the valve";
  }
  return "";
}

constexpr int kUnknowns = kDeviationCount + 1;
using Unknowns = std::array<double, kUnknowns>;

// Solves the small normal equations a x = b by Gaussian elimination with
// partial pivoting; false when they are singular.
bool Solve(std::array<Unknowns, kUnknowns> a, Unknowns b, Unknowns& x) {
  for (int c = 0; c < kUnknowns; ++c) {
    int pivot = c;
    for (int r = c + 1; r < kUnknowns; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
    if (!(std::fabs(a[pivot][c]) > 0)) return false;
    std::swap(a[c], a[pivot]);
    std::swap(b[c], b[pivot]);
    for (int r = c + 1; r < kUnknowns; ++r) {
      const double f = a[r][c] / a[c][c];
      for (int k = c; k < kUnknowns; ++k) a[r][k] -= f * a[c][k];
      b[r] -= f * b[c];
    }
  }
  for (int c = kUnknowns - 1; c >= 0; --c) {
    double sum = b[c];
    for (int k = c + 1; k < kUnknowns; ++k) sum -= a[c][k] * x[k];
    x[c] = sum / a[c][c];
  }
  return true;
}

struct Together {
  const SettingDesign& design;
  const std::vector<Evidence>& evidence;
  Unknowns plausible{};

  std::optional<std::vector<double>> Figures(const Unknowns& u) const {
    DeviationVector d;
    std::copy(u.begin(), u.begin() + kDeviationCount, d.begin());
    return EvidenceFigures(design, d, u[kDeviationCount], evidence);
  }
  // The evidence's residuals in precisions, then each unknown in its plausible size.
  std::optional<std::vector<double>> Residuals(const Unknowns& u) const {
    const auto f = Figures(u);
    if (!f) return std::nullopt;
    std::vector<double> r;
    for (std::size_t i = 0; i < evidence.size(); ++i)
      r.push_back((evidence[i].value - (*f)[i]) / evidence[i].plusMinus);
    for (int j = 0; j < kUnknowns; ++j) r.push_back(u[j] / plausible[j]);
    return r;
  }
};

double SumOfSquares(const std::optional<std::vector<double>>& r) {
  if (!r) return kInf;
  double sum = 0;
  for (const double x : *r) sum += x * x;
  return sum;
}

// Levenberg-Marquardt from the design on forward differences, the play
// kept at or above zero.
FittedWithPlay FitTogether(const SettingDesign& design, const std::vector<Evidence>& evidence) {
  Together t{design, evidence, {}};
  Unknowns h{};
  for (int j = 0; j < kDeviationCount; ++j) {
    t.plausible[j] = design.plausible[j];
    h[j] = Step(design, j == spindleIndex ? Cause::spindle : static_cast<Cause>(j + 1));
  }
  t.plausible[kDeviationCount] = design.plausible[rod1Index];
  h[kDeviationCount] = Step(design, Cause::play);
  Unknowns u{};
  auto r = t.Residuals(u);
  double lambda = 1e-3;
  for (int it = 0; it < 2 * kMostSteps && r; ++it) {
    std::array<std::vector<double>, kUnknowns> columns;
    for (int j = 0; j < kUnknowns; ++j) {
      Unknowns moved = u;
      moved[j] += h[j];
      const auto rm = t.Residuals(moved);
      if (!rm) return {};
      for (std::size_t i = 0; i < r->size(); ++i) columns[j].push_back(((*rm)[i] - (*r)[i]) / h[j]);
    }
    std::array<Unknowns, kUnknowns> a{};
    Unknowns g{};
    for (int j = 0; j < kUnknowns; ++j) {
      for (int k = 0; k < kUnknowns; ++k)
        for (std::size_t i = 0; i < r->size(); ++i) a[j][k] += columns[j][i] * columns[k][i];
      for (std::size_t i = 0; i < r->size(); ++i) g[j] -= columns[j][i] * (*r)[i];
    }
    // Damped more until a step lowers the sum; the fit ends when one barely does.
    bool significant = false, accepted = false;
    for (int tries = 0; tries < 8 && !accepted; ++tries) {
      std::array<Unknowns, kUnknowns> damped = a;
      for (int j = 0; j < kUnknowns; ++j) damped[j][j] *= 1 + lambda;
      Unknowns step{}, next = u;
      lambda *= 10;
      if (!Solve(damped, g, step)) continue;
      for (int j = 0; j < kUnknowns; ++j) next[j] += step[j];
      next[kDeviationCount] = std::max(0.0, next[kDeviationCount]);
      auto rn = t.Residuals(next);
      if (!(SumOfSquares(rn) < SumOfSquares(r))) continue;
      significant = SumOfSquares(r) - SumOfSquares(rn) > 1e-9 * SumOfSquares(r);
      accepted = true;
      u = next;
      r = std::move(rn);
      lambda /= 1000;
    }
    if (!significant) break;
  }
  FittedWithPlay fit;
  std::copy(u.begin(), u.begin() + kDeviationCount, fit.deviations.begin());
  fit.play = u[kDeviationCount];
  fit.chi2 = Chi2(evidence, t.Figures(u));
  return fit;
}

// The notches a card might be taken at: the full gears and half-way to them.
std::vector<double> CandidateAngles(const SettingDesign& design) {
  return {design.usable.loDeg, design.usable.loDeg / 2, design.usable.hiDeg / 2, design.usable.hiDeg};
}

std::string Pct(double share) {
  return FormatGeneral4(std::round(100 * share)) + " %";
}

std::string UndecidedWords(const SettingDesign& design, const CauseFit& a, const CauseFit& b) {
  std::vector<Evidence> candidates;
  for (const double angle : CandidateAngles(design))
    for (const ReadingEnd end : {ReadingEnd::front, ReadingEnd::back})
      for (const EvidenceEvent event : {EvidenceEvent::cutOff, EvidenceEvent::release,
                                        EvidenceEvent::compression, EvidenceEvent::exhaustBeat})
        candidates.push_back({angle, end, event, 0, event == EvidenceEvent::exhaustBeat ? 2.0 : 0.5});
  const Gear ga = GearWith(a.cause, a.size), gb = GearWith(b.cause, b.size);
  const auto pa = EvidenceFigures(design, ga.d, ga.play, candidates);
  const auto pb = EvidenceFigures(design, gb.d, gb.play, candidates);
  std::string sentence = "The evidence cannot tell the " + a.words + " from the " + b.words +
                         " (each alone explains " + Pct(a.explains) + " and " + Pct(b.explains) + ")";
  if (!pa || !pb) return sentence + ".";
  std::size_t best = 0;
  double apart = 0;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const double d = std::fabs((*pa)[i] - (*pb)[i]) / candidates[i].plusMinus;
    if (d > apart) {
      apart = d;
      best = i;
    }
  }
  const Evidence& c = candidates[best];
  return sentence + "; the " + std::string(EvidenceEventKey(c.event)) + " " +
         std::string(ReadingEndKey(c.end)) + " at " + FormatGeneral4(c.angleDeg) +
         " deg. would: the two predict it " + FormatGeneral4(apart) + " precisions apart.";
}

}  // namespace

std::string_view CauseKey(Cause cause) {
  static constexpr std::string_view keys[kCauses] = {"spindle",  "rod1",     "rod2",
                                                     "advance1", "advance2", "play"};
  return keys[static_cast<int>(cause)];
}

std::string CauseUnit(Cause cause, LengthUnit unit) {
  if (cause == Cause::advance1 || cause == Cause::advance2) return "deg";
  return unit == LengthUnit::none ? "" : std::string(LengthUnitKey(unit));
}

std::optional<std::vector<double>> EvidenceFigures(const SettingDesign& design, const DeviationVector& d,
                                                   double play, const std::vector<Evidence>& evidence) {
  const Engine built = AsBuilt(design, d);
  LostMotion b;
  b.fill(play);
  std::vector<double> angles, figures;
  std::vector<std::unique_ptr<GearRun>> runs;
  for (const Evidence& e : evidence) {
    const auto at = std::find(angles.begin(), angles.end(), e.angleDeg);
    std::size_t index = static_cast<std::size_t>(at - angles.begin());
    if (at == angles.end()) {
      auto run = std::make_unique<GearRun>();
      if (SolveCrankSweep(built, design.midGearAngle, e.angleDeg, *run)) return std::nullopt;
      CentreRun(built, *run, design.centring);
      if (play > 0) {
        HoldBehindDeadBand(*run, b);
        ComputeRunResults(built, *run);
      }
      angles.push_back(e.angleDeg);
      runs.push_back(std::move(run));
    }
    const auto figure = EvidenceFigure(built, *runs[index], e);
    if (!figure) return std::nullopt;
    figures.push_back(*figure);
  }
  return figures;
}

RunningDiagnosis DiagnoseRunning(const SettingDesign& design, const std::vector<Evidence>& evidence,
                                 WorkControl* control) {
  RunningDiagnosis r;
  WorkControl none;
  WorkControl& work = control ? *control : none;
  work.done = 0;
  work.total = kCauses + 1;
  if (evidence.empty()) {
    r.problem = "There is no evidence to judge.";
    return r;
  }
  for (const Evidence& e : evidence)
    if (!(e.angleDeg >= design.usable.loDeg && e.angleDeg <= design.usable.hiDeg)) {
      r.problem = "The evidence at " + FormatGeneral4(e.angleDeg) + " deg. lies outside the usable range, " +
                  FormatGeneral4(design.usable.loDeg) + " to " + FormatGeneral4(design.usable.hiDeg) +
                  " deg.";
      return r;
    }
  r.chi2Design = Chi2(evidence, EvidenceFigures(design, {}, 0, evidence));
  if (!std::isfinite(r.chi2Design)) {
    r.problem = "The design itself does not make every event of the evidence.";
    return r;
  }
  r.together = FitTogether(design, evidence);
  ++work.done;
  for (int c = 0; c < kCauses; ++c) {
    if (work.cancelled()) return RunningDiagnosis{"Cancelled.", r.chi2Design, {}, {}, {}};
    CauseFit fit = FitAlone(design, evidence, static_cast<Cause>(c), r.chi2Design);
    fit.words = CauseWords(design, fit);
    r.causes.push_back(fit);
    ++work.done;
  }
  std::stable_sort(r.causes.begin(), r.causes.end(),
                   [](const CauseFit& a, const CauseFit& b) { return a.chi2 < b.chi2; });
  const CauseFit& first = r.causes.front();
  for (std::size_t i = 1; i < r.causes.size(); ++i)
    if (r.causes[i].chi2 - first.chi2 < kIndistinct && r.causes[i].explains >= 0.5)
      r.undecided.push_back(UndecidedWords(design, first, r.causes[i]));
  return r;
}
