// A typed value is taken only when the shared table takes it; otherwise the
// box shows the value in use again and the label under the boxes says what
// the parameter takes, so nothing is clamped or rounded behind the user's
// back. The settings live under "study/indicator/"; a value that reads back
// unsound (edited by hand) falls back to the default.
#include "IndicatorParamsBox.h"

#include <QFormLayout>
#include <QSettings>

#include "BoxText.h"
#include "Controls.h"
#include "NumberFormat.h"

namespace {

constexpr const char* kKeys[] = {"study/indicator/clearancePct", "study/indicator/exhaustPressure",
                                 "study/indicator/rodRatio"};
constexpr const char* kNames[] = {"EdClearance", "EdExhaust", "EdRod"};
constexpr const char* kCaptions[] = {"Clearance volume (% of swept volume)", "Exhaust (back) pressure",
                                     "Piston rod diameter / bore"};

}  // namespace

IndicatorParamsBox::IndicatorParamsBox(QWidget* parent) : QWidget(parent) {
  setObjectName("IndicatorParams");
  auto* form = new QFormLayout(this);
  form->addRow(
      new QLabel("<b>Indicator diagrams</b> (pressures as fractions of the admission pressure)", this));
  const QSettings settings("zovuderiz", "zovuderiz");
  for (int i = 0; i < 3; ++i) {
    const IndicatorParamLimits& limits = IndicatorParamTable()[static_cast<std::size_t>(i)];
    auto* box = new QLineEdit(this);
    box->setObjectName(kNames[i]);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance("0000.000000"));
    box->setToolTip(QString("%1 to %2%3, at most %4 decimals")
                        .arg(BoxText::Format(limits.lo), BoxText::Format(limits.hi), limits.unit)
                        .arg(limits.decimals));
    boxes_[static_cast<std::size_t>(i)] = box;
    form->addRow(kCaptions[i], box);
    bool read = false;
    const double value = settings.value(kKeys[i]).toDouble(&read);
    if (read && !IndicatorValueProblem(limits, value)) params_.*limits.member = value;
    Show(i);
    connect(box, &QLineEdit::editingFinished, this, [this, i] { Take(i); });
  }
  EdClearance = boxes_[0];
  EdExhaust = boxes_[1];
  EdRod = boxes_[2];
  LbRefusal = new QLabel(this);
  LbRefusal->setObjectName("LbRefusal");
  LbRefusal->setWordWrap(true);
  Controls::SetTextColour(LbRefusal, Controls::Maroon());
  form->addRow(LbRefusal);
}

void IndicatorParamsBox::Show(int which) {
  const IndicatorParamLimits& limits = IndicatorParamTable()[static_cast<std::size_t>(which)];
  boxes_[static_cast<std::size_t>(which)]->setText(BoxText::FormatFaithful(params_.*limits.member));
}

void IndicatorParamsBox::Take(int which) {
  const IndicatorParamLimits& limits = IndicatorParamTable()[static_cast<std::size_t>(which)];
  QLineEdit* box = boxes_[static_cast<std::size_t>(which)];
  const QString typed = box->text().trimmed();
  const auto value = ParseFloat(typed.toStdString(), BoxText::DecimalSeparator());
  std::optional<std::string> problem;
  if (!value)
    problem = "That is not a number.";
  else
    problem = IndicatorValueProblem(limits, *value);
  if (problem) {
    LbRefusal->setText(QString("\"%1\" was not taken: %2").arg(typed, QString::fromStdString(*problem)));
    return Show(which);
  }
  LbRefusal->clear();
  if (*value == params_.*limits.member) return Show(which);
  params_.*limits.member = *value;
  Show(which);
  Remember();
  emit changed();
}

void IndicatorParamsBox::Remember() const {
  QSettings settings("zovuderiz", "zovuderiz");
  for (int i = 0; i < 3; ++i)
    settings.setValue(kKeys[i], params_.*IndicatorParamTable()[static_cast<std::size_t>(i)].member);
}
