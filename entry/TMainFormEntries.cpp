// Showing the current engine in the boxes, each value in a text that reads back
// to it exactly, and reading the boxes back into it: every required box is
// examined in one pass, missing ones marked "???" in red.
#include <cmath>
#include <stdexcept>

#include "BoxText.h"
#include "Controls.h"
#include "NumberFormat.h"
#include "TMainForm.h"

namespace {

constexpr int kRequiredBoxes = 16;
constexpr int kRockerBox = 16;  // EdRocker's place in Boxes()

// Indexes into Boxes() in reading order.
std::array<int, 17> ReadingOrder() {
  std::array<int, 17> order{};
  for (size_t i = 0; i < TMainForm::Boxes().size(); ++i)
    order[static_cast<size_t>(TMainForm::Boxes()[i].readOrder - 1)] = static_cast<int>(i);
  return order;
}

}  // namespace

double TMainForm::ReadDimension(int index) {
  QLineEdit* box = Box(index);
  const DimensionBox& place = Boxes()[static_cast<size_t>(index)];
  const double stored = engine_.*(place.field);
  try {
    return BoxText::Number(box);
  } catch (const ConversionError& error) {
    // A NaN or infinity from the data file, shown as it is: nobody typed it,
    // so the message says which box holds it, and the box is marked.
    if (std::isfinite(stored) || box->text() != BoxText::FormatFaithful(stored)) throw;
    Controls::SetTextColour(box, QColor(255, 0, 0));
    throw std::runtime_error(std::string(place.caption) + ": " + error.what());
  }
}

int TMainForm::TransferEntries() {
  missing_ = false;
  const QString name = BoxText::First29(EdName->text());
  if (name.isEmpty()) return 1;
  const std::string bytes = BoxText::NameBytes(name);
  SetRecordName(engine_, bytes.data(), bytes.size());
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
      engine_.*(Boxes()[static_cast<size_t>(index)].field) = ReadDimension(index);
    }
  }
  if (missing_) return 2;
  engine_.valveType = valveGroup->checkedId() == 1 ? 1 : -1;
  const int rocker = rockerGroup->checkedId();
  if (rocker == 0) {
    EdRocker->setEnabled(false);
    engine_.rockerType = 0;
  } else {
    engine_.rockerRatio = ReadDimension(kRockerBox);
    engine_.rockerType = rocker == 1 ? 1 : -1;
  }
  return 0;
}

void TMainForm::ShowEngine(const EngineRecord& record) {
  engine_ = record;
  ClearEntries();
  EdName->setText(BoxText::FromNameBytes(RecordName(engine_)));
  EdName->setCursorPosition(0);  // a long name shows from its start
  const auto order = ReadingOrder();
  for (int n = 0; n < kRequiredBoxes; ++n) {
    const int index = order[static_cast<size_t>(n)];
    Box(index)->setText(BoxText::FormatFaithful(engine_.*(Boxes()[static_cast<size_t>(index)].field)));
    Box(index)->setCursorPosition(0);  // a long figure shows from its first digit
  }
  SelectItem(valveGroup, engine_.valveType == 1 ? 1 : 0);
  if (engine_.rockerType == 0) {
    SelectItem(rockerGroup, 0);
  } else {
    EdRocker->setText(BoxText::FormatFaithful(engine_.rockerRatio));
    EdRocker->setCursorPosition(0);
    SelectItem(rockerGroup, engine_.rockerType > 0 ? 1 : 2);
  }
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
