// The fitter's words for the gear as built: the rods and eccentrics named by
// what is seen on the engine (upper or lower on the dimension diagram, the
// gear each mainly drives), each operation as an instruction, amounts in the
// shop's fractions, the combinations the readings cannot separate and the
// order of work.
#pragma once

#include <string>
#include <vector>

#include "SettingCorrections.h"
#include "SettingFit.h"
#include "SettingModel.h"

// "upper eccentric rod (forward gear)", "lower eccentric (back gear)": rod or
// eccentric 1 or 2 of the design.
std::string RodName(const SettingDesign& design, int rod);
std::string EccentricName(const SettingDesign& design, int eccentric);

// A length in the unit's words: 64ths of an inch as a fraction ("1/32 in",
// "1 3/64 in") where the amount is a whole number of them, else decimals.
std::string LengthWords(double amount, LengthUnit unit);
// "1.5°".
std::string AngleWords(double degrees);

// "shorten the upper eccentric rod (forward gear) by 1/16 in", "move the valve
// 1/32 in towards the front on its spindle", "turn the lower eccentric (back
// gear) 1.5° ahead (more advance) on the axle".
std::string OperationWords(const SettingDesign& design, const Operation& op);

// One sentence for a combination the readings cannot separate.
std::string InseparableWords(const SettingDesign& design, const InseparableCombination& c);

// The steps of an option in the usual order of work (the eccentrics on the
// axle, then the rods, then the valve on its spindle), numbered, ending with
// reading again.
std::vector<std::string> OrderOfWork(const SettingDesign& design, const CorrectionOption& option);

// "lead front at 35 deg.", for naming a reading.
std::string ReadingName(const Reading& r);
