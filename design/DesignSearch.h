// The design search: the free dimensions of a start engine changed within their
// bounds so that the front and back cut-offs agree at every notch, while the
// gear still assembles, makes all eight events, keeps 90 % of the start's
// smaller port opening at each notch and positive leads. Several deterministic
// starts of a bounded derivative-free NLopt method share the threads the caller gives.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "DesignDimensions.h"
#include "DesignFigures.h"
#include "Engine.h"

// Enough for the default set to converge on the sample engines from every start.
inline constexpr int kDefaultMaxEvaluations = 600;

struct DesignInput {
  Engine start;
  std::vector<FreeDimension> free;  // each with lower <= upper
  double setAngleDeg = 25;          // the valve is centred for equal leads here
  std::vector<double> notchesDeg;
  int maxEvaluations = kDefaultMaxEvaluations;  // over all starts
  std::uint64_t seed = 1;                       // places the starts other than the design itself
};

enum class DesignStatus { improved, noBetterDesign, noFeasibleDesign, cancelled };

struct DesignProgress {
  int evaluations = 0;
  int maxEvaluations = 0;
  std::optional<double> bestInequality;  // of the best feasible design so far
};
// Called from the search's threads, one call at a time.
using DesignProgressSink = std::function<void(const DesignProgress&)>;

struct DesignResult {
  DesignStatus status = DesignStatus::noFeasibleDesign;
  Engine proposal;  // the start itself unless a better feasible design was found
  DesignFigures before, after;
  int evaluations = 0;
  double seconds = 0;
};

// The smaller port opening each notch must keep: 90 % of the start's.
inline constexpr double kPortOpeningShare = 0.9;

// Runs the starts on `threads` threads (at least one). The same input and
// seed give the same proposal, whatever the number of threads. Cancelling
// stops every start at its next evaluation; the best feasible design found so
// far is still proposed.
DesignResult SearchDesign(const DesignInput& input, int threads, const std::atomic<bool>* cancel = nullptr,
                          const DesignProgressSink& progress = nullptr);

const char* StatusText(DesignStatus status);
