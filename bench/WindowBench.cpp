// Timing of the windows' work: one "GO" as the results window runs it (sweep,
// results.txt, valve diagram and labels), one animation step at the design
// size, one move of the study's live reverser (the run, the results window's
// labels and diagram repainted, the open animation redrawn), and listing
// 10,000 stored engines into the main window as at start-up and deleting one
// there. Run with --benchmark_repetitions=N for medians.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "EngineConversion.h"
#include "EngineRecord.h"
#include "ManyEngines.h"
#include "QtPrompter.h"
#include "SessionModel.h"
#include "TAnimaForm.h"
#include "TMainForm.h"
#include "TResultsForm.h"
#include "WindowSet.h"

namespace {

// The goods engine of the samples, run at 15 degrees below mid-gear.
void RunGoodsEngine() {
  EngineRecord engine{{}, 78, 13, 54, 2.75, 24, 0, 65, 19, 11, 0, 18, 13, 0, 0, 1.0, 0, 1.5, -1, 0, 0.0};
  std::strcpy(engine.name, "Goods 0-6-0 slide valve");
  WindowSet::Model().TakeEngine(ToEngine(engine));
  ResultsForm->EdLa_ang->setText("15");
  ResultsForm->BtGoClick();
}

// Shown so that the outer size is the design's 717 by 489.
void ShowAnimationAtDesignSize() {
  ResultsForm->show();
  ResultsForm->BtAnimaClick();
  const QSize frame = AnimaForm->frameGeometry().size() - AnimaForm->size();
  AnimaForm->close();
  AnimaForm->resize(717 - frame.width(), 489 - frame.height());
  ResultsForm->BtAnimaClick();
}

void BM_DrawMechanism(benchmark::State& state) {
  int step = 0;
  for (auto _ : state) {
    AnimaForm->animStep = step % 179 + 1;
    AnimaForm->DrawMechanism();
    ++step;
  }
  if (AnimaForm->winWidth != 717) state.SkipWithError("the window is not at its design size");
}
BENCHMARK(BM_DrawMechanism)->Unit(benchmark::kMicrosecond);

void BM_ResultsGo(benchmark::State& state) {
  int run = 0;
  for (auto _ : state) {
    // A new angle each time, as a user stepping the notching up.
    ResultsForm->EdLa_ang->setText(QString::number(10 + run % 20));
    ResultsForm->BtGoClick();
    ++run;
  }
}
BENCHMARK(BM_ResultsGo)->Unit(benchmark::kMillisecond);

void BM_ReverserMove(benchmark::State& state) {
  int move = 0;
  for (auto _ : state) {
    // Half-degree moves back and forth, as a slider dragged across working notches.
    const RunOutcome outcome = WindowSet::Model().MoveReverser(10 + 0.5 * (move % 40), 15);
    ResultsForm->repaint();
    if (!outcome.ok()) state.SkipWithError("a reverser position did not assemble");
    ++move;
  }
}
BENCHMARK(BM_ReverserMove)->Unit(benchmark::kMillisecond);

void OpenTenThousandEngines() {
  WriteNumberedEngines("many.dat", 10000, 7919);
  WindowSet::OpenStore("many.dat");
}

void BM_ListTenThousandEngines(benchmark::State& state) {
  for (auto _ : state) OpenTenThousandEngines();
  if (MainForm->CB_Engines->count() != 10000) state.SkipWithError("not every engine was listed");
}
BENCHMARK(BM_ListTenThousandEngines)->Unit(benchmark::kMillisecond);

// "Delete Current Engine" on a shown engine of 10,000: the locked rewrite and
// the new list. The engine is saved back untimed.
void BM_DeleteInWindow(benchmark::State& state) {
  SilentPrompter prompter;
  SetAppPrompter(&prompter);
  OpenTenThousandEngines();
  int i = 0;
  for (auto _ : state) {
    const EngineRecord record = Numbered(i++ % 10000);
    MainForm->EdName->setText(record.name);
    MainForm->BtDeleteClick();
    state.PauseTiming();
    WindowSet::Model().SaveEngine(ToEngine(record));
    state.ResumeTiming();
  }
  SetAppPrompter(nullptr);
}
BENCHMARK(BM_DeleteInWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  const std::filesystem::path home = std::filesystem::current_path();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zov_anim_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  WindowSet::Create();
  RunGoodsEngine();
  ShowAnimationAtDesignSize();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  WindowSet::Destroy();
  std::filesystem::current_path(home);
  std::filesystem::remove_all(folder);
  return 0;
}
