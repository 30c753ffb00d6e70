// What zovuderiz-design --help prints after the usage line: the method, the
// options and the exit statuses.
#pragma once

#include <string>

std::string DesignHelpText();
