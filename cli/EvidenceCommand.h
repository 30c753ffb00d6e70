// zovuderiz-setting --evidence FILE.csv: what the running engine says is
// wrong, from its indicator cards' events or its exhaust beats; the causes
// ranked with their sizes and the pairs the evidence cannot tell apart, as
// text or JSON. zovuderiz-setting calls it with the engine it has found.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "Engine.h"
#include "Quantity.h"
#include "RunningDiagnosis.h"
#include "ValveSetting.h"

struct EvidenceRequest {
  Engine engine;           // the stored engine
  std::string engineName;  // UTF-8, for the report
  LengthUnit unit = LengthUnit::none;
  std::optional<double> settingDeg;  // none: full forward gear, as the valve setting
  ValveSetting valveSetting = ValveSetting::equalLeads;
  std::string evidenceFile;
  bool json = false;
  int threads = 1;
};

// The exit status as the tool's: 0 done, 3 the evidence file cannot be read
// or has a bad row or a notch outside the usable range, 4 the gear does not
// assemble.
int RunEvidence(const EvidenceRequest& request, std::ostream& out, std::ostream& err);

// The report alone: "causes" (each {cause, size, unit, explains}, best first,
// with "words"), "together" (the five deviations and the play fitted at once)
// and "undecided" (sentences).
void WriteDiagnosisJson(std::ostream& out, const std::string& engineName, LengthUnit unit,
                        const RunningDiagnosis& diagnosis);
void WriteDiagnosisText(std::ostream& out, const std::string& engineName, LengthUnit unit,
                        const RunningDiagnosis& diagnosis);

extern const char* const kEvidenceHelpText;
