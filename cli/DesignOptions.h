// The command line of zovuderiz-design: options, then the engine name. The
// notches listed are a list or a range; each --free names a record field,
// with or without its bounds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "DesignSearchTypes.h"
#include "SweepOptions.h"

struct FreeOption {
  std::string name;
  std::optional<double> lower, upper;  // both or neither; then the default bounds
};

struct DesignOptions {
  std::string dataFile = "ste_data.dat";
  double setAngleDeg = 0;
  ValveSetting valveSetting = ValveSetting::equalLeads;
  DesignSide side = DesignSide::both;
  DesignObjective objective = DesignObjective::cutOff;
  bool tradeOff = false;    // --objective both: the front between cut-off equality and work balance
  std::optional<int> pick;  // the design of the front reported in full, from 1 (default 1)
  double cutOffShiftPct = kDefaultCutOffShiftPct;
  bool keepNotches = false;
  double midGearShiftDeg = kDefaultMidGearShiftDeg;
  double dieMarginPct = kDefaultDieMarginPct;
  WorkLimit workLimit = WorkLimit::start;
  double workLimitPct = 0;
  std::optional<double> precision, tolerance;  // empty: by the unit
  std::vector<double> notchesDeg;              // listed; empty: the range's ends and every 5 degrees
  std::vector<FreeOption> free;                // empty: the default set
  int maxEvaluations = kDefaultMaxEvaluations;
  std::uint64_t seed = 1;
  std::optional<std::string> saveAs;  // as typed (UTF-8)
  bool json = false;
  bool help = false;
  std::optional<LengthUnit> unit;  // empty: the data file's setting
  std::string name;                // as typed (UTF-8)
};

std::variant<DesignOptions, UsageError> ParseDesignArgs(const std::vector<std::string>& args);

extern const char* const kDesignUsageText;
