// Every option takes its value as the next argument or after "="; numbers are
// in the program's own format (decimal point). A range of notches runs from LO
// to HI inclusive by STEP.
#include "DesignOptions.h"

#include <cmath>

#include "EngineSchema.h"
#include "NumberFormat.h"
#include "QuadrantStudy.h"
#include "TradeOffFront.h"

const char* const kDesignUsageText =
    "usage: zovuderiz-design [--data FILE] --set ANGLE [--valve-setting leads|cutoff] [--side both|down|up] "
    "[--cutoff-shift P] [--keep-notches] [--mid-gear-shift DEG] [--die-margin PCT] [--work-limit "
    "PCT|start|none] "
    "[--precision STEP] [--tolerance T] [--objective cutoff|work|both] [--pick N] [--free DIM[:LO:HI]]... "
    "[--max-evals N] "
    "[--seed N] "
    "[--notches A,B,C | --notches LO:HI:STEP] [--save-as NAME] [--unit none|in|mm] [--json] NAME";

namespace {

// The finest drawing grid taken, in the data file's unit.
constexpr double kFinestPrecision = 1e-9;

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == separator)
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

std::optional<std::vector<double>> Numbers(const std::string& text, char separator) {
  std::vector<double> numbers;
  for (const std::string& part : Split(text, separator)) {
    const auto number = ParseFloat(part);
    if (!number || !std::isfinite(*number)) return std::nullopt;
    numbers.push_back(*number);
  }
  return numbers;
}

// A range is counted as the study counts it (exactly, its last notch snapped
// to HI), so a step lost in rounding is refused rather than repeated without end;
// a list is held to the same number of notches.
std::optional<std::string> ParseNotches(const std::string& text, std::vector<double>& notches) {
  const std::string tooMany = "more than " + std::to_string(kMostNotches) + " notches: " + text;
  if (text.find(':') == std::string::npos) {
    const auto list = Numbers(text, ',');
    if (!list) return "notches are not numbers: " + text;
    if (list->size() > static_cast<std::size_t>(kMostNotches)) return tooMany;
    notches = *list;
    return std::nullopt;
  }
  const auto range = Numbers(text, ':');
  if (!range || range->size() != 3 || (*range)[2] <= 0 || (*range)[0] > (*range)[1])
    return "notches need LO:HI:STEP with LO <= HI and STEP > 0: " + text;
  const NotchPlan plan{false, (*range)[0], (*range)[1], (*range)[2]};
  notches = NotchAngles(plan, std::nullopt);
  if (!notches.empty()) return std::nullopt;
  const bool advances = plan.loDeg + plan.stepDeg > plan.loDeg && plan.hiDeg + plan.stepDeg > plan.hiDeg;
  return advances ? tooMany : "the step is too small to change the angle at LO or HI: " + text;
}

std::optional<std::string> ParseFree(const std::string& text, std::vector<FreeOption>& free) {
  const auto parts = Split(text, ':');
  if (!FindDimension(parts[0])) return "not a dimension: " + parts[0];
  for (const FreeOption& f : free)
    if (f.name == parts[0]) return "dimension freed twice: " + parts[0];
  if (parts.size() == 1) {
    free.push_back({parts[0], std::nullopt, std::nullopt});
    return std::nullopt;
  }
  const auto bounds = Numbers(text.substr(parts[0].size() + 1), ':');
  if (parts.size() != 3 || !bounds || (*bounds)[0] > (*bounds)[1])
    return "bounds need DIM:LO:HI with LO <= HI: " + text;
  free.push_back({parts[0], (*bounds)[0], (*bounds)[1]});
  return std::nullopt;
}

std::optional<long long> Whole(const std::string& text, long long least) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 18)
    return std::nullopt;
  const long long value = std::stoll(text);
  return value >= least ? std::optional(value) : std::nullopt;
}

}  // namespace

namespace {

// A number above zero (or from zero), or the error naming the option.
std::optional<double> Positive(const std::string& option, const std::string& text, bool zero,
                               std::optional<std::string>& error) {
  const auto value = ParseFloat(text);
  if (value && std::isfinite(*value) && (*value > 0 || (zero && *value == 0)) && *value < 1e6) return value;
  error = option + " needs a number " + (zero ? "from 0" : "above 0") + ": " + text;
  return std::nullopt;
}

// Takes an option of the designer's limits or the drawing at args[i]; false when it is none of them.
bool TakeLimitOption(const std::vector<std::string>& args, std::size_t& i, DesignOptions& options,
                     std::optional<std::string>& error) {
  if (args[i] == "--keep-notches") {
    options.keepNotches = true;
  } else if (const auto shift = OptionValue(args, i, "--mid-gear-shift")) {
    options.midGearShiftDeg = Positive("--mid-gear-shift", *shift, true, error).value_or(0);
  } else if (const auto margin = OptionValue(args, i, "--die-margin")) {
    const auto pct = Positive("--die-margin", *margin, true, error);
    if (pct && *pct >= 50) error = "--die-margin needs a share of the arc below 50 %: " + *margin;
    options.dieMarginPct = pct.value_or(0);
  } else if (const auto work = OptionValue(args, i, "--work-limit")) {
    options.workLimit = *work == "start"  ? WorkLimit::start
                        : *work == "none" ? WorkLimit::none
                                          : WorkLimit::percent;
    if (options.workLimit == WorkLimit::percent)
      options.workLimitPct = Positive("--work-limit", *work, true, error).value_or(0);
  } else if (const auto step = OptionValue(args, i, "--precision")) {
    options.precision = Positive("--precision", *step, false, error);
    // Finer than this, a grid value's decimals overflow the text it is made from.
    if (options.precision && *options.precision < kFinestPrecision)
      error = "--precision needs a step of at least 1e-9 (a finer grid is no drawing grid): " + *step;
  } else if (const auto tolerance = OptionValue(args, i, "--tolerance")) {
    options.tolerance = Positive("--tolerance", *tolerance, true, error);
  } else {
    return false;
  }
  return true;
}

// Takes an option of the problem searched at args[i]; false when it is none of them.
bool TakeProblemOption(const std::vector<std::string>& args, std::size_t& i, DesignOptions& options,
                       std::optional<std::string>& error) {
  if (const auto valve = OptionValue(args, i, "--valve-setting")) {
    const auto setting = ParseValveSetting(*valve);
    if (!setting) error = "--valve-setting needs leads or cutoff: " + *valve;
    options.valveSetting = setting.value_or(options.valveSetting);
  } else if (const auto side = OptionValue(args, i, "--side")) {
    const auto parsed = ParseSide(*side);
    if (!parsed) error = "--side needs both, down or up: " + *side;
    options.side = parsed.value_or(options.side);
  } else if (const auto objective = OptionValue(args, i, "--objective")) {
    const auto parsed = ParseObjective(*objective);
    options.tradeOff = *objective == "both";
    if (!parsed && !options.tradeOff) error = "--objective needs cutoff, work or both: " + *objective;
    options.objective = parsed.value_or(DesignObjective::cutOff);
  } else if (const auto pick = OptionValue(args, i, "--pick")) {
    const auto n = Whole(*pick, 1);
    if (!n || *n > 2 + kFrontLevels)
      error = "--pick needs a design of the front, 1 to " + std::to_string(2 + kFrontLevels) + ": " + *pick;
    options.pick = static_cast<int>(n.value_or(1));
  } else if (const auto shift = OptionValue(args, i, "--cutoff-shift")) {
    const auto points = ParseFloat(*shift);
    if (!points || !std::isfinite(*points) || !(*points > 0))
      error = "--cutoff-shift needs a number of points above 0: " + *shift;
    else
      options.cutOffShiftPct = *points;
  } else if (const auto free = OptionValue(args, i, "--free")) {
    error = ParseFree(*free, options.free);
  } else {
    return false;
  }
  return true;
}

// Takes the option at args[i] with its value; an error text, or nothing.
std::optional<std::string> TakeOption(const std::vector<std::string>& args, std::size_t& i,
                                      DesignOptions& options, bool& setGiven) {
  std::optional<std::string> error;
  if (args[i] == "--json") {
    options.json = true;
  } else if (TakeProblemOption(args, i, options, error) || TakeLimitOption(args, i, options, error)) {
    return error;
  } else if (const auto data = OptionValue(args, i, "--data")) {
    options.dataFile = *data;
  } else if (const auto set = OptionValue(args, i, "--set")) {
    const auto angle = ParseFloat(*set);
    if (!angle || !std::isfinite(*angle)) return "the setting angle is not a number: " + *set;
    options.setAngleDeg = *angle;
    setGiven = true;
  } else if (const auto notches = OptionValue(args, i, "--notches")) {
    options.notchesDeg.clear();
    return ParseNotches(*notches, options.notchesDeg);
  } else if (const auto evals = OptionValue(args, i, "--max-evals")) {
    const auto n = Whole(*evals, 1);
    if (!n || *n > 10000000) return "--max-evals needs a whole number from 1: " + *evals;
    options.maxEvaluations = static_cast<int>(*n);
  } else if (const auto seed = OptionValue(args, i, "--seed")) {
    const auto n = Whole(*seed, 0);
    if (!n) return "--seed needs a whole number: " + *seed;
    options.seed = static_cast<std::uint64_t>(*n);
  } else if (const auto unit = OptionValue(args, i, "--unit")) {
    const auto parsed = ParseUnitOption(*unit);
    if (const auto* bad = std::get_if<UsageError>(&parsed)) return bad->message;
    options.unit = std::get<LengthUnit>(parsed);
  } else if (const auto name = OptionValue(args, i, "--save-as")) {
    if (name->empty()) return std::string("--save-as needs a name");
    options.saveAs = *name;
  } else {
    return "unknown option or missing value: " + args[i];
  }
  return std::nullopt;
}

}  // namespace

std::variant<DesignOptions, UsageError> ParseDesignArgs(const std::vector<std::string>& args) {
  DesignOptions options;
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
  if (options.pick && !options.tradeOff) return UsageError{"--pick needs --objective both"};
  if (i >= args.size()) return UsageError{"no engine name given"};
  if (i + 1 < args.size()) return UsageError{"more than one engine name: " + args[i + 1]};
  options.name = args[i];
  return options;
}
