// Lines are formatted with the C library's printf conversions (so that widths,
// rounding and "-0.000" come out as in any C program) and joined with CR LF;
// the file is written in binary so no platform changes the line ends again.
#include "ResultsTable.h"

#include <cstdio>
#include <memory>

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

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

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

bool WriteResultsTable(const std::string& nameBytes, const GearRun& r, const std::string& path) {
  const std::string text = ResultsTableText(nameBytes, r);
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  return written && std::fflush(file.get()) == 0;
}
