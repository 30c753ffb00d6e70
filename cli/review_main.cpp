// zovuderiz-review: judges the valve gear of an engine of the program's data
// file against the classical checks and says which dimension to move.
#include <iostream>
#include <string>
#include <vector>

#include "ReviewCommand.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunReviewCommand(args, std::cout, std::cerr);
}
