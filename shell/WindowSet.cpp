// Creating the window set in its fixed order and wiring it. The windows have
// no Qt parent: the set owns them, and the main window's closing ends the
// event loop. Each window only announces what the user asked for; the
// requests that concern another window are connected to it here.
#include "WindowSet.h"

#include <QCoreApplication>

#include "HelpKey.h"
#include "HelpWindow.h"
#include "QtPrompter.h"
#include "SessionModel.h"
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

namespace {

SessionModel* model = nullptr;
HelpKey* helpKey = nullptr;

}  // namespace

SessionModel& WindowSet::Model() {
  return *model;
}

void WindowSet::Create() {
  model = new SessionModel;
  MainForm = new TMainForm(*model);
  TMainForm* main = MainForm;
  main->OpenStore(std::make_unique<TShed>("ste_data.dat", AppPrompter(),
                                          [main](const std::string& name) { main->AddListedName(name); }));
  ResultsForm = new TResultsForm(*model);
  AnimaForm = new TAnimaForm(*model);
  RockerForm = new TRockerForm;
  DimensionsForm = new TDimensionsForm;
  StdAboutForm = new TStdAboutForm;
  helpKey = new HelpKey;
  QCoreApplication::instance()->installEventFilter(helpKey);
  Wire();
}

void WindowSet::Wire() {
  TResultsForm* results = ResultsForm;
  TAnimaForm* anima = AnimaForm;
  TDimensionsForm* dimensions = DimensionsForm;
  // Going back to a window closes the windows opened from it.
  QObject::connect(MainForm, &TMainForm::activated, results, &TResultsForm::MainWindowActivated);
  QObject::connect(MainForm, &TMainForm::activated, anima, [anima] { anima->close(); });
  QObject::connect(results, &TResultsForm::activated, anima, [anima] { anima->close(); });
  QObject::connect(results, &TResultsForm::animateRequested, anima, [anima] {
    anima->update();
    anima->show();
  });
  QObject::connect(MainForm, &TMainForm::dimensionsShown, dimensions, [dimensions](bool shown) {
    dimensions->DrawDimensions();
    dimensions->setVisible(shown);
  });
  QObject::connect(MainForm, &TMainForm::dimensionMarked, dimensions, &TDimensionsForm::Mark);
  QObject::connect(MainForm, &TMainForm::rockerTypesRequested, RockerForm, &QDialog::exec);
  QObject::connect(MainForm, &TMainForm::aboutRequested, StdAboutForm, &QDialog::exec);
  QObject::connect(MainForm, &TMainForm::helpRequested,
                   [](const QString& topic) { HelpWindow::ShowTopic(topic); });
}

void WindowSet::Destroy() {
  delete helpKey;
  helpKey = nullptr;
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
  delete MainForm;  // with it the store
  MainForm = nullptr;
  delete model;
  model = nullptr;
}
