// The command line of zovuderiz-sweep: options first, then the engine name and
// one or more lifting-arm angles. Everything after the name is an angle, so
// negative angles need no quoting or "--".
#pragma once

#include <string>
#include <variant>
#include <vector>

struct SweepOptions {
  std::string dataFile = "ste_data.dat";
  std::string resultsFile = "results.txt";
  bool json = false;
  bool help = false;
  std::string name;            // as typed (UTF-8)
  std::vector<double> angles;  // degrees from mid-gear, positive downwards
};

// A usage error: the one line to show the user.
struct UsageError {
  std::string message;
};

std::variant<SweepOptions, UsageError> ParseSweepArgs(const std::vector<std::string>& args);

extern const char* const kSweepUsageText;
