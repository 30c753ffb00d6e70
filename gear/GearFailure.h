// Why a calculation could not be done, as a value: a kind, the crank angle and
// the member that failed. The sentence the user reads is made from it in one
// place (FailureMessage); callers decide by the kind, never by the text.
#pragma once

#include <string>

enum class FailureKind {
  noEngine,            // results were asked for before any engine was selected or named
  nonFiniteEngine,     // the engine's data hold a NaN or an infinity
  crankUnusable,       // the crank radius is zero or too small to measure the stroke's shares by
  portUnusable,        // the port width is not above zero or too small to measure its shares by
  midGearUnreachable,  // the lifting link cannot reach the lifting arm in mid-gear
  angleNotNumber,      // the lifting-arm angle is a NaN or an infinity
  angleTooLarge,       // the lifting-arm angle overflows on turning into radians
  connectingRodShort,  // the connecting rod cannot reach the line of stroke
  liftingLinkNoReach,  // the lifting link cannot reach the link
  slotMissesStroke,    // the slot of the link does not reach the line of stroke
  linkIndefinite,      // the link takes no definite position
  cutOffsNeverEqual,   // no centring of the valve makes the two cut-offs equal at the setting
};

enum class Member {
  none,
  engineData,
  liftArmAngle,
  liftingArm,
  connectingRod,
  liftingLink,
  slot,
  link,
  valve
};

struct GearFailure {
  FailureKind kind;
  int crankAngleDeg = 0;  // where the gear came apart; 0 for failures before the sweep
  Member member = Member::none;
};

// The failure of a kind, with the member that kind concerns.
GearFailure MakeFailure(FailureKind kind, int crankAngleDeg = 0);

// The user's sentence, for example "The gear cannot be assembled at crank angle
// 182 deg.: the lifting link cannot reach the link."
std::string FailureMessage(const GearFailure& failure);
