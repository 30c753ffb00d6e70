// Showing the current engine in the boxes, each value in a text that reads back
// to it exactly, and reading the boxes back into it: every required box is
// examined in one pass, missing ones marked "???" in red. The length boxes
// are followed by the unit of the engine they hold, when it has one.
#include <cmath>
#include <stdexcept>

#include "BoxText.h"
#include "Controls.h"
#include "NumberFormat.h"
#include "TMainForm.h"

namespace {

// Every box is required but the last in reading order, the rocker ratio.
constexpr int kRequiredBoxes = kDimensions - 1;

// Indexes into Places() in reading order.
std::array<int, kDimensions> ReadingOrder() {
  std::array<int, kDimensions> order{};
  for (size_t i = 0; i < TMainForm::Places().size(); ++i)
    order[static_cast<size_t>(TMainForm::Places()[i].readOrder - 1)] = static_cast<int>(i);
  return order;
}

}  // namespace

double TMainForm::ReadDimension(int index) {
  QLineEdit* box = Box(index);
  const DimensionSpec& dimension = Dimension(index);
  const double stored = engine_.*(dimension.field);
  try {
    return BoxText::Number(box);
  } catch (const ConversionError& error) {
    // A NaN or infinity from the data file, shown as it is: nobody typed it,
    // so the message says which box holds it, and the box is marked.
    if (std::isfinite(stored) || box->text() != BoxText::FormatFaithful(stored)) throw;
    Controls::SetTextColour(box, QColor(255, 0, 0));
    throw std::runtime_error(std::string(dimension.caption) + ": " + error.what());
  }
}

TMainForm::Transfer TMainForm::TransferEntries() {
  missing_ = false;
  const QString name = BoxText::First29(EdName->text());
  if (name.isEmpty()) return {Transfer::Kind::noName, "Engine name required"};
  engine_.name = BoxText::NameBytes(name);
  const auto order = ReadingOrder();
  for (int n = 0; n < kRequiredBoxes; ++n) {
    const int index = order[static_cast<size_t>(n)];
    QLineEdit* box = Box(index);
    if (box->text().isEmpty() || box->text() == "???") {
      Controls::SetTextColour(box, QColor(255, 0, 0));
      box->setText("???");
      missing_ = true;
    } else {
      // A conversion error leaves here with the boxes before it already stored.
      engine_.*(Dimension(index).field) = ReadDimension(index);
    }
  }
  if (missing_) return {Transfer::Kind::dataMissing, "Data missing at ???"};
  engine_.valveType = valveGroup->checkedId() == 1 ? 1 : -1;
  const int rocker = rockerGroup->checkedId();
  if (rocker == 0) {
    EdRocker->setEnabled(false);
    engine_.rockerType = 0;
  } else {
    const int ratio = order[kRequiredBoxes];
    engine_.*(Dimension(ratio).field) = ReadDimension(ratio);
    engine_.rockerType = rocker == 1 ? 1 : -1;
  }
  return {};
}

void TMainForm::ShowEngine(const Engine& engine) {
  engine_ = engine;
  ClearEntries();
  EdName->setText(BoxText::FromNameBytes(engine_.name));
  EdName->setCursorPosition(0);  // a long name shows from its start
  const auto order = ReadingOrder();
  for (int n = 0; n < kRequiredBoxes; ++n) {
    const int index = order[static_cast<size_t>(n)];
    Box(index)->setText(BoxText::FormatFaithful(engine_.*(Dimension(index).field)));
    Box(index)->setCursorPosition(0);  // a long figure shows from its first digit
  }
  SelectItem(valveGroup, engine_.valveType == 1 ? 1 : 0);
  if (engine_.rockerType == 0) {
    SelectItem(rockerGroup, 0);
  } else {
    const int ratio = order[kRequiredBoxes];
    Box(ratio)->setText(BoxText::FormatFaithful(engine_.*(Dimension(ratio).field)));
    Box(ratio)->setCursorPosition(0);
    SelectItem(rockerGroup, engine_.rockerType > 0 ? 1 : 2);
  }
}

void TMainForm::ShowLengthUnit() {
  // The unit stands after each length box: the captions keep their face.
  const std::string_view unit = UnitSymbol(Quantity::length, boxesUnit_);
  const QString symbol = QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size()));
  for (int i = 0; i < static_cast<int>(kDimensions); ++i) {
    if (Dimension(i).quantity != Quantity::length) continue;
    UnitLabel(i)->setText(symbol);
    UnitLabel(i)->adjustSize();
  }
  LengthUnitAction(model_.fileLengthUnit())->setChecked(true);
}

void TMainForm::ClearEntries() {
  for (QLineEdit* box : boxes_) box->setText("");
  ClearGroup(valveGroup);
  ClearGroup(rockerGroup);
}

void TMainForm::EnableEntries(bool enabled) {
  for (QLineEdit* box : boxes_) box->setEnabled(enabled);
}

void TMainForm::RadioGroup2Click() {
  EnableEntries(true);
  if (rockerGroup->checkedId() == 0) EdRocker->setEnabled(false);
}

void TMainForm::ClearGroup(QButtonGroup* group) {
  // Clearing to no selection is not a choice: no reaction runs.
  const QSignalBlocker blocker(group);
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) {
    const QSignalBlocker buttonBlocker(button);
    button->setChecked(false);
  }
  group->setExclusive(true);
  TabToChoice(group);
}

void TMainForm::SelectItem(QButtonGroup* group, int id) {
  group->button(id)->setChecked(true);
}
