// One table of keys; the vector's order is the table's.
#include "Deviations.h"

namespace {

constexpr std::string_view kKeys[] = {"rod1", "rod2", "advance1Deg", "advance2Deg", "spindle"};
constexpr std::string_view kAdjustKeys[] = {"rod1", "rod2", "advance1", "advance2", "spindle"};

}  // namespace

std::string_view DeviationKey(int index) {
  return kKeys[index];
}

std::string_view AdjustKey(int index) {
  return kAdjustKeys[index];
}

bool IsAngleDeviation(int index) {
  return index == advance1Index || index == advance2Index;
}

DeviationVector ToVector(const GearDeviations& d) {
  return {d.rod1, d.rod2, d.advance1Deg, d.advance2Deg, d.spindle};
}

GearDeviations ToDeviations(const DeviationVector& v) {
  return {v[rod1Index], v[rod2Index], v[advance1Index], v[advance2Index], v[spindleIndex]};
}

double DefaultStep(int index, LengthUnit unit) {
  if (IsAngleDeviation(index)) return 0.5;
  return unit == LengthUnit::mm ? 0.5 : 1.0 / 64;
}

double PlausibleDeviation(int index, LengthUnit unit) {
  if (IsAngleDeviation(index)) return 2;
  return unit == LengthUnit::mm ? 3 : 1.0 / 8;
}
