// Creating the window set in its fixed order and wiring it. The windows have
// no Qt parent: the set owns them, and the main window's closing ends the
// event loop. Each window only announces what the user asked for; the
// requests that concern another window, or opening the store, are handled here.
#include "WindowSet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "BoxText.h"
#include "DrawingExportDialog.h"
#include "EngineScale.h"
#include "HelpKey.h"
#include "HelpWindow.h"
#include "QtPrompter.h"
#include "Reaction.h"
#include "SessionModel.h"
#include "TAnimaForm.h"
#include "TAssistantForm.h"
#include "TDimensionsForm.h"
#include "TMainForm.h"
#include "TResultsForm.h"
#include "TReviewForm.h"
#include "TRockerForm.h"
#include "TSettingForm.h"
#include "TSplashForm.h"
#include "TStdAboutForm.h"
#include "TStudyForm.h"
#include "TextFile.h"

TSplashForm* SplashForm = nullptr;
TMainForm* MainForm = nullptr;
TResultsForm* ResultsForm = nullptr;
TAnimaForm* AnimaForm = nullptr;
TRockerForm* RockerForm = nullptr;
TDimensionsForm* DimensionsForm = nullptr;
TStdAboutForm* StdAboutForm = nullptr;
TStudyForm* StudyForm = nullptr;
TAssistantForm* AssistantForm = nullptr;
TReviewForm* ReviewForm = nullptr;
TSettingForm* SettingForm = nullptr;

namespace {

SessionModel* model = nullptr;
HelpKey* helpKey = nullptr;

constexpr const char* kDataFile = "ste_data.dat";

// Writes the sample engines compiled into the program as the working folder's
// data file; a failure is told, and the store then starts the file empty.
void StartWithSampleEngines() {
  QFile samples(":/examples/ste_data.dat");
  if (!samples.open(QIODevice::ReadOnly)) {
    AppPrompter().Inform("Message", "The sample engines are not available: the data file is started empty.");
    return;
  }
  const QByteArray bytes = samples.readAll();
  const FileWrite written = WriteFileAtomically(kDataFile, bytes.toStdString());
  if (!written.ok())
    AppPrompter().Inform("Message", "Cannot write the sample engines to \"" +
                                        QDir::current().absoluteFilePath(kDataFile).toStdString() +
                                        "\": " + written.reason);
}

QString UnitName(LengthUnit unit) {
  return unit == LengthUnit::in ? "in" : "mm";
}

// The engine's lengths in another unit, when both units are known and differ.
std::optional<Engine> InUnit(const Engine& engine, LengthUnit from, LengthUnit to) {
  if (from == to || from == LengthUnit::none || to == LengthUnit::none) return std::nullopt;
  return ScaledEngine(engine, to == LengthUnit::mm ? 25.4 : 1 / 25.4);
}

// The review opens for the main window's boxes or the engine studied; "Try it"
// fills the boxes as the assistant's "Put in boxes" does.
void WireReview() {
  TReviewForm* review = ReviewForm;
  SessionModel* session = model;
  QObject::connect(MainForm, &TMainForm::reviewRequested, review, &TReviewForm::Open);
  QObject::connect(StudyForm, &TStudyForm::reviewRequested, review, [review, session] {
    if (session->session().taken()) review->Open(session->session().engine());
  });
  QObject::connect(review, &TReviewForm::tryItRequested, MainForm, &TMainForm::ShowProposal);
  QObject::connect(review, &TReviewForm::helpRequested,
                   [](const QString& topic) { HelpWindow::ShowTopic(topic); });
}

// The study compares with engines the main window and the assistant hold.
void WireCompareSources() {
  using Offer = TStudyForm::EngineOffer;
  TAssistantForm* assistant = AssistantForm;
  StudyForm->SetCompareSources(
      [] {
        const TMainForm::Transfer read = MainForm->TransferEntries();
        if (!read.ok()) return Offer{{}, {}, QString::fromStdString(read.message)};
        const QString name = BoxText::FromNameBytes(MainForm->engine().name) + " (boxes)";
        const auto converted = InUnit(MainForm->engine(), MainForm->boxesUnit(), model->lengthUnit());
        if (!converted) return Offer{MainForm->engine(), name, {}};
        return Offer{*converted, name + " converted to " + UnitName(model->lengthUnit()), {}};
      },
      [assistant] {
        const DesignResult* result = assistant->result();
        if (result == nullptr) return Offer{{}, {}, "The design assistant has made no proposal yet."};
        return Offer{result->proposal, TAssistantForm::ProposalName(result->proposal), {}};
      });
}

}  // namespace

void WindowSet::OpenStore(const std::string& dataFile) {
  StoreOutcome opened = model->OpenStore(dataFile);
  if (opened.kind == StoreOutcome::Kind::missingFile)
    opened =
        AppPrompter().Confirm(kMissingFileCaption, opened.message) ? model->CreateDataFile() : StoreOutcome{};
  if (!opened.ok()) AppPrompter().Inform("Message", opened.message);
  if (!model->lengthUnitProblem().empty()) AppPrompter().Inform("Message", model->lengthUnitProblem());
  MainForm->StoreOpened();
  MainForm->ShowDataFile(QDir::current().absoluteFilePath(QString::fromStdString(dataFile)));
}

SessionModel& WindowSet::Model() {
  return *model;
}

void WindowSet::Create() {
  model = new SessionModel;
  MainForm = new TMainForm(*model);
  // The store works on the working folder's data file: results.txt and
  // printed pages land beside it.
  OpenStore(kDataFile);
  ResultsForm = new TResultsForm(*model);
  AnimaForm = new TAnimaForm(*model);
  RockerForm = new TRockerForm;
  DimensionsForm = new TDimensionsForm;
  StdAboutForm = new TStdAboutForm;
  StudyForm = new TStudyForm(*model);
  AssistantForm = new TAssistantForm(*model);
  ReviewForm = new TReviewForm(*model);
  SettingForm = new TSettingForm(*model);
  helpKey = new HelpKey;
  QCoreApplication::instance()->installEventFilter(helpKey);
  Wire();
}

// Each request opens an export dialog of its own over the window that asked.
void WindowSet::WireDrawings() {
  SessionModel* session = model;
  const auto openFor = [session](QWidget* window) {
    return [session, window](double liftArmDegrees, double crankDegrees, bool parts) {
      auto* dialog = new DrawingExportDialog(window);
      dialog->setAttribute(Qt::WA_DeleteOnClose);
      dialog->Open(session->session(), {liftArmDegrees, crankDegrees, parts}, session->lengthUnit(),
                   session->engineName().toStdString(), session->dataFile());
    };
  };
  QObject::connect(ResultsForm, &TResultsForm::drawingRequested, ResultsForm, Reaction(openFor(ResultsForm)));
  QObject::connect(AnimaForm, &TAnimaForm::drawingRequested, AnimaForm, Reaction(openFor(AnimaForm)));
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
  WireDrawings();
  QObject::connect(MainForm, &TMainForm::dimensionsShown, dimensions, [dimensions](bool shown) {
    dimensions->DrawDimensions();
    dimensions->setVisible(shown);
  });
  QObject::connect(MainForm, &TMainForm::dimensionMarked, dimensions, &TDimensionsForm::Mark);
  QObject::connect(MainForm, &TMainForm::rockerTypesRequested, RockerForm, &QDialog::exec);
  QObject::connect(MainForm, &TMainForm::aboutRequested, StdAboutForm, &QDialog::exec);
  QObject::connect(MainForm, &TMainForm::openFolderRequested, MainForm, Reaction([] {
                     const QString folder =
                         QFileDialog::getExistingDirectory(MainForm, "Open Data Folder", QDir::currentPath());
                     if (!folder.isEmpty()) OpenFolder(folder);
                   }));
  TStudyForm* study = StudyForm;
  const auto showStudy = [study] {
    study->show();
    study->raise();
    study->activateWindow();
  };
  QObject::connect(MainForm, &TMainForm::studyRequested, study, showStudy);
  QObject::connect(results, &TResultsForm::studyRequested, study, showStudy);
  QObject::connect(MainForm, &TMainForm::helpRequested,
                   [](const QString& topic) { HelpWindow::ShowTopic(topic); });
  TAssistantForm* assistant = AssistantForm;
  QObject::connect(MainForm, &TMainForm::designAssistantRequested, assistant, &TAssistantForm::Open);
  QObject::connect(assistant, &TAssistantForm::putInBoxesRequested, MainForm, &TMainForm::ShowProposal);
  QObject::connect(assistant, &TAssistantForm::helpRequested,
                   [](const QString& topic) { HelpWindow::ShowTopic(topic); });
  WireReview();
  QObject::connect(MainForm, &TMainForm::valveSettingRequested, SettingForm, &TSettingForm::Open);
  QObject::connect(SettingForm, &TSettingForm::helpRequested,
                   [](const QString& topic) { HelpWindow::ShowTopic(topic); });
  WireCompareSources();
}

void WindowSet::OpenFolder(const QString& folder) {
  if (!QDir::setCurrent(folder))
    throw std::runtime_error("Cannot open the folder \"" + QDir::toNativeSeparators(folder).toStdString() +
                             "\".");
  ResultsForm->close();
  AnimaForm->close();
  // A folder without a data file is offered the sample engines (a link that
  // points nowhere counts as a file: the store reports it).
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(kDataFile, error)) &&
      AppPrompter().Confirm("Message", "\"" + QDir::toNativeSeparators(QDir::currentPath()).toStdString() +
                                           "\" holds no engines yet.\nStart its data file with the sample "
                                           "engines? (Cancel starts it empty.)"))
    StartWithSampleEngines();
  OpenStore(kDataFile);
}

void WindowSet::Destroy() {
  delete helpKey;
  helpKey = nullptr;
  delete SettingForm;  // cancels a fit still running
  SettingForm = nullptr;
  delete ReviewForm;  // cancels a review still running
  ReviewForm = nullptr;
  delete AssistantForm;  // cancels a search still running
  AssistantForm = nullptr;
  delete StudyForm;
  StudyForm = nullptr;
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
  delete model;  // with it the store
  model = nullptr;
}
