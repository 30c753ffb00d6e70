// Numbers in the text at four significant figures with their unit, in the
// JSON at full precision; a sigma the readings do not determine is null.
#include "SettingReport.h"

#include "JsonText.h"
#include "NumberFormat.h"
#include "SweepReport.h"

namespace {

std::string UnitOf(const SettingDesign& d, int index) {
  return IsAngleDeviation(index) ? " deg." : UnitSuffix(Quantity::length, d.unit);
}

std::string ReadingUnitSuffix(const SettingDesign& d, const Reading& r) {
  return r.unit == ReadingUnit::percent ? " %" : UnitSuffix(Quantity::length, d.unit);
}

void WriteReadingsText(std::ostream& out, const ShopSetting& s) {
  const SettingDesign& d = *s.design;
  out << "\nReadings (read, fitted, residual)\n";
  for (const FittedReading& f : s.fit.readings) {
    const std::string u = ReadingUnitSuffix(d, f.reading);
    out << "  " << ReadingName(f.reading) << ": " << FormatGeneral4(*f.reading.value) << u << " +- "
        << FormatGeneral4(f.reading.plusMinus) << ", fitted " << FormatGeneral4(f.fitted) << u
        << ", residual " << FormatGeneral4(f.residual)
        << (f.suspect ? "  SUSPECT: fits no rigid gear; read it again" : "") << '\n';
  }
}

void WriteOptionText(std::ostream& out, const SettingDesign& d, const CorrectionOption& o, std::size_t n) {
  out << "\nOption " << n << (o.reaches ? "" : " (best reachable: misses the target)") << ":\n";
  if (o.operations.empty()) out << "  nothing to do\n";
  for (const Operation& op : o.operations) out << "  " << OperationWords(d, op) << '\n';
  out << "  predicted after it:\n";
  for (const Reading& r : o.predicted)
    out << "    " << ReadingName(r) << ": " << FormatGeneral4(*r.value) << " +- "
        << FormatGeneral4(r.plusMinus) << ReadingUnitSuffix(d, r) << '\n';
  if (o.worstCutOffInequality)
    out << "  worst cut-off inequality over the quadrant: " << FormatGeneral4(*o.worstCutOffInequality)
        << " %\n";
}

std::string JsonReading(const Reading& r, const SettingDesign& d) {
  return "\"angleDeg\": " + JsonNumber(r.angleDeg) +
         ", \"end\": " + JsonString(std::string(ReadingEndKey(r.end))) +
         ", \"event\": " + JsonString(std::string(ReadingEventKey(r.event))) +
         ", \"value\": " + (r.value ? JsonNumber(*r.value) : "null") +
         ", \"unit\": " + JsonString(ReadingUnitText(r.unit, d.unit)) +
         ", \"plusMinus\": " + JsonNumber(r.plusMinus);
}

void WriteStrings(std::ostream& out, const char* key, const std::vector<std::string>& list,
                  bool last = false) {
  out << "  \"" << key << "\": [";
  for (std::size_t i = 0; i < list.size(); ++i) out << (i ? ", " : "") << JsonString(list[i]);
  out << "]" << (last ? "\n" : ",\n");
}

void WriteCorrectionsJson(std::ostream& out, const ShopSetting& s) {
  const SettingDesign& d = *s.design;
  out << "  \"corrections\": [";
  for (std::size_t i = 0; i < s.corrections.options.size(); ++i) {
    const CorrectionOption& o = s.corrections.options[i];
    out << (i ? ",\n" : "\n") << "    {\"operations\": [";
    for (std::size_t k = 0; k < o.operations.size(); ++k)
      out << (k ? ", " : "")
          << "{\"adjust\": " << JsonString(std::string(AdjustmentKey(o.operations[k].adjust)))
          << ", \"amount\": " << JsonNumber(o.operations[k].amount)
          << ", \"words\": " << JsonString(OperationWords(d, o.operations[k])) << "}";
    out << "],\n     \"predicted\": [";
    for (std::size_t k = 0; k < o.predicted.size(); ++k)
      out << (k ? ", " : "") << "{" << JsonReading(o.predicted[k], d) << "}";
    out << "],\n     \"worstCutOffInequality\": "
        << (o.worstCutOffInequality ? JsonNumber(*o.worstCutOffInequality) : "null")
        << ", \"reaches\": " << (o.reaches ? "true" : "false") << "}";
  }
  out << "\n  ],\n";
}

}  // namespace

void WriteSettingText(std::ostream& out, const std::string& engineName, const ShopSetting& s) {
  const SettingDesign& d = *s.design;
  out << "Valve setting: " << engineName << ", valves set as the program sets them at "
      << FormatGeneral4(d.settingDeg) << " deg. (usable range " << FormatGeneral4(d.usable.loDeg) << " to "
      << FormatGeneral4(d.usable.hiDeg) << " deg.; positive angles are forward gear)\n";
  out << "The " << RodName(d, 1) << " runs to the upper rod pin, the " << RodName(d, 2) << " to the lower.\n";
  out << "\nDeviations of the gear as built (+- one sigma)\n";
  for (int j = 0; j < kDeviationCount; ++j)
    out << "  " << DeviationKey(j) << ": " << FormatGeneral4(s.fit.deviations[j]) << UnitOf(d, j) << " +- "
        << (s.fit.sigma[j] ? FormatGeneral4(*s.fit.sigma[j]) + UnitOf(d, j) : "not determined") << '\n';
  WriteReadingsText(out, s);
  for (const std::string& sentence : s.inseparable) out << '\n' << sentence << '\n';
  if (!s.readingsToAdd.empty()) {
    out << "\nToo few readings to separate the deviations; add:\n";
    for (const Reading& r : s.readingsToAdd) out << "  " << ReadingName(r) << '\n';
  }
  for (std::size_t i = 0; i < s.corrections.options.size(); ++i)
    WriteOptionText(out, d, s.corrections.options[i], i + 1);
  if (s.corrections.designWorstCutOffInequality)
    out << "\n(the design's worst cut-off inequality: "
        << FormatGeneral4(*s.corrections.designWorstCutOffInequality) << " %)\n";
  for (const Adjustment a : s.corrections.wouldReach)
    out << "Allowing " << AdjustmentKey(a) << " (--adjust) would reach the target.\n";
  out << "\nOrder of work\n";
  for (const std::string& step : s.order) out << "  " << step << '\n';
}

void WriteSettingJson(std::ostream& out, const std::string& engineName, const ShopSetting& s) {
  const SettingDesign& d = *s.design;
  out << "{\n  \"engine\": " << JsonString(engineName)
      << ",\n  \"unit\": " << JsonString(std::string(LengthUnitKey(d.unit))) << ",\n";
  out << "  \"readings\": [";
  for (std::size_t i = 0; i < s.fit.readings.size(); ++i) {
    const FittedReading& f = s.fit.readings[i];
    out << (i ? ",\n" : "\n") << "    {" << JsonReading(f.reading, d)
        << ", \"fitted\": " << JsonNumber(f.fitted) << ", \"residual\": " << JsonNumber(f.residual)
        << ", \"suspect\": " << (f.suspect ? "true" : "false") << "}";
  }
  out << "\n  ],\n  \"deviations\": {";
  for (int j = 0; j < kDeviationCount; ++j)
    out << (j ? ", " : "") << JsonString(std::string(DeviationKey(j)))
        << ": {\"value\": " << JsonNumber(s.fit.deviations[j])
        << ", \"sigma\": " << (s.fit.sigma[j] ? JsonNumber(*s.fit.sigma[j]) : "null") << "}";
  out << "},\n";
  WriteStrings(out, "inseparable", s.inseparable);
  std::vector<std::string> toAdd;
  for (const Reading& r : s.readingsToAdd) toAdd.push_back(ReadingName(r));
  WriteStrings(out, "readingsToAdd", toAdd);
  WriteCorrectionsJson(out, s);
  WriteStrings(out, "order", s.order, true);
  out << "}\n";
}
