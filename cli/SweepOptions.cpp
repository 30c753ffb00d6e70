// Options are recognised only before the engine name; after it every argument
// must be a number in the program's own number format (decimal point).
#include "SweepOptions.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "NumberFormat.h"

const char* const kSweepUsageText =
    "usage: zovuderiz-sweep [--data FILE] [--results FILE] [--unit none|in|mm] [--json] NAME ANGLE "
    "[ANGLE ...] | [--data FILE] [--results FILE] [--unit none|in|mm] --range LO:HI:STEP|auto[:STEP] "
    "--set ANGLE [--valve-setting leads|cutoff] [--indicator clearance=PCT,exhaust=FRACTION,rod=RATIO] "
    "[--play FILE.csv|b=VALUE] [--csv | --json] NAME | [--data FILE] [--unit none|in|mm] --drawing "
    "FILE.dxf|FILE.svg [--crank DEG] "
    "[--parts] NAME ANGLE";

namespace {

// Takes the value of an option given as "--opt VALUE" or "--opt=VALUE".
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& option,
               std::string& value) {
  const auto given = OptionValue(args, i, option);
  if (given) value = *given;
  return given.has_value();
}

std::vector<std::string> Fields(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::istringstream in(text);
  for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
  if (!text.empty() && text.back() == separator) fields.push_back("");
  return fields;
}

// A fixed plan whose notches cannot be made is refused here, with the reason.
bool TakeRange(const std::string& value, SweepOptions& options, std::string& message) {
  options.range = ParseNotchPlan(value);
  if (!options.range) {
    message = "bad --range '" + value + "' (LO:HI:STEP with STEP above 0, or auto[:STEP])";
    return false;
  }
  const NotchPlan& plan = *options.range;
  if (plan.automatic || !NotchAngles(plan, std::nullopt).empty()) return true;
  const bool advances = plan.loDeg + plan.stepDeg > plan.loDeg && plan.hiDeg + plan.stepDeg > plan.hiDeg;
  message = "bad --range '" + value + "': " +
            (advances ? "more than " + std::to_string(kMostNotches) + " notches"
                      : std::string("the step is too small to change the angle at LO or HI"));
  return false;
}

// Reads --range, --set, --valve-setting and --indicator; false (with the
// message set) when a value is bad.
bool TakeStudyOption(const std::vector<std::string>& args, std::size_t& i, SweepOptions& options,
                     std::string& message) {
  std::string value;
  if (TakeValue(args, i, "--range", value)) return TakeRange(value, options, message);
  if (TakeValue(args, i, "--set", value)) {
    options.settingDeg = ParseFloat(value);
    if (!options.settingDeg) message = ConversionError(value).what();
    return options.settingDeg.has_value();
  }
  if (TakeValue(args, i, "--valve-setting", value)) {
    options.valveSetting = ParseValveSetting(value);
    if (!options.valveSetting) message = "bad --valve-setting '" + value + "' (leads or cutoff)";
    return options.valveSetting.has_value();
  }
  if (TakeValue(args, i, "--play", value)) {
    options.play = ParsePlayOption(value);
    if (!options.play) message = "bad --play '" + value + "' (a play file, or b=VALUE with VALUE at least 0)";
    return options.play.has_value();
  }
  if (TakeValue(args, i, "--indicator", value)) {
    const auto parsed = ParseIndicatorOption(value);
    if (const auto* bad = std::get_if<UsageError>(&parsed))
      message = bad->message;
    else
      options.indicator = std::get<IndicatorParams>(parsed);
    return options.indicator.has_value();
  }
  message = "unknown option or missing value: " + args[i];
  return false;
}

bool IsStudyOption(const std::string& arg) {
  for (const char* option : {"--range", "--set", "--valve-setting", "--indicator", "--play"})
    if (arg.rfind(option, 0) == 0) return true;
  return false;
}

// Reads --drawing, --crank and --parts; false (with the message set) when a
// value is bad.
bool TakeDrawingOption(const std::vector<std::string>& args, std::size_t& i, SweepOptions& options,
                       std::string& message) {
  std::string value;
  if (args[i] == "--parts") {
    options.parts = true;
    return true;
  }
  if (TakeValue(args, i, "--drawing", options.drawingFile)) {
    if (options.drawingFile.empty()) message = "--drawing needs a file name ending in .dxf or .svg";
    return !options.drawingFile.empty();
  }
  if (TakeValue(args, i, "--crank", value)) {
    options.crankDeg = ParseFloat(value);
    if (!options.crankDeg) message = ConversionError(value).what();
    return options.crankDeg.has_value();
  }
  message = "unknown option or missing value: " + args[i];
  return false;
}

bool IsDrawingOption(const std::string& arg) {
  return arg == "--parts" || arg.rfind("--drawing", 0) == 0 || arg.rfind("--crank", 0) == 0;
}

std::optional<UsageError> CheckDrawingOptions(const SweepOptions& options) {
  if (options.drawingFile.empty())
    return options.parts || options.crankDeg
               ? std::optional(UsageError{"--crank and --parts go with --drawing"})
               : std::nullopt;
  const auto endsWith = [&](const char* ending) {
    const std::string& f = options.drawingFile;
    return f.size() > 4 && std::equal(f.end() - 4, f.end(), ending, ending + 4,
                                      [](char a, char b) { return std::tolower(a) == b; });
  };
  if (!endsWith(".dxf") && !endsWith(".svg"))
    return UsageError{"the drawing file '" + options.drawingFile + "' must end in .dxf or .svg"};
  if (options.range || options.json || options.csv)
    return UsageError{"--drawing goes with neither --range, --json nor --csv"};
  if (options.parts && options.crankDeg) return UsageError{"--crank does not go with --parts"};
  return std::nullopt;
}

// Sets the parameter that key names; false for an unknown key or a value that is no number.
bool SetIndicatorParam(IndicatorParams& params, const std::string& key, const std::string& value) {
  const auto number = ParseFloat(value);
  if (!number) return false;
  if (key == "clearance")
    params.clearancePct = *number;
  else if (key == "exhaust")
    params.exhaustPressure = *number;
  else if (key == "rod")
    params.rodRatio = *number;
  else
    return false;
  return true;
}

// Reads the option at args[i]; false (with the message set) when it is unknown,
// lacks its value or has a bad one.
bool TakeOption(const std::vector<std::string>& args, std::size_t& i, SweepOptions& options,
                std::string& message) {
  const std::string& arg = args[i];
  std::string unit;
  if (arg == "--json") {
    options.json = true;
  } else if (arg == "--csv") {
    options.csv = true;
  } else if (IsStudyOption(arg)) {
    return TakeStudyOption(args, i, options, message);
  } else if (IsDrawingOption(arg)) {
    return TakeDrawingOption(args, i, options, message);
  } else if (TakeValue(args, i, "--unit", unit)) {
    const auto parsed = ParseUnitOption(unit);
    if (const auto* bad = std::get_if<UsageError>(&parsed)) {
      message = bad->message;
      return false;
    }
    options.unit = std::get<LengthUnit>(parsed);
  } else if (!TakeValue(args, i, "--data", options.dataFile) &&
             !TakeValue(args, i, "--results", options.resultsFile)) {
    message = "unknown option or missing value: " + arg;
    return false;
  }
  return true;
}

std::optional<UsageError> CheckStudyOptions(const SweepOptions& options) {
  if (options.range && !options.settingDeg) return UsageError{"--range needs --set ANGLE"};
  if (!options.range && options.settingDeg) return UsageError{"--set goes with --range"};
  if (options.csv && !options.range) return UsageError{"--csv goes with --range"};
  if (options.csv && options.json) return UsageError{"--csv and --json exclude each other"};
  if (options.valveSetting && !options.range) return UsageError{"--valve-setting goes with --range"};
  if (options.indicator && !options.range) return UsageError{"--indicator goes with --range"};
  if (options.play && !options.range) return UsageError{"--play goes with --range"};
  return std::nullopt;
}

}  // namespace

std::optional<NotchPlan> ParseNotchPlan(const std::string& text) {
  const std::vector<std::string> fields = Fields(text, ':');
  std::vector<double> numbers;
  const bool automatic = !fields.empty() && fields[0] == "auto";
  for (std::size_t f = automatic ? 1 : 0; f < fields.size(); ++f) {
    const auto number = ParseFloat(fields[f]);
    if (!number) return std::nullopt;
    numbers.push_back(*number);
  }
  NotchPlan plan;
  plan.automatic = automatic;
  if (automatic && numbers.size() <= 1) {
    plan.stepDeg = numbers.empty() ? 1 : numbers[0];
  } else if (!automatic && numbers.size() == 3) {
    plan.loDeg = numbers[0];
    plan.hiDeg = numbers[1];
    plan.stepDeg = numbers[2];
  } else {
    return std::nullopt;
  }
  if (!(plan.stepDeg > 0) || !(plan.loDeg <= plan.hiDeg)) return std::nullopt;
  return plan;
}

std::variant<IndicatorParams, UsageError> ParseIndicatorOption(const std::string& value) {
  const std::string bad =
      "bad --indicator '" + value + "' (clearance=PCT,exhaust=FRACTION,rod=RATIO, any of them, each once)";
  IndicatorParams params;
  std::vector<std::string> seen;
  for (const std::string& field : Fields(value, ',')) {
    const auto equals = field.find('=');
    const std::string key = field.substr(0, equals);
    if (equals == std::string::npos || std::find(seen.begin(), seen.end(), key) != seen.end() ||
        !SetIndicatorParam(params, key, field.substr(equals + 1)))
      return UsageError{bad};
    seen.push_back(key);
  }
  if (seen.empty()) return UsageError{bad};
  if (const auto problem = IndicatorParamsProblem(params))
    return UsageError{"bad --indicator '" + value + "': " + *problem};
  return params;
}

std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& i,
                                       const std::string& option) {
  const std::string& arg = args[i];
  if (arg.rfind(option + "=", 0) == 0) return arg.substr(option.size() + 1);
  if (arg != option || i + 1 >= args.size()) return std::nullopt;
  return args[++i];
}

std::variant<LengthUnit, UsageError> ParseUnitOption(const std::string& value) {
  if (const auto unit = ParseLengthUnit(value)) return *unit;
  return UsageError{"bad --unit '" + value + "' (none, in or mm)"};
}

std::variant<SweepOptions, UsageError> ParseSweepArgs(const std::vector<std::string>& args) {
  SweepOptions options;
  std::size_t i = 0;
  for (; i < args.size() && args[i].rfind("-", 0) == 0 && args[i] != "-"; ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      ++i;
      break;
    }
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return options;
    }
    std::string message;
    if (!TakeOption(args, i, options, message)) return UsageError{message};
  }
  if (const auto bad = CheckStudyOptions(options)) return *bad;
  if (const auto bad = CheckDrawingOptions(options)) return *bad;
  if (i >= args.size()) return UsageError{"no engine name given"};
  options.name = args[i++];
  if (options.range) {
    if (i < args.size()) return UsageError{"with --range no angles follow the name"};
    return options;
  }
  if (i >= args.size()) return UsageError{"no lifting-arm angle given"};
  for (; i < args.size(); ++i) {
    const auto angle = ParseFloat(args[i]);
    if (!angle) return UsageError{ConversionError(args[i]).what()};
    options.angles.push_back(*angle);
  }
  if (!options.drawingFile.empty() && options.angles.size() != 1)
    return UsageError{"--drawing takes one lifting-arm angle"};
  return options;
}
