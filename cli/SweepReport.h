// The printed outcome of zovuderiz-sweep: for each lifting-arm angle the figures
// the results window shows, either as text in the program's 4-significant-digit
// format or as JSON at full precision; with a unit, lengths are labelled with it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "GearRun.h"
#include "IndicatorDiagram.h"
#include "Quantity.h"
#include "Session.h"

struct SweepRun {
  double liftArmDegrees;
  bool equalLeadsSet;  // the first successful run, which fixed the centring
  bool ok;
  RunResults results;                         // when ok
  std::string error;                          // when not ok
  std::optional<IndicatorFigures> indicator;  // a quadrant study's notch, when ok
  std::string moreMembers{};                  // JSON members after the indicator's (", \"band\": ...")
};

// One run object of the JSON report, without a line end; other reports embed
// it. With indicator figures it ends in their "indicator" object.
void WriteJsonRun(std::ostream& out, const SweepRun& run);
// The "lengthUnit" member after the engine's name: nothing without a unit.
std::string JsonUnitMember(LengthUnit unit);

// "Engine: " and the name, then the mid-gear direction: how both text reports begin.
void WriteTextHeading(std::ostream& out, const Session& s);
// The session gives the engine's name and its mid-gear direction.
void WriteTextReport(std::ostream& out, const Session& s, const std::vector<SweepRun>& runs, LengthUnit unit);
// moreMembers, when given, are further members of the object written after "runs".
void WriteJsonReport(std::ostream& out, const Session& s, const std::vector<SweepRun>& runs, LengthUnit unit,
                     const std::string& moreMembers = "");
// The JSON report of an engine whose gear cannot be assembled in mid-gear:
// its name and the failure's sentence under "error", and no runs.
void WriteJsonFailure(std::ostream& out, const std::string& engineNameBytes, const std::string& error,
                      LengthUnit unit);

// Writes the run's crank-angle table to path; when it cannot be made or
// written, says so on err in one line with the reason and returns false.
bool WriteTableOrSay(const std::string& path, const std::string& nameBytes, const GearRun& run,
                     std::ostream& err);
