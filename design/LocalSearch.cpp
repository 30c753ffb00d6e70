// The worst part is a maximum over the notches and not smooth; written as t
// with one constraint per notch, COBYLA's linear models fit it well. The best
// trial is kept here from every evaluation, not taken from NLopt, and the
// first point's figures are known, so asking for it again costs no trial.
#include "LocalSearch.h"

#include <cmath>
#include <nlopt.hpp>

namespace {

constexpr double kMostObjective = 2 * kFailedValue;  // the epigraph variable's upper bound
constexpr double kConverged = 1e-3;

struct Context {
  TrialDesigns* trials;
  nlopt::opt* opt;
  const Trial* first;
  Trial* best;
  int limit;
};

void ConstraintsCallback(unsigned m, double* c, unsigned n, const double* x, double*, void* data) {
  auto& cx = *static_cast<Context*>(data);
  const std::vector<double> u(x, x + n - 1);
  std::optional<Trial> trial;
  if (u == cx.first->u)
    trial = *cx.first;
  else
    trial = cx.trials->Try(u, cx.limit);
  if (!trial) {
    std::fill(c, c + m, 0.0);
    cx.opt->force_stop();
    return;
  }
  const double t = x[n - 1];
  const std::size_t parts = trial->parts.size();
  for (std::size_t i = 0; i < parts; ++i) c[i] = std::isnan(trial->parts[i]) ? -1.0 : trial->parts[i] - t;
  std::copy(trial->values.begin(), trial->values.end(), c + parts);
  if (Better(*trial, *cx.best)) *cx.best = *trial;
}

double Epigraph(unsigned n, const double* x, double*, void*) {
  return x[n - 1];
}

}  // namespace

Trial LocalSearch::Run(const Trial& first, int limit, double firstStep) {
  Trial best = first;
  const std::size_t n = first.u.size(), m = first.parts.size() + first.values.size();
  nlopt::opt opt(nlopt::LN_COBYLA, static_cast<unsigned>(n + 1));
  std::vector<double> lower(n + 1, 0.0), upper(n + 1, 1.0), step(n + 1, firstStep);
  upper[n] = kMostObjective;
  opt.set_lower_bounds(lower);
  opt.set_upper_bounds(upper);
  Context cx{&trials_, &opt, &first, &best, limit};
  opt.set_min_objective(Epigraph, nullptr);
  opt.add_inequality_mconstraint(ConstraintsCallback, &cx, std::vector<double>(m, kTolerated / 10));
  // Converged when the steps have shrunk to a thousandth of the first.
  opt.set_xtol_abs(kConverged * firstStep);
  // The epigraph variable starts at the first point's own worst part.
  std::vector<double> x = first.u;
  x.push_back(std::min(first.objective, kMostObjective));
  step[n] = std::max(0.1, 0.25 * x[n]);
  opt.set_initial_step(step);
  double value = 0;
  try {
    opt.optimize(x, value);
  } catch (const std::exception&) {
    // A forced stop or a round-off limit ends this start; its best trial stands.
  }
  return best;
}
