// The results window: the lifting-arm angle, "GO" running the crank sweep, the
// valve events, leads, port openings, link swing and die deflection, and the
// valve diagram (valve against piston displacement) on its picture.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "EngineRecord.h"
#include "GearState.h"
#include "ImageView.h"

class TResultsForm : public QWidget {
 public:
  explicit TResultsForm(QWidget* parent = nullptr);

  GearState& gear() { return gear_; }
  const GearState& gear() const { return gear_; }

  // Copies the engine into the calculation state and shows the mid-gear
  // direction of the lifting arm; false (after a message) when there is none.
  bool SetMidGear(const EngineRecord& engine);
  void ClearResults();
  void DrawValveDiagram();
  void ResetDiagramFrame();
  // The diagram's mapping of normalised coordinates to pixels.
  int DiagramColumn(double u) const;
  int DiagramRow(double v) const;
  void DrawValveOval();
  Canvas& diagramCanvas() { return Oval->canvas(); }
  double travelScale() const { return travelScale_; }

  void FormShow();
  void FormActivate();
  void EdLa_angChange();
  void BtGoClick();
  void BtAnimaClick();
  void BtPrintClick();
  void BtClearClick() { ClearResults(); }
  void BtCloseClick() { close(); }

  QLabel* LbName;
  QPlainTextEdit* MLeads;
  QPlainTextEdit* MXleads;
  QPushButton* BtGo;
  QPushButton* BtAnima;
  QLabel* LbMid_deg;
  QLineEdit* EdLa_ang;
  QLabel* LbDiedef;
  QLabel *LbAdmB, *LbCoB, *LbExB, *LbCpB, *LbLeadB;
  QLabel *LbAdmF, *LbCoF, *LbExF, *LbCpF, *LbLeadF;
  QLabel *LbPopB, *LbPopF;
  QLabel* LbEqlds;
  QLabel *LbLinkmin, *LbLinkmax;
  ImageView* Oval;
  QPushButton* BtClear;
  QPushButton* BtPrint;
  QPushButton* BtClose;

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

  void BuildControls();
  void BuildDiagramAndButtons();
  void BuildEventLabels();
  void ConnectReactions();
  bool RunSweep();
  void ShowRunResults();
  void HorizontalLine(double v);
  QLabel* ResultLabel(int left, int top, const char* name);

  GearState gear_{};
  DiagramFrame frame_;
  double travelScale_ = 0;
};
