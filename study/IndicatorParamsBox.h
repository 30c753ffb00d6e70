// The indicator diagrams' parameters on the study window: the clearance volume,
// the exhaust pressure and the piston rod's share of the bore, each typed in a
// box that takes what the command line takes (IndicatorParamTable) and refuses
// anything else aloud, remembered in the user's settings.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>

#include "IndicatorDiagram.h"

class IndicatorParamsBox : public QWidget {
  Q_OBJECT

 public:
  // Shows the values last used (the defaults the first time).
  explicit IndicatorParamsBox(QWidget* parent);

  IndicatorParams params() const { return params_; }

  QLineEdit* EdClearance;
  QLineEdit* EdExhaust;
  QLineEdit* EdRod;
  // Why the last value typed was not taken; empty once a value is taken.
  QLabel* LbRefusal;

 signals:
  // A value was taken; it is already remembered.
  void changed();

 private:
  void Take(int which);
  void Show(int which);
  void Remember() const;

  std::array<QLineEdit*, 3> boxes_{};
  IndicatorParams params_;
};
