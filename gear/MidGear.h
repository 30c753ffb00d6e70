// Taking an engine into the calculation state and finding the direction of the
// lifting arm in mid-gear, where the lifting link meets the link with the link
// centred on the line of stroke.
#pragma once

#include <optional>
#include <string>

#include "EngineRecord.h"
#include "GearState.h"

// The mid-gear direction of the lifting arm (radians, positive below the
// horizontal) for the state's engine; empty when the lifting link cannot reach
// the lifting arm.
std::optional<double> FindMidGearAngle(const GearState& s);

// The status of an engine whose mid-gear cannot be found.
GearStatus MidGearFailure();

// Copies the engine (all but its reserved field) and sets midGearAngle. When
// the lifting link cannot reach the lifting arm, midGearAngle is 0 and the
// status says so; the copy is made either way.
// Refuses engine data holding a NaN or an infinity.
GearStatus CheckEngineNumbers(const GearState& s);

GearStatus SetMidGear(GearState& s, const EngineRecord& engine);

// " down 12.34 deg. " or " up 3.5 deg. ": the mid-gear direction of the arm in
// the 4-significant-digit format with the given decimal separator.
std::string MidGearText(const GearState& s, char decimalSeparator = '.');
