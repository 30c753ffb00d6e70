// Any text through the number conversion: either a finite value or the
// conversion error; a value shown in the 4-digit format converts back to
// itself within that rounding, and in a box's faithful text exactly.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "NumberFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const char sep : {'.', ','}) {
    double value = 0;
    try {
      value = TextToFloat(text, sep);
    } catch (const ConversionError&) {
      continue;
    }
    if (!std::isfinite(value)) std::abort();
    const std::string shown = FormatGeneral4(value, sep);
    const auto back = ParseFloat(shown, sep);
    if (!back) std::abort();
    if (std::fabs(*back - value) > std::fabs(value) * 5.0001e-4 + 1e-300) std::abort();
    if (FormatGeneral4(*back, sep) != shown) std::abort();
    const auto exact = ParseFloat(FormatFaithful(value, sep), sep);
    if (!exact || *exact != value || std::signbit(*exact) != std::signbit(value)) std::abort();
  }
  return 0;
}
