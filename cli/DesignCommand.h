// zovuderiz-design as a function of its arguments and output streams: loads the
// start engine through the store, runs the design search, reports the figures
// before and after and, when asked, stores the proposal under a new name.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "SweepCommand.h"

// args are the command-line arguments after the program name. Exit statuses
// as the sweep's: 0 a proposal, 2 usage, 3 file, engine or name, 4 the start cannot be searched.
int RunDesignCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
