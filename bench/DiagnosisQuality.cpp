// Not a timing: how often the running engine's true fault is ranked first.
// On each sample engine, 20 synthetic running engines, each with one cause
// (the valve on its spindle, a rod, an eccentric or play) of random size and
// sign; their indicator cards (cut-off, release and compression at both ends)
// at the full gears and half-way to them, rounded to 0.5 % of stroke; the
// diagnosis's first cause against the true one, and the time of a diagnosis.
// Arguments: [ENGINES [SEED]].
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "RunningDiagnosis.h"
#include "SampleEngines.h"

namespace {

struct Truth {
  Cause cause;
  double size;
};

Truth Draw(std::mt19937& random, int index) {
  std::uniform_real_distribution<double> share(0.25, 1);
  const double sign = random() % 2 == 0 ? 1 : -1;
  switch (index % 4) {
    case 0:
      return {Cause::spindle, sign * share(random) / 8};
    case 1:
      return {random() % 2 == 0 ? Cause::rod1 : Cause::rod2, sign * share(random) / 8};
    case 2:
      return {random() % 2 == 0 ? Cause::advance1 : Cause::advance2, sign * 2 * share(random)};
    default:
      return {Cause::play, share(random) / 8};
  }
}

std::vector<Evidence> Cards(const SettingDesign& design, const Truth& truth) {
  std::vector<Evidence> rows;
  for (const double angle :
       {design.usable.loDeg, design.usable.loDeg / 2, design.usable.hiDeg / 2, design.usable.hiDeg})
    for (const ReadingEnd end : {ReadingEnd::front, ReadingEnd::back})
      for (const EvidenceEvent event :
           {EvidenceEvent::cutOff, EvidenceEvent::release, EvidenceEvent::compression})
        rows.push_back({angle, end, event, 0, 0.5});
  DeviationVector d{};
  double play = 0;
  if (truth.cause == Cause::play)
    play = truth.size;
  else
    d[truth.cause == Cause::spindle ? spindleIndex : static_cast<int>(truth.cause) - 1] = truth.size;
  const auto figures = EvidenceFigures(design, d, play, rows);
  if (!figures) return {};
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].value = std::round((*figures)[i] * 2) / 2;
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  const int engines = argc > 1 ? std::atoi(argv[1]) : 20;
  std::mt19937 random(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 37);
  const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  for (const SampleEngine& sample : SampleEngines()) {
    if (sample.assemblesFrom == sample.assemblesTo) continue;
    const Engine engine = ToEngine(sample.record);
    const DesignOutcome design =
        PrepareDesign(engine, LengthUnit::in, std::nullopt, ValveSetting::equalLeads, threads);
    if (!design.design) continue;
    int first = 0, tried = 0;
    double slowest = 0;
    std::string misses;
    for (int i = 0; i < engines; ++i) {
      const Truth truth = Draw(random, i);
      const std::vector<Evidence> cards = Cards(*design.design, truth);
      if (cards.empty()) continue;
      ++tried;
      const auto start = std::chrono::steady_clock::now();
      const RunningDiagnosis diagnosis = DiagnoseRunning(*design.design, cards);
      slowest =
          std::max(slowest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      if (!diagnosis.ok()) continue;
      if (diagnosis.causes.front().cause == truth.cause)
        ++first;
      else
        misses += " " + std::string(CauseKey(truth.cause)) + " " + std::to_string(truth.size) + "->" +
                  std::string(CauseKey(diagnosis.causes.front().cause));
    }
    std::printf("%-32s true cause first in %d of %d; slowest diagnosis %.3f s%s\n",
                RecordName(sample.record).c_str(), first, tried, slowest, misses.c_str());
  }
  return 0;
}
