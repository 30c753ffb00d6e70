// The arm end in mid-gear is the crossing of the lifting-arm circle about the
// weighshaft with the lifting-link circle about the mid-gear lifting pin; of
// the two crossings it takes the one on the side the sweep swings the arm to.
#include "MidGear.h"

#include <algorithm>
#include <cmath>

#include "Angles.h"
#include "NumberFormat.h"

namespace {

void CopyEngine(GearState& s, const EngineRecord& e) {
  s.name = RecordName(e);
  s.conrod = e.conrod;
  s.mcrank = e.mcrank;
  s.eccrod = e.eccrod;
  s.eccrad = e.eccrad;
  s.angadv = e.angadv;
  s.pintoslot = e.pintoslot;
  s.ctoweighh = e.ctoweighh;
  s.ctoweighv = e.ctoweighv;
  s.larad = e.larad;
  s.liftlink = e.liftlink;
  s.linkpins = e.linkpins;
  s.circdisp = e.circdisp;
  s.raddisp = e.raddisp;
  s.stlap = e.stlap;
  s.exlap = e.exlap;
  s.port = e.port;
  s.valveType = e.valveType;
  s.rockerType = e.rockerType;
  s.rockerRatio = e.rockerRatio;
}

// The crossing on the side of the weighshaft that the sweep's arm points to:
// towards +x when the weighshaft is not beyond the eccentric-rod end. A
// weighshaft exactly above or below that end counts as not beyond, as in the sweep.
int ArmEndSide(const GearState& s) {
  const bool beyond = s.ctoweighh > s.eccrod;
  return (s.ctoweighv > 0 && !beyond) || (s.ctoweighv <= 0 && beyond) ? 1 : 0;
}

}  // namespace

GearStatus CheckEngineNumbers(const GearState& s) {
  // A record made elsewhere may hold any bit pattern; such a value must not
  // flow into the tables as a NaN or an infinity.
  const double values[] = {s.conrod,    s.mcrank,    s.eccrod, s.eccrad,   s.angadv,     s.pintoslot,
                           s.ctoweighh, s.ctoweighv, s.larad,  s.liftlink, s.linkpins,   s.circdisp,
                           s.raddisp,   s.stlap,     s.exlap,  s.port,     s.rockerRatio};
  for (const double value : values)
    if (!std::isfinite(value))
      return GearStatus::Failure(
          "The engine's data hold a value that is not a finite number; check its dimensions.");
  return GearStatus::Success();
}

GearStatus MidGearFailure() {
  return GearStatus::Failure(
      "The gear cannot be assembled in mid-gear: the lifting link cannot reach the lifting arm.");
}

std::optional<double> FindMidGearAngle(const GearState& s) {
  const Point liftPinAtMid{s.eccrod + s.pintoslot - s.raddisp, s.circdisp};
  const auto end =
      IntersectCircles(ArmEndSide(s), {s.ctoweighh, s.ctoweighv}, s.larad, liftPinAtMid, s.liftlink);
  if (!end) return std::nullopt;
  // The crossing lies on the arm circle; keep rounding from leaving arcsin's domain.
  const double angle = std::asin(std::clamp((s.ctoweighv - end->y) / s.larad, -1.0, 1.0));
  if (!std::isfinite(angle)) return std::nullopt;
  return angle;
}

GearStatus SetMidGear(GearState& s, const EngineRecord& engine) {
  CopyEngine(s, engine);
  const GearStatus numbers = CheckEngineNumbers(s);
  if (!numbers.ok) {
    s.midGearAngle = 0;
    return numbers;
  }
  const auto angle = FindMidGearAngle(s);
  s.midGearAngle = angle.value_or(0);
  if (!angle) return MidGearFailure();
  return GearStatus::Success();
}

std::string MidGearText(const GearState& s, char decimalSeparator) {
  const char* direction = s.midGearAngle > 0 ? " down " : " up ";
  return direction + FormatGeneral4(std::fabs(RadiansToDegrees(s.midGearAngle)), decimalSeparator) + " deg. ";
}
