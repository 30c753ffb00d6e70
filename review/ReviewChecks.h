// The checks of the gear review: each with its key, title, unit, the rule it
// is held to (thresholds for "good" and "fair", given relative to the engine's
// own port width, stroke or pin distance, never in absolute units) and one
// sentence on why the rule matters; and the verdict of a figure under its rule.
#pragma once

#include <array>
#include <cstddef>

// lower: good at or below `good`, fair at or below `fair`. higher: the same
// upwards. band: good within [good, goodHi], fair within [fair, fairHi].
enum class CheckSense { lower, higher, band };

struct CheckRule {
  CheckSense sense;
  double good, fair;
  double goodHi = 0, fairHi = 0;
};

enum class Verdict { good, fair, poor };

struct CheckSpec {
  const char* key;
  const char* title;
  const char* unit;
  CheckRule rule;
  const char* why;
  bool sensitive;  // moves smoothly with the dimensions, so it has sensitivities
};

enum CheckIndex : std::size_t {
  cutOffInequality,
  cutOffInequalityFullDown,
  cutOffInequalityFullUp,
  cutOffInequalityHalfDown,
  cutOffInequalityHalfUp,
  cutOffInequalityQuarterDown,
  cutOffInequalityQuarterUp,
  workImbalance,
  smallestLead,
  fullGearLead,
  leadChange,
  fullGearCutOff,
  shortestCutOff,
  portAtQuarterCutOff,
  fullPortOpening,
  dieSlip,
  dieClearance,
  usableRange,
  midGear,
  conrodRatio,
  eccentricRodRatio,
  kChecks
};

const std::array<CheckSpec, kChecks>& ReviewChecks();

Verdict Judge(const CheckRule& rule, double value);
// How far the value lies outside the rule's "good" thresholds, 0 inside.
double DistanceFromGood(const CheckRule& rule, double value);
const char* VerdictKey(Verdict verdict);
