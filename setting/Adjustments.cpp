// One table of keys; a target's angle is read in the program's own number format.
#include "Adjustments.h"

#include <cmath>
#include <utility>

#include "NumberFormat.h"

namespace {

constexpr std::string_view kAdjustKeys[] = {"rod1", "rod2", "advance1", "advance2", "spindle", "advance"};

}  // namespace

std::string_view AdjustmentKey(Adjustment a) {
  return kAdjustKeys[static_cast<int>(a)];
}

std::optional<Adjustment> ParseAdjustment(std::string_view key) {
  for (int i = 0; i < 6; ++i)
    if (key == kAdjustKeys[i]) return static_cast<Adjustment>(i);
  return std::nullopt;
}

DeviationVector AdjustmentDirection(Adjustment a) {
  DeviationVector u{};
  if (a == Adjustment::advance) {
    u[advance1Index] = u[advance2Index] = 1;
  } else {
    u[static_cast<int>(a)] = 1;
  }
  return u;
}

bool IsAngleAdjustment(Adjustment a) {
  return a == Adjustment::advance1 || a == Adjustment::advance2 || a == Adjustment::advance;
}

std::optional<SettingTarget> ParseSettingTarget(std::string_view text) {
  if (text == "design") return SettingTarget{};
  for (const auto& [prefix, kind] :
       {std::pair{std::string_view("equal-leads:"), SettingTarget::Kind::equalLeads},
        std::pair{std::string_view("equal-cutoff:"), SettingTarget::Kind::equalCutOff}}) {
    if (text.substr(0, prefix.size()) != prefix) continue;
    const auto angle = ParseFloat(std::string(text.substr(prefix.size())));
    if (!angle || !std::isfinite(*angle)) return std::nullopt;
    return SettingTarget{kind, *angle};
  }
  return std::nullopt;
}

std::string SettingTargetText(const SettingTarget& t) {
  if (t.kind == SettingTarget::Kind::design) return "design";
  return std::string(t.kind == SettingTarget::Kind::equalLeads ? "equal-leads:" : "equal-cutoff:") +
         FormatFaithful(t.angleDeg);
}
