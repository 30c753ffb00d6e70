// The dialog only chooses the factor, the unit and the name; scaling the
// lengths (and only the lengths) is ScaledEngine's. N is read as the boxes
// read numbers, and held to the range that keeps every length showable.
#include "ScaleEngineDialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "BoxText.h"
#include "EngineScale.h"
#include "FreeName.h"
#include "NumberFormat.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;

QString UnitWord(LengthUnit unit) {
  return unit == LengthUnit::in ? "inches" : "millimetres";
}

}  // namespace

ScaleEngineDialog::ScaleEngineDialog(const QString& engineName, LengthUnit unit, LengthUnit fileUnit,
                                     NameTaken taken, QWidget* parent)
    : QDialog(parent), engineName_(engineName), unit_(unit), fileUnit_(fileUnit), taken_(std::move(taken)) {
  setObjectName("ScaleEngineDialog");
  setWindowTitle("Scale engine");
  presets = new QButtonGroup(this);
  auto* choices = new QGridLayout;
  choices->addWidget(AddPreset(inchesToMillimetres, "&Inches to millimetres (x 25.4)"), 0, 0, 1, 2);
  choices->addWidget(AddPreset(millimetresToInches, "&Millimetres to inches (x 1/25.4)"), 1, 0, 1, 2);
  choices->addWidget(AddPreset(modelScale, "Model &scale  1 :"), 2, 0);
  EdScale = new QLineEdit("8", this);
  EdScale->setObjectName("EdScale");
  EdScale->setMaximumWidth(90);
  choices->addWidget(EdScale, 2, 1);
  LbFactor = new QLabel(this);
  LbFactor->setObjectName("LbFactor");
  LbFactor->setWordWrap(true);
  LbUnit = new QLabel(this);
  LbUnit->setObjectName("LbUnit");
  LbUnit->setWordWrap(true);
  ChBCopy = new QCheckBox(this);
  ChBCopy->setObjectName("ChBCopy");
  ChBCopy->setChecked(false);  // a folder dialog only when asked for
  EdNewName = new QLineEdit(this);
  EdNewName->setObjectName("EdNewName");
  EdNewName->setMaxLength(29);
  auto* form = new QFormLayout;
  form->addRow("New &name:", EdNewName);
  Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(LbFactor);
  layout->addWidget(new QLabel("Angles and ratios stay as they are; nothing is saved.", this));
  layout->addLayout(form);
  layout->addWidget(LbUnit);
  layout->addWidget(ChBCopy);
  layout->addWidget(Buttons);
  presets->button(modelScale)->setChecked(true);
  connect(presets, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) Update();
  });
  connect(EdScale, &QLineEdit::textChanged, this, [this] {
    presets->button(modelScale)->setChecked(true);
    Update();
  });
  connect(EdNewName, &QLineEdit::textEdited, this, [this] { nameTyped_ = true; });
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Update();
}

QRadioButton* ScaleEngineDialog::AddPreset(int id, const QString& caption) {
  auto* button = new QRadioButton(caption, this);
  presets->addButton(button, id);
  return button;
}

std::optional<double> ScaleEngineDialog::factor() const {
  switch (presets->checkedId()) {
    case inchesToMillimetres:
      return kMillimetresPerInch;
    case millimetresToInches:
      return 1 / kMillimetresPerInch;
    default:
      break;
  }
  try {
    const double n = BoxText::Number(EdScale);
    if (std::isfinite(n) && n > 0 && 1 / n >= kLeastScaleFactor && 1 / n <= kMostScaleFactor) return 1 / n;
  } catch (const ConversionError&) {
  }
  return std::nullopt;
}

LengthUnit ScaleEngineDialog::unit() const {
  switch (presets->checkedId()) {
    case inchesToMillimetres:
      return LengthUnit::mm;
    case millimetresToInches:
      return LengthUnit::in;
    default:
      return unit_;
  }
}

QString ScaleEngineDialog::Suffix() const {
  switch (presets->checkedId()) {
    case inchesToMillimetres:
      return " mm";
    case millimetresToInches:
      return " in";
    default:
      return " 1:" + EdScale->text().trimmed();
  }
}

QString ScaleEngineDialog::name() const {
  return BoxText::First29(EdNewName->text());
}

void ScaleEngineDialog::Update() {
  const auto scale = factor();
  LbFactor->setText(scale ? "Every length is multiplied by " + BoxText::Format(*scale) + "."
                          : "Type the model scale N as a number from 0.000001 to 1000000, so that every "
                            "length stays a number the boxes can show.");
  Buttons->button(QDialogButtonBox::Ok)->setEnabled(scale.has_value());
  if (!nameTyped_)
    EdNewName->setText(BoxText::FromNameBytes(
        FreeEngineName(BoxText::NameBytes(engineName_), BoxText::NameBytes(Suffix()), taken_)));
  ShowUnitNote();
}

void ScaleEngineDialog::ShowUnitNote() {
  // Only a change of unit into one the data file is not in needs saying:
  // saved here, the engine's figures would read in the file's unit.
  const LengthUnit to = unit();
  const bool elsewhere = to != unit_ && to != LengthUnit::none && fileUnit_ != to;
  LbUnit->setVisible(elsewhere);
  ChBCopy->setVisible(elsewhere);
  if (!elsewhere) return;
  LbUnit->setText("The scaled engine is in " + UnitWord(to) + ", but this data file's lengths are " +
                  (fileUnit_ == LengthUnit::none ? QString("without a unit") : "in " + UnitWord(fileUnit_)) +
                  ": keep it in a data file in " + UnitWord(to) + ".");
  ChBCopy->setText("&Copy it into a data file in " + UnitWord(to) + " (File > Copy engine to…)");
}
