// The command line of zovuderiz-sweep: options first, then the engine name and
// one or more lifting-arm angles, or with --range and --set the name alone.
// Everything after the name is an angle, so negative angles need no quoting.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "PlayOption.h"
#include "QuadrantStudy.h"
#include "Quantity.h"

struct SweepOptions {
  std::string dataFile = "ste_data.dat";
  std::string resultsFile = "results.txt";
  bool json = false;
  bool csv = false;
  bool help = false;
  std::optional<LengthUnit> unit;  // empty: the data file's setting
  std::string name;                // as typed (UTF-8)
  std::vector<double> angles;      // degrees from mid-gear, positive downwards
  // A quadrant study instead of angles: its notches, the setting angle, how
  // the valve is set there and the indicator diagrams' parameters.
  std::optional<NotchPlan> range;
  std::optional<double> settingDeg;
  std::optional<ValveSetting> valveSetting;  // empty: equal leads, as when not given
  std::optional<IndicatorParams> indicator;  // empty: the defaults
  std::optional<PlayChoice> play;            // the worn gear's bands besides the study
  // A drawing of the gear at the one angle (or its part sheets) instead of a
  // report: the file (.dxf or .svg) and the crank angle (empty: back dead centre).
  std::string drawingFile;
  std::optional<double> crankDeg;
  bool parts = false;
};

// A usage error: the one line to show the user.
struct UsageError {
  std::string message;
};

// "LO:HI:STEP", "auto" or "auto:STEP"; empty when malformed, when STEP is not
// above 0 or when LO is above HI.
std::optional<NotchPlan> ParseNotchPlan(const std::string& text);

// "clearance=PCT,exhaust=FRACTION,rod=RATIO", any of them in any order, each
// once; the others keep their defaults.
std::variant<IndicatorParams, UsageError> ParseIndicatorOption(const std::string& value);

// The value of --unit, for both tools: none, in or mm.
std::variant<LengthUnit, UsageError> ParseUnitOption(const std::string& value);

// For every tool: the value of option args[i] given as "--opt VALUE" (i then
// moves past it) or "--opt=VALUE"; empty when args[i] is another option or
// the value is missing.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& i,
                                       const std::string& option);

std::variant<SweepOptions, UsageError> ParseSweepArgs(const std::vector<std::string>& args);

extern const char* const kSweepUsageText;
