// Each panel spans half the image; the valve's scale is the largest travel of
// every run shown, so the two panels compare at one scale. The design's
// curves are dashed grey under the gear's own; the steam laps are green.
#include "SettingDiagram.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "Canvas.h"
#include "ImageView.h"

namespace {

constexpr int kTitleHeight = 20, kLegendHeight = 18, kSideMargin = 8;
const QColor kForward(200, 30, 30), kBack(30, 60, 200), kDesign(150, 150, 150), kLap(40, 150, 40);

double LargestValve(const GearRun* run) {
  double largest = 0;
  if (run != nullptr)
    for (int k = 0; k <= kSteps; ++k) largest = std::max(largest, std::fabs(run->valveTable[k]));
  return largest;
}

}  // namespace

SettingDiagram::SettingDiagram(QWidget* parent) : QWidget(parent) {
  setObjectName("diagram");
  setMinimumSize(360, 200);
}

void SettingDiagram::Show(const Engine& engine, const Runs& design, const Panel& left, const Panel& right) {
  engine_ = engine;
  design_ = design;
  left_ = left;
  right_ = right;
  shown_ = true;
  travel_ = 0;
  for (const Runs* r : {&design_, &left_.runs, &right_.runs})
    travel_ = std::max({travel_, LargestValve(r->forward.get()), LargestValve(r->back.get())});
  travel_ = 2.2 * std::max({travel_, engine.stlap + engine.port, 1e-9});
  Draw();
}

void SettingDiagram::Clear() {
  shown_ = false;
  left_ = right_ = {};
  design_ = {};
  Draw();
}

double SettingDiagram::DiagramX(int panel, double piston) const {
  const double width = image_.deviceIndependentSize().width() / 2;
  return panel * width + kSideMargin + piston * (width - 2 * kSideMargin);
}

double SettingDiagram::DiagramY(double valve) const {
  const double height = image_.deviceIndependentSize().height() - kTitleHeight - kLegendHeight;
  // Far values stay far on their own side without leaving int range.
  const double share = std::clamp(0.5 - valve / travel_, -1e4, 1e4);
  return kTitleHeight + share * height;
}

void SettingDiagram::Draw() {
  image_ = ImageView::DeviceImage(this, std::max(1, width()), std::max(1, height()));
  image_.fill(Qt::white);
  if (shown_) {
    DrawPanel(0, left_);
    DrawPanel(1, right_);
  }
  update();
}

void SettingDiagram::DrawLevel(int panel, double valve, QColor colour) {
  Canvas canvas(image_);
  canvas.SetPenColor(colour);
  canvas.MoveTo(static_cast<int>(DiagramX(panel, 0)), static_cast<int>(DiagramY(valve)));
  canvas.LineTo(static_cast<int>(DiagramX(panel, 1)), static_cast<int>(DiagramY(valve)));
}

void SettingDiagram::DrawCurve(int panel, const GearRun& run, QColor colour, bool dashed) {
  if (run.strokeScale == 0) return;
  Canvas canvas(image_);
  canvas.SetPenColor(colour);
  canvas.SetPenWidth(dashed ? 1 : 2);
  canvas.SetPenStyle(dashed ? Canvas::PenStyle::Dot : Canvas::PenStyle::Solid);
  std::vector<QPointF> curve;
  for (int k = 0; k <= kSteps; ++k)
    curve.emplace_back(DiagramX(panel, run.pistonTable[k] / run.strokeScale + 0.5),
                       DiagramY(run.valveTable[k]));
  canvas.Polyline(curve);
}

void SettingDiagram::DrawPanel(int panel, const Panel& p) {
  {
    Canvas canvas(image_);
    canvas.SetPenColor(Qt::black);
    canvas.SetBrushStyle(Canvas::BrushStyle::Clear);
    canvas.Rectangle(static_cast<int>(DiagramX(panel, 0)), kTitleHeight, static_cast<int>(DiagramX(panel, 1)),
                     static_cast<int>(DiagramY(-travel_ / 2)));
  }
  DrawLevel(panel, 0, Qt::black);
  DrawLevel(panel, engine_.stlap, kLap);
  DrawLevel(panel, -engine_.stlap, kLap);
  for (const auto* run : {design_.forward.get(), design_.back.get()})
    if (run != nullptr) DrawCurve(panel, *run, kDesign, true);
  if (p.runs.back) DrawCurve(panel, *p.runs.back, kBack, false);
  if (p.runs.forward) DrawCurve(panel, *p.runs.forward, kForward, false);
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const int left = static_cast<int>(DiagramX(panel, 0)), right = static_cast<int>(DiagramX(panel, 1));
  painter.drawText(QRect(left, 0, right - left, kTitleHeight), Qt::AlignCenter, p.title);
  const int legendTop = static_cast<int>(DiagramY(-travel_ / 2)) + 1;
  const QRect legend(left, legendTop, right - left, kLegendHeight);
  QFont small = painter.font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  painter.setFont(small);
  painter.setPen(kForward);
  painter.drawText(legend, Qt::AlignLeft | Qt::AlignVCenter, "full forward");
  painter.setPen(kBack);
  painter.drawText(legend, Qt::AlignHCenter | Qt::AlignVCenter, "full back");
  painter.setPen(kDesign.darker(130));
  painter.drawText(legend, Qt::AlignRight | Qt::AlignVCenter, "design (dotted)");
}

void SettingDiagram::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), image_);
}

void SettingDiagram::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Draw();
}
