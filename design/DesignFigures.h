// The figures a design search judges an engine by: the run at the setting
// angle that centres the valve for equal leads, then one run per notch with
// that centring kept (each a later "GO"), the worst cut-off inequality over the
// notches and how far the design is from meeting the constraints.
#pragma once

#include <vector>

#include "Engine.h"
#include "StudySummary.h"

// The rows are those of a quadrant study at these notches. Measuring stops at
// the first run that fails or lacks an event, which is then the last row.
struct DesignFigures {
  StudyRow setting;
  std::vector<StudyRow> notches;
  // Every run assembled and every notch makes all eight events.
  bool complete = false;
  // max over the notches of |cut-off back - cut-off front| (% of stroke); when complete.
  double worstInequality = 0;
};

DesignFigures MeasureDesign(const Engine& engine, double setAngleDeg, const std::vector<double>& notchesDeg);

// The working notches of the start engine's quadrant study (its usable range
// in 5-degree steps, on `threads` threads), at most five on each side of
// mid-gear, spread evenly.
std::vector<double> DefaultNotches(const Engine& engine, double setAngleDeg, int threads);

// The smaller of the two maximum port openings at each notch.
std::vector<double> SmallerPortOpenings(const DesignFigures& figures);

// How far a complete design is outside the constraints, in port widths (0 when
// it meets them): each notch's smaller port opening at least `portFloor` of
// that notch, both leads above zero at every notch.
double ConstraintViolation(const DesignFigures& figures, const std::vector<double>& portFloor, double port);
