// Each set of adjustments is solved on the slopes of the fitted gear (a
// little damping picks the smallest change where several fit alike), the
// linear model shifted twice by the exact figures' departure from it, then
// every rounding of the amounts up or down to whole steps is tried on that
// model and the best is run exactly.
#include "SettingCorrections.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Adjustment kSingle[] = {Adjustment::rod1, Adjustment::rod2, Adjustment::advance1,
                                  Adjustment::advance2, Adjustment::spindle};

// A row's figure less the target (the design's figure, or the other end's).
struct Condition {
  std::size_t a;
  std::optional<std::size_t> b;
  double target, precision;
};

struct Problem {
  std::vector<Reading> rows;
  std::vector<Condition> conditions;
  Linearisation lin;          // at the fitted deviations
  std::vector<double> shift;  // exact figures' departure from the linear model, per row
};

std::size_t RowIndex(std::vector<Reading>& rows, const Reading& r) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (SameRow(rows[i], r)) return i;
  rows.push_back(r);
  return rows.size() - 1;
}

std::string MakeConditions(const SettingDesign& design, const CorrectionRequest& request, Problem& p) {
  p.rows = request.rows;
  const SettingTarget& t = request.target;
  if (t.kind == SettingTarget::Kind::design) {
    const Prediction want = Predict(design, DeviationVector{}, p.rows);
    if (!want.ok())
      return want.failure ? FailureMessage(*want.failure) : "the design makes no " + want.missing;
    for (std::size_t i = 0; i < p.rows.size(); ++i)
      p.conditions.push_back({i, std::nullopt, want.figures[i], p.rows[i].plusMinus});
    return {};
  }
  const ReadingEvent event =
      t.kind == SettingTarget::Kind::equalLeads ? ReadingEvent::lead : ReadingEvent::cutOff;
  const ReadingUnit unit = DefaultReadingUnit(event);
  const double pm = DefaultPlusMinus(unit, design.unit);
  const std::size_t front = RowIndex(p.rows, {t.angleDeg, ReadingEnd::front, event, unit, {}, pm});
  const std::size_t back = RowIndex(p.rows, {t.angleDeg, ReadingEnd::back, event, unit, {}, pm});
  p.conditions.push_back({front, back, 0, pm});
  return {};
}

double ConditionValue(const Condition& c, const std::vector<double>& f) {
  return f[c.a] - (c.b ? f[*c.b] : c.target);
}

DeviationVector Change(const std::vector<Adjustment>& set, const std::vector<double>& x) {
  DeviationVector d{};
  for (std::size_t s = 0; s < set.size(); ++s) {
    const DeviationVector u = AdjustmentDirection(set[s]);
    for (int j = 0; j < kDeviationCount; ++j) d[j] += x[s] * u[j];
  }
  return d;
}

DeviationVector Plus(DeviationVector a, const DeviationVector& b) {
  for (int j = 0; j < kDeviationCount; ++j) a[j] += b[j];
  return a;
}

// The figures of every row after the change, by the shifted linear model.
std::vector<double> LinearFigures(const Problem& p, const DeviationVector& change) {
  std::vector<double> f(p.rows.size());
  for (std::size_t i = 0; i < f.size(); ++i) {
    f[i] = p.lin.at.figures[i] + p.shift[i];
    for (int j = 0; j < kDeviationCount; ++j) f[i] += p.lin.slope[i][j] * change[j];
  }
  return f;
}

double Cost(const Problem& p, const std::vector<double>& f) {
  double cost = 0;
  for (const Condition& c : p.conditions) cost += std::pow(ConditionValue(c, f) / c.precision, 2);
  return cost;
}

double WorstMiss(const Problem& p, const std::vector<double>& f) {
  double worst = 0;
  for (const Condition& c : p.conditions)
    worst = std::max(worst, std::fabs(ConditionValue(c, f)) / c.precision);
  return worst;
}

// A change of the deviations' plausible size weighs as a tenth of a precision squared.
constexpr double kSmallChange = 0.1;

double Plausible(const SettingDesign& design, Adjustment a) {
  return design.plausible[IsAngleAdjustment(a) ? advance1Index : rod1Index];
}

double StepOf(const CorrectionRequest& request, Adjustment a) {
  return IsAngleAdjustment(a) ? request.angleStep : request.lengthStep;
}

// Gaussian elimination with partial pivoting on a small system.
std::vector<double> SolveSmall(std::vector<std::vector<double>> a, std::vector<double> b) {
  const std::size_t n = b.size();
  for (std::size_t c = 0; c < n; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < n; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
    std::swap(a[c], a[pivot]);
    std::swap(b[c], b[pivot]);
    for (std::size_t r = c + 1; r < n; ++r) {
      const double k = a[r][c] / a[c][c];
      for (std::size_t q = c; q < n; ++q) a[r][q] -= k * a[c][q];
      b[r] -= k * b[c];
    }
  }
  std::vector<double> x(n);
  for (std::size_t c = n; c-- > 0;) {
    double s = b[c];
    for (std::size_t q = c + 1; q < n; ++q) s -= a[c][q] * x[q];
    x[c] = s / a[c][c];
  }
  return x;
}

// The continuous amounts that bring the linear model nearest the target.
std::vector<double> Amounts(const SettingDesign& design, const Problem& p,
                            const std::vector<Adjustment>& set) {
  const std::size_t k = set.size();
  const std::vector<double> f0 = LinearFigures(p, DeviationVector{});
  std::vector<std::vector<double>> a(k, std::vector<double>(k, 0));
  std::vector<double> b(k, 0);
  for (const Condition& c : p.conditions) {
    std::vector<double> h(k);
    for (std::size_t s = 0; s < k; ++s) {
      const DeviationVector u = AdjustmentDirection(set[s]);
      for (int j = 0; j < kDeviationCount; ++j)
        h[s] += (p.lin.slope[c.a][j] - (c.b ? p.lin.slope[*c.b][j] : 0)) * u[j];
    }
    const double w = 1 / (c.precision * c.precision), c0 = ConditionValue(c, f0);
    for (std::size_t s = 0; s < k; ++s) {
      b[s] -= c0 * h[s] * w;
      for (std::size_t q = 0; q < k; ++q) a[s][q] += h[s] * h[q] * w;
    }
  }
  // A gentle pull towards no change: of corrections that fit alike the
  // smallest, and none that runs off along a combination the rows hardly see.
  for (std::size_t s = 0; s < k; ++s) a[s][s] += kSmallChange / std::pow(Plausible(design, set[s]), 2);
  return SolveSmall(a, b);
}

// Whole steps about the continuous amounts, each up to a few steps either
// side of the nearest (fewer the more adjustments), on the linear model: the
// least worst miss, then the least sum of squares. Several adjustments can
// make up for each other's rounding, as the spindle and both rods do.
std::vector<double> BestRounding(const Problem& p, const CorrectionRequest& request,
                                 const std::vector<Adjustment>& set, const std::vector<double>& x) {
  const int reach = set.size() <= 3 ? 4 : set.size() == 4 ? 3 : 2;
  const unsigned width = 2 * static_cast<unsigned>(reach) + 1;
  unsigned combinations = 1;
  for (std::size_t s = 0; s < set.size(); ++s) combinations *= width;
  std::vector<double> best;
  std::pair<double, double> bestCost{INFINITY, INFINITY};
  for (unsigned pick = 0; pick < combinations; ++pick) {
    std::vector<double> rounded(set.size());
    unsigned digits = pick;
    for (std::size_t s = 0; s < set.size(); ++s, digits /= width) {
      const double step = StepOf(request, set[s]);
      rounded[s] = (std::round(x[s] / step) + static_cast<double>(digits % width) - reach) * step;
    }
    const std::vector<double> f = LinearFigures(p, Change(set, rounded));
    const std::pair<double, double> cost{WorstMiss(p, f), Cost(p, f)};
    if (cost < bestCost) {
      bestCost = cost;
      best = rounded;
    }
  }
  return best;
}

// The variance the fit leaves on a combination of the rows' figures (the
// slopes given), and on one row's figure.
double Variance(const SettingFit& fit, const DeviationVector& g) {
  double variance = 0;
  for (int a = 0; a < kDeviationCount; ++a)
    for (int b = 0; b < kDeviationCount; ++b) variance += g[a] * fit.covariance[a][b] * g[b];
  return std::max(0.0, variance);
}

double RowVariance(const Problem& p, const SettingFit& fit, std::size_t i) {
  return Variance(fit, p.lin.slope[i]);
}

// A reading taken to its precision is off by at most half of it either way,
// evenly spread: a standard deviation of precision / sqrt(12), where the fit's
// sigmas take the precision itself as one.
constexpr double kReadingVarianceShare = 1.0 / 12;

// Every condition within its precision with the fit's standard deviation
// added: the readings after the correction are then within precision on the
// engine, not only on the fitted gear.
bool SureWithin(const Problem& p, const SettingFit& fit, const std::vector<double>& f) {
  for (const Condition& c : p.conditions) {
    DeviationVector g = p.lin.slope[c.a];
    if (c.b)
      for (int j = 0; j < kDeviationCount; ++j) g[j] -= p.lin.slope[*c.b][j];
    if (std::fabs(ConditionValue(c, f)) + std::sqrt(kReadingVarianceShare * Variance(fit, g)) > c.precision)
      return false;
  }
  return true;
}

int WorkOrder(Adjustment a) {
  return a == Adjustment::spindle ? 2 : IsAngleAdjustment(a) ? 0 : 1;
}

struct Trial {
  CorrectionOption option;
  DeviationVector deviations{};
};

std::optional<Trial> TryAdjustments(const SettingDesign& design, const SettingFit& fit,
                                    const CorrectionRequest& request, Problem p,
                                    const std::vector<Adjustment>& set) {
  std::vector<double> x;
  for (int pass = 0; pass < 3; ++pass) {
    x = Amounts(design, p, set);
    if (pass == 2) break;
    const Prediction exact = Predict(design, Plus(fit.deviations, Change(set, x)), p.rows);
    if (!exact.ok()) break;
    const std::vector<double> model = LinearFigures(p, Change(set, x));
    for (std::size_t i = 0; i < p.rows.size(); ++i) p.shift[i] += exact.figures[i] - model[i];
  }
  const std::vector<double> rounded = BestRounding(p, request, set, x);
  Trial t;
  t.deviations = Plus(fit.deviations, Change(set, rounded));
  const Prediction after = Predict(design, t.deviations, p.rows);
  if (!after.ok()) return std::nullopt;
  for (std::size_t s = 0; s < set.size(); ++s)
    if (rounded[s] != 0) t.option.operations.push_back({set[s], rounded[s]});
  std::stable_sort(
      t.option.operations.begin(), t.option.operations.end(),
      [](const Operation& a, const Operation& b) { return WorkOrder(a.adjust) < WorkOrder(b.adjust); });
  t.option.worstMiss = WorstMiss(p, after.figures);
  t.option.reaches = SureWithin(p, fit, after.figures);
  for (std::size_t i = 0; i < request.rows.size(); ++i) {
    Reading r = request.rows[i];
    r.value = after.figures[i];
    r.plusMinus = std::sqrt(RowVariance(p, fit, i));
    t.option.predicted.push_back(r);
  }
  return t;
}

bool SameOperations(const CorrectionOption& a, const CorrectionOption& b) {
  if (a.operations.size() != b.operations.size()) return false;
  for (std::size_t i = 0; i < a.operations.size(); ++i)
    if (a.operations[i].adjust != b.operations[i].adjust || a.operations[i].amount != b.operations[i].amount)
      return false;
  return true;
}

std::vector<std::vector<Adjustment>> SetsOfSize(const std::vector<Adjustment>& allowed, std::size_t size) {
  std::vector<std::vector<Adjustment>> sets;
  const std::size_t n = allowed.size();
  for (unsigned pick = 0; pick < (1u << n); ++pick) {
    std::vector<Adjustment> set;
    for (std::size_t s = 0; s < n; ++s)
      if ((pick >> s) & 1u) set.push_back(allowed[s]);
    if (set.size() == size) sets.push_back(set);
  }
  return sets;
}

}  // namespace

namespace {

// Of equivalent corrections the cheapest first: those that reach, then the
// fewest operations, then the fewest steps.
void RankCheapestFirst(const CorrectionRequest& request, std::vector<Trial>& chosen) {
  const auto steps = [&](const CorrectionOption& o) {
    double n = 0;
    for (const Operation& op : o.operations) n += std::fabs(op.amount) / StepOf(request, op.adjust);
    return n;
  };
  std::stable_sort(chosen.begin(), chosen.end(), [&](const Trial& a, const Trial& b) {
    if (a.option.reaches != b.option.reaches) return a.option.reaches;
    if (a.option.operations.size() != b.option.operations.size())
      return a.option.operations.size() < b.option.operations.size();
    return steps(a.option) < steps(b.option);
  });
}

// Up to two single operations and two pairs that reach the target, then the
// best with every adjustment allowed.
std::vector<Trial> ChooseOptions(const SettingDesign& design, const SettingFit& fit,
                                 const CorrectionRequest& request, const Problem& p) {
  const auto tryAll = [&](const std::vector<std::vector<Adjustment>>& sets) {
    std::vector<Trial> trials;
    for (const auto& set : sets)
      if (auto t = TryAdjustments(design, fit, request, p, set)) trials.push_back(*t);
    std::stable_sort(trials.begin(), trials.end(),
                     [](const Trial& a, const Trial& b) { return a.option.worstMiss < b.option.worstMiss; });
    return trials;
  };
  std::vector<Trial> chosen;
  const auto keep = [&](const Trial& t) {
    for (const Trial& c : chosen)
      if (SameOperations(c.option, t.option)) return;
    chosen.push_back(t);
  };
  for (std::size_t size = 1; size <= 2 && size < request.allowed.size(); ++size) {
    int kept = 0;
    for (const Trial& t : tryAll(SetsOfSize(request.allowed, size)))
      if (t.option.reaches && t.option.operations.size() == size && kept < 2) {
        keep(t);
        ++kept;
      }
  }
  const std::vector<Trial> all = tryAll({request.allowed});
  if (!all.empty()) keep(all.front());
  RankCheapestFirst(request, chosen);
  return chosen;
}

// A target met at a few rows can be met by a correction that spoils the
// cut-offs over the rest of the quadrant (equal leads at one notch by a long
// rod, say): among the options that reach, those whose worst cut-off
// inequality stays within half a point of the design's come first.
void OfferQuadrantKeepersFirst(Corrections& out) {
  constexpr double kAllowancePoints = 0.5;
  const auto spoils = [&](const CorrectionOption& o) {
    return !o.worstCutOffInequality ||
           (out.designWorstCutOffInequality &&
            *o.worstCutOffInequality > *out.designWorstCutOffInequality + kAllowancePoints);
  };
  std::stable_sort(out.options.begin(), out.options.end(), [&](const CorrectionOption& a, const CorrectionOption& b) {
    if (a.reaches != b.reaches) return a.reaches;
    return !spoils(a) && spoils(b);
  });
}

// The adjustments not allowed that, added to those allowed, reach the target.
std::vector<Adjustment> WouldReach(const SettingDesign& design, const SettingFit& fit,
                                   const CorrectionRequest& request, const Problem& p) {
  std::vector<Adjustment> reach;
  for (const Adjustment a : kSingle) {
    if (std::find(request.allowed.begin(), request.allowed.end(), a) != request.allowed.end()) continue;
    std::vector<Adjustment> more = request.allowed;
    more.push_back(a);
    const auto t = TryAdjustments(design, fit, request, p, more);
    if (t && t->option.reaches) reach.push_back(a);
  }
  return reach;
}

}  // namespace

Corrections FindCorrections(const SettingDesign& design, const SettingFit& fit,
                            const CorrectionRequest& request, int threads) {
  Corrections out;
  Problem p;
  if (const std::string why = MakeConditions(design, request, p); !why.empty()) {
    out.problem = why;
    return out;
  }
  p.lin = Linearise(design, fit.deviations, p.rows);
  if (!p.lin.at.ok()) {
    out.problem = "the fitted gear does not assemble at a row's angle";
    return out;
  }
  p.shift.assign(p.rows.size(), 0);
  std::vector<Trial> chosen = ChooseOptions(design, fit, request, p);
  if (chosen.empty()) {
    out.problem = "no correction leaves a gear that assembles at every row's angle";
    return out;
  }
  for (Trial& t : chosen) {
    t.option.worstCutOffInequality = WorstCutOffInequality(design, t.deviations, threads);
    out.options.push_back(t.option);
  }
  out.designWorstCutOffInequality = WorstCutOffInequality(design, DeviationVector{}, threads);
  OfferQuadrantKeepersFirst(out);
  const Prediction asDesigned = Predict(design, DeviationVector{}, request.rows);
  if (asDesigned.ok()) out.designFigures = asDesigned.figures;
  if (!out.options.front().reaches) out.wouldReach = WouldReach(design, fit, request, p);
  return out;
}
