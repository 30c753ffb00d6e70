// The figure table; an event's figure is read from the event arrays, every
// other one from its member of RunResults.
#include "RunFigures.h"

#include <cstring>

std::optional<double> FigureSpec::Of(const RunResults& r) const {
  if (event < 0) return r.*member;
  if (!r.eventFound[event]) return std::nullopt;
  return r.eventPct[event];
}

const std::vector<FigureSpec>& RunFigures() {
  using enum Quantity;
  static const std::vector<FigureSpec> figures = {
      {"admissionBack", "Admission back", "AdmB", percent, admissionBack},
      {"cutOffBack", "Cut-off back", "CoB", percent, cutOffBack},
      {"exhaustBack", "Exhaust back", "ExB", percent, exhaustBack},
      {"compressionBack", "Compression back", "CpB", percent, compressionBack},
      {"admissionFront", "Admission front", "AdmF", percent, admissionFront},
      {"cutOffFront", "Cut-off front", "CoF", percent, cutOffFront},
      {"exhaustFront", "Exhaust front", "ExF", percent, exhaustFront},
      {"compressionFront", "Compression front", "CpF", percent, compressionFront},
      {"leadBack", "Lead back", "LeadB", length, -1, &RunResults::leadBack},
      {"leadFront", "Lead front", "LeadF", length, -1, &RunResults::leadFront},
      {"maxPortOpeningBack", "Max. port back", "PortB", length, -1, &RunResults::portOpenBack},
      {"maxPortOpeningFront", "Max. port front", "PortF", length, -1, &RunResults::portOpenFront},
      {"valveTravel", "Valve travel", "Travel", length, -1, &RunResults::valveTravel},
      {"linkAngleMinDeg", "Link min.", "LinkMin", angle, -1, &RunResults::linkAngleMinDeg},
      {"linkAngleMaxDeg", "Link max.", "LinkMax", angle, -1, &RunResults::linkAngleMaxDeg},
      {"dieDeflection", "Die deflection", "DieDefl", length, -1, &RunResults::dieDeflection},
  };
  return figures;
}

const FigureSpec* FindFigure(const char* key) {
  for (const FigureSpec& f : RunFigures())
    if (std::strcmp(key, f.key) == 0) return &f;
  return nullptr;
}
