// The command line of zovuderiz-setting: options, then the engine name.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Quantity.h"
#include "SettingCorrections.h"
#include "SweepOptions.h"
#include "ValveSetting.h"

struct SettingOptions {
  std::string dataFile = "ste_data.dat";
  std::optional<LengthUnit> unit;     // empty: the data file's setting
  std::optional<double> setAngleDeg;  // empty: full forward gear
  ValveSetting valveSetting = ValveSetting::equalLeads;
  std::string readingsFile;  // the readings to fit
  std::string sheetFile;     // or: where to write the blank recommended sheet
  std::string evidenceFile;  // or: the running engine's evidence to diagnose
  std::vector<Adjustment> allowed{Adjustment::spindle, Adjustment::rod1, Adjustment::rod2};
  SettingTarget target;
  std::optional<double> lengthStep, angleStep;  // empty: the shop's usual
  bool json = false;
  bool help = false;
  std::string name;  // as typed (UTF-8)
};

std::variant<SettingOptions, UsageError> ParseSettingArgs(const std::vector<std::string>& args);

extern const char* const kSettingUsageText;
