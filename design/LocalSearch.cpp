// The worst inequality is a maximum over the notches and not smooth; written
// as t with one constraint per notch, COBYLA's linear models fit it well. A
// point where the gear fails gets every constraint far violated. The best
// feasible point is kept here from every evaluation, not taken from NLopt.
#include "LocalSearch.h"

#include <algorithm>
#include <cmath>
#include <nlopt.hpp>

namespace {

constexpr double kFailedConstraint = 100;  // % of stroke, or port widths
constexpr double kMaxInequality = 200;     // the epigraph variable's upper bound

struct Context {
  const DesignProblem* problem;
  SearchTally* tally;
  nlopt::opt* opt;
  StartOutcome* outcome;
};

// Fills c with the constraints at the point (u, t) = x; c <= 0 is feasible.
void Constraints(const Context& cx, const double* x, double* c) {
  const DesignProblem& p = *cx.problem;
  const std::size_t n = p.size(), notches = p.input().notchesDeg.size();
  const std::vector<double> u(x, x + n);
  const Engine engine = p.EngineAt(u);
  const DesignFigures figures = p.Measure(engine);
  if (!figures.complete) {
    std::fill(c, c + 4 * notches, kFailedConstraint);
    return;
  }
  const double scale = std::fabs(engine.port) > 0 ? std::fabs(engine.port) : 1;
  for (std::size_t i = 0; i < notches; ++i) {
    const RunResults& r = figures.notches[i].results;
    c[i] = std::fabs(r.eventPct[cutOffBack] - r.eventPct[cutOffFront]) - x[n];
    c[notches + i] = (p.portFloor()[i] - std::min(r.portOpenBack, r.portOpenFront)) / scale;
    c[2 * notches + i] = -r.leadBack / scale;
    c[3 * notches + i] = -r.leadFront / scale;
  }
  StartOutcome& best = *cx.outcome;
  if (ConstraintViolation(figures, p.portFloor(), engine.port) > 0) return;
  if (best.found && best.inequality <= figures.worstInequality) return;
  best = {true, figures.worstInequality, u, best.evaluations};
  cx.tally->Offer(figures.worstInequality);
}

void ConstraintsCallback(unsigned, double* c, unsigned, const double* x, double*, void* data) {
  auto& cx = *static_cast<Context*>(data);
  if (!cx.tally->Count()) {
    std::fill(c, c + 4 * cx.problem->input().notchesDeg.size(), 0.0);
    cx.opt->force_stop();
    return;
  }
  ++cx.outcome->evaluations;
  Constraints(cx, x, c);
}

double Epigraph(unsigned n, const double* x, double*, void*) {
  return x[n - 1];
}

}  // namespace

StartOutcome LocalSearch::Run(const std::vector<double>& u0, int budget) {
  const std::size_t n = problem_.size(), notches = problem_.input().notchesDeg.size();
  StartOutcome outcome;
  nlopt::opt opt(nlopt::LN_COBYLA, static_cast<unsigned>(n + 1));
  std::vector<double> lower(n + 1, 0.0), upper(n + 1, 1.0), step(n + 1, 0.1);
  upper[n] = kMaxInequality;
  opt.set_lower_bounds(lower);
  opt.set_upper_bounds(upper);
  Context cx{&problem_, &tally_, &opt, &outcome};
  opt.set_min_objective(Epigraph, nullptr);
  opt.add_inequality_mconstraint(ConstraintsCallback, &cx, std::vector<double>(4 * notches, 1e-9));
  opt.set_maxeval(std::max(budget, 1));
  opt.set_xtol_abs(1e-6);
  // The epigraph variable starts at the start point's own worst inequality.
  if (!tally_.Count()) return outcome;
  ++outcome.evaluations;
  const DesignFigures first = problem_.Measure(problem_.EngineAt(u0));
  std::vector<double> x = u0;
  x.push_back(first.complete ? first.worstInequality : kMaxInequality / 2);
  step[n] = std::max(0.1, 0.25 * x[n]);
  opt.set_initial_step(step);
  double value = 0;
  try {
    opt.optimize(x, value);
  } catch (const std::exception&) {
    // A forced stop or a round-off limit ends this start; its best point stands.
  }
  return outcome;
}
