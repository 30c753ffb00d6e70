// The command line of zovuderiz-review: options, then the engine name.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Quantity.h"
#include "SweepOptions.h"
#include "ValveSetting.h"

struct ReviewOptions {
  std::string dataFile = "ste_data.dat";
  double setAngleDeg = 0;
  ValveSetting valveSetting = ValveSetting::equalLeads;
  bool json = false;
  bool help = false;
  std::optional<LengthUnit> unit;  // empty: the data file's setting
  std::string name;                // as typed (UTF-8)
  std::optional<PlayChoice> play;  // the worn gear judged too
};

std::variant<ReviewOptions, UsageError> ParseReviewArgs(const std::vector<std::string>& args);

extern const char* const kReviewUsageText;
