// Options are recognised only before the engine name; after it every argument
// must be a number in the program's own number format (decimal point).
#include "SweepOptions.h"

#include "NumberFormat.h"

const char* const kSweepUsageText =
    "usage: zovuderiz-sweep [--data FILE] [--results FILE] [--json] NAME ANGLE [ANGLE ...]";

namespace {

// Takes the value of --data or --results, given as "--opt VALUE" or "--opt=VALUE".
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

}  // namespace

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
    if (arg == "--json") {
      options.json = true;
    } else if (!TakeValue(args, i, "--data", options.dataFile) &&
               !TakeValue(args, i, "--results", options.resultsFile)) {
      return UsageError{"unknown option or missing value: " + arg};
    }
  }
  if (i >= args.size()) return UsageError{"no engine name given"};
  options.name = args[i++];
  if (i >= args.size()) return UsageError{"no lifting-arm angle given"};
  for (; i < args.size(); ++i) {
    const auto angle = ParseFloat(args[i]);
    if (!angle) return UsageError{ConversionError(args[i]).what()};
    options.angles.push_back(*angle);
  }
  return options;
}
