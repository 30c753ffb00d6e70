// Makes a drawing from a session: the gear at a lifting-arm angle and crank
// angle (the run a "GO" there gives with the session's centring, equal leads
// when it has none), or the part sheets, with the die's run over the engine's
// usable range. Failures are sentences, never exceptions.
#pragma once

#include <optional>
#include <string>

#include "DrawingModel.h"
#include "Session.h"

struct DrawingRequest {
  double liftArmDeg = 0;
  std::optional<double> crankDeg;  // results.txt's crank angle; empty: the back dead centre
  bool parts = false;
  LengthUnit unit = LengthUnit::none;
  std::string engineName;  // UTF-8
  int threads = 1;         // for the usable range's search
};

struct DrawingOutcome {
  std::optional<Drawing> drawing;
  std::string error;  // why there is none
  std::string note;   // what the user should know about the one made
};

DrawingOutcome BuildDrawing(const Session& session, const DrawingRequest& request);
