// A single pass over the rows; each figure starts empty and takes the first
// working notch's value, so an empty figure means no working notch.
#include "StudySummary.h"

#include <algorithm>
#include <cmath>

namespace {

void KeepLargest(std::optional<double>& kept, double value) {
  kept = kept ? std::max(*kept, value) : value;
}

void KeepSmallest(std::optional<double>& kept, double value) {
  kept = kept ? std::min(*kept, value) : value;
}

void KeepLargestSize(std::optional<double>& kept, const std::optional<double>& value) {
  if (value && (!kept || std::fabs(*value) > std::fabs(*kept))) kept = value;
}

}  // namespace

bool IsWorkingNotch(const StudyRow& row) {
  const auto mean = MeanCutOff(row);
  return mean && IsWorkingCutOff(*mean);
}

std::optional<double> MeanCutOff(const StudyRow& row) {
  return row.ok() ? MeanCutOff(row.results) : std::nullopt;
}

std::optional<double> CutOffInequality(const StudyRow& row) {
  const auto difference = row.ok() ? CutOffDifference(row.results) : std::nullopt;
  return difference ? std::optional(std::fabs(*difference)) : std::nullopt;
}

StudySummary SummariseStudy(const std::vector<StudyRow>& rows) {
  StudySummary s;
  for (const StudyRow& row : rows) {
    if (!IsWorkingNotch(row)) continue;
    const RunResults& r = row.results;
    s.workingNotchesDeg.push_back(row.liftArmDeg);
    const double inequality = *CutOffInequality(row);
    KeepLargest(s.worstInequality, inequality);
    if (row.liftArmDeg > 0) KeepLargest(s.worstInequalityDown, inequality);
    if (row.liftArmDeg < 0) KeepLargest(s.worstInequalityUp, inequality);
    KeepSmallest(s.leadMin, std::min(r.leadBack, r.leadFront));
    KeepLargest(s.leadMax, std::max(r.leadBack, r.leadFront));
    KeepSmallest(s.smallestPortOpening, std::min(r.portOpenBack, r.portOpenFront));
    KeepLargestSize(s.worstWorkImbalancePct, row.indicator.workImbalancePct);
    KeepLargest(s.worstDieSlip, r.dieSlip);
  }
  return s;
}
