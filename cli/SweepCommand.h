// zovuderiz-sweep as a function of its arguments and output streams: loads the
// engine through the store, runs one crank sweep per angle (the first fixing
// the equal-lead centring), reports the results and writes the results table.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFileOrEngine = 3;
inline constexpr int kExitCannotAssemble = 4;

// args are the command-line arguments after the program name. Every failure
// writes exactly one line to err.
int RunSweepCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
