// Numbers are printed with 17 significant digits in the C locale's format, so
// every figure reads back as the same double; lines end in CR LF as
// spreadsheets on every desktop expect.
#include "StudyCsv.h"

#include <cstdio>
#include <fstream>

namespace {

constexpr const char* kHeader =
    "liftArmDeg,admissionBack,cutOffBack,exhaustBack,compressionBack,"
    "admissionFront,cutOffFront,exhaustFront,compressionFront,leadBack,leadFront,"
    "maxPortOpeningBack,maxPortOpeningFront,valveTravel,linkAngleMinDeg,linkAngleMaxDeg,"
    "dieDeflection,error";

constexpr ValveEvent kEventColumns[] = {admissionBack,  cutOffBack,  exhaustBack,  compressionBack,
                                        admissionFront, cutOffFront, exhaustFront, compressionFront};

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// A field with a comma, a quote or a line end is quoted, its quotes doubled.
std::string Quoted(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string RowText(const StudyRow& row) {
  std::string line = Number(row.liftArmDeg);
  if (!row.ok()) return line + std::string(16, ',') + "," + Quoted(FailureMessage(*row.failure));
  const RunResults& r = row.results;
  for (const ValveEvent e : kEventColumns) line += "," + (r.eventFound[e] ? Number(r.eventPct[e]) : "");
  for (const double value : {r.leadBack, r.leadFront, r.portOpenBack, r.portOpenFront, r.valveTravel,
                             r.linkAngleMinDeg, r.linkAngleMaxDeg, r.dieDeflection})
    line += "," + Number(value);
  return line + ",";
}

}  // namespace

std::string StudyCsvText(const std::vector<StudyRow>& rows) {
  std::string text = std::string(kHeader) + "\r\n";
  for (const StudyRow& row : rows) text += RowText(row) + "\r\n";
  return text;
}

bool WriteStudyCsv(const std::vector<StudyRow>& rows, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  const std::string text = StudyCsvText(rows);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  return static_cast<bool>(file);
}
