// The dimensions a design search may change, read from the engine's table of
// dimensions: the suspension of the link, free unless the user picks others,
// the default bounds around a start value by each dimension's quantity, and
// the side of zero each dimension's sign rule keeps it on.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Engine.h"
#include "EngineSchema.h"

struct DesignDimension {
  const char* name;     // the record field name, as typed on the command line
  const char* caption;  // the box label
  double Engine::*field;
};

// A free dimension and the interval the search keeps it in.
struct FreeDimension {
  std::string name;
  double lower = 0, upper = 0;
};

// The seventeen in the record's field order.
const std::array<DesignDimension, kDimensions>& DesignDimensions();
std::optional<DesignDimension> FindDesignDimension(const std::string& name);

// The eccentric rods' length and pin-to-slot distance, and the suspension of
// the link (its parts and the lifting pin's place on it), in the record's
// order: eccrod, pintoslot, ctoweighh, ctoweighv, larad, liftlink, circdisp, raddisp.
const std::vector<std::string>& DefaultFreeNames();

// The reach of the default bounds: this share of a dimension's value, and at
// least this much for an angle (degrees) or a ratio.
inline constexpr double kBoundsShare = 0.15;
// The suspension's parts (the weighshaft's place, the lifting arm and link)
// hang the link and set no valve event, so a designer moves them further.
inline constexpr double kSuspensionShare = 0.35;
inline constexpr double kLeastAngleReach = 1.0;
inline constexpr double kLeastRatioReach = 0.1;
// A dimension that must stay on its side of zero keeps at least this share of
// its value within the default bounds.
inline constexpr double kLeastKeptShare = 0.5;

// The lifting pin's offsets (circdisp, raddisp) within a quarter of linkpins of
// their value; the suspension's parts within 35 % of their value and every
// other length within 15 %, and at least that
// quarter; an angle within 15 % and at least 1 degree, a ratio within 15 % and
// at least 0.1. A dimension that must stay above zero (or keep its sign) never
// goes nearer zero than half its value; one at zero or on the wrong side stays
// where it is. The bounds are rounded to the 4 significant digits the boxes show.
FreeDimension DefaultBounds(const Engine& start, const std::string& name);
std::vector<FreeDimension> DefaultFreeSet(const Engine& start);

// Why these bounds cannot be searched: a lower bound above the upper, a bound
// that is not a finite number, or an interval that crosses zero for a
// dimension that must stay above zero or keep the sign it has in the start
// design (bounds that hold it at its start value are always sound). Empty when
// the bounds are sound.
std::optional<std::string> BoundsProblem(const Engine& start, const FreeDimension& bounds);
