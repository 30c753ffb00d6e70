// How the valves are set at the setting angle: centred for equal leads (as the
// first "GO" does), or for equal back and front cut-off, the fitter's practice
// of setting the valves in the running notch.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "CrankSweep.h"
#include "GearFailure.h"

enum class ValveSetting { equalLeads, equalCutOff };

// "leads", "cutoff": the names the command lines take.
std::string_view ValveSettingKey(ValveSetting setting);
std::optional<ValveSetting> ParseValveSetting(std::string_view key);

struct CentringOutcome {
  std::optional<double> centring;      // subtracted from every raw valve position
  std::optional<GearFailure> failure;  // why there is none
};

// The run of one engine at a lifting-arm angle (degrees) with a centring
// (none: centred for equal leads there), as Session::Evaluate gives it.
using RunEvaluator = std::function<RunOutcome(double liftArmDeg, std::optional<double> centring)>;

// The centring at settingDeg for the chosen setting, from the runs `evaluate`
// gives. For equal cut-off the difference of the two cut-offs is brought to
// zero by bisection on the centring, starting from the equal-lead centring; a
// failure says where the gear failed, or that no centring gives equal cut-offs.
// (Session.h offers it for a session.)
CentringOutcome FindCentring(const RunEvaluator& evaluate, double settingDeg, ValveSetting setting);
