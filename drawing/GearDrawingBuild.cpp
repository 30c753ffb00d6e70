// A crank angle between the run's 2-degree steps is drawn at the nearest step
// (and the note says so), so that every pin is a point the solver computed.
#include "GearDrawingBuild.h"

#include <cmath>

#include "DimensionText.h"
#include "GearDrawing.h"
#include "PartSheets.h"
#include "SlotTravel.h"
#include "UsableRange.h"

namespace {

std::string Degrees(double deg) {
  return LengthText(deg, LengthUnit::none) + " deg.";
}

std::string UnitName(LengthUnit unit) {
  return unit == LengthUnit::in ? "inches" : unit == LengthUnit::mm ? "millimetres" : "no unit given";
}

}  // namespace

DrawingOutcome BuildDrawing(const Session& session, const DrawingRequest& request) {
  DrawingOutcome outcome;
  if (const auto failure = session.takeFailure()) {
    outcome.error = FailureMessage(*failure);
    return outcome;
  }
  const std::optional<UsableRange> range = FindUsableRange(session, request.threads);
  std::optional<SlotTravel> travel;
  if (range) travel = FindSlotTravel(session, *range);
  if (!travel) outcome.note = "The engine has no usable range: the die's run over it is not shown. ";
  Drawing drawing;
  drawing.unit = request.unit;
  if (request.parts) {
    drawing.sheets = PartSheets(session.engine(), travel, request.unit);
    outcome.drawing = std::move(drawing);
    return outcome;
  }
  const RunOutcome run = session.Evaluate(request.liftArmDeg, session.centring());
  if (!run.ok()) {
    outcome.error =
        "The gear cannot be drawn at " + Degrees(request.liftArmDeg) + ": " + FailureMessage(*run.failure);
    return outcome;
  }
  const Engine& e = session.engine();
  const int step = request.crankDeg ? CrankStep(*request.crankDeg) : BackDeadCentreStep(e);
  if (request.crankDeg &&
      std::fabs(std::remainder(std::remainder(*request.crankDeg, 360.0) - 2.0 * step, 360.0)) > 1e-9)
    outcome.note += "Crank drawn at " + Degrees(2.0 * step) + ", the nearest of the run's 2-degree steps. ";
  const std::string title =
      request.engineName + ": lifting arm " + Degrees(request.liftArmDeg) + ", crank " + Degrees(2.0 * step) +
      (step == BackDeadCentreStep(e) ? " (back dead centre)" : "") + "; true size, " + UnitName(request.unit);
  drawing.sheets.push_back(GearSheet({e, *run.run, step, travel, title, request.unit}));
  outcome.drawing = std::move(drawing);
  return outcome;
}
