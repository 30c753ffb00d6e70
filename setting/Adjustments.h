// What a fitter may change on an engine, as directions in the deviations,
// and what the corrections aim at: the design's figures, or equal leads or
// cut-offs at one notch.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Deviations.h"

// What the engine allows: one deviation each, or `advance`, both eccentrics
// turned together (two eccentrics cast as one).
enum class Adjustment { rod1, rod2, advance1, advance2, spindle, advance };

// "rod1", "rod2", "advance1", "advance2", "spindle", "advance".
std::string_view AdjustmentKey(Adjustment a);
std::optional<Adjustment> ParseAdjustment(std::string_view key);
// The deviations one unit of the adjustment changes.
DeviationVector AdjustmentDirection(Adjustment a);
bool IsAngleAdjustment(Adjustment a);

// design: the stored engine's figures at every row; equalLeads/equalCutOff:
// the two ends' leads (cut-offs) equal at angleDeg.
struct SettingTarget {
  enum class Kind { design, equalLeads, equalCutOff } kind = Kind::design;
  double angleDeg = 0;
};
// "design", "equal-leads:ANGLE", "equal-cutoff:ANGLE".
std::optional<SettingTarget> ParseSettingTarget(std::string_view text);
std::string SettingTargetText(const SettingTarget& target);
