// A run is judged on its own tables alone: its events, and the die's place
// along the link at each crank step.
#include "RunUsability.h"

#include <cmath>
#include <vector>

namespace {

const ValveEvent kBackEvents[] = {admissionBack, cutOffBack, exhaustBack, compressionBack};
const ValveEvent kFrontEvents[] = {admissionFront, cutOffFront, exhaustFront, compressionFront};

// One end's missing events, in the order the valve makes them: "admission or
// cut-off", or "events" when it makes none there.
std::string Missing(const RunUsability& usability, const ValveEvent (&events)[4]) {
  static const char* const names[] = {"admission", "cut-off", "exhaust", "compression"};
  std::vector<std::string> missing;
  for (int i = 0; i < 4; ++i)
    if (usability.eventMissing[events[i]]) missing.push_back(names[i]);
  if (missing.size() == 4) return "events";
  std::string text;
  for (std::size_t i = 0; i < missing.size(); ++i)
    text += (i == 0 ? "" : i + 1 == missing.size() ? " or " : ", ") + missing[i];
  return text;
}

}  // namespace

std::string UnusableCauses(const RunUsability& usability) {
  std::vector<std::string> causes;
  if (usability.dieBeyondPin) causes.push_back("the die runs past a rod pin");
  const std::string back = Missing(usability, kBackEvents), front = Missing(usability, kFrontEvents);
  if (!back.empty() && back == front) {
    causes.push_back("no " + back + " at either end");
  } else {
    if (!back.empty()) causes.push_back("no back " + back);
    if (!front.empty()) causes.push_back("no front " + front);
  }
  std::string text;
  for (std::size_t i = 0; i < causes.size(); ++i) text += (i == 0 ? "" : "; ") + causes[i];
  return text;
}

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

double DiePositionAlongLink(const GearRun& run, int step) {
  const JointTable& t = run.joints;
  const Point centre = t.At(step, linkCentre), dieAt = t.At(step, die);
  const Point p1 = t.At(step, pin1), p2 = t.At(step, pin2);
  const auto radius = [&](Point p) { return std::hypot(p.x - centre.x, p.y - centre.y); };
  const double outwards = radius(dieAt) / radius(p1);
  const auto onSlot = [&](Point p) {
    return Point{centre.x + (p.x - centre.x) * outwards, centre.y + (p.y - centre.y) * outwards};
  };
  const Point top = onSlot(p1), bottom = onSlot(p2);
  const double chordX = top.x - bottom.x, chordY = top.y - bottom.y;
  return ((dieAt.x - bottom.x) * chordX + (dieAt.y - bottom.y) * chordY) /
         (chordX * chordX + chordY * chordY);
}

bool IsUsableRun(const GearRun& run) {
  return JudgeRun(run).usable();
}
