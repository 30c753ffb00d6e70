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
Constraints, at every notch of the range: the gear assembles, all eight valve
events occur and the die stays between the rod pins (so no notch of the usable
range is lost); both leads are positive and at most 1.5 times the start's
largest lead over the range. At each working notch the mean of the two
cut-offs moves by at most the cut-off shift (3 points) from the start's, and
the smaller of the two maximum port openings stays at least 90 % of the
start's. Where the start itself breaks one (a lead not positive, an event
missing), the proposal may do no worse there, and the output says so.

Method: a Latin hypercube of trial designs drawn from --seed, then NLopt's
COBYLA from the start and the best of them (trials measured every 5 deg.),
polished every 1 deg.; the best is checked on every notch of the range, and
rounded to the 4 significant digits the boxes show when that keeps every
constraint (else the exact values are proposed, and the output says so).
Every figure reported is taken every 0.5 deg. over the range.

Options:
  --data FILE           the data file (default ste_data.dat in the working folder)
  --set ANGLE           the setting angle (required)
  --valve-setting leads|cutoff
                        centre the valves for equal leads (default) or equal
                        cut-off at the setting angle
  --side both|down|up   the side of mid-gear whose inequality is made small
                        (default both)
  --cutoff-shift P      how far each working notch's mean cut-off may move,
                        in points of the stroke (default 3)
  --objective cutoff|work
                        the cut-off inequality (default) or the work imbalance
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
zero), 3 data file or engine (also a --save-as name that exists, or a failed
save), 4 the start cannot be searched.)";
}
