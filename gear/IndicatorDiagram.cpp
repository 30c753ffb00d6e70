// Closed-form areas: the expansion and compression curves are hyperbolas
// p (c + x) = constant, so each contributes a logarithm; the work of an end is
// its mean effective pressure times its piston area.
#include "IndicatorDiagram.h"

#include <cctype>
#include <cmath>

namespace {

struct Fractions {
  double a, c, e, k;  // admission, cut-off, exhaust, compression as fractions of the stroke
};

std::optional<Fractions> Ordered(const EndEvents& ev) {
  const Fractions f{ev.admissionPct / 100, ev.cutOffPct / 100, ev.exhaustPct / 100, ev.compressionPct / 100};
  const bool forward = 0 <= f.c && f.c <= f.e && f.e <= 1;
  const bool back = 0 <= f.a && f.a <= f.k && f.k <= 1;
  if (!forward || !back) return std::nullopt;
  return f;
}

}  // namespace

const std::array<IndicatorParamLimits, 3>& IndicatorParamTable() {
  static const std::array<IndicatorParamLimits, 3> table{{
      {"clearance", "the clearance volume", " %", 0.1, 100, 2, &IndicatorParams::clearancePct},
      {"exhaust", "the exhaust pressure", "", 0, 0.95, 3, &IndicatorParams::exhaustPressure},
      {"rod", "the piston rod's share of the bore", "", 0, 0.5, 3, &IndicatorParams::rodRatio},
  }};
  return table;
}

std::optional<std::string> IndicatorValueProblem(const IndicatorParamLimits& limits, double value) {
  // A value with more decimals than allowed is refused, never rounded: what
  // is used is what was typed.
  const double scaled = value * std::pow(10.0, limits.decimals);
  const bool inRange = value >= limits.lo && value <= limits.hi;
  if (inRange && std::fabs(scaled - std::round(scaled)) <= 1e-9 * std::fmax(1, std::fabs(scaled)))
    return std::nullopt;
  const auto figure = [](double v) {
    std::string text = std::to_string(v);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
  };
  std::string sentence = limits.caption;
  sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
  return sentence + " takes " + figure(limits.lo) + " to " + figure(limits.hi) + limits.unit +
         " with at most " + std::to_string(limits.decimals) + " decimals.";
}

std::optional<std::string> IndicatorParamsProblem(const IndicatorParams& params) {
  for (const IndicatorParamLimits& limits : IndicatorParamTable())
    if (auto problem = IndicatorValueProblem(limits, params.*limits.member)) return problem;
  return std::nullopt;
}

std::optional<EndEvents> EndEventsOf(const RunResults& r, bool back) {
  const ValveEvent adm = back ? admissionBack : admissionFront, cut = back ? cutOffBack : cutOffFront;
  const ValveEvent exh = back ? exhaustBack : exhaustFront, comp = back ? compressionBack : compressionFront;
  for (const ValveEvent e : {adm, cut, exh, comp})
    if (!r.eventFound[e]) return std::nullopt;
  return EndEvents{r.eventPct[adm], r.eventPct[cut], r.eventPct[exh], r.eventPct[comp]};
}

std::optional<double> MeanEffectivePressure(const EndEvents& events, const IndicatorParams& params) {
  const auto f = Ordered(events);
  if (!f || IndicatorParamsProblem(params)) return std::nullopt;
  const double c = params.clearancePct / 100, pb = params.exhaustPressure;
  const double admissionAndExpansion = f->c + (c + f->c) * std::log((c + f->e) / (c + f->c));
  const double exhaust = pb * (1 - f->e) - pb * (1 - f->k);
  const double compressionAndAdmission = pb * (c + f->k) * std::log((c + f->k) / (c + f->a)) + f->a;
  return admissionAndExpansion + exhaust - compressionAndAdmission;
}

IndicatorFigures IndicatorOf(const RunResults& results, const IndicatorParams& params) {
  IndicatorFigures figures;
  if (const auto back = EndEventsOf(results, true)) figures.mepBack = MeanEffectivePressure(*back, params);
  if (const auto front = EndEventsOf(results, false))
    figures.mepFront = MeanEffectivePressure(*front, params);
  if (!figures.mepBack || !figures.mepFront) return figures;
  const double workBack = *figures.mepBack * (1 - params.rodRatio * params.rodRatio);
  const double workFront = *figures.mepFront;
  const double mean = (workBack + workFront) / 2;
  if (mean != 0) figures.workImbalancePct = 100 * (workBack - workFront) / mean;
  return figures;
}

std::vector<IndicatorPoint> IndicatorCurve(const EndEvents& events, const IndicatorParams& params,
                                           int steps) {
  const auto f = Ordered(events);
  if (!f || IndicatorParamsProblem(params) || steps < 1) return {};
  const double c = params.clearancePct / 100, pb = params.exhaustPressure;
  std::vector<IndicatorPoint> curve;
  const auto add = [&curve](double x, double p) { curve.push_back({100 * x, p}); };
  add(0, 1);
  for (int i = 0; i <= steps; ++i) {
    const double x = f->c + (f->e - f->c) * i / steps;
    add(x, (c + f->c) / (c + x));
  }
  add(f->e, pb);
  add(1, pb);
  for (int i = 0; i <= steps; ++i) {
    const double x = f->k + (f->a - f->k) * i / steps;
    add(x, pb * (c + f->k) / (c + x));
  }
  add(f->a, 1);
  add(0, 1);
  return curve;
}
