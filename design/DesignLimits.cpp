// A limit binds where one of its search values, margins included, stands
// within kBindingBand of zero; the values' places are those Values and
// DesignValues fill.
#include "DesignLimits.h"

#include <algorithm>

#include "NumberFormat.h"

namespace {

struct Group {
  bool perNotch;
  std::size_t first, last;  // the values' places, inclusive
};

bool Binds(const std::vector<double>& notchValues, const std::vector<double>& designValues, Group g) {
  const auto near = [](double v) { return v > -kBindingBand && v < kFailedValue; };
  if (!g.perNotch)
    return std::any_of(designValues.begin() + g.first, designValues.begin() + g.last + 1, near);
  for (std::size_t i = 0; i < notchValues.size(); i += kValuesPerNotch)
    for (std::size_t k = g.first; k <= g.last; ++k)
      if (near(notchValues[i + k])) return true;
  return false;
}

std::string WorkText(const DesignConstraints& c) {
  const DesignRules& r = c.rules();
  if (r.workLimit == WorkLimit::none) return "no limit";
  const std::string cap = c.workCap() ? FormatGeneral4(*c.workCap()) + " %" : "none measured";
  return r.workLimit == WorkLimit::start ? "no worse than the start's worst, " + cap : "at most " + cap;
}

}  // namespace

std::vector<LimitState> DescribeLimits(const DesignConstraints& c, const Engine& engine,
                                       const DesignFigures& figures) {
  const DesignRules& r = c.rules();
  std::vector<double> notchValues(figures.notches.size() * kValuesPerNotch), designValues(kDesignValues);
  for (std::size_t i = 0; i < figures.notches.size(); ++i)
    c.Values(figures, i, i, &notchValues[i * kValuesPerNotch]);
  c.DesignValues(engine, figures, designValues.data());
  const std::string shift = FormatGeneral4(r.cutOffShiftPct) + " points of the start's";
  std::vector<std::pair<LimitState, Group>> limits = {
      {{r.keepNotches ? "cutOffShift" : "fullGearCutOffShift",
        r.keepNotches ? "each working notch's mean cut-off within " + shift
                      : "the full-gear cut-off on each side within " + shift},
       {true, 4, 5}},
      {{"workingRange", "the mean cut-off still reaches 15 and 80 % on each side the start reached them"},
       {false, 3, 6}},
      {{"midGearShiftDeg", "the lifting arm's mid-gear direction within " +
                               FormatGeneral4(r.midGearShiftDeg) + " deg. of the start's"},
       {false, 0, 0}},
      {{"weighshaftSide", "the weighshaft stays on its side of the crank axle and of the link"},
       {false, 1, 2}},
      {{"dieMarginPct", "the die at least " + FormatGeneral4(r.dieMarginPct) +
                            " % of the pin-to-pin arc from either rod pin (no nearer than the start's)"},
       {true, 0, 1}},
      {{"workLimitPct", "the worst work imbalance: " + WorkText(c)}, {true, 8, 8}},
      {{"dieSlipShare", "the die slip at most 110 % of the start's worst"}, {true, 9, 9}},
      {{"leads", "leads positive and at most 1.5 times the start's largest"}, {true, 2, 3}},
      {{"portOpeningShare", "the smaller port opening at least 90 % of the start's"}, {true, 6, 6}},
  };
  std::vector<LimitState> states;
  for (auto& [state, group] : limits) {
    state.binds = figures.measured() && Binds(notchValues, designValues, group);
    states.push_back(state);
  }
  return states;
}
