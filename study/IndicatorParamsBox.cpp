// The settings live under "study/indicator/" in the program's user settings;
// a value that reads back unsound (edited by hand) falls back to the default.
#include "IndicatorParamsBox.h"

#include <QFormLayout>
#include <QLabel>
#include <QSettings>

namespace {

constexpr const char* kKeys[] = {"study/indicator/clearancePct", "study/indicator/exhaustPressure",
                                 "study/indicator/rodRatio"};

QDoubleSpinBox* ParamBox(QWidget* parent, const char* name, double lo, double hi, double step, int decimals) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(name);
  box->setRange(lo, hi);
  box->setSingleStep(step);
  box->setDecimals(decimals);
  box->setKeyboardTracking(false);
  return box;
}

}  // namespace

IndicatorParamsBox::IndicatorParamsBox(QWidget* parent) : QWidget(parent) {
  setObjectName("IndicatorParams");
  // The sound values (IndicatorParamsProblem): clearance above 0 and up to
  // 100 %, exhaust pressure and rod ratio from 0 to below 1.
  EdClearance = ParamBox(this, "EdClearance", 0.1, 100, 1, 1);
  EdExhaust = ParamBox(this, "EdExhaust", 0, 0.99, 0.01, 2);
  EdRod = ParamBox(this, "EdRod", 0, 0.9, 0.01, 2);
  auto* form = new QFormLayout(this);
  form->addRow(
      new QLabel("<b>Indicator diagrams</b> (pressures as fractions of the admission pressure)", this));
  form->addRow("Clearance volume (% of swept volume)", EdClearance);
  form->addRow("Exhaust (back) pressure", EdExhaust);
  form->addRow("Piston rod diameter / bore", EdRod);
  const QSettings settings("zovuderiz", "zovuderiz");
  const IndicatorParams defaults;
  const double values[] = {defaults.clearancePct, defaults.exhaustPressure, defaults.rodRatio};
  QDoubleSpinBox* boxes[] = {EdClearance, EdExhaust, EdRod};
  for (int i = 0; i < 3; ++i) {
    bool read = false;
    const double value = settings.value(kKeys[i]).toDouble(&read);
    const bool sound = read && value >= boxes[i]->minimum() && value <= boxes[i]->maximum();
    boxes[i]->setValue(sound ? value : values[i]);
    connect(boxes[i], &QDoubleSpinBox::valueChanged, this, [this](double) {
      Remember();
      emit changed();
    });
  }
}

IndicatorParams IndicatorParamsBox::params() const {
  return {EdClearance->value(), EdExhaust->value(), EdRod->value()};
}

void IndicatorParamsBox::Remember() const {
  QSettings settings("zovuderiz", "zovuderiz");
  const double values[] = {EdClearance->value(), EdExhaust->value(), EdRod->value()};
  for (int i = 0; i < 3; ++i) settings.setValue(kKeys[i], values[i]);
}
