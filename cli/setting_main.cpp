// zovuderiz-setting: sets the valves of an engine of the program's data file
// from a fitter's readings and says what to adjust.
#include <iostream>
#include <string>
#include <vector>

#include "SettingCommand.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunSettingCommand(args, std::cout, std::cerr);
}
