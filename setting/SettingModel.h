// The engine in the shop: its design (mid-gear direction, usable range and
// the centring the program sets its valves with), and the readings the gear
// as built gives with any deviations, run as the design is with that
// centring and never centred again.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Deviations.h"
#include "Engine.h"
#include "GearFailure.h"
#include "Readings.h"
#include "UsableRange.h"
#include "ValveSetting.h"

struct SettingDesign {
  Engine engine;  // the stored engine, no deviations
  LengthUnit unit = LengthUnit::none;
  double midGearAngle = 0;  // radians, the design's: the quadrant is on the engine
  UsableRange usable{0, 0};
  double settingDeg = 0;  // where the program sets the valves
  ValveSetting valveSetting = ValveSetting::equalLeads;
  double centring = 0;          // the design's centring there
  int forwardRod = 1;           // 1 or 2: the rod whose pin the die is nearer at the positive full gear
  DeviationVector scale{};      // a shop step of each deviation, the unit the fit measures in
  DeviationVector plausible{};  // PlausibleDeviation of each
};

struct DesignOutcome {
  std::optional<SettingDesign> design;
  std::string problem;  // the user's sentence when there is none
};

// The design of `engine` with its valves set at settingDeg (none: the
// positive end of the usable range, full forward gear, as the study sets
// them); `threads` search the usable range.
DesignOutcome PrepareDesign(const Engine& engine, LengthUnit unit, std::optional<double> settingDeg,
                            ValveSetting setting, int threads);

// The engine with these deviations.
Engine AsBuilt(const SettingDesign& design, const DeviationVector& d);

// The figures of `rows` on the gear as built: one value per row, or the
// failure of the first angle that does not assemble (or an event it misses).
struct Prediction {
  std::vector<double> figures;
  std::optional<GearFailure> failure;
  std::string missing;  // set when a row's event does not occur
  bool ok() const { return !failure && missing.empty(); }
};
Prediction Predict(const SettingDesign& design, const DeviationVector& d, const std::vector<Reading>& rows);

// The figures at d and their forward differences by each deviation (rows x 5).
struct Linearisation {
  Prediction at;
  std::vector<DeviationVector> slope;
};
Linearisation Linearise(const SettingDesign& design, const DeviationVector& d,
                        const std::vector<Reading>& rows);

// The worst |cut-off back - cut-off front| over the working notches of the
// design's usable range, every degree and its ends, on the gear as built.
std::optional<double> WorstCutOffInequality(const SettingDesign& design, const DeviationVector& d,
                                            int threads);
