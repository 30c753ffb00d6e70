// The front is found by the epsilon-constraint method: the two ends are a
// search of each objective, the designs between them cut-off searches with
// the work limit set to levels spread evenly between the ends' worst work
// imbalance. Each search is whole (its own rounds, polish, grid and
// tolerance check) and takes the input's seed, so the front depends on the
// input alone; the ends' searches run first so that a front whose ends agree
// costs two searches only.
#include "TradeOffFront.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "DesignSearch.h"

namespace {

// Figures this near are the same figure.
constexpr double kSameFigure = 1e-9;

std::optional<double> SideInequality(const DesignSummary& s, DesignSide side) {
  if (side == DesignSide::down) return s.study.worstInequalityDown;
  if (side == DesignSide::up) return s.study.worstInequalityUp;
  return s.study.worstInequality;
}

bool SameDesign(const Engine& a, const Engine& b) {
  for (const DesignDimension& d : DesignDimensions())
    if (a.*d.field != b.*d.field) return false;
  return true;
}

// No worse than `b` on either count.
bool AtLeastAsGood(const FrontDesign& a, const FrontDesign& b) {
  return a.cutOffInequality <= b.cutOffInequality + kSameFigure && a.workSize() <= b.workSize() + kSameFigure;
}

// A search's proposal as a design of the front; none where the search could
// not start, was cancelled before it found a design, or its proposal lacks a figure.
std::optional<FrontDesign> Entry(const DesignInput& input, DesignObjective objective, DesignResult result) {
  if (result.status == DesignStatus::cannotStart) return std::nullopt;
  FrontDesign design;
  design.objective = objective;
  design.changed = !SameDesign(result.proposal, input.start);
  if (result.status == DesignStatus::cancelled && !design.changed) return std::nullopt;
  const auto cutOff = SideInequality(result.afterSummary, input.rules.side);
  const auto work = result.afterSummary.worstWorkImbalanceSignedPct;
  if (!cutOff || !work) return std::nullopt;
  design.cutOffInequality = *cutOff;
  design.workImbalancePct = *work;
  design.result = std::move(result);
  return design;
}

// The searches of one front, counted for its progress.
class FrontRun {
 public:
  FrontRun(const DesignInput& input, int threads, const std::atomic<bool>* cancel,
           const FrontProgressSink& sink)
      : input_(input), threads_(threads), cancel_(cancel), sink_(sink) {}

  bool cancelled() const { return cancel_ && cancel_->load(); }
  int searches() const { return done_; }
  int evaluations() const { return evaluations_; }
  void SetPlanned(int searches) {
    planned_ = searches;
    Report(0, std::nullopt);
  }

  // One full search of the objective, the work imbalance held at `workLimitPct` when given.
  DesignResult Search(DesignObjective objective, std::optional<double> workLimitPct) {
    DesignInput input = input_;
    input.rules.objective = objective;
    if (workLimitPct) {
      input.rules.workLimit = WorkLimit::percent;
      input.rules.workLimitPct = *workLimitPct;
    }
    objective_ = objective;
    level_ = workLimitPct;
    const auto sink = [this](const DesignProgress& p) { Report(p.evaluations, p.best); };
    DesignResult result = SearchDesign(input, threads_, cancel_, sink);
    ++done_;
    evaluations_ += result.evaluations;
    Report(0, std::nullopt);
    return result;
  }

 private:
  void Report(int running, std::optional<double> best) {
    if (!sink_) return;
    const int limit = input_.maxEvaluations;
    sink_({done_, planned_, done_ * limit + std::min(running, limit), planned_ * limit, objective_, level_,
           best});
  }

  const DesignInput& input_;
  int threads_;
  const std::atomic<bool>* cancel_;
  const FrontProgressSink& sink_;
  int planned_ = 2 + kFrontLevels;
  int done_ = 0;
  int evaluations_ = 0;
  DesignObjective objective_ = DesignObjective::work;
  std::optional<double> level_;
};

// The ends, then the levels between them unless one end is as good as the other on both counts.
void SearchFront(const DesignInput& input, FrontRun& run, TradeOffFront& front) {
  run.SetPlanned(2 + kFrontLevels);
  DesignResult workEnd = run.Search(DesignObjective::work, std::nullopt);
  if (workEnd.status == DesignStatus::cannotStart) {
    front.problem = workEnd.problem;
    return;
  }
  front.startCutOffInequality = SideInequality(workEnd.beforeSummary, input.rules.side);
  front.startWorkImbalancePct = workEnd.beforeSummary.worstWorkImbalanceSignedPct;
  std::vector<FrontDesign> found;
  if (auto entry = Entry(input, DesignObjective::work, std::move(workEnd)))
    found.push_back(std::move(*entry));
  if (!run.cancelled())
    if (auto entry = Entry(input, DesignObjective::cutOff, run.Search(DesignObjective::cutOff, std::nullopt)))
      found.push_back(std::move(*entry));
  if (found.size() == 2 && (AtLeastAsGood(found[0], found[1]) || AtLeastAsGood(found[1], found[0]))) {
    // Two searches that both kept the start found nothing, which is no agreement.
    front.agreed = found[0].changed || found[1].changed;
    run.SetPlanned(2);
    front.designs = NonDominated(std::move(found));
    return;
  }
  if (found.size() == 2) {
    const double low = std::min(found[0].workSize(), found[1].workSize());
    const double high = std::max(found[0].workSize(), found[1].workSize());
    for (int level = 1; level <= kFrontLevels && !run.cancelled(); ++level) {
      const double limit = low + (high - low) * level / (kFrontLevels + 1);
      if (auto entry = Entry(input, DesignObjective::cutOff, run.Search(DesignObjective::cutOff, limit)))
        found.push_back(std::move(*entry));
    }
  }
  front.designs = NonDominated(std::move(found));
}

}  // namespace

double FrontDesign::workSize() const {
  return std::fabs(workImbalancePct);
}

std::vector<FrontDesign> NonDominated(std::vector<FrontDesign> designs) {
  std::stable_sort(designs.begin(), designs.end(), [](const FrontDesign& a, const FrontDesign& b) {
    if (a.cutOffInequality != b.cutOffInequality) return a.cutOffInequality < b.cutOffInequality;
    return a.workSize() < b.workSize();
  });
  // In that order a design is kept when its work balance beats every design kept before it.
  std::vector<FrontDesign> kept;
  for (FrontDesign& d : designs) {
    const bool beaten = std::any_of(kept.begin(), kept.end(), [&](const FrontDesign& k) {
      return AtLeastAsGood(k, d) || SameDesign(k.result.proposal, d.result.proposal);
    });
    if (!beaten) kept.push_back(std::move(d));
  }
  return kept;
}

TradeOffFront FindTradeOffFront(const DesignInput& input, int threads, const std::atomic<bool>* cancel,
                                const FrontProgressSink& progress) {
  const auto started = std::chrono::steady_clock::now();
  TradeOffFront front;
  FrontRun run(input, threads, cancel, progress);
  SearchFront(input, run, front);
  front.searches = run.searches();
  front.evaluations = run.evaluations();
  const bool anyChanged =
      std::any_of(front.designs.begin(), front.designs.end(), [](const FrontDesign& d) { return d.changed; });
  if (!front.problem.empty())
    front.status = DesignStatus::cannotStart;
  else if (run.cancelled())
    front.status = DesignStatus::cancelled;
  else
    front.status = anyChanged ? DesignStatus::improved : DesignStatus::noBetterDesign;
  front.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return front;
}
