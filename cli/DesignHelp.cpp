// The help text of zovuderiz-design; the option --free lists the dimensions,
// the default bounds and the default set from the engine's table, filled to
// the width of the rest.
#include "DesignHelp.h"

#include <sstream>
#include <vector>

#include "DesignDimensions.h"
#include "DesignSearch.h"
#include "EngineSchema.h"
#include "NumberFormat.h"

namespace {

constexpr std::size_t kHelpWidth = 80;
constexpr const char* kOptionIndent = "                        ";

// "a, b and c".
std::string Listed(const std::vector<std::string>& words) {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i)
    text += (i == 0 ? "" : i + 1 < words.size() ? ", " : " and ") + words[i];
  return text;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : ", ") + word;
  return text;
}

std::vector<std::string> KeysWhere(bool (*keep)(const DimensionSpec&)) {
  std::vector<std::string> keys;
  for (const DimensionSpec& d : EngineDimensions())
    if (keep(d)) keys.push_back(d.key);
  return keys;
}

// The words after the first line's start, filled up to the help's width.
std::string Wrapped(std::string line, const std::string& words) {
  std::string text;
  std::istringstream in(words);
  bool first = true;
  for (std::string word; in >> word; first = false) {
    if (!first && line.size() + 1 + word.size() > kHelpWidth) {
      text += line + "\n";
      line = kOptionIndent + word;
    } else {
      line += (first ? "" : " ") + word;
    }
  }
  return text + line + "\n";
}

// The option --free with every dimension and the default bounds and set.
std::string FreeOptionHelp() {
  const auto all = KeysWhere([](const DimensionSpec&) { return true; });
  const auto angles = KeysWhere([](const DimensionSpec& d) { return d.quantity == Quantity::angle; });
  const auto ratios = KeysWhere([](const DimensionSpec& d) { return d.quantity == Quantity::ratio; });
  const auto pins = KeysWhere([](const DimensionSpec& d) { return d.part == GearPart::liftingPin; });
  const auto suspension = KeysWhere([](const DimensionSpec& d) { return d.part == GearPart::suspension; });
  const auto positive = KeysWhere([](const DimensionSpec& d) { return d.sign == SignRule::positive; });
  const auto keepSign = KeysWhere([](const DimensionSpec& d) { return d.sign == SignRule::keepSign; });
  const auto either = KeysWhere([](const DimensionSpec& d) { return d.sign == SignRule::either; });
  return Wrapped(
      "  --free DIM[:LO:HI]    ",
      "a free dimension by its record field name (" + Joined(all) + "), repeatable; without bounds: within " +
          FormatGeneral4(100 * kBoundsShare) + " % of its value and at least a quarter of linkpins (" +
          Joined(angles) + ": " + FormatGeneral4(kLeastAngleReach) + " degree, " + Joined(ratios) + ": " +
          FormatGeneral4(kLeastRatioReach) + "), " + Listed(suspension) + " within " +
          FormatGeneral4(100 * kSuspensionShare) + " %, " + Listed(pins) + " within a quarter of linkpins. " +
          Listed(positive) + " stay above zero and " + Listed(keepSign) +
          " keeps its sign: their default bounds come no nearer zero than half the value, and bounds "
          "given that cross zero are refused; " +
          Listed(either) + " may take either sign. Without --free: " + Joined(DefaultFreeNames()));
}

}  // namespace

std::string DesignHelpText() {
  return R"(zovuderiz-design: propose the dimensions that equalise front and back cut-off

The engine NAME of the data file is the start design. Its usable range (as the
quadrant study finds it) is the range judged, every 0.5 deg. of it. The valves
are set at the setting angle (--set, degrees from mid-gear, positive downwards)
for equal leads, as the first "GO" does, or for equal cut-off
(--valve-setting cutoff), and every notch is run with that centring kept.

Objective: the worst |cut-off back - cut-off front| (% of stroke) over the
working notches (mean cut-off 15 to 80 %) of the range, on both sides of
mid-gear or on one (--side down|up, the other side then no worse than the
start's worst there); with --objective work the worst |work imbalance| of the
two ends' theoretical indicator diagrams instead (clearance 8 %, exhaust
pressure 0.1, no piston rod).
The designer's limits, at every notch of the range: the gear assembles, all
eight valve events occur and the die stays between the rod pins (so no notch
of the usable range is lost); both leads are positive and at most 1.5 times
the start's largest; at each working notch the smaller of the two maximum
port openings stays at least 90 % of the start's. The full-gear cut-off (the
mean cut-off at each end of the range) stays within the cut-off shift (3
points) of the start's and the mean cut-off still reaches 15 and 80 % on each
side where the start did; the notches may move, and the notch marks (the
lifting-arm angle at each mean cut-off 15, 20 .. 75 %) are given before and
after. The lifting arm's mid-gear direction stays within 5 deg. of the
start's; the weighshaft stays on its side of the crank axle and of the link;
the die keeps 5 % of the pin-to-pin arc (along the slot) from either pin, or
no nearer than the start where it is nearer; the worst work imbalance over the
working notches is no worse than the start's; the die slip (the length of slot
the die runs over in one revolution) at most 110 % of the start's worst.
Where the start itself breaks one (a lead not positive, an event missing),
the proposal may do no worse there, and the output says so. The limits that
bind the proposal are marked with *.

Drawing: every changed length is given on the drawing grid (--precision) and
every figure and limit is checked on those values; each changed dimension
made --tolerance off either way must still keep every limit but the work and
slip limits: one exact run per changed dimension gives the sensitivities, the
worst corners of the tolerance box (at most 4) are run exactly, and the worst
inequality among them is reported beside the nominal one. A dimension the
search left on a bound is marked AT BOUND.

Method: rounds of a fixed size, the first COBYLA from the start, each later
one from the best of a Latin hypercube drawn from --seed and the round
(trials measured every 5 deg.), polished every 1 deg., put on the drawing
grid and walked there one step at a time, checked on every notch and at the
tolerance corners; a design that breaks a limit only between the polished
notches or at a tolerance corner is polished again (at most twice) with those
notches, or kept clear of that limit by the swing the tolerances gave it; the
best that holds is proposed. No round depends on
--max-evals, so more evaluations never give a worse proposal. The default
free set is the eccentric rods' length and pin place and the suspension of
the link: they move the die's travel without changing the valve events the
driver knows; the suspension's bounds are wider (35 %) since it sets no event.
Limits are checked every 0.5 deg. over the start's usable range; the after
figures are taken over the proposal's own usable range, as its study reads it.

Trade-off (--objective both): equal cut-off often costs work balance. One
search for the best work balance, one for the best cut-off equality, both
under the limits, then five cut-off searches with the worst work imbalance
held at levels evenly between those two designs' (the epsilon-constraint
method): up to seven searches, so several times a single search's time, each
with the same seed and --max-evals. The designs no other beats on both counts
are listed from the best cut-off equality to the best work balance, each with
its worst cut-off inequality, its worst work imbalance (signed, over the
working notches of both sides) and its changed dimensions on the drawing
grid; every one is on the grid and meets every limit. When one design is best
at both, the list is that design and says so. The design --pick names is then
reported in full (and saved with --save-as); --json adds "front", the list of
{worstCutOffInequality, worstWorkImbalancePct, proposal}.

Options:
  --data FILE           the data file (default ste_data.dat in the working folder)
  --set ANGLE           the setting angle (required)
  --valve-setting leads|cutoff
                        centre the valves for equal leads (default) or equal
                        cut-off at the setting angle
  --side both|down|up   the side of mid-gear whose inequality is made small
                        (default both)
  --cutoff-shift P      how far the full-gear cut-off may move, in points of
                        the stroke (default 3)
  --keep-notches        hold each working notch's mean cut-off within the shift
                        instead (the notches stay where they are)
  --mid-gear-shift DEG  how far the lifting arm's mid-gear direction may turn
                        (default 5)
  --die-margin PCT      the die's least distance from a rod pin, in % of the
                        pin-to-pin arc (default 5)
  --work-limit PCT|start|none
                        the worst work imbalance allowed (default start: no
                        worse than the start's)
  --precision STEP      the drawing grid of lengths, 1e-9 or coarser (default
                        0.001 in, 0.01 mm, 4 significant figures with no unit)
  --tolerance T         how far a made length may be off (default 0.002 in,
                        0.05 mm, 0.05 % of the value with no unit)
  --objective cutoff|work|both
                        the cut-off inequality (default), the work imbalance,
                        or both: the trade-off between them (see below)
  --pick N              with --objective both, the design of the list reported
                        in full (default 1)
)" + FreeOptionHelp() +
         R"(  --max-evals N         at most N trial designs measured, the checks on every
                        notch included (default )" +
         std::to_string(kDefaultMaxEvaluations) + R"()
  --seed N              places the space-filling trials (default 1); the same
                        input and seed give the same proposal
  --notches A,B,C       the notches listed in the table, or LO:HI:STEP from LO to
                        HI (default: the range's ends and every 5 deg.)
  --save-as NAME        store the proposal as a new engine; an existing name is refused
  --json                the figures as JSON at full precision
  --unit none|in|mm     label lengths with this unit (default: the data file's)

A start whose valves cannot be set, or that has no usable range, is reported
in one line naming the member and crank angle (with --json also as an object
with "engine" and "error").

Exit status: 0 a proposal (improved or not), 2 usage (also bounds that cross
zero, or --free rockerRatio for an engine without a rocker), 3 data file or engine (also a --save-as name that exists, or a failed
save), 4 the start cannot be searched (also a dimension too near zero to search).)";
}
