// zovuderiz-review: the gear review of one engine of the data file, its
// checks, sensitivities and suggested fixes, as text or JSON.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// The exit status: 0, or the other tools' 2 (usage), 3 (data file or
// engine), 4 (the engine cannot be reviewed).
int RunReviewCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
