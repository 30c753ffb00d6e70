// The design search: the free dimensions of a start engine changed within
// their bounds so that the worst inequality of the cut-offs (or of the two
// ends' work) over the working notches of the start's usable range is as small
// as it can be, while at every notch of that range the gear assembles, makes
// all eight events, keeps the die between the rod pins and positive leads no
// larger than 1.5 times the start's largest, and at every working notch keeps
// the mean cut-off within the shift allowed and 90 % of the start's smaller
// port opening. A deterministic space-filling phase, then NLopt's COBYLA from
// the best points; every figure reported is measured exactly on the range's
// half-degree notches.
#pragma once

#include <atomic>
#include <string>

#include "DesignSearchTypes.h"
#include "Quantity.h"

// Runs the search, each measurement spread over `threads` threads (at least
// one). The same input and seed give the same proposal, whatever the number
// of threads. Cancelling stops the search at its next trial; the best design
// found so far is still checked on every notch and proposed.
DesignResult SearchDesign(const DesignInput& input, int threads, const std::atomic<bool>* cancel = nullptr,
                          const DesignProgressSink& progress = nullptr);

const char* StatusText(DesignStatus status);
// Why no better design was proposed, in sentences (empty for any other
// status): whether the start itself holds its limits made within its
// tolerances, and the best design found that broke a limit at a corner of
// them, which limit at which corner, and what tolerance it would need
// (lengths in `unit`).
std::string NoBetterDesignText(const DesignResult& result, const DesignInput& input, LengthUnit unit);
