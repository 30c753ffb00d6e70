// The figure table; an event's figure is read from the event arrays, every
// other one from its member of RunResults. An end's figure is keyed by its
// measure's key with "Back" or "Front" after it.
#include "RunFigures.h"

#include <cstring>

std::optional<double> FigureSpec::Of(const RunResults& r) const {
  if (event < 0) return r.*member;
  if (!r.eventFound[event]) return std::nullopt;
  return r.eventPct[event];
}

const std::vector<FigureSpec>& RunFigures() {
  using enum Quantity;
  using enum CylinderEnd;
  constexpr double RunResults::*noMember = nullptr;
  static const std::vector<FigureSpec> figures = {
      {"admissionBack", "Admission back", "AdmB", percent, admissionBack, noMember, back, "Admission"},
      {"cutOffBack", "Cut-off back", "CoB", percent, cutOffBack, noMember, back, "Cut-off"},
      {"exhaustBack", "Exhaust back", "ExB", percent, exhaustBack, noMember, back, "Exhaust"},
      {"compressionBack", "Compression back", "CpB", percent, compressionBack, noMember, back, "Compression"},
      {"admissionFront", "Admission front", "AdmF", percent, admissionFront, noMember, front, "Admission"},
      {"cutOffFront", "Cut-off front", "CoF", percent, cutOffFront, noMember, front, "Cut-off"},
      {"exhaustFront", "Exhaust front", "ExF", percent, exhaustFront, noMember, front, "Exhaust"},
      {"compressionFront", "Compression front", "CpF", percent, compressionFront, noMember, front,
       "Compression"},
      {"leadBack", "Lead back", "LeadB", length, -1, &RunResults::leadBack, back, "Lead"},
      {"leadFront", "Lead front", "LeadF", length, -1, &RunResults::leadFront, front, "Lead"},
      {"maxPortOpeningBack", "Max. port back", "PortB", length, -1, &RunResults::portOpenBack, back,
       "Max. port opening"},
      {"maxPortOpeningFront", "Max. port front", "PortF", length, -1, &RunResults::portOpenFront, front,
       "Max. port opening"},
      {"valveTravel", "Valve travel", "Travel", length, -1, &RunResults::valveTravel, none, nullptr, false},
      {"linkAngleMinDeg", "Link min.", "LinkMin", angle, -1, &RunResults::linkAngleMinDeg},
      {"linkAngleMaxDeg", "Link max.", "LinkMax", angle, -1, &RunResults::linkAngleMaxDeg},
      {"dieDeflection", "Die deflection", "DieDefl", length, -1, &RunResults::dieDeflection},
      {"dieSlip", "Die slip", "DieSlip", length, -1, &RunResults::dieSlip},
  };
  return figures;
}

const FigureSpec* FindFigure(const char* key) {
  for (const FigureSpec& f : RunFigures())
    if (std::strcmp(key, f.key) == 0) return &f;
  return nullptr;
}

std::string MeasureKey(const FigureSpec& figure) {
  const std::size_t endLength = figure.end == CylinderEnd::back    ? 4
                                : figure.end == CylinderEnd::front ? 5
                                                                   : 0;
  return std::string(figure.key, std::strlen(figure.key) - endLength);
}

const FigureSpec& OtherEnd(const FigureSpec& figure) {
  if (figure.end == CylinderEnd::none) return figure;
  const CylinderEnd other = figure.end == CylinderEnd::back ? CylinderEnd::front : CylinderEnd::back;
  for (const FigureSpec& f : RunFigures())
    if (f.end == other && std::strcmp(f.measure, figure.measure) == 0) return f;
  return figure;
}
