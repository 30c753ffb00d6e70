// The five deviations of a gear as built as a vector the fit and the
// corrections work on, with their keys and the scales that make a length
// and an angle comparable.
#pragma once

#include <array>
#include <string_view>

#include "GearDeviations.h"
#include "Quantity.h"

inline constexpr int kDeviationCount = 5;
using DeviationVector = std::array<double, kDeviationCount>;

// In the order rod1, rod2, advance1Deg, advance2Deg, spindle.
enum DeviationIndex { rod1Index = 0, rod2Index, advance1Index, advance2Index, spindleIndex };

// "rod1", "rod2", "advance1Deg", "advance2Deg", "spindle": the JSON's keys.
std::string_view DeviationKey(int index);
// The key without its unit, as --adjust names it: "rod1" ... "advance1", "spindle".
std::string_view AdjustKey(int index);
bool IsAngleDeviation(int index);

DeviationVector ToVector(const GearDeviations& d);
GearDeviations ToDeviations(const DeviationVector& v);

// The shop's usual step: 1/64 in (also for no unit), 0.5 mm, 0.5 deg.
double DefaultStep(int index, LengthUnit unit);
// How far a gear is commonly found off: 1/8 in (also for no unit), 3 mm, 2 deg.
// The fit takes it as the spread of the deviations before any reading.
double PlausibleDeviation(int index, LengthUnit unit);
