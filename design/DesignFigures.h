// The figures a design search judges an engine by: its valves set at the
// setting angle (for equal leads or equal cut-off), then one run per notch
// with that centring kept, each the quadrant study's row, together with what
// the usable range asks of that notch (the die between the rod pins, all eight
// events with the valve centred for equal leads there). Exact measurements are
// the quadrant study's, bit for bit; quick ones judge trial designs.
#pragma once

#include <optional>
#include <vector>

#include "Engine.h"
#include "GearFailure.h"
#include "GearSolver.h"
#include "IndicatorDiagram.h"
#include "StudySummary.h"
#include "UsableRange.h"
#include "ValveSetting.h"

// How the valves are set: the angle and the rule.
struct DesignSetting {
  double angleDeg = 25;
  ValveSetting valve = ValveSetting::equalLeads;
};

struct NotchFigures {
  StudyRow row;  // the run with the setting's centring
  // What the usable range asks: all eight events with the valve centred for
  // equal leads at this angle, the die between the rod pins at every step.
  bool equalLeadEvents = false;
  double dieLow = 0, dieHigh = 0;  // the die's extremes along the link, 0 at pin2 and 1 at pin1
  // The same along the slot's arc, as shares of the pin-to-pin arc at each step.
  double arcLow = 0, arcHigh = 1;

  bool usable() const { return row.ok() && equalLeadEvents && dieLow >= 0 && dieHigh <= 1; }
};

struct DesignFigures {
  // Why there are no notches: the engine has no mid-gear, or the valves cannot
  // be set at the setting angle (the failure names the member and crank angle).
  std::optional<GearFailure> failure;
  double midGearDeg = 0;  // the lifting arm's mid-gear direction, positive below the horizontal
  double centring = 0;
  StudyRow setting;  // the run at the setting angle with the centring
  std::vector<NotchFigures> notches;

  bool measured() const { return !failure; }
};

// Measures the engine at the notch angles on `threads` threads (the same
// figures for any number).
DesignFigures MeasureDesign(const Engine& engine, const DesignSetting& setting,
                            const std::vector<double>& anglesDeg, SolveMethod method, int threads);

// The figures a designer compares before and after, over the notches measured.
struct DesignSummary {
  StudySummary study;                      // the working notches' inequality, leads and smallest port opening
  std::optional<double> leadMin, leadMax;  // over every notch that ran
  std::optional<double> largestDieDeflection;   // in size, over every notch that ran
  std::optional<double> worstWorkImbalancePct;  // in size, over the working notches
  std::optional<double> worstWorkImbalanceDownPct, worstWorkImbalanceUpPct;
  // The worst with its sign: positive where the back end does more work.
  std::optional<double> worstWorkImbalanceSignedPct;
};

DesignSummary SummariseDesign(const DesignFigures& figures, const IndicatorParams& indicator);

bool AllEvents(const RunResults& results);

// The size of the work imbalance of a run; empty where its events rule out a diagram.
std::optional<double> WorkImbalanceSize(const RunResults& results, const IndicatorParams& indicator);
