// What a proposal must keep of the start design at every notch of the start's
// usable range, and the figure it is judged by: the worst inequality of the
// cut-offs (or of the two ends' work) over the working notches of one side of
// mid-gear or both.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "DesignFigures.h"

enum class DesignSide { both, down, up };
enum class DesignObjective { cutOff, work };

// "both", "down", "up"; "cutoff", "work": the names the command line takes.
const char* SideKey(DesignSide side);
std::optional<DesignSide> ParseSide(const std::string& key);
const char* ObjectiveKey(DesignObjective objective);
std::optional<DesignObjective> ParseObjective(const std::string& key);

inline constexpr double kDefaultCutOffShiftPct = 3;
// Each working notch keeps this share of the start's smaller port opening.
inline constexpr double kPortOpeningShare = 0.9;
// The leads stay at most this multiple of the start's largest lead over the range.
inline constexpr double kLeadGrowth = 1.5;

struct DesignRules {
  DesignSide side = DesignSide::both;
  DesignObjective objective = DesignObjective::cutOff;
  double cutOffShiftPct = kDefaultCutOffShiftPct;
  IndicatorParams indicator;
};

enum class BreachKind {
  fails,            // the gear does not assemble
  missesEvent,      // a valve event is missing (with the setting's centring or equal leads there)
  dieLeavesLink,    // the die runs past a rod pin
  leadNotPositive,  // a lead is zero or negative
  leadTooLarge,     // a lead exceeds 1.5 times the start's largest
  cutOffMoved,      // the mean cut-off moved by more than the shift allowed
  portNarrowed,     // the smaller port opening fell below 90 % of the start's
  otherSideWorse,   // the side not optimised became worse than the start's worst there
};

struct Breach {
  BreachKind kind;
  double notchDeg;  // the first notch where it is broken
};

std::string BreachText(const Breach& breach);

// The per-notch values a search keeps at or below zero, in points of a
// percentage (of the stroke, the link or the port), with small margins so
// that a design kept on a coarse grid of notches still holds on the fine one.
inline constexpr std::size_t kValuesPerNotch = 8;
inline constexpr double kFailedValue = 100;

class DesignConstraints {
 public:
  // From the start's exact figures over the notches of its usable range.
  DesignConstraints(const DesignRules& rules, const DesignFigures& start, double port);

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
  // The same for a design measured at every notch of the range; where the
  // start itself breaks a constraint (a lead not positive, an event missing
  // with the valves so set), the design breaks it only by doing worse there.
  std::vector<Breach> Breaches(const DesignFigures& design) const;
  // The notches (indices of the range) where a design breaks a constraint.
  std::vector<std::size_t> BreachedNotches(const DesignFigures& design) const;

  // The search's values at a design's notch i, which is notch `fine` of the start's range.
  void Values(const DesignFigures& design, std::size_t i, std::size_t fine, double* values) const;

  const DesignRules& rules() const { return rules_; }

 private:
  struct Reference {
    bool working = false;
    bool events = false;  // all eight with the setting's centring
    double meanCutOff = 0, smallerPort = 0, leastLead = 0, dieLow = 0, dieHigh = 0;
  };

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
};
