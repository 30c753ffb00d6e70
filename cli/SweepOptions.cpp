// Options are recognised only before the engine name; after it every argument
// must be a number in the program's own number format (decimal point).
#include "SweepOptions.h"

#include <sstream>

#include "NumberFormat.h"

const char* const kSweepUsageText =
    "usage: zovuderiz-sweep [--data FILE] [--results FILE] [--unit none|in|mm] [--json] NAME ANGLE "
    "[ANGLE ...] | [--data FILE] [--results FILE] [--unit none|in|mm] --range LO:HI:STEP|auto[:STEP] "
    "--set ANGLE [--csv | --json] NAME";

namespace {

// Takes the value of an option given as "--opt VALUE" or "--opt=VALUE".
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& option,
               std::string& value) {
  const std::string& arg = args[i];
  if (arg.rfind(option + "=", 0) == 0) {
    value = arg.substr(option.size() + 1);
    return true;
  }
  if (arg != option || i + 1 >= args.size()) return false;
  value = args[++i];
  return true;
}

std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields;
  std::istringstream in(text);
  for (std::string field; std::getline(in, field, ':');) fields.push_back(field);
  if (!text.empty() && text.back() == ':') fields.push_back("");
  return fields;
}

// Reads --range and --set; false (with the message set) when a value is bad.
bool TakeStudyOption(const std::vector<std::string>& args, std::size_t& i, SweepOptions& options,
                     std::string& message) {
  std::string value;
  if (TakeValue(args, i, "--range", value)) {
    options.range = ParseNotchPlan(value);
    if (!options.range)
      message = "bad --range '" + value + "' (LO:HI:STEP with STEP above 0, or auto[:STEP])";
    return options.range.has_value();
  }
  if (TakeValue(args, i, "--set", value)) {
    options.settingDeg = ParseFloat(value);
    if (!options.settingDeg) message = ConversionError(value).what();
    return options.settingDeg.has_value();
  }
  message = "unknown option or missing value: " + args[i];
  return false;
}

bool IsStudyOption(const std::string& arg) {
  return arg.rfind("--range", 0) == 0 || arg.rfind("--set", 0) == 0;
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
  return std::nullopt;
}

}  // namespace

std::optional<NotchPlan> ParseNotchPlan(const std::string& text) {
  const std::vector<std::string> fields = Fields(text);
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
  return options;
}
