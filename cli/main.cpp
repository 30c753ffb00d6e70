// zovuderiz-sweep: the valve-gear calculation from the command line, for
// scripted design studies with the engines of the program's data file.
#include <iostream>
#include <string>
#include <vector>

#include "SweepCommand.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunSweepCommand(args, std::cout, std::cerr);
}
