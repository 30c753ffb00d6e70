// The rows of a quadrant study and the figures a designer reads off them:
// which notches are working notches, the worst inequality of the cut-offs on
// each side of mid-gear, the range of the leads, the smallest port opening and
// the worst imbalance of the work the two ends of the cylinder do.
#pragma once

#include <optional>
#include <vector>

#include "CutOffFigures.h"
#include "GearFailure.h"
#include "GearRun.h"
#include "IndicatorDiagram.h"

// One notch: the figures of its run and of its indicator diagrams, or why the
// gear did not assemble there.
struct StudyRow {
  double liftArmDeg = 0;
  std::optional<GearFailure> failure;  // set when the notch did not assemble
  RunResults results;                  // when it did
  IndicatorFigures indicator;          // when it did; empty where the events' order rules a diagram out

  bool ok() const { return !failure; }
};

// A working notch ran, made both cut-offs, and their mean is a working cut-off.
bool IsWorkingNotch(const StudyRow& row);
// Of a notch that ran: both cut-offs' mean and |back - front|; empty otherwise.
std::optional<double> MeanCutOff(const StudyRow& row);
std::optional<double> CutOffInequality(const StudyRow& row);

// Every figure is taken over the working notches; empty where there is none.
// "Down" is the side below mid-gear (positive angles), "up" the side above.
struct StudySummary {
  std::vector<double> workingNotchesDeg;
  std::optional<double> worstInequality, worstInequalityDown, worstInequalityUp;  // |CoB - CoF|, %
  std::optional<double> leadMin, leadMax;                                         // of both ends
  std::optional<double> smallestPortOpening;                                      // of both ends' maxima
  // The imbalance of the largest size, its sign kept (positive: the back end
  // does more work); empty where no working notch has one.
  std::optional<double> worstWorkImbalancePct;
  std::optional<double> worstDieSlip;  // the largest die slip
};

StudySummary SummariseStudy(const std::vector<StudyRow>& rows);
