// A run is judged on its own tables, so the verdict costs nothing beyond the
// run: the die's place along the link comes from DiePositionAlongLink, as the
// search for the usable range takes it.
#include "RunUsability.h"

#include <vector>

#include "UsableRange.h"

namespace {

// One end's missing events in the order the valve makes them: "no front
// cut-off or exhaust", or "no front events" when it makes none there.
std::string MissingAtEnd(const RunUsability& usability, const std::string& end,
                         const ValveEvent (&events)[4]) {
  static const char* const names[] = {"admission", "cut-off", "exhaust", "compression"};
  std::vector<std::string> missing;
  for (int i = 0; i < 4; ++i)
    if (usability.eventMissing[events[i]]) missing.push_back(names[i]);
  if (missing.size() == 4) return "no " + end + " events";
  std::string text;
  for (std::size_t i = 0; i < missing.size(); ++i)
    text += (i == 0 ? "no " + end + " " : i + 1 == missing.size() ? " or " : ", ") + missing[i];
  return text;
}

}  // namespace

bool RunUsability::usable() const {
  for (const bool missing : eventMissing)
    if (missing) return false;
  return !dieBeyondPin;
}

RunUsability JudgeRun(const GearRun& run) {
  RunUsability usability;
  for (int e = 0; e < kEvents; ++e) usability.eventMissing[e] = !run.results.eventFound[e];
  for (int k = 0; k < kSteps && !usability.dieBeyondPin; ++k) {
    const double along = DiePositionAlongLink(run, k);
    usability.dieBeyondPin = !(along >= 0 && along <= 1);
  }
  return usability;
}

std::string UsabilityNote(const RunUsability& usability) {
  if (usability.usable()) return "";
  std::vector<std::string> causes;
  if (usability.dieBeyondPin) causes.push_back("the die runs past a rod pin");
  for (const std::string& end :
       {MissingAtEnd(usability, "back", {admissionBack, cutOffBack, exhaustBack, compressionBack}),
        MissingAtEnd(usability, "front", {admissionFront, cutOffFront, exhaustFront, compressionFront})})
    if (!end.empty()) causes.push_back(end);
  std::string note = "Outside the usable range: ";
  for (std::size_t i = 0; i < causes.size(); ++i) note += (i == 0 ? "" : "; ") + causes[i];
  return note + ".";
}
