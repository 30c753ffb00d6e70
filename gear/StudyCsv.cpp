// Figures are printed with 17 significant digits, so each reads back as the
// same double; angles and parameters in their shortest such form, as typed
// (-89.9, not -89.900000000000006). Both are locale-free. Lines end in CR LF
// as spreadsheets on every desktop expect.
#include "StudyCsv.h"

#include <charconv>
#include <cstdio>

#include "RunFigures.h"

namespace {

std::string Shortest(double value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value);
  return std::string(text, written.ptr);
}

std::string Optional(const std::optional<double>& value) {
  return value ? StudyCsvNumber(*value) : "";
}

// A field with a comma, a quote or a line end is quoted, its quotes doubled.
std::string Quoted(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string About(const QuadrantStudy& study, const std::string& engineName, LengthUnit unit) {
  const IndicatorParams& p = study.options.indicator;
  const std::pair<const char*, std::string> rows[] = {
      {"engine", Quoted(engineName)},
      {"settingDeg", Shortest(study.settingDeg)},
      {"valveSetting", std::string(ValveSettingKey(study.options.valveSetting))},
      {"lengthUnit", std::string(LengthUnitKey(unit))},
      {"clearancePct", Shortest(p.clearancePct)},
      {"exhaustPressure", Shortest(p.exhaustPressure)},
      {"rodRatio", Shortest(p.rodRatio)}};
  std::string text;
  for (const auto& [key, value] : rows) text += std::string(key) + "," + value + "\r\n";
  return text + "\r\n";
}

std::string Joined(const std::vector<std::string>& cells) {
  std::string text;
  for (const std::string& cell : cells) text += "," + cell;
  return text;
}

std::string Header(LengthUnit unit, const std::vector<std::string>& more) {
  std::string header = "liftArmDeg";
  for (const FigureSpec& f : RunFigures()) header += "," + WithLengthUnit(f.key, f.quantity, unit);
  return header + ",mepBack,mepFront,workImbalancePct" + Joined(more) + ",error";
}

std::string RowText(const StudyRow& row, const std::vector<std::string>& more) {
  std::string line = Shortest(row.liftArmDeg);
  if (!row.ok())
    return line + std::string(RunFigures().size() + 3, ',') + Joined(more) + "," +
           Quoted(FailureMessage(*row.failure));
  for (const FigureSpec& f : RunFigures()) line += "," + Optional(f.Of(row.results));
  const IndicatorFigures& i = row.indicator;
  return line + "," + Optional(i.mepBack) + "," + Optional(i.mepFront) + "," + Optional(i.workImbalancePct) +
         Joined(more) + ",";
}

}  // namespace

std::string StudyCsvNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string StudyCsvText(const QuadrantStudy& study, const std::string& engineName, LengthUnit unit) {
  return StudyCsvText(study, engineName, unit, StudyCsvColumns{});
}

std::string StudyCsvText(const QuadrantStudy& study, const std::string& engineName, LengthUnit unit,
                         const StudyCsvColumns& more) {
  std::string text = About(study, engineName, unit) + Header(unit, more.titles) + "\r\n";
  for (std::size_t i = 0; i < study.rows.size(); ++i)
    text += RowText(study.rows[i], more.cells ? more.cells(i) : std::vector<std::string>{}) + "\r\n";
  return text;
}
