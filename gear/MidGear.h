// The direction of the lifting arm in mid-gear, where the lifting link meets
// the link with the link centred on the line of stroke.
#pragma once

#include <optional>
#include <string>

#include "Engine.h"

// The mid-gear direction of the lifting arm (radians, positive below the
// horizontal); empty when the lifting link cannot reach the lifting arm.
std::optional<double> FindMidGearAngle(const Engine& e);

// " down 12.34 deg. " or " up 3.5 deg. ": the mid-gear direction of the arm in
// the 4-significant-digit format with the given decimal separator.
std::string MidGearText(double midGearAngle, char decimalSeparator = '.');
