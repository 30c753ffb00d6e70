// zovuderiz-design: proposes the dimensions that equalise the front and back
// cut-offs of an engine of the program's data file across the quadrant.
#include <iostream>
#include <string>
#include <vector>

#include "DesignCommand.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunDesignCommand(args, std::cout, std::cerr);
}
