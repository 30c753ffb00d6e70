// One dimensioned sheet per part, each in a frame of its own: the expansion
// link (slot middle at the origin, the rod pins up and down the slot, its
// centre of curvature along -x), each eccentric rod, the lifting arm, the
// lifting link, and the weighshaft's place from the axle.
#pragma once

#include <optional>
#include <vector>

#include "DrawingModel.h"
#include "Engine.h"
#include "SlotTravel.h"

// The link's joints in the link sheet's frame.
struct LinkParts {
  Point centre, pin1, pin2, liftPin, slotMiddle;
  double slotRadius;
};
LinkParts LinkPartsOf(const Engine& e);

// travel: the die's run along the slot over the usable range (empty when the
// engine has none: the link sheet then says so instead of giving the length).
std::vector<Sheet> PartSheets(const Engine& e, const std::optional<SlotTravel>& travel, LengthUnit unit);
