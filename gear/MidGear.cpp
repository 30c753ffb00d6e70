// The arm end in mid-gear is the crossing of the lifting-arm circle about the
// weighshaft with the lifting-link circle about the mid-gear lifting pin; of
// the two crossings it takes the one on the side the sweep swings the arm to.
#include "MidGear.h"

#include <algorithm>
#include <cmath>

#include "Angles.h"
#include "Geometry.h"
#include "NumberFormat.h"

namespace {

// The crossing on the side of the weighshaft that the sweep's arm points to:
// towards +x when the weighshaft is not beyond the eccentric-rod end. A
// weighshaft exactly above or below that end counts as not beyond, as in the sweep.
int ArmEndSide(const Engine& s) {
  const bool beyond = s.ctoweighh > s.eccrod;
  return (s.ctoweighv > 0 && !beyond) || (s.ctoweighv <= 0 && beyond) ? 1 : 0;
}

}  // namespace

std::optional<double> FindMidGearAngle(const Engine& s) {
  const Point liftPinAtMid{s.eccrod + s.pintoslot - s.raddisp, s.circdisp};
  const auto end =
      IntersectCircles(ArmEndSide(s), {s.ctoweighh, s.ctoweighv}, s.larad, liftPinAtMid, s.liftlink);
  if (!end) return std::nullopt;
  // The crossing lies on the arm circle; keep rounding from leaving arcsin's domain.
  const double angle = std::asin(std::clamp((s.ctoweighv - end->y) / s.larad, -1.0, 1.0));
  if (!std::isfinite(angle)) return std::nullopt;
  return angle;
}

std::string MidGearText(double midGearAngle, char decimalSeparator) {
  const char* direction = midGearAngle > 0 ? " down " : " up ";
  return direction + FormatGeneral4(std::fabs(RadiansToDegrees(midGearAngle)), decimalSeparator) + " deg. ";
}
