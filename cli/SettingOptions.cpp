// Every option takes its value as the next argument or after "="; numbers are
// in the program's own format (decimal point); a step may be a fraction.
#include "SettingOptions.h"

#include <algorithm>
#include <cmath>

#include "NumberFormat.h"

const char* const kSettingUsageText =
    "usage: zovuderiz-setting [--data FILE] [--unit none|in|mm] [--set ANGLE] [--valve-setting leads|cutoff] "
    "--readings FILE.csv [--adjust LIST] [--target design|equal-leads:ANGLE|equal-cutoff:ANGLE] "
    "[--step LENGTH[,DEGREES]] [--json] NAME, or zovuderiz-setting [--data FILE] --sheet FILE.csv NAME, or "
    "zovuderiz-setting [--data FILE] [--unit none|in|mm] [--set ANGLE] [--valve-setting leads|cutoff] "
    "--evidence FILE.csv [--json] NAME";

namespace {

// "0.5", "1/64" or "3/32": above 0.
std::optional<double> ParseStep(const std::string& text) {
  const auto slash = text.find('/');
  std::optional<double> value;
  if (slash == std::string::npos) {
    value = ParseFloat(text);
  } else {
    const auto num = ParseFloat(text.substr(0, slash)), den = ParseFloat(text.substr(slash + 1));
    if (num && den && *den != 0) value = *num / *den;
  }
  if (!value || !std::isfinite(*value) || !(*value > 0)) return std::nullopt;
  return value;
}

std::optional<std::string> TakeAdjust(const std::string& list, SettingOptions& options) {
  options.allowed.clear();
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string key = list.substr(start, comma - start);
    const auto a = ParseAdjustment(key);
    if (!a) return "--adjust takes spindle, rod1, rod2, advance1, advance2 or advance: " + key;
    if (std::find(options.allowed.begin(), options.allowed.end(), *a) == options.allowed.end())
      options.allowed.push_back(*a);
    start = comma + 1;
  }
  return std::nullopt;
}

std::optional<std::string> TakeStep(const std::string& text, SettingOptions& options) {
  const auto comma = text.find(',');
  options.lengthStep = ParseStep(text.substr(0, comma));
  if (!options.lengthStep) return "--step needs a length above 0 (such as 1/64 or 0.5): " + text;
  if (comma == std::string::npos) return std::nullopt;
  options.angleStep = ParseStep(text.substr(comma + 1));
  if (!options.angleStep) return "--step needs an angle above 0 after the comma: " + text;
  return std::nullopt;
}

std::optional<std::string> TakeOption(const std::vector<std::string>& args, std::size_t& i,
                                      SettingOptions& o) {
  if (args[i] == "--json") {
    o.json = true;
  } else if (const auto data = OptionValue(args, i, "--data")) {
    o.dataFile = *data;
  } else if (const auto readings = OptionValue(args, i, "--readings")) {
    o.readingsFile = *readings;
  } else if (const auto sheet = OptionValue(args, i, "--sheet")) {
    o.sheetFile = *sheet;
  } else if (const auto evidence = OptionValue(args, i, "--evidence")) {
    o.evidenceFile = *evidence;
  } else if (const auto set = OptionValue(args, i, "--set")) {
    const auto angle = ParseFloat(*set);
    if (!angle || !std::isfinite(*angle)) return "the setting angle is not a number: " + *set;
    o.setAngleDeg = angle;
  } else if (const auto valve = OptionValue(args, i, "--valve-setting")) {
    const auto setting = ParseValveSetting(*valve);
    if (!setting) return "--valve-setting needs leads or cutoff: " + *valve;
    o.valveSetting = *setting;
  } else if (const auto unit = OptionValue(args, i, "--unit")) {
    const auto parsed = ParseUnitOption(*unit);
    if (const auto* bad = std::get_if<UsageError>(&parsed)) return bad->message;
    o.unit = std::get<LengthUnit>(parsed);
  } else if (const auto adjust = OptionValue(args, i, "--adjust")) {
    return TakeAdjust(*adjust, o);
  } else if (const auto target = OptionValue(args, i, "--target")) {
    const auto t = ParseSettingTarget(*target);
    if (!t) return "--target needs design, equal-leads:ANGLE or equal-cutoff:ANGLE: " + *target;
    o.target = *t;
  } else if (const auto step = OptionValue(args, i, "--step")) {
    return TakeStep(*step, o);
  } else {
    return "unknown option or missing value: " + args[i];
  }
  return std::nullopt;
}

}  // namespace

std::variant<SettingOptions, UsageError> ParseSettingArgs(const std::vector<std::string>& args) {
  SettingOptions options;
  std::size_t i = 0;
  for (; i < args.size() && args[i].rfind("-", 0) == 0 && args[i] != "-"; ++i) {
    if (args[i] == "--") {
      ++i;
      break;
    }
    if (args[i] == "--help" || args[i] == "-h") {
      options.help = true;
      return options;
    }
    if (const auto error = TakeOption(args, i, options)) return UsageError{*error};
  }
  const int files = !options.readingsFile.empty() + !options.sheetFile.empty() + !options.evidenceFile.empty();
  if (files != 1) return UsageError{"give one of --readings FILE.csv, --sheet FILE.csv or --evidence FILE.csv"};
  if (i >= args.size()) return UsageError{"no engine name given"};
  if (i + 1 < args.size()) return UsageError{"more than one engine name: " + args[i + 1]};
  options.name = args[i];
  return options;
}
