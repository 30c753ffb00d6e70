// JSON literals for the sweep's reports: numbers at full precision (17
// significant digits, so each reads back as the same double; null for an
// infinity or a NaN, which JSON cannot hold) and strings with
// quotes, backslashes and control characters escaped.
#pragma once

#include <string>

std::string JsonNumber(double value);
std::string JsonString(const std::string& utf8);
