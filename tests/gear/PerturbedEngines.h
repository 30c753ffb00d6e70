// Engines drawn around the sample engines with every dimension perturbed,
// for the robustness campaign and the sweep's record of figures.
#pragma once

#include <random>

#include "EngineRecord.h"

// Wide changes (zeros, sign changes, factors 0.3 to 1.7) break most gears;
// mild ones (within 15 per cent) keep most of them working.
inline EngineRecord Perturbed(EngineRecord engine, std::mt19937& random, bool wide) {
  std::uniform_real_distribution<double> factor(wide ? 0.3 : 0.85, wide ? 1.7 : 1.15);
  std::uniform_int_distribution<int> fate(wide ? 0 : 3, 19);
  double* fields[] = {&engine.conrod,     &engine.mcrank,    &engine.eccrod,    &engine.eccrad,
                      &engine.angadv,     &engine.pintoslot, &engine.ctoweighh, &engine.ctoweighv,
                      &engine.larad,      &engine.liftlink,  &engine.linkpins,  &engine.circdisp,
                      &engine.raddisp,    &engine.stlap,     &engine.exlap,     &engine.port,
                      &engine.rockerRatio};
  for (double* field : fields) {
    const int roll = fate(random);
    *field = roll == 0 ? 0 : roll == 1 ? -*field : *field * factor(random) + (roll == 2 ? 1 : 0);
  }
  engine.valveType = fate(random) < 10 ? 1 : -1;
  engine.rockerType = fate(random) % 3 - 1;
  return engine;
}
