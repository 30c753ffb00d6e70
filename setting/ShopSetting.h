// Setting the valves of an engine in the shop, whole: the design prepared,
// the readings checked against the usable range, the deviations fitted, the
// readings still to take named and the corrections found. The one call the
// command line and the window make; each part is also its own header.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ReadingSheet.h"
#include "SettingCorrections.h"
#include "SettingFit.h"
#include "SettingModel.h"
#include "SettingWords.h"
#include "WorkControl.h"

struct ShopSettingRequest {
  Engine engine;  // the stored engine
  LengthUnit unit = LengthUnit::none;
  std::optional<double> settingDeg;  // none: full forward gear
  ValveSetting valveSetting = ValveSetting::equalLeads;
  std::vector<Reading> readings;  // those without a value are left out
  std::vector<Adjustment> allowed{Adjustment::spindle, Adjustment::rod1, Adjustment::rod2};
  SettingTarget target;
  std::optional<double> lengthStep, angleStep;  // none: DefaultStep
  int threads = 1;
  // When given: counts the three stages (design, fit, corrections) and stops
  // between them when its flag is raised.
  WorkControl* control = nullptr;
};

enum class ShopProblem {
  none,
  engine,    // the design does not assemble or has no usable range (exit 4)
  readings,  // a reading outside the usable range, or none with a value (exit 3)
  fit,       // the readings fit no gear that assembles, or no correction does (exit 4)
  cancelled,
};

struct ShopSetting {
  ShopProblem kind = ShopProblem::none;
  std::string problem;  // the user's sentence
  std::optional<SettingDesign> design;
  std::vector<Reading> recommended;  // the record sheet's rows
  SettingFit fit;
  std::vector<std::string> inseparable;  // one sentence each
  // Set when the readings cannot separate the deviations: the recommended rows not read.
  std::vector<Reading> readingsToAdd;
  Corrections corrections;
  std::vector<std::string> order;  // the first option's order of work
  bool ok() const { return kind == ShopProblem::none; }
};

// Only the design and its recommended rows (for a blank record sheet).
ShopSetting PrepareShopSetting(const ShopSettingRequest& request);
ShopSetting RunShopSetting(const ShopSettingRequest& request);
