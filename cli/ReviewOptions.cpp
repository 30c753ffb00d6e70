// Every option takes its value as the next argument or after "="; numbers are
// in the program's own format (decimal point), as the other tools read them.
#include "ReviewOptions.h"

#include <cmath>

#include "NumberFormat.h"

const char* const kReviewUsageText =
    "usage: zovuderiz-review [--data FILE] --set ANGLE [--valve-setting leads|cutoff] [--unit none|in|mm] "
    "[--play FILE.csv|b=VALUE] [--json] NAME";

namespace {

std::optional<std::string> TakeOption(const std::vector<std::string>& args, std::size_t& i,
                                      ReviewOptions& options, bool& setGiven) {
  if (args[i] == "--json") {
    options.json = true;
  } else if (const auto data = OptionValue(args, i, "--data")) {
    options.dataFile = *data;
  } else if (const auto set = OptionValue(args, i, "--set")) {
    const auto angle = ParseFloat(*set);
    if (!angle || !std::isfinite(*angle)) return "the setting angle is not a number: " + *set;
    options.setAngleDeg = *angle;
    setGiven = true;
  } else if (const auto valve = OptionValue(args, i, "--valve-setting")) {
    const auto setting = ParseValveSetting(*valve);
    if (!setting) return "--valve-setting needs leads or cutoff: " + *valve;
    options.valveSetting = *setting;
  } else if (const auto play = OptionValue(args, i, "--play")) {
    options.play = ParsePlayOption(*play);
    if (!options.play) return "bad --play '" + *play + "' (a play file, or b=VALUE with VALUE at least 0)";
  } else if (const auto unit = OptionValue(args, i, "--unit")) {
    const auto parsed = ParseUnitOption(*unit);
    if (const auto* bad = std::get_if<UsageError>(&parsed)) return bad->message;
    options.unit = std::get<LengthUnit>(parsed);
  } else {
    return "unknown option or missing value: " + args[i];
  }
  return std::nullopt;
}

}  // namespace

std::variant<ReviewOptions, UsageError> ParseReviewArgs(const std::vector<std::string>& args) {
  ReviewOptions options;
  bool setGiven = false;
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
    if (const auto error = TakeOption(args, i, options, setGiven)) return UsageError{*error};
  }
  if (!setGiven) return UsageError{"no setting angle given (--set ANGLE)"};
  if (i >= args.size()) return UsageError{"no engine name given"};
  if (i + 1 < args.size()) return UsageError{"more than one engine name: " + args[i + 1]};
  options.name = args[i];
  return options;
}
