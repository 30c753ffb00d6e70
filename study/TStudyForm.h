// The "QUADRANT STUDY" window: every notch of the engine last taken by
// "GET  RESULTS" as plots, a table and a summary, the indicator diagrams of
// the notch under a live reverser (slider or plot click) that moves the
// session's run, a second engine to compare and the bands of a worn gear's
// play; it observes the session model, changes only its own controls and runs
// its studies off its thread.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <functional>
#include <optional>

#include "GearPlay.h"
#include "IndicatorParamsBox.h"
#include "JobRunner.h"
#include "PlayBands.h"
#include "QuadrantStudy.h"
#include "SessionModel.h"
#include "StudyCharts.h"
#include "StudyPrinter.h"
#include "StudyTableModel.h"

class TStudyForm : public QWidget {
  Q_OBJECT

 public:
  // An engine another window holds, offered for "Compare with...": the engine
  // and the name it is shown under, or the sentence saying why there is none.
  struct EngineOffer {
    std::optional<Engine> engine;
    QString name;
    QString problem;
  };
  using EngineSource = std::function<EngineOffer()>;

  explicit TStudyForm(SessionModel& model, QWidget* parent = nullptr);

  // Where "Compare with..." finds the engine in the main window's boxes and the
  // design assistant's last proposal; the shell, which knows those windows, sets them.
  void SetCompareSources(EngineSource boxes, EngineSource proposal);
  // Compares the study with this engine under that name (none: stops comparing).
  void CompareWith(const std::optional<Engine>& engine, const QString& name = {});
  // The stored engine of that name, compared.
  void CompareWithStored(const QString& name);

  // Starts a study of the session's engine with the boxes' notches.
  void Restudy();
  const QuadrantStudy& study() const { return study_; }
  const std::optional<QuadrantStudy>& compared() const { return compared_; }
  const StudyTableModel& tableModel() const { return tableModel_; }
  bool studying() const { return jobs_.busy(); }
  // The reverser's angle in tenths of a degree on the slider.
  static int SliderValue(double liftArmDeg) { return static_cast<int>(std::lround(liftArmDeg * 10)); }
  static double SliderAngle(int value) { return value / 10.0; }
  // The setting angles the box takes.
  static constexpr double kSettingLimitDeg = 360;

  // The play of a worn gear, in the engine's length unit: a total lost
  // motion at the valve, or the joints' clearances of a play file; the next
  // study shows its bands. Refused aloud (false) when it does not fit the engine.
  bool SetPlayTotal(double lostMotion);
  bool OpenPlayFile(const QString& path);
  // No play: the study shown is the gear's own again, as it was.
  void ClearPlay();
  const std::optional<GearPlay>& play() const { return play_; }
  // The bands of the study shown, when it was made with a play.
  const std::optional<PlayStudy>& played() const { return played_; }

  void ExportCsv(const QString& path);
  void ExportPdf(const QString& path);

  QLabel* LbName;
  QComboBox* CbValveSetting;
  QDoubleSpinBox* EdSetting;
  // Whether the study's valves are set as the RESULTS window's runs are.
  QLabel* LbSettingSource;
  QDoubleSpinBox* EdStep;
  QCheckBox* ChBAuto;
  QDoubleSpinBox* EdFrom;
  QDoubleSpinBox* EdTo;
  QProgressBar* Progress;
  QPushButton* BtCancel;
  QLabel* LbSummary;
  QLabel* LbComparedSummary;
  QSlider* Reverser;
  QLabel* LbReverser;
  QLabel* LbReverserNote;
  QLabel* LbHover;
  QTabWidget* Tabs;
  QTableView* Table;
  IndicatorParamsBox* Indicator;
  QPushButton* BtCompare;
  QMenu* CompareMenu;
  QPushButton* BtPlay;
  QMenu* PlayMenu;
  QPushButton* BtCsv;
  QPushButton* BtPdf;
  QPushButton* BtPrint;
  QPushButton* BtClose;
  QPushButton* BtReview;
  StudyCharts* Charts;

 signals:
  // The gear review of the engine studied.
  void reviewRequested();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // What one job computes: the study, the compared engine's, and the sessions
  // they were run on (for the reverser's own runs).
  struct Studies {
    QuadrantStudy study;
    Session session;
    std::optional<QuadrantStudy> compared;
    std::optional<Session> comparedSession;
    std::optional<PlayStudy> played;  // with a play: the study's own bands
  };

  QWidget* BuildSettingRow();
  void AddProgress(QWidget* row, QHBoxLayout* h);
  QWidget* BuildReverserRow();
  QWidget* BuildPlotTabs();
  // Sizes the splitter so the table shows that many rows.
  void GiveTableRows(int rows);
  static constexpr int kRowsInView = 10;
  QWidget* BuildButtonRow();
  void BuildCompareMenu();
  void FillCompareMenu();
  void ConnectReactions();
  void EngineTaken();
  void StoreOpened();
  void RunChanged();
  void LengthUnitChanged();
  void Delivered(const Studies& studies);
  void ShowStudies();
  void ShowSummary();
  void ShowProgress();
  void SetSettingBox(double degrees);
  void SetValveBox(ValveSetting valves);
  void ShowSettingSource();
  // The setting the next study uses; empty when the study picks full gear.
  std::optional<double> ChosenSetting(QString* refusal) const;
  StudyOptions ChosenOptions() const;
  void UpdateMarker();
  void UpdateReverser();
  bool ReverserDrivesSession() const;
  // Why the reverser moves only this window.
  QString ReverserOnlyHere() const;
  // The reverser: moves are coalesced, so only the latest position is run.
  void ReverserChanged(int value);
  void ReverserLetGo();
  void ScheduleMove();
  void MovePending();
  void ShowReverserRun();
  // The study's run at the reverser's handle.
  RunOutcome RunAtHandle(double degrees) const;
  void PlotClicked(int plot, QPoint pixel);
  void OfferCompare(const EngineSource& source);
  void BuildPlayMenu();
  void AskPlayTotal();
  void AskPlayFile();
  // Takes a play that fits the engine and studies with it; false (said) otherwise.
  bool TakePlay(const GearPlay& play, const QString& words);
  // The play the next study uses: none when there is none or it does not fit
  // the engine (then `why` says so).
  std::optional<GearPlay> PlayForStudy(QString* why) const;
  void ShowPlayed();
  void CsvClick();
  void PdfClick();
  void PrintClick();
  // An export's file, or the sentence refusing it.
  QString ExportRefusal(const QString& path) const;
  QString SuggestedFile(const QString& suffix) const;
  StudyPrinter::Page PrintedPage() const;

  SessionModel& model_;
  QSplitter* split_ = nullptr;  // the plots over the table
  JobRunner jobs_;
  StudyTableModel tableModel_;
  QuadrantStudy study_;
  Session studySession_;
  std::optional<QuadrantStudy> compared_;
  std::optional<Session> comparedSession_;
  std::optional<Engine> comparedEngine_;
  QString comparedName_;
  std::optional<GearPlay> play_;
  QString playWords_;    // what the play is, for the summary
  QString playRefusal_;  // why the last study was made without the play
  std::optional<PlayStudy> played_;
  EngineSource boxesSource_, proposalSource_;
  bool haveStudy_ = false;
  bool tableSized_ = false;
  bool stale_ = true;          // the session changed while the window was hidden
  bool settingTyped_ = false;  // the user chose the setting angle since the engine was taken
  std::optional<double> sessionSetting_;
  QTimer progressTimer_;
  int progressTicks_ = 0;
  std::optional<double> pendingAngle_;
  bool moveScheduled_ = false;
  bool releasePending_ = false;
};
