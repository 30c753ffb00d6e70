// Both reports list the figures of the run table that the results window
// shows: those of the two ends side by side, back before front, then those of
// the whole run. An event that the valve never makes is "none" in the text and
// null in JSON.
#include "SweepReport.h"

#include <algorithm>

#include "Angles.h"
#include "Cp1252.h"
#include "JsonText.h"
#include "MessageLine.h"
#include "MidGear.h"
#include "NumberFormat.h"
#include "ResultsFile.h"
#include "RunFigures.h"

namespace {

constexpr std::size_t kLeastLabelWidth = 20;

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string FigureText(const std::optional<double>& value) {
  return value ? FormatGeneral4(*value) : "none";
}

bool Shown(const FigureSpec& f, CylinderEnd end) {
  return f.resultsWindow && f.end == end;
}

std::string RowLabel(const FigureSpec& back, LengthUnit unit) {
  return WithLengthUnit(back.measure, back.quantity, unit);
}

// Wide enough for every row's label and a gap of two.
std::size_t LabelWidth(LengthUnit unit) {
  std::size_t width = kLeastLabelWidth;
  for (const FigureSpec& f : RunFigures())
    if (Shown(f, CylinderEnd::back)) width = std::max(width, RowLabel(f, unit).size() + 2);
  return width;
}

void WriteTextRow(std::ostream& out, std::size_t width, const std::string& label, const std::string& back,
                  const std::string& front) {
  out << "  " << Padded(label, width) << Padded(back, 10) << front << '\n';
}

void WriteTextRun(std::ostream& out, const SweepRun& run, LengthUnit unit) {
  out << "\nLifting arm at " << FormatGeneral4(run.liftArmDegrees) << " deg."
      << (run.equalLeadsSet ? " (equal leads set here)" : "") << '\n';
  if (!run.ok) {
    out << "  " << run.error << '\n';
    return;
  }
  const RunResults& r = run.results;
  const std::size_t width = LabelWidth(unit);
  WriteTextRow(out, width, "", "Back", "Front");
  for (const FigureSpec& f : RunFigures())
    if (Shown(f, CylinderEnd::back))
      WriteTextRow(out, width, RowLabel(f, unit), FigureText(f.Of(r)), FigureText(OtherEnd(f).Of(r)));
  out << "  Link angle: minimum " << FormatGeneral4(r.linkAngleMinDeg) << " deg. (anticlockwise), maximum "
      << FormatGeneral4(r.linkAngleMaxDeg) << " deg. (clockwise)\n";
  out << "  Die deflection (engine on dead centres): " << FormatGeneral4(r.dieDeflection)
      << UnitSuffix(Quantity::length, unit) << '\n';
  out << "  Die slip along the slot (one revolution): " << FormatGeneral4(r.dieSlip)
      << UnitSuffix(Quantity::length, unit) << '\n';
}

std::string JsonFigure(const FigureSpec& f, const RunResults& r) {
  const auto value = f.Of(r);
  return value ? JsonNumber(*value) : "null";
}

// The figures of one end, keyed by what they measure.
void WriteJsonEnd(std::ostream& out, const RunResults& r, CylinderEnd end) {
  const char* separator = "";
  for (const FigureSpec& f : RunFigures()) {
    if (!Shown(f, end)) continue;
    out << separator << JsonString(MeasureKey(f)) << ": " << JsonFigure(f, r);
    separator = ", ";
  }
}

std::string JsonOptional(const std::optional<double>& value) {
  return value ? JsonNumber(*value) : "null";
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
  WriteJsonEnd(out, r, CylinderEnd::back);
  out << "},\n     \"front\": {";
  WriteJsonEnd(out, r, CylinderEnd::front);
  out << '}';
  const char* separator = ",\n     ";
  for (const FigureSpec& f : RunFigures()) {
    if (!Shown(f, CylinderEnd::none)) continue;
    out << separator << JsonString(f.key) << ": " << JsonFigure(f, r);
    separator = ", ";
  }
  if (const auto& i = run.indicator)
    out << ",\n     \"indicator\": {\"mepBack\": " << JsonOptional(i->mepBack)
        << ", \"mepFront\": " << JsonOptional(i->mepFront)
        << ", \"workImbalancePct\": " << JsonOptional(i->workImbalancePct) << '}';
  out << run.moreMembers << '}';
}

std::string JsonUnitMember(LengthUnit unit) {
  if (unit == LengthUnit::none) return "";
  return "  \"lengthUnit\": " + JsonString(std::string(LengthUnitKey(unit))) + ",\n";
}

void WriteTextHeading(std::ostream& out, const Session& s) {
  std::string midGear = MidGearText(s.midGearAngle().value_or(0));
  midGear.pop_back();  // the label's closing blank
  out << "Engine: " << Cp1252ToUtf8(s.engine().name) << '\n'
      << "In mid-gear the lifting arm points" << midGear << '\n';
}

void WriteTextReport(std::ostream& out, const Session& s, const std::vector<SweepRun>& runs,
                     LengthUnit unit) {
  WriteTextHeading(out, s);
  for (const SweepRun& run : runs) WriteTextRun(out, run, unit);
}

void WriteJsonReport(std::ostream& out, const Session& s, const std::vector<SweepRun>& runs, LengthUnit unit,
                     const std::string& moreMembers) {
  const double midGearAngle = s.midGearAngle().value_or(0);
  out << "{\n  \"engine\": " << JsonString(Cp1252ToUtf8(s.engine().name)) << ",\n"
      << JsonUnitMember(unit) << "  \"midGearDirection\": \"" << (midGearAngle > 0 ? "down" : "up")
      << "\",\n  \"midGearDeg\": " << JsonNumber(RadiansToDegrees(midGearAngle)) << ",\n  \"runs\": [\n";
  for (std::size_t i = 0; i < runs.size(); ++i) {
    WriteJsonRun(out, runs[i]);
    out << (i + 1 < runs.size() ? ",\n" : "\n");
  }
  out << "  ]" << (moreMembers.empty() ? "" : ",\n" + moreMembers) << "\n}\n";
}

void WriteJsonFailure(std::ostream& out, const std::string& engineNameBytes, const std::string& error,
                      LengthUnit unit) {
  out << "{\n  \"engine\": " << JsonString(Cp1252ToUtf8(engineNameBytes)) << ",\n"
      << JsonUnitMember(unit) << "  \"error\": " << JsonString(error) << ",\n  \"runs\": []\n}\n";
}

bool WriteTableOrSay(const std::string& path, const std::string& nameBytes, const GearRun& run,
                     std::ostream& err) {
  const TableWrite table = WriteResultsTable(nameBytes, run, path);
  if (table.ok()) return true;
  WriteMessageLine(
      err, "zovuderiz-sweep: ",
      std::string(table.outcome == TableWrite::Outcome::notOpened ? "Cannot open" : "Cannot write") +
          " Results file '" + path + "': " + table.reason);
  return false;
}
