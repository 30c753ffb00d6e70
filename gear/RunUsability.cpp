// A run is judged on its own tables, so the verdict costs nothing beyond the
// run: the die's place along the link comes from DiePositionAlongLink, as the
// search for the usable range takes it.
#include "RunUsability.h"

#include "UsableRange.h"

namespace {

const char* EventName(ValveEvent event) {
  switch (event) {
    case compressionFront:
      return "front compression";
    case admissionFront:
      return "front admission";
    case cutOffFront:
      return "front cut-off";
    case exhaustFront:
      return "front exhaust";
    case compressionBack:
      return "back compression";
    case admissionBack:
      return "back admission";
    case cutOffBack:
      return "back cut-off";
    case exhaustBack:
      return "back exhaust";
  }
  return "";
}

}  // namespace

RunUsability JudgeRun(const GearRun& run) {
  RunUsability usability;
  for (int e = 0; e < kEvents; ++e)
    if (!run.results.eventFound[e]) usability.missingEvents.push_back(static_cast<ValveEvent>(e));
  for (int k = 0; k < kSteps && !usability.dieBeyondPin; ++k) {
    const double along = DiePositionAlongLink(run, k);
    usability.dieBeyondPin = !(along >= 0 && along <= 1);
  }
  return usability;
}

std::string UsabilityNote(const RunUsability& usability) {
  if (usability.usable()) return "";
  std::string note = "Outside the usable range: ";
  if (usability.dieBeyondPin) note += "the die runs past a rod pin";
  if (!usability.missingEvents.empty()) {
    note += usability.dieBeyondPin ? "; no " : "no ";
    for (std::size_t i = 0; i < usability.missingEvents.size(); ++i)
      note += (i == 0 ? "" : i + 1 == usability.missingEvents.size() ? " or " : ", ") +
              std::string(EventName(usability.missingEvents[i]));
  }
  return note + ".";
}
