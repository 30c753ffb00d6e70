// How the valves are set at the setting angle: centred for equal leads (as the
// first "GO" does), or for equal back and front cut-off, the fitter's practice
// of setting the valves in the running notch.
#pragma once

#include <optional>
#include <string_view>

#include "GearFailure.h"

class Session;

enum class ValveSetting { equalLeads, equalCutOff };

// "leads", "cutoff": the names the command lines take.
std::string_view ValveSettingKey(ValveSetting setting);
std::optional<ValveSetting> ParseValveSetting(std::string_view key);

struct CentringOutcome {
  std::optional<double> centring;      // subtracted from every raw valve position
  std::optional<GearFailure> failure;  // why there is none
};

// The centring at settingDeg for the chosen setting. For equal cut-off the
// difference of the two cut-offs is brought to zero by bisection on the
// centring, starting from the equal-lead centring; a failure says where the
// gear failed, or that no centring gives equal cut-offs.
CentringOutcome FindCentring(const Session& session, double settingDeg, ValveSetting setting);
