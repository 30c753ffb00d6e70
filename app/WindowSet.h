// The program's windows: one global instance of each window class, created
// once at start-up in a fixed order and living until the program ends.
#pragma once

class TSplashForm;
class TMainForm;
class TResultsForm;
class TAnimaForm;
class TRockerForm;
class TDimensionsForm;
class TStdAboutForm;

extern TSplashForm* SplashForm;
extern TMainForm* MainForm;
extern TResultsForm* ResultsForm;
extern TAnimaForm* AnimaForm;
extern TRockerForm* RockerForm;
extern TDimensionsForm* DimensionsForm;
extern TStdAboutForm* StdAboutForm;

class WindowSet {
 public:
  // Creates windows 1 to 6 (main, results, animation, rocker types,
  // dimensions, about) in that order; the main window opens the store.
  static void Create();
  // Destroys them in reverse order (tests create a fresh set per case).
  static void Destroy();
};
