// The figures of a fixed set of crank sweeps, one line a run, to hold a
// solver's figures against those it gave before: the sample engines at
// several lifting-arm angles and engines of the robustness campaign. Lengths
// are written as fractions of the engine's largest dimension, so a line
// compares the same way whatever the engine's size.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "EngineConversion.h"
#include "PerturbedEngines.h"
#include "SampleEngines.h"
#include "Session.h"

namespace sweep_records {

inline double Size(const Engine& e) {
  double size = 0;
  for (const double d : {e.conrod, e.mcrank, e.eccrod, e.eccrad, e.pintoslot, e.ctoweighh, e.ctoweighv, e.larad,
                         e.liftlink, e.linkpins, e.circdisp, e.raddisp, e.stlap, e.exlap, e.port})
    size = std::max(size, std::fabs(d));
  return size > 0 ? size : 1;
}

// Every figure of the run: events in points of stroke (NaN where absent),
// angles in degrees, lengths and the valve at every 30 degrees of crank over
// the engine's size.
inline std::vector<double> Figures(const Engine& e, const GearRun& run) {
  const RunResults& r = run.results;
  const double size = Size(e);
  std::vector<double> figures;
  for (int i = 0; i < kEvents; ++i) figures.push_back(r.eventFound[i] ? r.eventPct[i] : NAN);
  figures.push_back(r.linkAngleMinDeg);
  figures.push_back(r.linkAngleMaxDeg);
  for (const double length : {r.leadBack, r.leadFront, r.portOpenBack, r.portOpenFront, r.dieDeflection,
                              r.dieSlip, r.valveTravel, run.valveCentre})
    figures.push_back(length / size);
  for (int k = 0; k < kSteps; k += 15) figures.push_back(run.valveTable[k] / size);
  return figures;
}

// The failure's kind by name, so that the records do not hang on the enum's order.
inline const char* KindName(FailureKind kind) {
  switch (kind) {
    case FailureKind::noEngine: return "noEngine";
    case FailureKind::nonFiniteEngine: return "nonFiniteEngine";
    case FailureKind::crankUnusable: return "crankUnusable";
    case FailureKind::portUnusable: return "portUnusable";
    case FailureKind::midGearUnreachable: return "midGearUnreachable";
    case FailureKind::angleNotNumber: return "angleNotNumber";
    case FailureKind::angleTooLarge: return "angleTooLarge";
    case FailureKind::connectingRodShort: return "connectingRodShort";
    case FailureKind::liftingLinkNoReach: return "liftingLinkNoReach";
    case FailureKind::slotMissesStroke: return "slotMissesStroke";
    case FailureKind::linkIndefinite: return "linkIndefinite";
    case FailureKind::cutOffsNeverEqual: return "cutOffsNeverEqual";
  }
  return "?";
}

// "NAME ANGLE ok FIGURE..." or "NAME ANGLE failed KIND CRANK MEMBER".
inline std::string Line(const std::string& name, const Engine& e, double angle) {
  Session session;
  session.Take(e);
  const RunOutcome outcome = session.Evaluate(angle, std::nullopt);
  char text[64];
  std::snprintf(text, sizeof text, " %g", angle);
  std::string line = name + text;
  if (!outcome.ok()) {
    std::snprintf(text, sizeof text, " failed %s %d %d", KindName(outcome.failure->kind),
                  outcome.failure->crankAngleDeg, static_cast<int>(outcome.failure->member));
    return line + text;
  }
  line += " ok";
  for (const double figure : Figures(e, *outcome.run)) {
    std::snprintf(text, sizeof text, " %.13g", figure);
    line += text;
  }
  return line;
}

inline std::vector<std::string> Lines() {
  std::vector<std::string> lines;
  const auto samples = SampleEngines();
  for (size_t i = 0; i < samples.size(); ++i)
    for (const double angle : {-45.0, -30.0, -15.0, 0.0, 12.5, 25.0, 40.0})
      lines.push_back(Line("sample" + std::to_string(i), ToEngine(samples[i].record), angle));
  std::mt19937 random(20261207u);
  for (int n = 0; n < 48; ++n) {
    const Engine e = ToEngine(Perturbed(samples[static_cast<size_t>(n) % 4].record, random, n % 2 == 1));
    for (const double angle : {15.0, -25.0, 0.0, 40.0}) lines.push_back(Line("random" + std::to_string(n), e, angle));
  }
  return lines;
}

}  // namespace sweep_records
