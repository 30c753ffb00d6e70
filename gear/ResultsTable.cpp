// Lines are formatted with the C library's printf conversions (so that widths,
// rounding and "-0.000" come out as in any C program) and joined with CR LF.
#include "ResultsTable.h"

#include <cstdio>

#include "Angles.h"

namespace {

void AppendLine(std::string& text, const char* format, auto... values) {
  // Sized by a first pass: a wild engine can give numbers hundreds of digits long.
  const int length = std::snprintf(nullptr, 0, format, values...);
  if (length > 0) {
    const std::size_t start = text.size();
    text.resize(start + static_cast<std::size_t>(length) + 1);
    std::snprintf(text.data() + start, static_cast<std::size_t>(length) + 1, format, values...);
    text.resize(start + static_cast<std::size_t>(length));
  }
  text += "\r\n";
}

}  // namespace

std::string ResultsTableText(const std::string& nameBytes, const GearRun& s) {
  std::string text;
  AppendLine(text, "  %s: Lifting arm at %5.1f deg.", nameBytes.c_str(), RadiansToDegrees(s.liftArmAngle));
  text += "\r\n";
  AppendLine(text, "      Crank(deg.)  Piston,       Valve");
  for (int k = 0; k < kSteps; ++k)
    AppendLine(text, "  %10i, %10.3f,  %10.3f", 2 * k, s.pistonTable[k], s.valveTable[k]);
  return text;
}
