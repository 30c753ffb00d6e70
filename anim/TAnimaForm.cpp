// The animation window's controls, its showing and mouse reactions, and the
// mapping of the picture's world frame (the window's outer size) to pixels.
#include "TAnimaForm.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QThread>
#include <cmath>

#include "BoxText.h"
#include "Controls.h"
#include "ImageView.h"
#include "Reaction.h"
#include "WindowPlacement.h"
#include "WindowPrinter.h"

TAnimaForm::TAnimaForm(SessionModel& model, QWidget* parent) : QWidget(parent, Qt::Window), model_(model) {
  setObjectName("AnimaForm");
  setProperty("helpTopic", "animation");  // the help page F1 opens
  setWindowTitle("ANIMATION");
  setFont(Controls::Font());
  Controls::SetBackground(this, Controls::ButtonFaceColour());
  MRocker =
      Controls::Memo(this, 33, 20, 202, 33,
                     {"NOTE:  Rocker not shown, but is taken", "into account in determining valve motion"});
  MRocker->setObjectName("MRocker");
  MRocker->setReadOnly(true);
  // Its two lines are laid out to fit the box as they stand.
  MRocker->setLineWrapMode(QPlainTextEdit::NoWrap);
  Label1 = Controls::Label(this, "ENGINE::", 33, 438, true);
  LbName = Controls::Label(this, "", 99, 438, true);
  LbName->setObjectName("LbName");
  Bevel1 = Controls::Bevel(this, 212, 423, 178, 28);
  Label2 = Controls::Label(this, "MOVE MOUSE TO ANIMATE", 221, 430, true, QColor(0, 128, 0));
  BtPrint = Controls::Button(this, "PRINT FORM", 403, 430, 85, 20);
  BtClose = Controls::Button(this, "CLOSE", 515, 430, 61, 20);
  BuildFileMenu();
  setTabOrder(BtPrint, BtClose);
  setTabOrder(BtClose, MRocker);
  connect(BtPrint, &QPushButton::clicked, this, Reaction([this](bool) { BtPrintClick(); }));
  connect(BtClose, &QPushButton::clicked, this, Reaction([this](bool) { BtCloseClick(); }));
  WindowPlacement::PlaceOuter(this, {241, 154}, {717, 489});
  // Movement with no button down reaches the window only when it tracks the mouse.
  setMouseTracking(true);
  // The rocker is not drawn: the note says so for an engine that has one.
  connect(&model_, &SessionModel::engineTaken, this,
          [this] { MRocker->setVisible(model_.session().engine().rockerType != 0); });
  // A new run (the live reverser moving) is drawn at once at the step shown.
  connect(&model_, &SessionModel::runChanged, this, Reaction([this] {
    if (isVisible()) DrawMechanism();
  }));
}

void TAnimaForm::BuildFileMenu() {
  BtFile = Controls::Button(this, "FILE", 588, 430, 61, 20);
  BtFile->setObjectName("BtFile");
  auto* menu = new QMenu(BtFile);
  const auto request = [this](bool parts) {
    if (const auto& run = model_.session().latestRun())
      emit drawingRequested(run->liftArmDeg, 2.0 * animStep, parts);
  };
  menu->addAction("Export drawing\u2026", this, Reaction([request](bool) { request(false); }));
  menu->addAction("Part sheets\u2026", this, Reaction([request](bool) { request(true); }));
  BtFile->setMenu(menu);
}

void TAnimaForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;  // a restore from the task bar is no new showing
  ErasePicture();
  Reaction([this] { FormShow(); })();
}

void TAnimaForm::mouseMoveEvent(QMouseEvent* event) {
  // A move over a control that does not track the mouse is passed on to the window.
  if (OverControl(event->position().toPoint())) return;
  Reaction([this] { FormMouseMove(); })();
}

bool TAnimaForm::OverControl(QPoint position) const {
  for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isVisible() && child->geometry().contains(position)) return true;
  return false;
}

void TAnimaForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), picture_);
}

void TAnimaForm::ErasePicture() {
  if (picture_.deviceIndependentSize().toSize() != size() ||
      picture_.devicePixelRatio() != devicePixelRatio())
    picture_ = ImageView::DeviceImage(this, width(), height());
  picture_.fill(Controls::ButtonFaceColour());
}

void TAnimaForm::FormShow() {
  LbName->setText(BoxText::First29(model_.engineName()));
  // A long name takes the narrow face rather than run into the bevel.
  LbName->setFont(Controls::Font(true));
  LbName->adjustSize();
  if (LbName->geometry().right() >= Bevel1->x()) {
    LbName->setFont(Controls::NarrowFont(true));
    LbName->adjustSize();
  }
  ResetAnimFrame();
  lengthScale = model_.session().engine().conrod * 1.5;
  heightScale = winWidth != 0 ? static_cast<double>(winHeight) * lengthScale / winWidth : 0;
  animStep = 0;
}

void TAnimaForm::FormMouseMove() {
  animStep = animStep + 1;
  DrawMechanism();
  QThread::msleep(50);
  if (animStep == 179) animStep = 0;
}

void TAnimaForm::ResetAnimFrame() {
  // Before the window manager has framed a window on its first showing, its
  // frame is taken to be that of the windows it framed before.
  const QSize outer = WindowPlacement::OuterSize(this);
  winWidth = outer.width();
  winHeight = outer.height();
  xMin = 0;
  xMax = 1;
  yMin = 0;
  yMax = 1;
}

int TAnimaForm::TruncatePixel(double value) {
  // Far enough beyond any window to be clipped, near enough to stay an int.
  constexpr double far = 1e6;
  return static_cast<int>(std::fmax(-far, std::fmin(far, value)));
}

int TAnimaForm::AnimColumn(double x) const {
  return TruncatePixel(winWidth * (x - xMin) / (xMax - xMin));
}

int TAnimaForm::AnimRow(double y) const {
  return TruncatePixel(winHeight * (1 - (y - yMin) / (yMax - yMin)));
}

void TAnimaForm::BtPrintClick() {
  WindowPrinter::Print(this, "Vardenlyke animation", model_.dataFile());
}
