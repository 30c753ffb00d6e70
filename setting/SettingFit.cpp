// Works in shop steps (each deviation divided by its step) and weighted
// residuals (each divided by its precision). The deviations' plausible size
// is a prior of the least squares (a gear is seldom found more than 1/8 in or
// 2 deg. off), so a combination the readings hardly see is moved only as far
// as they ask and an inseparable one takes the smallest change that fits;
// what is inseparable is judged on the readings alone.
#include "SettingFit.h"

#include <algorithm>
#include <cmath>

#include "SymmetricEigen.h"

namespace {

struct Normal {
  Matrix n;
  std::vector<double> gradient;
  double cost = 0;
};

Normal NormalOf(const SettingDesign& design, const Linearisation& lin, const std::vector<Reading>& rows) {
  Normal e{Matrix(kDeviationCount, std::vector<double>(kDeviationCount, 0)),
           std::vector<double>(kDeviationCount, 0), 0};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const double w = 1 / rows[i].plusMinus;
    const double r = (lin.at.figures[i] - *rows[i].value) * w;
    e.cost += r * r;
    for (int a = 0; a < kDeviationCount; ++a) {
      const double ja = lin.slope[i][a] * design.scale[a] * w;
      e.gradient[a] += ja * r;
      for (int b = 0; b < kDeviationCount; ++b) e.n[a][b] += ja * lin.slope[i][b] * design.scale[b] * w;
    }
  }
  return e;
}

bool Determined(double value, double largest) {
  return value > 1e-10 * largest && value * kInseparableSigmaSteps * kInseparableSigmaSteps >= 1;
}

// The prior's weight on each deviation, in steps.
double PriorWeight(const SettingDesign& design, int j) {
  return std::pow(design.scale[j] / design.plausible[j], 2);
}

void AddPrior(const SettingDesign& design, const DeviationVector& d, Normal& normal) {
  for (int j = 0; j < kDeviationCount; ++j) {
    const double q = d[j] / design.scale[j], w = PriorWeight(design, j);
    normal.n[j][j] += w;
    normal.gradient[j] += w * q;
    normal.cost += w * q * q;
  }
}

double CostOf(const SettingDesign& design, const DeviationVector& d, const Prediction& p,
              const std::vector<Reading>& rows) {
  if (!p.ok()) return INFINITY;
  double cost = 0;
  for (int j = 0; j < kDeviationCount; ++j)
    cost += PriorWeight(design, j) * std::pow(d[j] / design.scale[j], 2);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const double r = (p.figures[i] - *rows[i].value) / rows[i].plusMinus;
    cost += r * r;
  }
  return cost;
}

DeviationVector Step(const EigenPairs& e, const std::vector<double>& gradient, double damping,
                     const DeviationVector& scale) {
  DeviationVector step{};
  for (std::size_t k = 0; k < e.values.size(); ++k) {
    double along = 0;
    for (int j = 0; j < kDeviationCount; ++j) along += e.vectors[k][j] * gradient[j];
    for (int j = 0; j < kDeviationCount; ++j)
      step[j] -= along / (e.values[k] + damping) * e.vectors[k][j] * scale[j];
  }
  return step;
}

struct Solved {
  DeviationVector d{};
  std::string problem;
};

// Levenberg-Marquardt from the design.
Solved Solve(const SettingDesign& design, const std::vector<Reading>& rows) {
  Solved s;
  double damping = 0;
  for (int iteration = 0; iteration < 30; ++iteration) {
    const Linearisation lin = Linearise(design, s.d, rows);
    if (!lin.at.ok()) {
      s.problem = lin.at.failure ? FailureMessage(*lin.at.failure) : "the gear makes no " + lin.at.missing;
      return s;
    }
    Normal normal = NormalOf(design, lin, rows);
    AddPrior(design, s.d, normal);
    const EigenPairs e = SymmetricEigen(normal.n);
    if (damping == 0) damping = 1e-6 * e.values[0];
    bool moved = false;
    for (int tries = 0; tries < 10 && !moved; ++tries, damping *= 10) {
      const DeviationVector step = Step(e, normal.gradient, damping, design.scale);
      DeviationVector trial = s.d;
      double largest = 0;
      for (int j = 0; j < kDeviationCount; ++j) {
        trial[j] += step[j];
        largest = std::max(largest, std::fabs(step[j] / design.scale[j]));
      }
      if (largest < 1e-6) return s;
      if (CostOf(design, trial, Predict(design, trial, rows), rows) < normal.cost) {
        s.d = trial;
        moved = true;
        damping /= 100;
        if (largest < 1e-4) return s;
      }
    }
    if (!moved) return s;
  }
  return s;
}

std::vector<Reading> Without(const std::vector<Reading>& rows, std::size_t left) {
  std::vector<Reading> kept;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (i != left) kept.push_back(rows[i]);
  return kept;
}

// The weighted residuals of rows at d.
std::vector<double> Residuals(const SettingDesign& design, const DeviationVector& d,
                              const std::vector<Reading>& rows, std::vector<double>& fitted) {
  const Prediction p = Predict(design, d, rows);
  fitted = p.ok() ? p.figures : std::vector<double>(rows.size(), NAN);
  std::vector<double> r;
  for (std::size_t i = 0; i < rows.size(); ++i) r.push_back((*rows[i].value - fitted[i]) / rows[i].plusMinus);
  return r;
}

void Describe(const SettingDesign& design, const EigenPairs& e, SettingFit& fit) {
  for (std::size_t k = 0; k < e.values.size(); ++k) {
    const bool determined = Determined(e.values[k], e.values[0]);
    DeviationVector v{};
    double largest = 0;
    for (int j = 0; j < kDeviationCount; ++j) largest = std::max(largest, std::fabs(e.vectors[k][j]));
    for (int j = 0; j < kDeviationCount; ++j) {
      v[j] = e.vectors[k][j] / largest * design.scale[j];
      if (!determined && std::fabs(e.vectors[k][j]) > 0.1) fit.sigma[j].reset();
    }
    if (!determined) {
      fit.inseparable.push_back({v});
      continue;
    }
    for (int a = 0; a < kDeviationCount; ++a)
      for (int b = 0; b < kDeviationCount; ++b)
        fit.covariance[a][b] +=
            e.vectors[k][a] * e.vectors[k][b] / e.values[k] * design.scale[a] * design.scale[b];
  }
}

}  // namespace

std::vector<InseparableCombination> InseparableCombinations(const SettingDesign& design,
                                                            const std::vector<DeviationVector>& slope,
                                                            const std::vector<Reading>& rows) {
  Linearisation lin;
  lin.slope = slope;
  lin.at.figures.assign(rows.size(), 0);
  std::vector<Reading> valued = rows;
  for (Reading& r : valued) r.value = 0;
  SettingFit fit;
  Describe(design, SymmetricEigen(NormalOf(design, lin, valued).n), fit);
  return fit.inseparable;
}

SettingFit FitDeviations(const SettingDesign& design, const std::vector<Reading>& readings) {
  SettingFit fit;
  std::vector<Reading> rows;
  for (const Reading& r : readings)
    if (r.value) rows.push_back(r);
  if (rows.empty()) {
    fit.problem = "no reading has a value";
    return fit;
  }
  std::vector<Reading> kept = rows;
  Solved solved = Solve(design, kept);
  const std::size_t mostLeftOut = rows.size() / 6;
  for (std::size_t leftOut = 0; solved.problem.empty() && leftOut < mostLeftOut; ++leftOut) {
    std::vector<double> fitted;
    const std::vector<double> r = Residuals(design, solved.d, kept, fitted);
    const auto worst =
        std::max_element(r.begin(), r.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    if (std::fabs(*worst) <= 3) break;
    kept = Without(kept, static_cast<std::size_t>(worst - r.begin()));
    solved = Solve(design, kept);
  }
  if (!solved.problem.empty()) {
    fit.problem = "the readings fit no gear that assembles: " + solved.problem;
    return fit;
  }
  fit.deviations = solved.d;
  const Linearisation lin = Linearise(design, solved.d, kept);
  for (int j = 0; j < kDeviationCount; ++j) fit.sigma[j] = 0.0;
  if (lin.at.ok()) Describe(design, SymmetricEigen(NormalOf(design, lin, kept).n), fit);
  for (int j = 0; j < kDeviationCount; ++j)
    if (fit.sigma[j]) fit.sigma[j] = std::sqrt(std::max(0.0, fit.covariance[j][j]));
  std::vector<double> fitted;
  const std::vector<double> r = Residuals(design, solved.d, rows, fitted);
  for (std::size_t i = 0; i < rows.size(); ++i)
    fit.readings.push_back({rows[i], fitted[i], r[i] * rows[i].plusMinus, std::fabs(r[i]) > 3});
  return fit;
}
