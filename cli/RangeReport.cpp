// Columns are those of the run figures' table and the indicator figures, at
// least 9 characters wide; an event the valve never makes (or a diagram its
// events rule out) is "none", a failed notch carries its sentence after the angle.
#include "RangeReport.h"

#include <algorithm>
#include <vector>

#include "JsonText.h"
#include "NumberFormat.h"
#include "RunFigures.h"

namespace {

constexpr std::size_t kLeastCell = 9;

// The column titles: the lifting arm's, then each figure's short name, then
// the mean effective pressures and the work imbalance.
std::vector<std::string> Titles(LengthUnit unit) {
  std::vector<std::string> titles{"LiftArm"};
  for (const FigureSpec& f : RunFigures()) titles.push_back(WithLengthUnit(f.shortName, f.quantity, unit));
  for (const char* title : {"MepB", "MepF", "WorkImb"}) titles.push_back(title);
  return titles;
}

// Each column as wide as its title and a blank, and at least 9.
std::vector<std::size_t> Widths(const std::vector<std::string>& titles) {
  std::vector<std::size_t> widths;
  for (const std::string& title : titles) widths.push_back(std::max(kLeastCell, title.size() + 1));
  return widths;
}

std::string Cell(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + " " : std::string(width - text.size(), ' ') + text;
}

std::string Figure(const std::optional<double>& value) {
  return value ? FormatGeneral4(*value) : "none";
}

void WriteLine(std::ostream& out, const std::vector<std::size_t>& widths, const StudyRow& row,
               const char* note) {
  out << Cell(FormatGeneral4(row.liftArmDeg), widths[0]);
  if (!row.ok()) {
    out << "  " << FailureMessage(*row.failure) << note << '\n';
    return;
  }
  const std::size_t figures = RunFigures().size();
  for (std::size_t i = 0; i < figures; ++i)
    out << Cell(Figure(RunFigures()[i].Of(row.results)), widths[i + 1]);
  const IndicatorFigures& ind = row.indicator;
  out << Cell(Figure(ind.mepBack), widths[figures + 1]) << Cell(Figure(ind.mepFront), widths[figures + 2])
      << Cell(Figure(ind.workImbalancePct), widths[figures + 3]) << note << '\n';
}

void WriteSummary(std::ostream& out, const QuadrantStudy& study, LengthUnit unit) {
  const StudySummary& s = study.summary;
  const IndicatorParams& p = study.options.indicator;
  const auto length = [unit](const std::optional<double>& value) {
    return Figure(value) + (value ? UnitSuffix(Quantity::length, unit) : "");
  };
  const auto& notches = s.workingNotchesDeg;
  out << "\nWorking notches (mean cut-off 15 to 80 %): " << notches.size();
  if (!notches.empty())
    out << ", from " << FormatGeneral4(notches.front()) << " to " << FormatGeneral4(notches.back())
        << " deg.";
  out << "\nWorst cut-off inequality |CoB - CoF| (% of stroke): down " << Figure(s.worstInequalityDown)
      << ", up " << Figure(s.worstInequalityUp) << ", overall " << Figure(s.worstInequality)
      << "\nLeads: from " << length(s.leadMin) << " to " << length(s.leadMax)
      << "\nSmallest max. port opening: " << length(s.smallestPortOpening)
      << "\nWorst work imbalance 100 (Wb - Wf) / mean (%): " << Figure(s.worstWorkImbalancePct)
      << "\nWorst die slip along the slot: " << length(s.worstDieSlip) << "\nIndicator diagrams: clearance "
      << FormatGeneral4(p.clearancePct) << " % of the swept volume, exhaust pressure "
      << FormatGeneral4(p.exhaustPressure) << " of the admission pressure, piston rod "
      << FormatGeneral4(p.rodRatio) << " of the bore\n";
}

std::string JsonOptional(const std::optional<double>& value) {
  return value ? JsonNumber(*value) : "null";
}

}  // namespace

SweepRun SweepRunOf(const StudyRow& row) {
  return {row.liftArmDeg, false, row.ok(), row.results, row.ok() ? "" : FailureMessage(*row.failure), {}};
}

void WriteRangeTable(std::ostream& out, const Session& s, const StudyRow& setting, const QuadrantStudy& study,
                     LengthUnit unit) {
  WriteTextHeading(out, s);
  if (study.usable)
    out << "Usable range: " << FormatGeneral4(study.usable->loDeg) << " to "
        << FormatGeneral4(study.usable->hiDeg) << " deg.\n";
  out << '\n';
  const std::vector<std::string> titles = Titles(unit);
  const std::vector<std::size_t> widths = Widths(titles);
  for (std::size_t i = 0; i < titles.size(); ++i) out << Cell(titles[i], widths[i]);
  out << '\n';
  const bool leads = study.options.valveSetting == ValveSetting::equalLeads;
  WriteLine(out, widths, setting, leads ? "  (equal leads set here)" : "  (equal cut-offs set here)");
  for (const StudyRow& row : study.rows) WriteLine(out, widths, row, "");
  WriteSummary(out, study, unit);
}

std::string JsonSummaryFigures(const StudySummary& s) {
  return "\"worstCutOffInequality\": " + JsonOptional(s.worstInequality) +
         ", \"worstCutOffInequalityDown\": " + JsonOptional(s.worstInequalityDown) +
         ", \"worstCutOffInequalityUp\": " + JsonOptional(s.worstInequalityUp) + ",\n    \"leadRange\": [" +
         JsonOptional(s.leadMin) + ", " + JsonOptional(s.leadMax) +
         "], \"smallestMaxPortOpening\": " + JsonOptional(s.smallestPortOpening) +
         ", \"worstWorkImbalancePct\": " + JsonOptional(s.worstWorkImbalancePct) +
         ", \"worstDieSlip\": " + JsonOptional(s.worstDieSlip);
}

std::string JsonStudyMembers(const QuadrantStudy& study, const std::string& moreSummary) {
  const StudySummary& s = study.summary;
  std::string text =
      study.options.valveSetting == ValveSetting::equalLeads
          ? ""
          : "  \"valveSetting\": " + JsonString(std::string(ValveSettingKey(study.options.valveSetting))) +
                ",\n";
  text += "  \"summary\": {" + JsonSummaryFigures(s) + ",\n    \"workingNotchesDeg\": [";
  for (std::size_t i = 0; i < s.workingNotchesDeg.size(); ++i)
    text += (i == 0 ? "" : ", ") + JsonNumber(s.workingNotchesDeg[i]);
  text += "]";
  if (study.usable)
    text += ",\n    \"usableRangeDeg\": [" + JsonNumber(study.usable->loDeg) + ", " +
            JsonNumber(study.usable->hiDeg) + "]";
  if (!moreSummary.empty()) text += ",\n    " + moreSummary;
  return text + "}";
}
