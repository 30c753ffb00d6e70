// Numbers are printed with 17 significant digits in the C locale's format, so
// every figure reads back as the same double; lines end in CR LF as
// spreadsheets on every desktop expect.
#include "StudyCsv.h"

#include <cstdio>

#include "RunFigures.h"

namespace {

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

std::string Header(LengthUnit unit) {
  std::string header = "liftArmDeg";
  for (const FigureSpec& f : RunFigures()) header += "," + WithLengthUnit(f.key, f.quantity, unit);
  return header + ",error";
}

std::string RowText(const StudyRow& row) {
  std::string line = Number(row.liftArmDeg);
  if (!row.ok())
    return line + std::string(RunFigures().size(), ',') + "," + Quoted(FailureMessage(*row.failure));
  for (const FigureSpec& f : RunFigures()) {
    const auto value = f.Of(row.results);
    line += "," + (value ? Number(*value) : "");
  }
  return line + ",";
}

}  // namespace

std::string StudyCsvText(const std::vector<StudyRow>& rows, LengthUnit unit) {
  std::string text = Header(unit) + "\r\n";
  for (const StudyRow& row : rows) text += RowText(row) + "\r\n";
  return text;
}
