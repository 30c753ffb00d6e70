// The "QUADRANT STUDY" window: every notch of the engine last taken by
// "GET  RESULTS" as four plots, a table and a summary, and a live reverser
// (slider or plot click) that moves the session's run; it observes the session
// model, changes only its own controls and runs its studies off its thread.
#pragma once

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <optional>

#include "JobRunner.h"
#include "QuadrantStudy.h"
#include "SessionModel.h"
#include "StudyCharts.h"
#include "StudyTableModel.h"

class TStudyForm : public QWidget {
  Q_OBJECT

 public:
  explicit TStudyForm(SessionModel& model, QWidget* parent = nullptr);

  // Starts a study of the session's engine with the boxes' notches.
  void Restudy();
  const QuadrantStudy& study() const { return study_; }
  bool studying() const { return jobs_.busy(); }
  // The reverser's angle in tenths of a degree on the slider.
  static int SliderValue(double liftArmDeg) { return static_cast<int>(std::lround(liftArmDeg * 10)); }
  static double SliderAngle(int value) { return value / 10.0; }

  void ExportCsv(const QString& path);
  void ExportPdf(const QString& path);

  QLabel* LbName;
  QDoubleSpinBox* EdSetting;
  QDoubleSpinBox* EdStep;
  QCheckBox* ChBAuto;
  QDoubleSpinBox* EdFrom;
  QDoubleSpinBox* EdTo;
  QProgressBar* Progress;
  QPushButton* BtCancel;
  QLabel* LbSummary;
  QSlider* Reverser;
  QLabel* LbReverser;
  QLabel* LbReverserNote;
  QLabel* LbHover;
  QTableView* Table;
  QPushButton* BtCsv;
  QPushButton* BtPdf;
  QPushButton* BtPrint;
  QPushButton* BtClose;
  StudyCharts* Charts;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildSettingRow();
  QWidget* BuildReverserRow();
  QWidget* BuildButtonRow();
  void ConnectReactions();
  void EngineTaken();
  void RunChanged();
  void Delivered(const QuadrantStudy& study);
  void ShowSummary();
  void ShowProgress();
  void SetSettingBox(double degrees);
  void UpdateMarker();
  void UpdateReverser();
  // The reverser: moves are coalesced, so only the latest position is run.
  void ReverserChanged(int value);
  void ReverserLetGo();
  void ScheduleMove();
  void MovePending();
  void PlotClicked(int plot, QPoint pixel);
  void CsvClick();
  void PdfClick();
  void PrintClick();

  SessionModel& model_;
  JobRunner jobs_;
  StudyTableModel tableModel_;
  QuadrantStudy study_;
  bool haveStudy_ = false;
  bool stale_ = true;          // the session changed while the window was hidden
  bool settingTyped_ = false;  // the user chose the setting angle since the engine was taken
  std::optional<double> sessionSetting_;
  QTimer progressTimer_;
  int progressTicks_ = 0;
  std::optional<double> pendingAngle_;
  bool moveScheduled_ = false;
  bool releasePending_ = false;
};
