// The names follow the design's own geometry: rod 1 runs to the upper rod pin,
// and the rod whose pin the die is nearer in full forward gear drives it.
#include "SettingWords.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "NumberFormat.h"

namespace {

std::string Decimal(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s;
}

std::string Fraction(double amount) {
  const long sixtyFourths = std::lround(amount * 64);
  const long whole = sixtyFourths / 64;
  long num = sixtyFourths % 64, den = 64;
  while (num != 0 && num % 2 == 0) {
    num /= 2;
    den /= 2;
  }
  if (num == 0) return std::to_string(whole);
  const std::string part = std::to_string(num) + "/" + std::to_string(den);
  return whole == 0 ? part : std::to_string(whole) + " " + part;
}

const char* Gear(const SettingDesign& design, int which) {
  return which == design.forwardRod ? "forward gear" : "back gear";
}

std::string Words(const SettingDesign& design, int index, double amount, bool gerund) {
  const double size = std::fabs(amount);
  if (index == rod1Index || index == rod2Index) {
    const char* verb =
        amount > 0 ? (gerund ? "lengthening" : "lengthen") : (gerund ? "shortening" : "shorten");
    return std::string(verb) + " the " + RodName(design, index + 1) + " by " + LengthWords(size, design.unit);
  }
  if (index == spindleIndex)
    return std::string(gerund ? "moving" : "move") + " the valve " + LengthWords(size, design.unit) +
           " towards the " + (amount > 0 ? "front" : "back") + " on its spindle";
  return std::string(gerund ? "turning" : "turn") + " the " +
         EccentricName(design, index - advance1Index + 1) + " " + AngleWords(size) +
         (amount > 0 ? " ahead (more advance)" : " back (less advance)") + " on the axle";
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i)
    text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
  return text;
}

}  // namespace

std::string RodName(const SettingDesign& design, int rod) {
  return std::string(rod == 1 ? "upper" : "lower") + " eccentric rod (" + Gear(design, rod) + ")";
}

std::string EccentricName(const SettingDesign& design, int eccentric) {
  return std::string(eccentric == 1 ? "upper" : "lower") + " eccentric (" + Gear(design, eccentric) + ")";
}

std::string LengthWords(double amount, LengthUnit unit) {
  const bool sixtyFourths = std::fabs(amount * 64 - std::round(amount * 64)) < 1e-9;
  if (unit == LengthUnit::mm) return Decimal(amount, 2) + " mm";
  const std::string number = sixtyFourths ? Fraction(amount) : Decimal(amount, 3);
  return unit == LengthUnit::in ? number + " in" : number;
}

std::string AngleWords(double degrees) {
  return Decimal(degrees, 2) + "°";
}

std::string OperationWords(const SettingDesign& design, const Operation& op) {
  if (op.adjust == Adjustment::advance) {
    return std::string("turn both eccentrics together ") + AngleWords(std::fabs(op.amount)) +
           (op.amount > 0 ? " ahead (more advance)" : " back (less advance)") + " on the axle";
  }
  return Words(design, static_cast<int>(op.adjust), op.amount, false);
}

std::string InseparableWords(const SettingDesign& design, const InseparableCombination& c) {
  std::vector<std::string> plus, minus;
  for (int j = 0; j < kDeviationCount; ++j) {
    const double v = c.direction[j];
    if (std::fabs(v / design.scale[j]) < 0.25) continue;
    // The negative members, turned round, are what the positive ones look like.
    (v > 0 ? plus : minus).push_back(Words(design, j, std::fabs(v), true));
  }
  if (plus.empty() || minus.empty())
    return "The readings cannot tell how much " + Joined(plus.empty() ? minus : plus) +
           " there is: add readings that it changes.";
  return "The readings cannot tell " + Joined(plus) + " from " + Joined(minus) +
         ": both change every reading alike, so the fit takes the least of them and either correction "
         "serves.";
}

std::vector<std::string> OrderOfWork(const SettingDesign& design, const CorrectionOption& option) {
  std::vector<std::string> steps;
  for (const Operation& op : option.operations) {
    std::string words = OperationWords(design, op);
    words[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(words[0])));
    steps.push_back(std::to_string(steps.size() + 1) + ". " + words + ".");
  }
  steps.push_back(std::to_string(steps.size() + 1) +
                  ". Read the leads and cut-offs again in both gears and fit the new readings.");
  return steps;
}

std::string ReadingName(const Reading& r) {
  return std::string(ReadingEventKey(r.event)) + " " + std::string(ReadingEndKey(r.end)) + " at " +
         FormatFaithful(r.angleDeg) + " deg.";
}
