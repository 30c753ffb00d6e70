// Creating the window set in its fixed order. The windows have no Qt parent:
// the set owns them, and the main window's closing ends the event loop.
#include "WindowSet.h"

#include "TAnimaForm.h"
#include "TDimensionsForm.h"
#include "TMainForm.h"
#include "TResultsForm.h"
#include "TRockerForm.h"
#include "TSplashForm.h"
#include "TStdAboutForm.h"

TSplashForm* SplashForm = nullptr;
TMainForm* MainForm = nullptr;
TResultsForm* ResultsForm = nullptr;
TAnimaForm* AnimaForm = nullptr;
TRockerForm* RockerForm = nullptr;
TDimensionsForm* DimensionsForm = nullptr;
TStdAboutForm* StdAboutForm = nullptr;

void WindowSet::Create() {
  MainForm = new TMainForm;
  ResultsForm = new TResultsForm;
  AnimaForm = new TAnimaForm;
  RockerForm = new TRockerForm;
  DimensionsForm = new TDimensionsForm;
  StdAboutForm = new TStdAboutForm;
}

void WindowSet::Destroy() {
  delete StdAboutForm;
  StdAboutForm = nullptr;
  delete DimensionsForm;
  DimensionsForm = nullptr;
  delete RockerForm;
  RockerForm = nullptr;
  delete AnimaForm;
  AnimaForm = nullptr;
  delete ResultsForm;
  ResultsForm = nullptr;
  delete MainForm;
  MainForm = nullptr;
  Shed.reset();
}
