// Columns are 9 characters wide, the back end before the front as in the
// results window; an event the valve never makes is "none", a failed notch
// carries its sentence after the angle.
#include "RangeReport.h"

#include "Cp1252.h"
#include "JsonText.h"
#include "MidGear.h"
#include "NumberFormat.h"

namespace {

constexpr const char* kColumns[] = {"LiftArm", "AdmB",   "CoB",     "ExB",     "CpB",    "AdmF",
                                    "CoF",     "ExF",    "CpF",     "LeadB",   "LeadF",  "PortB",
                                    "PortF",   "Travel", "LinkMin", "LinkMax", "DieDefl"};
constexpr ValveEvent kEvents[] = {admissionBack,  cutOffBack,  exhaustBack,  compressionBack,
                                  admissionFront, cutOffFront, exhaustFront, compressionFront};

std::string Cell(const std::string& text) {
  return text.size() >= 9 ? text + " " : std::string(9 - text.size(), ' ') + text;
}

std::string Figure(const std::optional<double>& value) {
  return value ? FormatGeneral4(*value) : "none";
}

void WriteLine(std::ostream& out, double degrees, const StudyRow& row, const char* note) {
  out << Cell(FormatGeneral4(degrees));
  if (!row.ok()) {
    out << "  " << FailureMessage(*row.failure) << note << '\n';
    return;
  }
  const RunResults& r = row.results;
  for (const ValveEvent e : kEvents) out << Cell(r.eventFound[e] ? FormatGeneral4(r.eventPct[e]) : "none");
  for (const double value : {r.leadBack, r.leadFront, r.portOpenBack, r.portOpenFront, r.valveTravel,
                             r.linkAngleMinDeg, r.linkAngleMaxDeg, r.dieDeflection})
    out << Cell(FormatGeneral4(value));
  out << note << '\n';
}

void WriteSummary(std::ostream& out, const StudySummary& s) {
  const auto& notches = s.workingNotchesDeg;
  out << "\nWorking notches (mean cut-off 15 to 80 %): " << notches.size();
  if (!notches.empty())
    out << ", from " << FormatGeneral4(notches.front()) << " to " << FormatGeneral4(notches.back())
        << " deg.";
  out << "\nWorst cut-off inequality |CoB - CoF| (% of stroke): down " << Figure(s.worstInequalityDown)
      << ", up " << Figure(s.worstInequalityUp) << ", overall " << Figure(s.worstInequality)
      << "\nLeads: from " << Figure(s.leadMin) << " to " << Figure(s.leadMax)
      << "\nSmallest max. port opening: " << Figure(s.smallestPortOpening) << '\n';
}

std::string JsonOptional(const std::optional<double>& value) {
  return value ? JsonNumber(*value) : "null";
}

}  // namespace

SweepRun SweepRunOf(const StudyRow& row) {
  return {row.liftArmDeg, false, row.ok(), row.results, row.ok() ? "" : FailureMessage(*row.failure)};
}

void WriteRangeTable(std::ostream& out, const Session& s, const StudyRow& setting,
                     const QuadrantStudy& study) {
  std::string midGear = MidGearText(s.midGearAngle().value_or(0));
  midGear.pop_back();  // the label's closing blank
  out << "Engine: " << Cp1252ToUtf8(s.engine().name) << '\n'
      << "In mid-gear the lifting arm points" << midGear << '\n';
  if (study.usable)
    out << "Usable range: " << FormatGeneral4(study.usable->loDeg) << " to "
        << FormatGeneral4(study.usable->hiDeg) << " deg.\n";
  out << '\n';
  for (const char* column : kColumns) out << Cell(column);
  out << '\n';
  WriteLine(out, setting.liftArmDeg, setting, "  (equal leads set here)");
  for (const StudyRow& row : study.rows) WriteLine(out, row.liftArmDeg, row, "");
  WriteSummary(out, study.summary);
}

std::string JsonStudyMembers(const QuadrantStudy& study) {
  const StudySummary& s = study.summary;
  std::string text = "  \"summary\": {\"worstCutOffInequality\": " + JsonOptional(s.worstInequality) +
                     ", \"worstCutOffInequalityDown\": " + JsonOptional(s.worstInequalityDown) +
                     ", \"worstCutOffInequalityUp\": " + JsonOptional(s.worstInequalityUp) +
                     ",\n    \"leadRange\": [" + JsonOptional(s.leadMin) + ", " + JsonOptional(s.leadMax) +
                     "], \"smallestMaxPortOpening\": " + JsonOptional(s.smallestPortOpening) +
                     ",\n    \"workingNotchesDeg\": [";
  for (std::size_t i = 0; i < s.workingNotchesDeg.size(); ++i)
    text += (i == 0 ? "" : ", ") + JsonNumber(s.workingNotchesDeg[i]);
  text += "]";
  if (study.usable)
    text += ",\n    \"usableRangeDeg\": [" + JsonNumber(study.usable->loDeg) + ", " +
            JsonNumber(study.usable->hiDeg) + "]";
  return text + "}";
}
