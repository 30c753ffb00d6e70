// Keeping the user's engines: what the boxes hold against what was last shown
// from the store or saved (the texts themselves, so any edit counts), the
// questions before unsaved boxes are dropped or a stored engine is replaced,
// the one step of Edit > Undo, and copying the boxes' engine to another data file.
#include <QDir>
#include <QFileDialog>
#include <QSignalBlocker>
#include <algorithm>

#include "BoxText.h"
#include "Cp1252.h"
#include "QtPrompter.h"
#include "SameFile.h"
#include "StoreTask.h"
#include "TMainForm.h"

namespace {

std::string UnitWord(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::in:
      return "inches";
    case LengthUnit::mm:
      return "millimetres";
    default:
      return "no unit";
  }
}

std::string ShownFigure(double value) {
  return BoxText::FormatFaithful(value).toStdString();
}

}  // namespace

QStringList TMainForm::BoxesState() const {
  QStringList state{EdName->text()};
  for (const QLineEdit* box : boxes_) state << box->text();
  state << QString::number(valveGroup->checkedId()) << QString::number(rockerGroup->checkedId());
  return state;
}

void TMainForm::BoxesStored() {
  storedState_ = BoxesState();
}

bool TMainForm::HoldsFigures() const {
  return std::any_of(boxes_.begin(), boxes_.end(),
                     [](const QLineEdit* box) { return !box->text().isEmpty(); });
}

bool TMainForm::BoxesUnsaved() const {
  // Empty boxes hold nothing to lose, whatever name is typed.
  return HoldsFigures() && BoxesState() != storedState_;
}

void TMainForm::ClearNewName() {
  // Emptied by the program, not typed: the box's own reaction must not run.
  const QSignalBlocker blocker(EdNewEng);
  EdNewEng->clear();
  naming_ = false;
}

bool TMainForm::MayDropBoxes() {
  if (!BoxesUnsaved()) return true;
  const std::string name = BoxText::NameBytes(BoxText::First29(EdName->text()));
  const std::string what =
      !storedOrigin_.empty() && name == storedOrigin_
          ? "The boxes hold changes to \"" + Cp1252ToUtf8(name) + "\" that are not saved."
          : "The engine \"" + Cp1252ToUtf8(name) + "\" in the boxes is not saved.";
  switch (AppPrompter().AskToKeep("Message", what + "\nSave it before going on?")) {
    case Prompter::KeepChoice::save:
      return SaveBoxes();
    case Prompter::KeepChoice::discard:
      return true;
    default:
      return false;
  }
}

std::string TMainForm::ChangedDimensions(const Engine& stored) const {
  std::string lines;
  for (const DimensionSpec& d : EngineDimensions()) {
    if (stored.*(d.field) == engine_.*(d.field)) continue;
    if (d.field == &Engine::rockerRatio && engine_.rockerType == 0 && stored.rockerType == 0) continue;
    lines += "\n  " + std::string(d.caption) + ": " + ShownFigure(stored.*(d.field)) + " \u2192 " +
             ShownFigure(engine_.*(d.field));
  }
  if (stored.valveType != engine_.valveType) lines += "\n  Valve type";
  if (stored.rockerType != engine_.rockerType) lines += "\n  Rocker";
  return lines.empty() ? "\nThe boxes hold the same dimensions." : "\nChanged:" + lines;
}

bool TMainForm::MaySaveOver() {
  const std::string name = Cp1252ToUtf8(engine_.name);
  if (engine_.name != storedOrigin_ && model_.IsStored(engine_.name)) {
    const FoundEngine stored = model_.StoredEngine(engine_.name);
    const std::string changes = stored.engine ? ChangedDimensions(*stored.engine) : std::string();
    if (!AppPrompter().ConfirmRisk("Message", "Replace the stored engine \"" + name + "\"?" + changes))
      return false;
  }
  if (boxesUnit_ != model_.fileLengthUnit() && boxesUnit_ != LengthUnit::none)
    return AppPrompter().ConfirmRisk(
        "Message", "The engine \"" + name + "\" is in " + UnitWord(boxesUnit_) + ", but this data file's " +
                       "lengths are in " + UnitWord(model_.fileLengthUnit()) + ": saved here, its figures " +
                       "would read in that unit.\nSave it here all the same? (File > Copy engine to… keeps " +
                       "it in a data file of its own unit.)");
  return true;
}

void TMainForm::SetBoxesUnit(LengthUnit unit) {
  boxesUnit_ = unit;
  boxesOwnUnit_ = unit != model_.fileLengthUnit();
  ShowLengthUnit();
}

void TMainForm::KeepForUndo() {
  undo_ = KeptBoxes{BoxesState(), engine_, storedOrigin_, storedState_, boxesUnit_, Box(0)->isEnabled()};
  Undo1->setEnabled(true);
}

void TMainForm::PutInBoxes(const Engine& engine, const QString& name, LengthUnit unit) {
  // The model keeps the record a save writes over: nothing is stored here.
  KeepForUndo();
  Engine shown = engine;
  shown.name = BoxText::NameBytes(BoxText::First29(name));
  ClearNewName();
  CB_Engines->setEditText("");
  SetBoxesUnit(unit);
  ShowEngine(shown);
  storedOrigin_.clear();
  raise();
}

void TMainForm::Undo1Click() {
  if (!undo_) return;
  const KeptBoxes kept = *undo_;
  undo_.reset();
  Undo1->setEnabled(false);
  ClearEntries();
  EdName->setText(kept.state[0]);
  for (size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setText(kept.state[static_cast<int>(i) + 1]);
  const int valve = kept.state[kDimensions + 1].toInt(), rocker = kept.state[kDimensions + 2].toInt();
  if (valve >= 0) SelectItem(valveGroup, valve);
  if (rocker >= 0) SelectItem(rockerGroup, rocker);
  EnableEntries(kept.enabled);
  if (rocker == 0) EdRocker->setEnabled(false);
  engine_ = kept.engine;
  storedOrigin_ = kept.storedOrigin;
  storedState_ = kept.storedState;
  // Deleted meanwhile: the boxes are an engine to save anew.
  if (!storedOrigin_.empty() && !model_.IsStored(storedOrigin_)) {
    storedOrigin_.clear();
    storedState_.clear();
  }
  ClearNewName();
  CB_Engines->setEditText(BoxText::FromNameBytes(storedOrigin_));
  SetBoxesUnit(kept.unit);
}

void TMainForm::CopyEngine1Click() {
  const Transfer transfer = TransferEntries();
  if (!transfer.ok()) return AppPrompter().Inform("Message", transfer.message);
  const QString folder = chooseCopyFolder ? chooseCopyFolder(this)
                                          : QFileDialog::getExistingDirectory(
                                                this, "Copy engine to data folder", QDir::currentPath());
  if (folder.isEmpty()) return;
  const QString target = QDir(folder).absoluteFilePath("ste_data.dat");
  if (!model_.dataFile().empty() && SameFile(target.toStdString(), model_.dataFile()))
    return AppPrompter().Inform("Message", "That folder holds this window's data file: pick another folder.");
  const std::string path = QDir::toNativeSeparators(target).toStdString();
  const StoreOutcome copied = StoreTask::Run(this, [this, &path](const LockWait& wait) {
    return model_.CopyEngineTo(path, engine_, boxesUnit_, wait);
  });
  Tell(copied);
}
