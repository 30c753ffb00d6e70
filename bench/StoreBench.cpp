// Timing of the store on a data file of 10,000 engines: listing it, and a
// save and a delete, each of which reads the file afresh under its lock and
// rewrites it whole. Run with --benchmark_repetitions=N for medians.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "ManyEngines.h"
#include "TShed.h"

namespace {

constexpr int kEngines = 10000;

// A folder of its own holding a data file of kEngines engines, removed afterwards.
class TenThousandEngines {
 public:
  TenThousandEngines()
      : folder_(std::filesystem::temp_directory_path() / ("zov_store_bench_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder_);
    WriteNumberedEngines(path(), kEngines);
  }
  ~TenThousandEngines() { std::filesystem::remove_all(folder_); }
  std::string path() const { return (folder_ / "ste_data.dat").string(); }

 private:
  std::filesystem::path folder_;
};

void BM_ListEngines(benchmark::State& state) {
  const TenThousandEngines file;
  int names = 0;
  for (auto _ : state) {
    TShed shed(file.path(), [&names](const std::string&) { ++names; });
    if (!shed.Open().ok() || shed.ListEngines() != kEngines)
      state.SkipWithError("not every engine was listed");
  }
  benchmark::DoNotOptimize(names);
}
BENCHMARK(BM_ListEngines)->Unit(benchmark::kMillisecond);

// Each save replaces an engine, as a user editing one does; the window then lists again.
void BM_SaveEngine(benchmark::State& state) {
  const TenThousandEngines file;
  TShed shed(file.path(), nullptr);
  int i = 0;
  for (auto _ : state) {
    if (!shed.SaveEngine(Numbered(i++ % kEngines)).ok()) state.SkipWithError("the save failed");
  }
}
BENCHMARK(BM_SaveEngine)->Unit(benchmark::kMillisecond);

// Each delete removes an engine; it is saved back untimed.
void BM_DeleteEngine(benchmark::State& state) {
  const TenThousandEngines file;
  TShed shed(file.path(), nullptr);
  int i = 0;
  for (auto _ : state) {
    const EngineRecord record = Numbered(i++ % kEngines);
    if (!shed.DeleteEngine(record).ok()) state.SkipWithError("the delete failed");
    state.PauseTiming();
    shed.SaveEngine(record);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteEngine)->Unit(benchmark::kMillisecond);

}  // namespace
