// Each end's move is signed as the range's own angles (positive downwards), and
// the text adds whether that widens or narrows the range, so a reader need not
// know the convention; dimensions that move neither end are left out.
#include "ReviewRangeEndsReport.h"

#include "EngineSchema.h"
#include "JsonText.h"
#include "NumberFormat.h"

namespace {

std::string Signed(double value) {
  return (value > 0 ? "+" : "") + FormatGeneral4(value);
}

bool MovesAnEnd(const DimensionSensitivity& d) {
  for (const auto& end : d.rangeEnds)
    if (end && end->perUnit != 0) return true;
  return false;
}

std::string EndText(const std::optional<Sensitivity>& end, bool low, const std::string& per) {
  if (!end) return "not found";
  const bool outwards = low ? end->perUnit < 0 : end->perUnit > 0;
  std::string text = Signed(end->perUnit) + " deg. per " + per;
  if (end->perPercent) text += " (" + Signed(*end->perPercent) + " per 1 %)";
  return end->perUnit == 0 ? text : text + (outwards ? ", widens" : ", narrows");
}

std::string JsonPair(const DimensionSensitivity& d, bool percent) {
  std::string text = "[";
  for (std::size_t side = 0; side < 2; ++side) {
    const auto& end = d.rangeEnds[side];
    const std::optional<double> value = !end ? std::nullopt : percent ? end->perPercent : end->perUnit;
    text += (side ? ", " : "") + (value ? JsonNumber(*value) : std::string("null"));
  }
  return text + "]";
}

void WriteMember(std::ostream& out, const SensitivityTable& table, const char* key, bool percent) {
  out << ", " << JsonString(key) << ": {";
  bool first = true;
  for (const DimensionSensitivity& d : table.dimensions) {
    if (!d.used) continue;
    out << (first ? "" : ", ") << JsonString(EngineDimensions()[d.dimension].key) << ": "
        << JsonPair(d, percent);
    first = false;
  }
  out << '}';
}

}  // namespace

void WriteRangeEndsText(std::ostream& out, const SensitivityTable& table, LengthUnit unit) {
  out << "\nHow the usable range's ends move (deg. per unit of the dimension, the range's angles positive "
         "downwards)\n";
  bool any = false;
  for (const DimensionSensitivity& d : table.dimensions) {
    if (!d.used || !MovesAnEnd(d)) continue;
    const DimensionSpec& dim = EngineDimensions()[d.dimension];
    const std::string symbol(UnitSymbol(dim.quantity, unit));
    const std::string per = symbol.empty() ? "unit" : symbol;
    out << "  " << dim.caption << ": end above mid-gear " << EndText(d.rangeEnds[0], true, per)
        << "; end below " << EndText(d.rangeEnds[1], false, per) << '\n';
    any = true;
  }
  if (!any) out << "  none: no dimension moves either end\n";
}

void WriteRangeEndsJson(std::ostream& out, const SensitivityTable& table) {
  WriteMember(out, table, "rangeEndDegPerUnit", false);
  WriteMember(out, table, "rangeEndDegPerPercent", true);
}
