// Text figures in the program's 4-significant-digit format; JSON numbers at
// full precision, a figure that cannot be measured is null.
#include "DesignLimitsReport.h"

#include <cmath>

#include "JsonText.h"
#include "NotchMarks.h"
#include "NumberFormat.h"
#include "RangeReport.h"

namespace {

std::string Figure(const std::optional<double>& value) {
  return value ? FormatGeneral4(*value) : "none";
}

std::string JsonFigure(const std::optional<double>& value) {
  return value ? JsonNumber(*value) : "null";
}

std::string GridText(const DrawingGrid& grid, LengthUnit unit) {
  const std::string suffix = LengthSuffix(Quantity::length, unit);
  const std::string step = grid.lengthStep > 0
                               ? "lengths on a grid of " + FormatFaithful(grid.lengthStep) + suffix
                               : "lengths to 4 significant figures";
  const std::string tolerance = grid.lengthTolerance > 0
                                    ? "+/- " + FormatFaithful(grid.lengthTolerance) + suffix
                                    : "+/- " + FormatGeneral4(100 * kRelativeTolerance) + " % of each value";
  return step + " (angles and ratios to 4 significant figures), made within " + tolerance +
         " (angles and ratios 0.05 %)";
}

std::string WorkLimitJson(const DesignRules& rules) {
  if (rules.workLimit == WorkLimit::none) return "\"none\"";
  return rules.workLimit == WorkLimit::start ? "\"start\"" : JsonNumber(rules.workLimitPct);
}

}  // namespace

std::string SignedWork(const std::optional<double>& pct) {
  if (!pct) return "none";
  if (*pct == 0) return "0";
  return FormatGeneral4(*pct) + (*pct > 0 ? " (back end more)" : " (front end more)");
}

void WriteLimitsText(std::ostream& out, const DesignReportInput& report) {
  const DesignResult& r = report.result;
  out << "Drawing: " << GridText(report.input.grid, report.unit) << ".\nLimits (* binds the proposal):\n";
  for (const LimitState& limit : r.limits) out << (limit.binds ? "  * " : "    ") << limit.text << '\n';
  if (r.status != DesignStatus::improved) return;
  out << "Within tolerance: " << r.tolerance.corners << " corners run, the worst inequality "
      << Figure(r.tolerance.worstObjective) << (r.tolerance.holds ? "; every limit holds" : "") << ".\n";
}

void WriteNotchMarksText(std::ostream& out, const DesignReportInput& report) {
  const auto before = NotchMarks(report.result.before), after = NotchMarks(report.result.afterOwn);
  out << "\nNotch marks: lifting-arm angle (deg.) at each mean cut-off\n"
      << "Cut-off   Before down   Before up     After down    After up\n";
  for (std::size_t i = 0; i < before.size(); ++i) {
    std::string line = FormatGeneral4(before[i].cutOffPct) + " %";
    for (const auto& v : {before[i].downDeg, before[i].upDeg, after[i].downDeg, after[i].upDeg}) {
      line.resize(((line.size() + 3) / 14 + 1) * 14 - 4, ' ');
      line += Figure(v);
    }
    out << line << '\n';
  }
}

void WriteLimitsJson(std::ostream& out, const DesignReportInput& report) {
  const DesignInput& in = report.input;
  const DesignRules& rules = in.rules;
  out << "  \"precision\": "
      << (in.grid.lengthStep > 0 ? JsonNumber(in.grid.lengthStep) : "\"4 significant figures\"")
      << ",\n  \"tolerance\": "
      << (in.grid.lengthTolerance > 0 ? JsonNumber(in.grid.lengthTolerance) : "\"0.05 %\"")
      << ",\n  \"limits\": {\"fullGearCutOffShift\": " << JsonNumber(rules.cutOffShiftPct)
      << ", \"keepNotches\": " << (rules.keepNotches ? "true" : "false")
      << ", \"midGearShiftDeg\": " << JsonNumber(rules.midGearShiftDeg)
      << ", \"weighshaftSide\": true, \"dieMarginPct\": " << JsonNumber(rules.dieMarginPct)
      << ", \"workLimit\": " << WorkLimitJson(rules) << ", \"dieSlipShare\": " << JsonNumber(kDieSlipGrowth)
      << ", \"leadGrowth\": " << JsonNumber(kLeadGrowth)
      << ", \"portOpeningShare\": " << JsonNumber(kPortOpeningShare) << ", \"binding\": [";
  bool first = true;
  for (const LimitState& limit : report.result.limits) {
    if (!limit.binds) continue;
    out << (first ? "" : ", ") << JsonString(limit.key);
    first = false;
  }
  out << "]},\n  \"atBound\": [";
  for (std::size_t i = 0; i < report.result.atBound.size(); ++i)
    out << (i ? ", " : "") << JsonString(report.result.atBound[i]);
  out << "],\n";
}

void WriteDesignMarksJson(std::ostream& out, const DesignFigures& figures, const DesignSummary& summary) {
  const auto fullGear = FullGearCutOff(figures);
  out << "\"worstDieSlip\": " << JsonFigure(summary.study.worstDieSlip) << ", \"fullGearCutOff\": ["
      << JsonFigure(fullGear[0]) << ", " << JsonFigure(fullGear[1]) << "], \"notchMarks\": [";
  const auto marks = NotchMarks(figures);
  for (std::size_t i = 0; i < marks.size(); ++i)
    out << (i ? ", " : "") << "{\"cutOff\": " << JsonNumber(marks[i].cutOffPct)
        << ", \"downDeg\": " << JsonFigure(marks[i].downDeg) << ", \"upDeg\": " << JsonFigure(marks[i].upDeg)
        << '}';
  out << "], ";
}
