// Each figure is read from the run's results as the summary reads it.
#include "StudyRowFigures.h"

#include <cmath>

namespace {

struct CutOffs {
  double back, front;
};

std::optional<CutOffs> CutOffsOf(const StudyRow& row) {
  if (!row.ok() || !row.results.eventFound[cutOffBack] || !row.results.eventFound[cutOffFront]) return {};
  return CutOffs{row.results.eventPct[cutOffBack], row.results.eventPct[cutOffFront]};
}

}  // namespace

std::optional<double> MeanCutOff(const StudyRow& row) {
  const auto c = CutOffsOf(row);
  if (!c) return {};
  return (c->back + c->front) / 2;
}

std::optional<double> CutOffInequality(const StudyRow& row) {
  const auto c = CutOffsOf(row);
  if (!c) return {};
  return std::fabs(c->back - c->front);
}

IndicatorFigures RowIndicator(const StudyRow& row, const IndicatorParams& params) {
  if (!row.ok()) return {};
  return IndicatorOf(row.results, params);
}
