// The report of zovuderiz-setting: the fit, what the readings cannot
// separate, the readings to add and the corrections, as text for the fitter
// or as JSON (keys as the help page lists them).
#pragma once

#include <ostream>
#include <string>

#include "ShopSetting.h"

// engineName is UTF-8.
void WriteSettingText(std::ostream& out, const std::string& engineName, const ShopSetting& s);
void WriteSettingJson(std::ostream& out, const std::string& engineName, const ShopSetting& s);
