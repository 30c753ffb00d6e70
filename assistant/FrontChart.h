// The assistant's trade-off plot: each design of the front a point labelled
// with its number in the list, the worst cut-off inequality across against
// the size of the worst work imbalance up, the start a grey square; the
// design shown is drawn larger and red.
#pragma once

#include <QChart>

#include "TradeOffFront.h"

class FrontChart {
 public:
  // Each design is a series of its own holding its index in the property
  // "design", so a click on it names the design; the start's series has none.
  static QChart* Make(const TradeOffFront& front, int shown);
  static QString Title();
};
