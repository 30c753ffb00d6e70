// The mid notch each way is half the full gear's angle, to the half degree.
// Further rows (cut-offs in full gear, leads at the mid notches) are added one
// at a time, each the one that leaves the fewest combinations the readings
// cannot separate, while any remains.
#include "ReadingSheet.h"

#include <cmath>

#include "SettingFit.h"

namespace {

Reading Row(const SettingDesign& design, double angle, ReadingEnd end, ReadingEvent event) {
  const ReadingUnit unit = DefaultReadingUnit(event);
  return {angle, end, event, unit, std::nullopt, DefaultPlusMinus(unit, design.unit)};
}

void AddBothEnds(const SettingDesign& design, std::vector<Reading>& rows, double angle, ReadingEvent event) {
  for (const ReadingEnd end : {ReadingEnd::front, ReadingEnd::back})
    rows.push_back(Row(design, angle, end, event));
}

}  // namespace

std::vector<Reading> RecommendedReadings(const SettingDesign& design) {
  const double fullForward = design.usable.hiDeg, fullBack = design.usable.loDeg;
  const double midForward = std::round(fullForward) / 2, midBack = std::round(fullBack) / 2;
  std::vector<Reading> rows, extra;
  AddBothEnds(design, rows, fullForward, ReadingEvent::lead);
  AddBothEnds(design, rows, fullBack, ReadingEvent::lead);
  AddBothEnds(design, rows, midForward, ReadingEvent::cutOff);
  AddBothEnds(design, rows, midBack, ReadingEvent::cutOff);
  AddBothEnds(design, extra, fullForward, ReadingEvent::cutOff);
  AddBothEnds(design, extra, fullBack, ReadingEvent::cutOff);
  AddBothEnds(design, extra, midForward, ReadingEvent::lead);
  AddBothEnds(design, extra, midBack, ReadingEvent::lead);
  // The extra rows lie at the same four angles: one set of slopes serves every trial.
  std::vector<Reading> all = rows;
  all.insert(all.end(), extra.begin(), extra.end());
  const Linearisation lin = Linearise(design, DeviationVector{}, all);
  if (!lin.at.ok()) return rows;
  std::vector<DeviationVector> slope(lin.slope.begin(), lin.slope.begin() + static_cast<long>(rows.size()));
  std::vector<DeviationVector> extraSlope(lin.slope.begin() + static_cast<long>(rows.size()),
                                          lin.slope.end());
  std::size_t weak = InseparableCombinations(design, slope, rows).size();
  while (weak > 0 && !extra.empty()) {
    std::size_t best = 0, bestWeak = weak;
    for (std::size_t i = 0; i < extra.size(); ++i) {
      std::vector<Reading> more = rows;
      std::vector<DeviationVector> moreSlope = slope;
      more.push_back(extra[i]);
      moreSlope.push_back(extraSlope[i]);
      const std::size_t w = InseparableCombinations(design, moreSlope, more).size();
      if (w < bestWeak) {
        best = i;
        bestWeak = w;
      }
    }
    if (bestWeak == weak) break;
    rows.push_back(extra[best]);
    slope.push_back(extraSlope[best]);
    extra.erase(extra.begin() + static_cast<long>(best));
    extraSlope.erase(extraSlope.begin() + static_cast<long>(best));
    weak = bestWeak;
  }
  return rows;
}

std::vector<Reading> MissingReadings(const std::vector<Reading>& recommended,
                                     const std::vector<Reading>& readings) {
  std::vector<Reading> missing;
  for (const Reading& r : recommended) {
    bool found = false;
    for (const Reading& given : readings) found = found || (given.value && SameRow(given, r));
    if (!found) missing.push_back(r);
  }
  return missing;
}
