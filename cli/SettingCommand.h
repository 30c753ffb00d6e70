// zovuderiz-setting: the valve setting of one engine of the data file from a
// fitter's readings (the deviations of the gear as built and the corrections
// to make), or the blank record sheet of the readings to take.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// The exit status: 0, or the other tools' 2 (usage), 3 (data file, engine or
// readings file), 4 (the engine or the gear the readings describe does not assemble).
int RunSettingCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
