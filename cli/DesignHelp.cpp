// The help text of zovuderiz-design; the option --free lists the dimensions,
// the default bounds and the default set from the engine's table, filled to
// the width of the rest.
#include "DesignHelp.h"

#include <sstream>
#include <vector>

#include "DesignDimensions.h"
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
  return Wrapped("  --free DIM[:LO:HI]    ",
                 "a free dimension by its record field name (" + Joined(all) +
                     "), repeatable; without bounds: within " + FormatGeneral4(100 * kBoundsShare) +
                     " % of its value and at least a quarter of linkpins (" + Joined(angles) + ": " +
                     FormatGeneral4(kLeastAngleReach) + " degree, " + Joined(ratios) + ": " +
                     FormatGeneral4(kLeastRatioReach) + "), " + Listed(pins) +
                     " within a quarter of linkpins. Without --free: " + Joined(DefaultFreeNames()));
}

}  // namespace

std::string DesignHelpText() {
  return R"(zovuderiz-design: propose the dimensions that equalise front and back cut-off

The engine NAME of the data file is the start design. The valves are centred
for equal leads at the setting angle (--set, degrees from mid-gear, positive
downwards), as the first "GO" after "GET  RESULTS" does, and every notch is run
with that centring kept.

Objective: the worst |cut-off back - cut-off front| (% of stroke) over the
notches, on both sides of mid-gear, is made as small as the bounds allow.
Constraints, at every notch: the gear assembles and all eight valve events
occur; the smaller of the two maximum port openings stays at least 90 % of the
start design's smaller one; both leads stay positive.

Options:
  --data FILE           the data file (default ste_data.dat in the working folder)
  --set ANGLE           the setting angle (required)
  --notches A,B,C       the notches as a list, or LO:HI:STEP from LO to HI;
                        default: the start engine's working notches
)" + FreeOptionHelp() +
         R"(  --max-evals N         the evaluations of the gear over all starts (default 600)
  --seed N              places the further starts (default 1); the same input
                        and seed give the same proposal
  --save-as NAME        store the proposal as a new engine; an existing name is refused
  --json                the figures as JSON at full precision
  --unit none|in|mm     label lengths with this unit (default: the data file's)

Exit status: 0 a proposal (improved or not), 2 usage, 3 data file or engine
(also a --save-as name that exists, or a failed save), 4 no feasible design.)";
}
