// One engine measured for the gear review: the valves set at the setting
// angle, then every notch solved once and centred twice, with the setting's
// centring (the quadrant study's row, bit for bit) and for equal leads at the
// notch (the usable range's own test), with the die's extremes along the link.
#pragma once

#include <atomic>
#include <optional>
#include <vector>

#include "Engine.h"
#include "GearFailure.h"
#include "GearSolver.h"
#include "StudySummary.h"
#include "UsableRange.h"
#include "ValveSetting.h"

struct ReviewSetting {
  double angleDeg = 25;
  ValveSetting valve = ValveSetting::equalLeads;
};

struct ReviewNotch {
  StudyRow row;                    // with the setting's centring
  double dieLow = 0, dieHigh = 0;  // the die's extremes along the link, 0 at pin2, 1 at pin1
  double arcLow = 0, arcHigh = 1;  // the same along the slot's arc (MeasureDieSpan)
  bool equalLeadEvents = false;    // all eight events with the valve centred for equal leads here

  bool usable() const { return row.ok() && equalLeadEvents && dieLow >= 0 && dieHigh <= 1; }
};

struct ReviewSweep {
  // Set when the engine has no mid-gear or the valves cannot be set.
  std::optional<GearFailure> failure;
  double midGearDeg = 0;  // the lifting arm's mid-gear direction, positive below the horizontal
  double midGearRad = 0;
  double centring = 0;
  std::vector<ReviewNotch> notches;  // in the order of the angles asked for

  // Every notch ran and passes the usable range's test.
  bool allUsable() const;
};

// Keeps the notches usable without a break from mid-gear (the notch at 0)
// outwards, as the usable range's search from mid-gear would find them among
// these angles, and gives the range they span; empty when mid-gear's is not.
std::optional<UsableRange> TrimToUsable(ReviewSweep& sweep);

// The notches alone, the mid-gear direction (radians) and the centring known.
std::vector<ReviewNotch> MeasureReviewNotches(const Engine& engine, double midGear, double centring,
                                              const std::vector<double>& anglesDeg, int threads,
                                              SolveMethod method = SolveMethod::exact,
                                              const std::atomic<bool>* cancel = nullptr);

// The notches of engines that differ from the first only in their valves
// (laps, port width: the gear's solution reads none of them), each notch
// solved once on the calling thread; the same notches MeasureReviewNotches
// gives each engine with its centring.
std::vector<std::vector<ReviewNotch>> MeasureValveVariants(const std::vector<Engine>& engines, double midGear,
                                                           const std::vector<double>& centrings,
                                                           const std::vector<double>& anglesDeg,
                                                           const std::atomic<bool>* cancel = nullptr);

// Measures the engine at the angles on `threads` threads (the same figures
// for any number). Empty notches when `cancel` was raised.
ReviewSweep MeasureReviewSweep(const Engine& engine, const ReviewSetting& setting,
                               const std::vector<double>& anglesDeg, int threads,
                               SolveMethod method = SolveMethod::exact,
                               const std::atomic<bool>* cancel = nullptr);
