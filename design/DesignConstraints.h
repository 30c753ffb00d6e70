// What a proposal must keep of the start design at every notch of the start's
// usable range, and the figure it is judged by: the worst inequality of the
// cut-offs (or of the two ends' work) over the working notches of one side of
// mid-gear or both.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "DesignFigures.h"
#include "Engine.h"

enum class DesignSide { both, down, up };
enum class DesignObjective { cutOff, work };

// "both", "down", "up"; "cutoff", "work": the names the command line takes.
const char* SideKey(DesignSide side);
std::optional<DesignSide> ParseSide(const std::string& key);
const char* ObjectiveKey(DesignObjective objective);
std::optional<DesignObjective> ParseObjective(const std::string& key);

inline constexpr double kDefaultCutOffShiftPct = 3;
inline constexpr double kDefaultMidGearShiftDeg = 5;
// Of the arc between the rod pins, the least the die keeps from either pin.
inline constexpr double kDefaultDieMarginPct = 5;
// The die slip stays within this multiple of the start's worst.
inline constexpr double kDieSlipGrowth = 1.1;
// Each working notch keeps this share of the start's smaller port opening.
inline constexpr double kPortOpeningShare = 0.9;
// The leads stay at most this multiple of the start's largest lead over the range.
inline constexpr double kLeadGrowth = 1.5;

// The worst work imbalance a proposal may have: the start's, a share, or any.
enum class WorkLimit { start, percent, none };

struct DesignRules {
  DesignSide side = DesignSide::both;
  DesignObjective objective = DesignObjective::cutOff;
  // The full-gear cut-off at each end of the range within this many points of
  // the start's; with keepNotches, every working notch's mean cut-off instead.
  double cutOffShiftPct = kDefaultCutOffShiftPct;
  bool keepNotches = false;
  double midGearShiftDeg = kDefaultMidGearShiftDeg;
  double dieMarginPct = kDefaultDieMarginPct;
  WorkLimit workLimit = WorkLimit::start;
  double workLimitPct = 0;  // with WorkLimit::percent
  IndicatorParams indicator;
};

enum class BreachKind {
  fails,             // the gear does not assemble
  missesEvent,       // a valve event is missing (with the setting's centring or equal leads there)
  dieLeavesLink,     // the die runs past a rod pin
  leadNotPositive,   // a lead is zero or negative
  leadTooLarge,      // a lead exceeds 1.5 times the start's largest
  cutOffMoved,       // the mean cut-off moved by more than the shift allowed
  portNarrowed,      // the smaller port opening fell below 90 % of the start's
  otherSideWorse,    // the side not optimised became worse than the start's worst there
  fullGearMoved,     // a full-gear cut-off moved by more than the shift allowed
  workingRangeLost,  // the mean cut-off no longer reaches 15 or 80 % on a side the start did
  midGearMoved,      // the lifting arm's mid-gear direction turned more than allowed
  weighshaftMoved,   // the weighshaft crossed to the other side of the crank axle or the link
  dieNearPin,        // the die comes nearer a rod pin than the margin allows
  workWorse,         // a working notch's work imbalance exceeds the limit
  dieSlipWorse,      // a working notch's die slip exceeds 110 % of the start's worst
  notMeasured,       // the valves cannot be set, or there is no mid-gear (a corner of the tolerances)
};

struct Breach {
  BreachKind kind;
  double notchDeg;  // the first notch where it is broken
};

std::string BreachText(const Breach& breach);

// The per-notch values a search keeps at or below zero, in points of a
// percentage (of the stroke, the link or the port), with small margins so
// that a design kept on a coarse grid of notches still holds on the fine one.
inline constexpr std::size_t kValuesPerNotch = 10;
// The values of a whole design: its mid-gear direction, the weighshaft's two
// sides, and the working range reached on each side at each end.
inline constexpr std::size_t kDesignValues = 7;
inline constexpr double kFailedValue = 100;
// The value of a limit a notch (or the design) does not count: kept, whatever the design.
inline constexpr double kNotCounted = -1;

class DesignConstraints {
 public:
  // From the start and its exact figures over the notches of its usable range.
  DesignConstraints(const DesignRules& rules, const Engine& startEngine, const DesignFigures& start);

  // The figure a design's notch i (notch `fine` of the start's range) adds to
  // the objective, or empty where it adds none: not a working notch of the
  // design or of the start, or not on the side optimised.
  std::optional<double> ObjectivePart(const DesignFigures& design, std::size_t i, std::size_t fine) const;
  // The worst of the parts over a design measured at every notch of the range;
  // empty when none counts.
  std::optional<double> Objective(const DesignFigures& design) const;
  // The figure reported for a design: as its quadrant study reads it, over its
  // own working notches on the side optimised.
  std::optional<double> Reported(const DesignFigures& design) const;

  // Every constraint the start breaks, each at the first notch where.
  std::vector<Breach> StartBreaches(const DesignFigures& start) const;
  // The same for a design (the engine and its figures at every notch of the
  // range); where the start itself breaks a constraint (a lead not positive,
  // an event missing with the valves so set), the design breaks it only by
  // doing worse there.
  std::vector<Breach> Breaches(const Engine& engine, const DesignFigures& design) const;
  // The notches (indices of the range) where a design breaks a constraint.
  std::vector<std::size_t> BreachedNotches(const DesignFigures& design) const;

  // The search's values at a design's notch i, which is notch `fine` of the start's range.
  void Values(const DesignFigures& design, std::size_t i, std::size_t fine, double* values) const;
  // The search's values of the whole design, kDesignValues of them.
  void DesignValues(const Engine& engine, const DesignFigures& design, double* values) const;

  // The start's worst work imbalance and die slip over its working notches,
  // and the limits they set.
  std::optional<double> workCap() const { return workCap_; }
  std::optional<double> slipCap() const { return slipCap_; }

  const DesignRules& rules() const { return rules_; }

 private:
  struct Reference {
    bool working = false;
    bool events = false;  // all eight with the setting's centring
    bool end = false;     // a full-gear notch, at an end of the range
    double meanCutOff = 0, smallerPort = 0, leastLead = 0, dieLow = 0, dieHigh = 0;
    double arcLow = 0, arcHigh = 1;
  };
  struct StartDesign {
    double midGearDeg = 0;
    double weighV = 0, weighH = 0;                           // ctoweighv and ctoweighh - eccrod
    std::optional<double> lowDown, lowUp, highDown, highUp;  // the mean cut-off's extremes on each side
  };
  void TakeStartDesign(const Engine& engine, const DesignFigures& start);
  std::optional<BreachKind> DesignBreach(const Engine& engine, const DesignFigures& design) const;
  double WorkValue(const NotchFigures& notch) const;
  double SlipValue(const NotchFigures& notch) const;

  std::optional<double> Metric(const RunResults& r) const;
  bool OnOptimisedSide(double angle) const;
  bool OnOtherSide(double angle) const;
  std::optional<BreachKind> BreachAt(const DesignFigures& design, std::size_t i, std::size_t fine,
                                     bool strict) const;
  std::vector<Breach> FirstBreaches(const DesignFigures& design, bool strict) const;

  DesignRules rules_;
  double port_;
  std::vector<Reference> reference_;
  double leadCap_ = 0;
  std::optional<double> otherSideWorst_;
  std::optional<double> workCap_, slipCap_;
  double scale_ = 1;  // the link's pin distance, the weighshaft's values' unit
  StartDesign startDesign_;
};

// The smallest and largest mean cut-off of a design's notches on each side of
// mid-gear (the mid-gear notch on both), over the notches that ran.
struct CutOffExtremes {
  std::optional<double> lowDown, lowUp, highDown, highUp;
};
CutOffExtremes MeanCutOffExtremes(const DesignFigures& design);
