// Text figures are in the program's 4-significant-digit format, dimensions and
// their bounds in the fewest digits that read back exactly; JSON numbers at
// full precision, a figure that cannot be measured is null. The runs of each
// design begin with the one at the setting angle, as the sweep's do.
#include "DesignReport.h"

#include <algorithm>

#include "Angles.h"
#include "DesignFrontReport.h"
#include "DesignLimitsReport.h"
#include "DesignSearch.h"
#include "JsonText.h"
#include "MidGear.h"
#include "NotchMarks.h"
#include "NumberFormat.h"
#include "RangeReport.h"
#include "RunFigures.h"
#include "SweepReport.h"

namespace {

std::string Figure(const std::optional<double>& value) {
  return value ? FormatGeneral4(*value) : "none";
}

std::string Span(const std::optional<double>& lo, const std::optional<double>& hi) {
  return lo && hi ? FormatGeneral4(*lo) + " .. " + FormatGeneral4(*hi) : "none";
}

std::string Range(const std::optional<UsableRange>& range) {
  return range ? Span(range->loDeg, range->hiDeg) : "none";
}

std::string MidGear(const DesignFigures& f) {
  if (!f.measured() && f.failure && f.failure->kind == FailureKind::midGearUnreachable) return "none";
  std::string text = MidGearText(DegreesToRadians(f.midGearDeg));
  return text.substr(1, text.size() - 2);
}

std::string Pair(bool ok, double back, double front) {
  return ok ? FormatGeneral4(back) + " / " + FormatGeneral4(front) : "fails";
}

// A column of the notch table: a figure of both ends, the back one named.
struct NotchColumn {
  const char* title;
  const char* backKey;
};

constexpr NotchColumn kNotchColumns[] = {{"Cut-off back/front", "cutOffBack"},
                                         {"Lead back/front", "leadBack"},
                                         {"Port back/front", "maxPortOpeningBack"}};
constexpr std::size_t kNotchWidth = 8, kLeastColumn = 20, kCaptionWidth = 36, kSummaryWidth = 26;

std::string Title(const NotchColumn& column, LengthUnit unit) {
  return WithLengthUnit(column.title, FindFigure(column.backKey)->quantity, unit);
}

// Wide enough for every title and a gap of two.
std::size_t ColumnWidth(LengthUnit unit) {
  std::size_t width = kLeastColumn;
  for (const NotchColumn& column : kNotchColumns) width = std::max(width, Title(column, unit).size() + 2);
  return width;
}

// An event the valve never makes reads 0 here, as the run's results hold it.
double Held(const FigureSpec& figure, const RunResults& r) {
  return figure.Of(r).value_or(0);
}

void WriteNotchLine(std::ostream& out, std::size_t width, double notch, const StudyRow& before,
                    const StudyRow& after) {
  out << Padded(FormatGeneral4(notch), kNotchWidth);
  for (const StudyRow* row : {&before, &after}) {
    for (const NotchColumn& column : kNotchColumns) {
      const FigureSpec& back = *FindFigure(column.backKey);
      out << Padded(Pair(row->ok(), Held(back, row->results), Held(OtherEnd(back), row->results)), width);
    }
  }
  out << '\n';
}

void WriteNotchTable(std::ostream& out, const DesignReportInput& report) {
  const std::size_t width = ColumnWidth(report.unit);
  out << '\n'
      << Padded("", kNotchWidth) << Padded("Before", std::size(kNotchColumns) * width) << "After\n"
      << Padded("Notch", kNotchWidth);
  for (int i = 0; i < 2; ++i)
    for (const NotchColumn& column : kNotchColumns) out << Padded(Title(column, report.unit), width);
  out << '\n';
  for (std::size_t i = 0; i < report.notchesDeg.size(); ++i)
    WriteNotchLine(out, width, report.notchesDeg[i], report.beforeRows[i], report.afterRows[i]);
}

void SummaryLine(std::ostream& out, const std::string& caption, const std::string& before,
                 const std::string& after) {
  out << Padded(caption, kCaptionWidth) << Padded(before, kSummaryWidth) << after << '\n';
}

void WriteSummary(std::ostream& out, const DesignReportInput& report) {
  const DesignResult& r = report.result;
  const DesignSummary &b = r.beforeSummary, &a = r.afterSummary;
  const auto length = [&](const char* caption) {
    return WithLengthUnit(caption, Quantity::length, report.unit);
  };
  out << '\n' << Padded("", kCaptionWidth) << Padded("Before", kSummaryWidth) << "After\n";
  SummaryLine(out, "Worst cut-off inequality (%)", Figure(b.study.worstInequality),
              Figure(a.study.worstInequality));
  SummaryLine(out, "  down (below mid-gear)", Figure(b.study.worstInequalityDown),
              Figure(a.study.worstInequalityDown));
  SummaryLine(out, "  up (above mid-gear)", Figure(b.study.worstInequalityUp),
              Figure(a.study.worstInequalityUp));
  // The figure within tolerance is the objective's: it sits under the rows it belongs to.
  const bool work = report.input.rules.objective == DesignObjective::work;
  if (r.status == DesignStatus::improved && !work)
    SummaryLine(out, "  within tolerance", "", Figure(r.tolerance.worstObjective));
  SummaryLine(out, "Worst work imbalance (%)", SignedWork(b.worstWorkImbalanceSignedPct),
              SignedWork(a.worstWorkImbalanceSignedPct));
  if (r.status == DesignStatus::improved && work)
    SummaryLine(out, "  within tolerance (size)", "", Figure(r.tolerance.worstObjective));
  const auto fullBefore = FullGearCutOff(r.before), fullAfter = FullGearCutOff(r.afterOwn);
  SummaryLine(out, "Full-gear cut-off down/up (%)", Figure(fullBefore[0]) + " / " + Figure(fullBefore[1]),
              Figure(fullAfter[0]) + " / " + Figure(fullAfter[1]));
  SummaryLine(out, length("Worst die slip"), Figure(b.study.worstDieSlip), Figure(a.study.worstDieSlip));
  SummaryLine(out, "Usable range (deg.)", Range(r.range), Range(r.afterRange));
  SummaryLine(out, "Mid-gear direction", MidGear(r.before), MidGear(r.after));
  SummaryLine(out, length("Leads, working notches"), Span(b.study.leadMin, b.study.leadMax),
              Span(a.study.leadMin, a.study.leadMax));
  SummaryLine(out, length("Leads, every notch"), Span(b.leadMin, b.leadMax), Span(a.leadMin, a.leadMax));
  SummaryLine(out, length("Smallest max. port opening"), Figure(b.study.smallestPortOpening),
              Figure(a.study.smallestPortOpening));
  SummaryLine(out, length("Largest die deflection"), Figure(b.largestDieDeflection),
              Figure(a.largestDieDeflection));
}

std::string Labelled(const FreeDimension& d) {
  return std::string(FindDimension(d.name)->caption) + " (" + d.name + ")";
}

void WriteChangedDimensions(std::ostream& out, const DesignReportInput& report) {
  out << "\nChanged dimensions:\n";
  std::size_t width = 0;
  for (const FreeDimension& d : report.input.free) width = std::max(width, Labelled(d).size() + 2);
  bool any = false;
  for (const FreeDimension& d : report.input.free) {
    const DimensionSpec& dimension = *FindDimension(d.name);
    const double from = report.input.start.*dimension.field, to = report.result.proposal.*dimension.field;
    if (from == to) continue;
    any = true;
    const std::string unit = LengthSuffix(dimension.quantity, report.unit);
    const auto& at = report.result.atBound;
    const bool onBound = std::find(at.begin(), at.end(), d.name) != at.end();
    out << "  " << Padded(Labelled(d), width)
        << Padded(FormatFaithful(from) + " -> " + FormatFaithful(to) + unit, 23) << " (bounds "
        << FormatFaithful(d.lower) << " .. " << FormatFaithful(d.upper) << unit << ")"
        << (onBound ? "  AT BOUND" : "") << '\n';
  }
  if (!any) out << "  none\n";
}

std::string ProblemText(const DesignInput& input) {
  const DesignRules& rules = input.rules;
  const std::string metric =
      rules.objective == DesignObjective::work ? "|work imbalance|" : "|cut-off back - cut-off front|";
  const std::string side = rules.side == DesignSide::both   ? "on both sides of mid-gear"
                           : rules.side == DesignSide::down ? "below mid-gear (down), the side above no worse"
                                                            : "above mid-gear (up), the side below no worse";
  return "Valves set at " + FormatGeneral4(input.setting.angleDeg) + " deg. for " +
         (input.setting.valve == ValveSetting::equalCutOff ? "equal cut-off" : "equal leads") +
         ".\nObjective: the worst " + metric + " over the working notches (mean cut-off 15-80 %) " + side +
         ".\n";
}

}  // namespace

void WriteDesignText(std::ostream& out, const DesignReportInput& report) {
  const DesignResult& r = report.result;
  out << "Engine: " << report.engineName << '\n' << ProblemText(report.input);
  out << "Status: " << StatusText(r.status) << " after " << r.evaluations << " evaluations in "
      << FormatGeneral4(r.seconds) << " s\n";
  if (const std::string why = NoBetterDesignText(r, report.input, report.unit); !why.empty())
    out << why << '\n';
  out << "Limits checked every 0.5 deg. over the start's usable range, " << Range(r.range)
      << " deg.; the after figures over the proposal's own usable range, every 0.5 deg.\n";
  for (const Breach& breach : r.startBreaches)
    out << "The start breaks a constraint: " << BreachText(breach) << "; the proposal does no worse there.\n";
  WriteLimitsText(out, report);
  WriteSummary(out, report);
  WriteNotchMarksText(out, report);
  WriteNotchTable(out, report);
  WriteChangedDimensions(out, report);
}

namespace {

std::string JsonFigure(const std::optional<double>& value) {
  return value ? JsonNumber(*value) : "null";
}

std::string JsonPair(const std::optional<double>& lo, const std::optional<double>& hi) {
  return lo && hi ? "[" + JsonNumber(*lo) + ", " + JsonNumber(*hi) + "]" : "null";
}

// `marks` are the figures the notch marks and the full-gear cut-off are read
// from (the design's own range); `withinTolerance` is given for the proposal.
void WriteJsonFigures(std::ostream& out, const char* key, const DesignReportInput& report,
                      const DesignFigures& f, const DesignFigures& marks, const DesignSummary& s,
                      const std::optional<UsableRange>& range, const std::vector<StudyRow>& listed,
                      const std::optional<std::optional<double>>& withinTolerance) {
  out << "  \"" << key << "\": {\"worstCutOffInequality\": " << JsonFigure(s.study.worstInequality)
      << ", \"worstCutOffInequalityDown\": " << JsonFigure(s.study.worstInequalityDown)
      << ", \"worstCutOffInequalityUp\": " << JsonFigure(s.study.worstInequalityUp)
      << ", \"worstWorkImbalancePct\": " << JsonFigure(s.worstWorkImbalanceSignedPct)
      << ", \"usableRangeDeg\": " << (range ? JsonPair(range->loDeg, range->hiDeg) : "null")
      << ", \"midGearDeg\": " << (f.measured() ? JsonNumber(f.midGearDeg) : "null")
      << ", \"leadRange\": " << JsonPair(s.leadMin, s.leadMax)
      << ", \"smallestPortOpening\": " << JsonFigure(s.study.smallestPortOpening)
      << ", \"largestDieDeflection\": " << JsonFigure(s.largestDieDeflection) << ", ";
  WriteDesignMarksJson(out, marks, s);
  if (withinTolerance)
    out << "\"withinTolerance\": {\"worstCutOffInequality\": " << JsonFigure(*withinTolerance) << "}, ";
  out << "\"runs\": [\n";
  std::vector<SweepRun> runs{SweepRunOf(f.setting)};
  runs.front().equalLeadsSet = f.setting.ok() && report.input.setting.valve == ValveSetting::equalLeads;
  for (const StudyRow& row : listed) runs.push_back(SweepRunOf(row));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    WriteJsonRun(out, runs[i]);
    out << (i + 1 < runs.size() ? ",\n" : "\n");
  }
  out << "  ]},\n";
}

// What broke at the first corner of a tolerance check that broke a limit.
std::string BreaksJson(const ToleranceOutcome& t) {
  std::string text = "\"breaks\": [";
  for (std::size_t i = 0; i < t.breaches.size(); ++i)
    text += (i ? ", " : "") + JsonString(BreachText(t.breaches[i]));
  text += "], \"corner\": {";
  for (std::size_t i = 0; i < t.brokenCorner.size(); ++i)
    text += (i ? ", " : "") + JsonString(t.brokenCorner[i].first) + ": " +
            std::to_string(t.brokenCorner[i].second);
  return text + "}";
}

// With no better design: whether the start holds made within its tolerances,
// and the best design found that did not, what it broke at which corner and
// the share of the tolerances it would need (null: finer than 1/16).
void WriteNoBetterDesignJson(std::ostream& out, const DesignResult& r) {
  if (r.status != DesignStatus::noBetterDesign) return;
  if (r.tolerance.checked)
    out << "  \"startWithinTolerance\": {\"holds\": " << (r.tolerance.holds ? "true" : "false") << ", "
        << BreaksJson(r.tolerance) << "},\n";
  if (!r.rejected) return;
  out << "  \"rejected\": {\"worstFigure\": " << JsonNumber(r.rejected->objective) << ", "
      << BreaksJson(r.rejected->tolerance)
      << ", \"toleranceShare\": " << JsonFigure(r.rejected->toleranceShare) << "},\n";
}

void WriteJsonProblem(std::ostream& out, const DesignReportInput& report) {
  const DesignInput& in = report.input;
  out << "  \"setAngleDeg\": " << JsonNumber(in.setting.angleDeg)
      << ",\n  \"valveSetting\": " << JsonString(std::string(ValveSettingKey(in.setting.valve)))
      << ",\n  \"side\": " << JsonString(SideKey(in.rules.side))
      << ",\n  \"objective\": " << JsonString(ObjectiveKey(in.rules.objective))
      << ",\n  \"cutoffShift\": " << JsonNumber(in.rules.cutOffShiftPct) << ",\n  \"notchesDeg\": [";
  for (std::size_t i = 0; i < report.notchesDeg.size(); ++i)
    out << (i ? ", " : "") << JsonNumber(report.notchesDeg[i]);
  out << "],\n  \"free\": {";
  for (std::size_t i = 0; i < in.free.size(); ++i) {
    const FreeDimension& d = in.free[i];
    out << (i ? ", " : "") << JsonString(d.name) << ": [" << JsonNumber(d.lower) << ", "
        << JsonNumber(d.upper) << ']';
  }
  out << "},\n";
}

}  // namespace

void WriteDesignJson(std::ostream& out, const DesignReportInput& report) {
  const DesignResult& r = report.result;
  out << "{\n  \"engine\": " << JsonString(report.engineName) << ",\n"
      << JsonUnitMember(report.unit) << "  \"status\": " << JsonString(StatusText(r.status))
      << ",\n  \"evaluations\": " << r.evaluations << ",\n  \"seconds\": " << JsonNumber(r.seconds) << ",\n";
  WriteJsonProblem(out, report);
  out << "  \"startBreaks\": [";
  for (std::size_t i = 0; i < r.startBreaches.size(); ++i)
    out << (i ? ", " : "") << JsonString(BreachText(r.startBreaches[i]));
  out << "],\n";
  WriteNoBetterDesignJson(out, r);
  WriteLimitsJson(out, report);
  WriteJsonFigures(out, "before", report, r.before, r.before, r.beforeSummary, r.range, report.beforeRows,
                   std::nullopt);
  WriteJsonFigures(out, "after", report, r.after, r.afterOwn, r.afterSummary, r.afterRange, report.afterRows,
                   r.tolerance.worstObjective);
  if (report.front) WriteFrontJson(out, report);
  out << "  \"proposal\": " << ProposalJson(report.proposal) << "\n}\n";
}
