// JSON literals for the sweep's reports: numbers at full precision (the
// fewest digits that read back as the same double, so a figure made from
// 63.37 is written 63.37; null for an infinity or a NaN, which JSON cannot
// hold) and strings with
// quotes, backslashes and control characters escaped.
#pragma once

#include <string>

std::string JsonNumber(double value);
std::string JsonString(const std::string& utf8);
