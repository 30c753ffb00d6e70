// The setting window's valve diagram: the valve's travel against the piston's
// over one revolution, in full forward and full back gear, for the gear as
// built beside the gear after the chosen correction, each over the design's
// curves and the laps; drawn on a kept image and painted from it.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

#include "Engine.h"
#include "GearRun.h"

class SettingDiagram : public QWidget {
 public:
  // The runs of one gear at the two full gears; either may be missing.
  struct Runs {
    std::shared_ptr<const GearRun> forward, back;
  };
  struct Panel {
    QString title;
    Runs runs;
  };

  explicit SettingDiagram(QWidget* parent = nullptr);

  // Draws the two panels over the design's runs; the engine gives the laps.
  void Show(const Engine& engine, const Runs& design, const Panel& left, const Panel& right);
  void Clear();
  bool empty() const { return !shown_; }
  // The picture as drawn, for the record sheet.
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Draw();
  void DrawPanel(int panel, const Panel& p);
  void DrawCurve(int panel, const GearRun& run, QColor colour, bool dashed);
  void DrawLevel(int panel, double valve, QColor colour);
  // The one mapping of the diagram: piston share 0..1 across a panel and
  // valve position (the engine's length unit) up it, to the image's pixels.
  double DiagramX(int panel, double piston) const;
  double DiagramY(double valve) const;

  QImage image_;
  bool shown_ = false;
  Engine engine_;
  Runs design_;
  Panel left_, right_;
  double travel_ = 1;  // the valve travel the panel's height holds
};
