// The indicator diagrams' parameters on the study window: the clearance volume,
// the exhaust pressure and the piston rod's share of the bore, each in a box
// bounded to the sound values, remembered in the user's settings.
#pragma once

#include <QDoubleSpinBox>
#include <QWidget>

#include "IndicatorDiagram.h"

class IndicatorParamsBox : public QWidget {
  Q_OBJECT

 public:
  // Shows the values last used (the defaults the first time).
  explicit IndicatorParamsBox(QWidget* parent);

  IndicatorParams params() const;

  QDoubleSpinBox* EdClearance;
  QDoubleSpinBox* EdExhaust;
  QDoubleSpinBox* EdRod;

 signals:
  // A box was changed; the values are already remembered.
  void changed();

 private:
  void Remember() const;
};
