// The gear as built: what a fitter finds or makes on an engine beside its
// design, each zero on a gear built and set as drawn. Carried by the Engine
// value the sweep takes; the data file's record never holds it.
#pragma once

// Rod 1 runs from eccentric 1 to the upper rod pin (pin1), rod 2 from
// eccentric 2 to the lower (pin2): the upper and lower rods of the dimension
// diagram. Eccentric 1 is placed at crank angle + advance, eccentric 2 at
// crank angle - advance.
struct GearDeviations {
  // Change of each eccentric rod's length (the engine's length unit), + longer.
  // The link's radius of curvature stays the design's eccrod.
  double rod1 = 0, rod2 = 0;
  // Change of each eccentric's angle of advance (degrees), + more advance.
  double advance1Deg = 0, advance2Deg = 0;
  // The valve's offset on its spindle (length unit), in the sense of the valve
  // column: + further that way than the design's centring puts it. Applied by
  // CentreRun to a centring the caller gives (the design's), never when the
  // sweep centres a run itself: a gear as built is run with
  // Session::Evaluate and the design's centring, never by a first Go.
  double spindle = 0;
};
