// The table of checks. Thresholds in points of the stroke, in % of the port
// width or of the pin distance, in degrees or as ratios of two dimensions:
// an engine scaled by any factor is held to the same rules.
#include "ReviewChecks.h"

namespace {

constexpr CheckRule Lower(double good, double fair) {
  return {CheckSense::lower, good, fair};
}
constexpr CheckRule Higher(double good, double fair) {
  return {CheckSense::higher, good, fair};
}
constexpr CheckRule Band(double goodLo, double goodHi, double fairLo, double fairHi) {
  return {CheckSense::band, goodLo, fairLo, goodHi, fairHi};
}

constexpr const char* kPoints = "points of stroke";
constexpr const char* kOfPort = "% of port width";
constexpr const char* kEqualWork =
    "Unequal cut-offs make the two ends of the cylinder do unequal work: an uneven beat and uneven "
    "turning effort.";

}  // namespace

const std::array<CheckSpec, kChecks>& ReviewChecks() {
  static const std::array<CheckSpec, kChecks> checks = {{
      {"cutOffInequality", "Worst cut-off inequality, working notches", kPoints, Lower(1, 3),
       "The best centrally suspended links stay under 1 % of the stroke anywhere in the quadrant; more "
       "means one end of the cylinder is given more steam than the other.",
       true},
      {"cutOffInequalityFullDown", "Cut-off inequality, full gear below mid-gear", kPoints, Lower(1, 3),
       kEqualWork, true},
      {"cutOffInequalityFullUp", "Cut-off inequality, full gear above mid-gear", kPoints, Lower(1, 3),
       kEqualWork, true},
      {"cutOffInequalityHalfDown", "Cut-off inequality at 50 % cut-off below mid-gear", kPoints, Lower(1, 3),
       "Half stroke is one of the three classical places the cut-off is checked.", true},
      {"cutOffInequalityHalfUp", "Cut-off inequality at 50 % cut-off above mid-gear", kPoints, Lower(1, 3),
       "Half stroke is one of the three classical places the cut-off is checked.", true},
      {"cutOffInequalityQuarterDown", "Cut-off inequality at 25 % cut-off below mid-gear", kPoints,
       Lower(1, 3),
       "A gear equalised at half and full gear is usually worst at short cut-off, where it runs.", true},
      {"cutOffInequalityQuarterUp", "Cut-off inequality at 25 % cut-off above mid-gear", kPoints, Lower(1, 3),
       "A gear equalised at half and full gear is usually worst at short cut-off, where it runs.", true},
      {"workImbalance", "Worst work imbalance of the indicator diagrams", "%", Lower(5, 10),
       "The work of the two ends is what the crank feels; the cut-off rule of 1 to 3 points gives about "
       "this much imbalance at short cut-off.",
       true},
      {"smallestLead", "Smallest lead over the usable range", kOfPort, Higher(0, -2),
       "A negative lead admits steam after dead centre: the piston starts its stroke without pressure.",
       true},
      {"fullGearLead", "Lead in full gear", kOfPort, Band(2, 15, 0, 25),
       "About 1/16 in on a full-size engine (0 to 1/4 in): enough to cushion and fill the clearance, not so "
       "much that it works against the piston.",
       true},
      {"leadChange", "Lead change, full gear to mid-gear", kOfPort, Band(0, 15, -5, 25),
       "With open rods the lead rises as the gear is notched up; a lead that falls away, or one that grows "
       "large, changes how the engine runs at speed.",
       true},
      {"fullGearCutOff", "Full-gear cut-off, the shorter side", "% of stroke", Band(70, 88, 60, 92),
       "Full gear must give a late enough cut-off to start a train; about 75 % with travel about "
       "2 x (lap + port).",
       true},
      {"shortestCutOff", "Shortest cut-off in the usable range", "% of stroke", Lower(20, 30),
       "Notching up to a short cut-off is where the gear saves steam; a gear that cannot reach it wastes it.",
       true},
      {"portAtQuarterCutOff", "Port opening at 25 % cut-off, the smaller", kOfPort, Higher(35, 20),
       "At short cut-off the port opens only a little; too little throttles the steam (wire-drawing).", true},
      {"fullPortOpening", "Full-gear travel against 2 x (lap + port)", "%", Higher(100, 85),
       "With a travel of at least twice lap plus port the port opens fully in full gear.", true},
      {"dieSlip", "Worst die slip, working notches", "% of pin distance", Lower(10, 20),
       "Slip wears the die and the slot and is greatest in full gear; central suspension keeps it small.",
       true},
      {"dieClearance", "Die's clearance from the rod pins, working notches", "% of pin-to-pin arc",
       Higher(5, 1),
       "A die that runs up to a rod pin in the notches the engine is worked in strikes the end of the slot; "
       "the usable range itself ends where the die reaches a pin.",
       true},
      {"usableRange", "Usable range, the shorter side", "deg.", Higher(20, 12),
       "Full-size engines reach full gear about 25 deg. of the lifting arm from mid-gear; a short range "
       "leaves little to notch between.",
       false},
      {"midGear", "Mid-gear direction of the lifting arm, from the horizontal", "deg.", Lower(10, 20),
       "An arm near the horizontal in mid-gear swings alike both ways, so both directions of running are "
       "alike.",
       true},
      {"conrodRatio", "Connecting rod against the crank radius", "cranks", Higher(5.5, 4),
       "An ordinary rod is about 6 cranks long; a shorter rod's angularity makes the cut-offs unequal.",
       true},
      {"eccentricRodRatio", "Eccentric rod against the eccentric radius", "radii", Higher(15, 10),
       "The link's radius is about the eccentric rod's length, which is many eccentric radii (57 in for a "
       "4 1/2 in throw); a short rod's angularity distorts the events.",
       true},
  }};
  return checks;
}

Verdict Judge(const CheckRule& rule, double value) {
  switch (rule.sense) {
    case CheckSense::lower:
      return value <= rule.good ? Verdict::good : value <= rule.fair ? Verdict::fair : Verdict::poor;
    case CheckSense::higher:
      return value >= rule.good ? Verdict::good : value >= rule.fair ? Verdict::fair : Verdict::poor;
    case CheckSense::band:
      if (value >= rule.good && value <= rule.goodHi) return Verdict::good;
      return value >= rule.fair && value <= rule.fairHi ? Verdict::fair : Verdict::poor;
  }
  return Verdict::poor;
}

double DistanceFromGood(const CheckRule& rule, double value) {
  switch (rule.sense) {
    case CheckSense::lower:
      return value > rule.good ? value - rule.good : 0;
    case CheckSense::higher:
      return value < rule.good ? rule.good - value : 0;
    case CheckSense::band:
      return value < rule.good ? rule.good - value : value > rule.goodHi ? value - rule.goodHi : 0;
  }
  return 0;
}

const char* VerdictKey(Verdict verdict) {
  switch (verdict) {
    case Verdict::good:
      return "good";
    case Verdict::fair:
      return "fair";
    case Verdict::poor:
      return "poor";
  }
  return "poor";
}
