// The results window: the lifting-arm angle and the valve setting of the first
// run, "GO" running the crank sweep, the valve events, leads, port openings,
// link swing, die deflection and die slip (lengths followed by the data file's
// unit), a note when the run lies outside the usable range, and the valve
// diagram (valve against piston displacement) on its picture, the curves of
// the latest runs each in its own colour, named by angle in a small legend.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <vector>

#include "ImageView.h"
#include "SessionModel.h"
#include "UsableRange.h"

class TResultsForm : public QWidget {
  Q_OBJECT

 public:
  explicit TResultsForm(SessionModel& model, QWidget* parent = nullptr);

  // An engine was taken in ("GET  RESULTS"): the window starts afresh for it
  // under its name and shows the mid-gear direction of the lifting arm, or
  // why there is none.
  void EngineTaken();
  // A good run: the valve diagram and every label show it.
  void RunChanged();
  // The live reverser moved: the angle box shows its angle and the diagram
  // starts afresh for the run that follows; a hidden window shows itself.
  void ReverserMoved(double liftArmDegrees);
  // The lengths shown again in the unit now set.
  void LengthUnitChanged();
  // Moves the marker on the valve curve to crank step `step`.
  void MarkAnimationStep(int step, int markerHalf);
  void ClearResults();
  void DrawValveDiagram(const GearRun& run);
  // The runs whose curves the diagram shows, oldest first; the last is the
  // present run, drawn red.
  std::vector<std::shared_ptr<const GearRun>> drawnRuns() const;
  QColor CurveColour(std::size_t drawn) const;
  static constexpr std::size_t kMostCurves = 8;
  void ResetDiagramFrame();
  // The diagram's mapping of normalised coordinates to pixels, and the
  // pixels that hold them.
  double DiagramX(double u) const;
  double DiagramY(double v) const;
  int DiagramColumn(double u) const;
  int DiagramRow(double v) const;
  double travelScale() const { return travelScale_; }

  void FormShow();
  void FormActivate();
  // Going back to the main window closes this one; an activation of the main
  // window that comes before this window was ever active since its showing
  // is a late one from before the showing (a closing list, a focus request),
  // not the user's going back.
  void MainWindowActivated();
  void EdLa_angChange();
  void BtGoClick();
  void BtAnimaClick() { emit animateRequested(); }
  void BtStudyClick() { emit studyRequested(); }
  void BtPrintClick();
  void BtClearClick() { ClearResults(); }
  void BtCloseClick() { close(); }

  QLabel* LbName;
  QPlainTextEdit* MLeads;
  QPlainTextEdit* MXleads;
  QPushButton* BtGo;
  QPushButton* BtAnima;
  QPushButton* BtStudy;
  QLabel* LbMid_deg;
  QLineEdit* EdLa_ang;
  QLabel* LbDiedef;
  QLabel* LbDieSlip;
  // The legend: a line per curve, its lifting-arm angle in the curve's colour.
  QWidget* RunLegend;
  std::vector<QLabel*> runLabels() const;
  QLabel *LbAdmB, *LbCoB, *LbExB, *LbCpB, *LbLeadB;
  QLabel *LbAdmF, *LbCoF, *LbExF, *LbCpF, *LbLeadF;
  QLabel *LbPopB, *LbPopF;
  QLabel* LbEqlds;
  // How the first "GO" sets the valves; shown until a centring is kept.
  QComboBox* CbValveSetting;
  // Why the figures shown lie outside the usable range; empty inside it.
  QLabel* LbUsable;
  QLabel *LbLinkmin, *LbLinkmax;
  ImageView* Oval;
  QPushButton* BtClear;
  QPushButton* BtPrint;
  QPushButton* BtClose;
  // File: "Export drawing…" and "Part sheets…" of the run shown.
  QPushButton* BtFile;

 signals:
  // The window became active (the animation closes then).
  void activated();
  void animateRequested();
  void studyRequested();
  // A drawing of the run shown: its notch, crank angle NaN (the back dead
  // centre), or the part sheets.
  void drawingRequested(double liftArmDegrees, double crankDegrees, bool parts);

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct DiagramFrame {
    double uMin = 0, uMax = 1, vMin = 0, vMax = 1;
    int divisions = 10;
    double marginLeft = 0, marginBottom = 0;
    bool grid = true;
    int width = 0, height = 0;
  };

  static double ClampFar(double value);
  void BuildControls();
  void BuildDiagramAndButtons();
  void BuildEventLabels();
  void BuildValveSettingChoice();
  void BuildFileMenu();
  void RequestDrawing(bool parts);
  ValveSetting ChosenSetting() const;
  // The notes and the setting's caption name the setting kept, or before the
  // first run the one chosen.
  void ShowSettingTexts();
  void ShowUsability(const GearRun& run);
  // Before the first run: its note and the choice of setting; after it: the
  // note on the setting kept.
  void ShowFirstRunNote();
  void ShowLaterRunNote();
  void ConnectReactions();
  bool RunSweep();
  void ShowEngineName();
  // A length figure followed by the unit's symbol, when a unit is set.
  QString Length(double value) const;
  void ShowDieDeflection(double value);
  void ShowDieSlip(double value);
  void ShowRunResults(const GearRun& run);
  void KeepDrawnRun(const std::shared_ptr<const GearRun>& run);
  void DrawValveOval(const GearRun& run, QColor colour);
  void DrawRunCurves();
  void ShowRunLegend();
  void HorizontalLine(double v);
  QLabel* ResultLabel(int left, int top, const char* name);

  SessionModel& model_;
  QLabel* frontEnd_ = nullptr;        // the diagram's "Front", right of the die deflection
  QLabel* settingCaption_ = nullptr;  // "Valve setting" over the choice
  QLabel* eqldsCaption_ = nullptr;    // "* Lifting arm angle  for equal leads set at "
  DiagramFrame frame_;
  double travelScale_ = 0;
  bool activeSinceShown_ = false;
  // The usable range of the session's engine, found at its first run.
  std::optional<UsableRange> usable_;
  bool usableFound_ = false;
  // A drawn run and the colour it keeps while it is not the present run.
  struct DrawnRun {
    std::shared_ptr<const GearRun> run;
    int colour;
  };
  std::vector<DrawnRun> drawn_;
  int nextColour_ = 0;
};
