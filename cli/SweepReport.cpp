// Both reports list the back end before the front, in the order admission,
// cut-off, exhaust, compression, as the results window does. An event that the
// valve never makes is "none" in the text and null in JSON.
#include "SweepReport.h"

#include <cmath>

#include "Angles.h"
#include "Cp1252.h"
#include "JsonText.h"
#include "MidGear.h"
#include "NumberFormat.h"
#include "ResultsFile.h"

namespace {

struct EventRow {
  const char* label;
  const char* key;
  ValveEvent back, front;
};

constexpr EventRow kEventRows[] = {{"Admission", "admission", admissionBack, admissionFront},
                                   {"Cut-off", "cutOff", cutOffBack, cutOffFront},
                                   {"Exhaust", "exhaust", exhaustBack, exhaustFront},
                                   {"Compression", "compression", compressionBack, compressionFront}};

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string EventText(const RunResults& r, ValveEvent e) {
  return r.eventFound[e] ? FormatGeneral4(r.eventPct[e]) : "none";
}

void WriteTextRow(std::ostream& out, const char* label, const std::string& back, const std::string& front) {
  out << "  " << Padded(label, 20) << Padded(back, 10) << front << '\n';
}

void WriteTextRun(std::ostream& out, const SweepRun& run) {
  out << "\nLifting arm at " << FormatGeneral4(run.liftArmDegrees) << " deg."
      << (run.equalLeadsSet ? " (equal leads set here)" : "") << '\n';
  if (!run.ok) {
    out << "  " << run.error << '\n';
    return;
  }
  const RunResults& r = run.results;
  WriteTextRow(out, "", "Back", "Front");
  for (const EventRow& row : kEventRows)
    WriteTextRow(out, row.label, EventText(r, row.back), EventText(r, row.front));
  WriteTextRow(out, "Lead", FormatGeneral4(r.leadBack), FormatGeneral4(r.leadFront));
  WriteTextRow(out, "Max. port opening", FormatGeneral4(r.portOpenBack), FormatGeneral4(r.portOpenFront));
  out << "  Link angle: minimum " << FormatGeneral4(r.linkAngleMinDeg) << " deg. (anticlockwise), maximum "
      << FormatGeneral4(r.linkAngleMaxDeg) << " deg. (clockwise)\n";
  out << "  Die deflection (engine on dead centres): " << FormatGeneral4(r.dieDeflection) << '\n';
}

void WriteJsonEnd(std::ostream& out, const RunResults& r, bool back) {
  for (const EventRow& row : kEventRows) {
    const ValveEvent e = back ? row.back : row.front;
    out << JsonString(row.key) << ": " << (r.eventFound[e] ? JsonNumber(r.eventPct[e]) : "null") << ", ";
  }
  out << "\"lead\": " << JsonNumber(back ? r.leadBack : r.leadFront)
      << ", \"maxPortOpening\": " << JsonNumber(back ? r.portOpenBack : r.portOpenFront);
}

}  // namespace

void WriteJsonRun(std::ostream& out, const SweepRun& run) {
  out << "    {\"liftArmDeg\": " << JsonNumber(run.liftArmDegrees)
      << ", \"equalLeadsSet\": " << (run.equalLeadsSet ? "true" : "false");
  if (!run.ok) {
    out << ", \"error\": " << JsonString(run.error) << '}';
    return;
  }
  const RunResults& r = run.results;
  out << ",\n     \"back\": {";
  WriteJsonEnd(out, r, true);
  out << "},\n     \"front\": {";
  WriteJsonEnd(out, r, false);
  out << "},\n     \"linkAngleMinDeg\": " << JsonNumber(r.linkAngleMinDeg)
      << ", \"linkAngleMaxDeg\": " << JsonNumber(r.linkAngleMaxDeg)
      << ", \"dieDeflection\": " << JsonNumber(r.dieDeflection) << '}';
}

void WriteTextReport(std::ostream& out, const Session& s, const std::vector<SweepRun>& runs) {
  std::string midGear = MidGearText(s.midGearAngle().value_or(0));
  midGear.pop_back();  // the label's closing blank
  out << "Engine: " << Cp1252ToUtf8(s.engine().name) << '\n'
      << "In mid-gear the lifting arm points" << midGear << '\n';
  for (const SweepRun& run : runs) WriteTextRun(out, run);
}

void WriteJsonReport(std::ostream& out, const Session& s, const std::vector<SweepRun>& runs,
                     const std::string& moreMembers) {
  const double midGearAngle = s.midGearAngle().value_or(0);
  out << "{\n  \"engine\": " << JsonString(Cp1252ToUtf8(s.engine().name)) << ",\n  \"midGearDirection\": \""
      << (midGearAngle > 0 ? "down" : "up")
      << "\",\n  \"midGearDeg\": " << JsonNumber(std::fabs(RadiansToDegrees(midGearAngle)))
      << ",\n  \"runs\": [\n";
  for (std::size_t i = 0; i < runs.size(); ++i) {
    WriteJsonRun(out, runs[i]);
    out << (i + 1 < runs.size() ? ",\n" : "\n");
  }
  out << "  ]" << (moreMembers.empty() ? "" : ",\n" + moreMembers) << "\n}\n";
}

void WriteJsonFailure(std::ostream& out, const std::string& engineNameBytes, const std::string& error) {
  out << "{\n  \"engine\": " << JsonString(Cp1252ToUtf8(engineNameBytes))
      << ",\n  \"error\": " << JsonString(error) << ",\n  \"runs\": []\n}\n";
}

bool WriteTableOrSay(const std::string& path, const std::string& nameBytes, const GearRun& run,
                     std::ostream& err) {
  const TableWrite table = WriteResultsTable(nameBytes, run, path);
  if (table.ok()) return true;
  err << "zovuderiz-sweep: "
      << (table.outcome == TableWrite::Outcome::notOpened ? "Cannot open" : "Cannot write")
      << " Results file '" << path << "': " << table.reason << '\n';
  return false;
}
