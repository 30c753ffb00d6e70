// Each kind maps to its member and to one sentence; the assembly failures of a
// crank step share one frame naming the crank angle.
#include "GearFailure.h"

namespace {

Member MemberOf(FailureKind kind) {
  switch (kind) {
    case FailureKind::noEngine:
      return Member::none;
    case FailureKind::nonFiniteEngine:
    case FailureKind::crankUnusable:
    case FailureKind::portUnusable:
      return Member::engineData;
    case FailureKind::midGearUnreachable:
      return Member::liftingArm;
    case FailureKind::angleNotNumber:
    case FailureKind::angleTooLarge:
      return Member::liftArmAngle;
    case FailureKind::connectingRodShort:
      return Member::connectingRod;
    case FailureKind::liftingLinkNoReach:
      return Member::liftingLink;
    case FailureKind::slotMissesStroke:
      return Member::slot;
    case FailureKind::linkIndefinite:
      return Member::link;
    case FailureKind::cutOffsNeverEqual:
      return Member::valve;
  }
  return Member::none;
}

std::string AtCrankAngle(int degrees, const char* reason) {
  return "The gear cannot be assembled at crank angle " + std::to_string(degrees) + " deg.: " + reason + ".";
}

}  // namespace

GearFailure MakeFailure(FailureKind kind, int crankAngleDeg) {
  return {kind, crankAngleDeg, MemberOf(kind)};
}

std::string FailureMessage(const GearFailure& f) {
  switch (f.kind) {
    case FailureKind::noEngine:
      return "No engine is selected: pick one under \"SELECT ENGINE\" "
             "or name a new one under \"NEW  ENGINE\".";
    case FailureKind::nonFiniteEngine:
      return "The engine's data hold a value that is not a finite number; check its dimensions.";
    case FailureKind::crankUnusable:
      return "The main crank radius must not be zero or vanishingly small beside the engine's other "
             "lengths: cut-offs and leads are shares of the stroke.";
    case FailureKind::portUnusable:
      return "The port width must be above zero and not vanishingly small beside the engine's other "
             "lengths: port openings and leads are judged as shares of it.";
    case FailureKind::midGearUnreachable:
      return "The gear cannot be assembled in mid-gear: the lifting link cannot reach the lifting arm.";
    case FailureKind::angleNotNumber:
      return "The lifting-arm angle is not a number.";
    case FailureKind::angleTooLarge:
      return "The lifting-arm angle is too large.";
    case FailureKind::connectingRodShort:
      return AtCrankAngle(f.crankAngleDeg, "the connecting rod cannot reach the line of stroke");
    case FailureKind::liftingLinkNoReach:
      return AtCrankAngle(f.crankAngleDeg, "the lifting link cannot reach the link");
    case FailureKind::slotMissesStroke:
      return AtCrankAngle(f.crankAngleDeg, "the slot of the link does not reach the line of stroke");
    case FailureKind::linkIndefinite:
      return AtCrankAngle(f.crankAngleDeg, "the link takes no definite position");
    case FailureKind::cutOffsNeverEqual:
      return "The valves cannot be set for equal cut-off at the setting angle: no centring of the valve "
             "gives equal back and front cut-offs there.";
  }
  return "The gear cannot be assembled.";
}
