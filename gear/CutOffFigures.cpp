// The mean and difference are taken only where the valve makes both cut-offs.
#include "CutOffFigures.h"

bool HasBothCutOffs(const RunResults& r) {
  return r.eventFound[cutOffBack] && r.eventFound[cutOffFront];
}

std::optional<double> MeanCutOff(const RunResults& r) {
  if (!HasBothCutOffs(r)) return std::nullopt;
  return (r.eventPct[cutOffBack] + r.eventPct[cutOffFront]) / 2;
}

std::optional<double> CutOffDifference(const RunResults& r) {
  if (!HasBothCutOffs(r)) return std::nullopt;
  return r.eventPct[cutOffBack] - r.eventPct[cutOffFront];
}

bool IsWorkingCutOff(double meanPct) {
  return meanPct >= kWorkingCutOffMinPct && meanPct <= kWorkingCutOffMaxPct;
}
