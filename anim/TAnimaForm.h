// The animation window: the whole valve gear drawn from the latest run's
// tables, one crank step further for each movement of the mouse over it. The
// picture is drawn into an image that the window paints itself from.
#pragma once

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <cstdint>

#include "Canvas.h"
#include "GearRun.h"
#include "SessionModel.h"

class TAnimaForm : public QWidget {
  Q_OBJECT

 public:
  struct WorldPoint {
    double x, y;
  };

  explicit TAnimaForm(SessionModel& model, QWidget* parent = nullptr);

  void FormShow();
  void FormMouseMove();
  void ResetAnimFrame();
  int AnimColumn(double x) const;
  int AnimRow(double y) const;
  void DrawMechanism();
  void BtPrintClick();
  void BtCloseClick() { close(); }
  const QImage& picture() const { return picture_; }

  std::int32_t winWidth = 0;
  std::int32_t winHeight = 0;
  std::int32_t animStep = 0;
  static constexpr WorldPoint crankCentre{0.15, 0.38};
  WorldPoint jointOffset[kJoints]{};
  double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
  double lengthScale = 0;
  double heightScale = 0;
  // The valve picture has its own scale: one port width takes this much of x.
  static constexpr double portUnit = 1.0 / 28;
  double lapDrawn = 0;
  double valvePictureX = 0;
  int markerHalf = 0;

  QLabel* Label1;
  QLabel* LbName;
  QLabel* Label2;
  QFrame* Bevel1;
  QPushButton* BtPrint;
  QPushButton* BtClose;
  QPlainTextEdit* MRocker;
  // File: "Export drawing…" and "Part sheets…" of the run at the step shown.
  QPushButton* BtFile;

 signals:
  // A drawing of the run shown at its notch and the crank angle of the step
  // shown, or the part sheets.
  void drawingRequested(double liftArmDegrees, double crankDegrees, bool parts);

 protected:
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Toward zero, as every picture's mapping does, and never out of int range.
  static int TruncatePixel(double value);
  bool OverControl(QPoint position) const;
  void BuildFileMenu();
  void ErasePicture();
  QPoint WorldPixel(double x, double y) const;
  QPoint JointPixel(Joint joint) const;
  void MoveToJoint(Joint joint);
  void LineToJoint(Joint joint);
  void CircleAt(Joint joint);
  void WorldLine(double x1, double y1, double x2, double y2);
  void WorldRectangle(double x1, double y1, double x2, double y2);
  void PlaceJoints(const GearRun& gear);
  void DrawLineOfStroke();
  void DrawLinkage();
  void DrawLink(const Engine& gear);
  void DrawInsideValve(double half);
  void DrawOutsideValve(double half);
  void DrawPorts(double half);

  SessionModel& model_;
  QImage picture_;
  Canvas canvas_{picture_};
};
