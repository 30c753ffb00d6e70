// Prints the sweep records (SweepRecords.h) of this build, one line a run: how
// tests/gear/sweep-records.txt was written.
#include <cstdio>

#include "SweepRecords.h"

int main() {
  for (const std::string& line : sweep_records::Lines()) std::printf("%s\n", line.c_str());
}
