// Each figure is read from the run's results as the summary reads it.
#include "StudyRowFigures.h"

#include <cmath>

namespace {

struct CutOffs {
  double back, front;
};

std::optional<CutOffs> CutOffsOf(const RunResults& r) {
  if (!r.eventFound[cutOffBack] || !r.eventFound[cutOffFront]) return {};
  return CutOffs{r.eventPct[cutOffBack], r.eventPct[cutOffFront]};
}

}  // namespace

std::optional<double> MeanCutOff(const RunResults& results) {
  const auto c = CutOffsOf(results);
  if (!c) return {};
  return (c->back + c->front) / 2;
}

std::optional<double> MeanCutOff(const StudyRow& row) {
  if (!row.ok()) return {};
  return MeanCutOff(row.results);
}

std::optional<double> CutOffInequality(const StudyRow& row) {
  const auto c = row.ok() ? CutOffsOf(row.results) : std::nullopt;
  if (!c) return {};
  return std::fabs(c->back - c->front);
}
