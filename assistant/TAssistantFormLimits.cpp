// The assistant's limits: the controls for what a proposal must keep of the
// start and for the drawing it is given on, their reading into the search's
// rules, and the marking of those that bind the proposal. Each control's
// caption turns bold red when its limit binds, so the user sees what to relax.
#include <QGridLayout>
#include <QGroupBox>
#include <algorithm>

#include "BoxText.h"
#include "DrawingGrid.h"
#include "TAssistantForm.h"

namespace {

QLineEdit* LimitEdit(QWidget* parent, const QString& name, const QString& text) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setMaximumWidth(80);
  return edit;
}

// Empty for a box left blank: the grid's own rule (four significant figures) then holds.
double LengthOrZero(const QLineEdit* edit) {
  return edit->text().trimmed().isEmpty() ? 0 : BoxText::Number(edit);
}

}  // namespace

QWidget* TAssistantForm::BuildLimits(QWidget* column) {
  auto* box = new QGroupBox("Limits the proposal keeps", column);
  auto* form = new QGridLayout(box);
  form->setVerticalSpacing(2);
  CkKeepNotches = new QCheckBox("Keep every working notch's cut-off", box);
  CkKeepNotches->setObjectName("CkKeepNotches");
  CkKeepNotches->setToolTip("Unticked, only the full-gear cut-off on each side is held to the shift");
  EdMidGearShift = LimitEdit(box, "EdMidGearShift", BoxText::Format(kDefaultMidGearShiftDeg));
  EdDieMargin = LimitEdit(box, "EdDieMargin", BoxText::Format(kDefaultDieMarginPct));
  EdDieMargin->setToolTip("The least share of the pin-to-pin arc the die keeps from either rod pin");
  CbWorkLimit = new QComboBox(box);
  CbWorkLimit->setObjectName("CbWorkLimit");
  CbWorkLimit->addItems({"no worse than the start", "at most (%)", "no limit"});
  EdWorkLimit = LimitEdit(box, "EdWorkLimit", "");
  EdPrecision = LimitEdit(box, "EdPrecision", "");
  EdTolerance = LimitEdit(box, "EdTolerance", "");
  EdPrecision->setToolTip("The drawing step of the lengths; blank: four significant figures");
  EdTolerance->setToolTip("How far a made length may be off; blank: 0.05 % of each value");
  const std::pair<const char*, QString> captions[] = {{"midGearShiftDeg", "Mid-gear may turn (deg.)"},
                                                      {"dieMarginPct", "Die margin (% of arc)"},
                                                      {"workLimitPct", "Work imbalance"},
                                                      {"", "Lengths drawn to"},
                                                      {"", "Made within"}};
  QWidget* const fields[] = {EdMidGearShift, EdDieMargin, CbWorkLimit, EdPrecision, EdTolerance};
  form->addWidget(CkKeepNotches, 0, 0, 1, 3);
  for (int r = 0; r < static_cast<int>(std::size(fields)); ++r) {
    auto* label = new QLabel(captions[r].second, box);
    form->addWidget(label, r + 1, 0);
    form->addWidget(fields[r], r + 1, 1);
    if (*captions[r].first) limitLabels_.emplace_back(captions[r].first, label);
  }
  form->addWidget(EdWorkLimit, 3, 2);
  connect(CkKeepNotches, &QCheckBox::toggled, LbCutOffShift, [this](bool kept) {
    LbCutOffShift->setText(kept ? "Each notch's cut-off may move (points)" : kFullGearShiftCaption);
  });
  connect(CbWorkLimit, &QComboBox::currentIndexChanged, EdWorkLimit,
          [this](int index) { EdWorkLimit->setEnabled(index == 1 && !searching_); });
  EdWorkLimit->setEnabled(false);
  return box;
}

void TAssistantForm::ShowDrawingGrid() {
  const DrawingGrid grid = DrawingGrid::ForUnit(unit_);
  const QString suffix = QString::fromStdString(UnitSuffix(Quantity::length, unit_));
  EdPrecision->setText(grid.lengthStep > 0 ? BoxText::Format(grid.lengthStep) : QString());
  EdTolerance->setText(grid.lengthTolerance > 0 ? BoxText::Format(grid.lengthTolerance) : QString());
  for (QLineEdit* edit : {EdPrecision, EdTolerance}) edit->setPlaceholderText(suffix.trimmed());
}

void TAssistantForm::ReadLimits(DesignInput& input) const {
  DesignRules& rules = input.rules;
  rules.keepNotches = CkKeepNotches->isChecked();
  rules.midGearShiftDeg = BoxText::Number(EdMidGearShift);
  rules.dieMarginPct = BoxText::Number(EdDieMargin);
  constexpr WorkLimit kLimits[] = {WorkLimit::start, WorkLimit::percent, WorkLimit::none};
  rules.workLimit = kLimits[std::clamp(CbWorkLimit->currentIndex(), 0, 2)];
  if (rules.workLimit == WorkLimit::percent) rules.workLimitPct = BoxText::Number(EdWorkLimit);
  input.grid = DrawingGrid::ForUnit(unit_);
  input.grid.lengthStep = LengthOrZero(EdPrecision);
  input.grid.lengthTolerance = LengthOrZero(EdTolerance);
}

void TAssistantForm::ShowBindingLimits(const DesignResult& r) {
  QStringList binding;
  for (const LimitState& limit : r.limits)
    if (limit.binds) binding << QString::fromStdString(limit.text);
  LbLimits->setText(binding.isEmpty() ? QString()
                                      : "Limits that bind the proposal: " + binding.join("; ") + ".");
  const auto binds = [&](const char* key) {
    return std::any_of(r.limits.begin(), r.limits.end(), [&](const LimitState& l) {
      return l.binds && (std::string(l.key) == key ||
                         (std::string(key) == "cutOffShift" && std::string(l.key) == "fullGearCutOffShift"));
    });
  };
  EdCutOffShift->setStyleSheet(binds("cutOffShift") ? "color: #b00000; font-weight: bold" : "");
  for (auto& [key, label] : limitLabels_)
    label->setStyleSheet(binds(key) ? "color: #b00000; font-weight: bold" : "");
}
