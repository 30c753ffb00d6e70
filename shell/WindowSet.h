// The program's windows, the session model they observe and the engine store:
// created once in a fixed order, wired to each other's requests here alone,
// and living until the program ends.
#pragma once

#include <QString>
#include <string>

class SessionModel;
class TSplashForm;
class TMainForm;
class TResultsForm;
class TAnimaForm;
class TRockerForm;
class TDimensionsForm;
class TStdAboutForm;
class TStudyForm;
class TAssistantForm;
class TReviewForm;
class TSettingForm;

extern TSplashForm* SplashForm;
extern TMainForm* MainForm;
extern TResultsForm* ResultsForm;
extern TAnimaForm* AnimaForm;
extern TRockerForm* RockerForm;
extern TDimensionsForm* DimensionsForm;
extern TStdAboutForm* StdAboutForm;
extern TStudyForm* StudyForm;
extern TAssistantForm* AssistantForm;
extern TReviewForm* ReviewForm;
extern TSettingForm* SettingForm;

class WindowSet {
 public:
  // Creates the session model and windows 1 to 10 (main, results, animation,
  // rocker types, dimensions, about, quadrant study, design assistant, gear
  // review, valve setting) in that order, opens the store in the working folder for the main window and wires
  // the windows.
  static void Create();
  // Destroys them in reverse order (tests create a fresh set per case).
  static void Destroy();
  static SessionModel& Model();
  // Makes the folder the working folder and reopens the store on its
  // ste_data.dat, closing the windows showing the old engines (the model's
  // storeOpened tells the others). A folder without one is asked whether to
  // start it with the sample engines (else it is made empty). Throws
  // std::runtime_error when the folder cannot be entered.
  static void OpenFolder(const QString& folder);
  // Opens the store on that data file, asking and telling as its outcome
  // needs, and lists it in the main window.
  static void OpenStore(const std::string& dataFile);

 private:
  static void Wire();
  // The results and animation windows' drawing requests open the export dialog.
  static void WireDrawings();
};
