// The engine commands. Several steps change a control whose own reaction then
// runs in the middle of the command (emptying "NEW  ENGINE", unticking "Show
// Dimensions"); the order of the steps below is what makes that right. The
// store's work is the model's; its outcomes are said here, in the order the
// user has always met them.
#include <QApplication>

#include "BoxText.h"
#include "Cp1252.h"
#include "EngineScale.h"
#include "FreeName.h"
#include "QtPrompter.h"
#include "ScaleEngineDialog.h"
#include "StoreTask.h"
#include "TMainForm.h"
#include "WindowPrinter.h"

void TMainForm::Tell(const StoreOutcome& outcome) {
  if (!outcome.message.empty()) AppPrompter().Inform("Message", outcome.message);
}

void TMainForm::FormActivate() {
  // Another copy of the program may have set the data file's unit meanwhile.
  const std::string problem = model_.RefreshLengthUnit();
  if (!problem.empty()) AppPrompter().Inform("Message", problem);
  emit activated();
}

void TMainForm::CB_EnginesClick() {
  const QString picked = BoxText::First29(CB_Engines->currentText());
  if (picked.isEmpty()) return;
  if (!MayDropBoxes()) return CB_Engines->setEditText(BoxText::FromNameBytes(storedOrigin_));
  selectedName_ = picked;
  ClearNewName();
  const FoundEngine found = model_.FindEngine(BoxText::NameBytes(picked));
  if (found.engine)
    engine_ = *found.engine;
  else
    Tell(found.outcome);
  ChBDims->setChecked(false);
  undo_.reset();
  Undo1->setEnabled(false);
  SetBoxesUnit(model_.fileLengthUnit());
  ShowEngine(engine_);
  storedOrigin_ = found.engine ? engine_.name : std::string();
  BoxesStored();
}

void TMainForm::EdNewEngChange() {
  const QString name = BoxText::First29(EdNewEng->text());
  const bool figures = HoldsFigures();
  // Boxes holding an engine keep it under the new name (the new engine starts
  // from them); the name emptied over unsaved boxes leaves them too. The
  // state before the first letter is kept for Edit > Undo.
  if (figures && (!name.isEmpty() || BoxesUnsaved())) {
    if (!naming_ && !name.isEmpty()) KeepForUndo();
    naming_ = !name.isEmpty();
    CB_Engines->setEditText("");
    EdName->setText(name);
    ChBDims->setChecked(false);
    storedOrigin_.clear();
    return;
  }
  // Nothing to lose (no figure, or just saved): a clean sheet, locked until
  // a rocker option is chosen.
  naming_ = !name.isEmpty();
  CB_Engines->setEditText("");
  ClearEntries();
  EdName->setText(name);
  EnableEntries(false);
  ChBDims->setChecked(false);
  storedOrigin_.clear();
  SetBoxesUnit(model_.fileLengthUnit());
  BoxesStored();
}

void TMainForm::BtSaveClick() {
  SaveBoxes();
}

bool TMainForm::SaveBoxes() {
  const Transfer transfer = TransferEntries();
  if (!transfer.ok()) {
    AppPrompter().Inform("Message", transfer.message);
    return false;
  }
  if (!AppPrompter().Confirm("Message",
                             "Save the engine \"" + Cp1252ToUtf8(engine_.name) + "\"? Are you sure?"))
    return false;
  // Replacing is asked for; any other save of an engine not shown from the
  // store adds it only if its name is still free when the file is written.
  const bool sameEngine = engine_.name == storedOrigin_;
  const bool replace = !sameEngine && model_.IsStored(engine_.name);
  if ((replace || boxesUnit_ != model_.fileLengthUnit()) && !MaySaveOver()) return false;
  const QString shown = CB_Engines->currentText();
  if (model_.hasStore()) AppPrompter().Inform("Saving ", Cp1252ToUtf8(engine_.name));
  // Off the GUI thread: another program may hold the data file a while.
  const bool addOnly = !sameEngine && !replace;
  const StoreOutcome saved = StoreTask::Run(this, [this, addOnly](const LockWait& wait) {
    return addOnly ? model_.SaveNewEngine(engine_, wait) : model_.SaveEngine(engine_, wait);
  });
  Tell(saved);
  // The store is listed again either way; after a failed write the window
  // keeps every box, the name and the selection, so the user can try again.
  CB_Engines->clear();
  CB_Engines->setEditText(saved.ok() ? "" : shown);
  engineCount_ = ListStoredNames();
  if (!saved.ok() || !model_.hasStore()) return false;
  storedOrigin_ = engine_.name;
  boxesOwnUnit_ = false;
  SetBoxesUnit(model_.fileLengthUnit());
  BoxesStored();
  EdNewEng->setText("");
  return true;
}

void TMainForm::BtDeleteClick() {
  // While a new engine is named nothing stored is deleted, only the boxes
  // cleared: they are asked about as every other path that drops them.
  const bool naming = !EdNewEng->text().isEmpty();
  const QString shown = EdName->text();
  const std::string which = shown.isEmpty() ? std::string() : "\n\"" + shown.toStdString() + "\"";
  if (naming ? !MayDropBoxes() : !AppPrompter().ConfirmRisk("Message", "Are you sure?" + which)) return;
  // The store works first, on the name in the name box (none while a new
  // engine is being named), so that a wait given up leaves the window as it is.
  const std::string name = naming ? std::string() : BoxText::NameBytes(EdName->text());
  StoreOutcome deleted;
  if (model_.hasStore()) {
    deleted =
        StoreTask::Run(this, [this, &name](const LockWait& wait) { return model_.DeleteEngine(name, wait); });
    if (deleted.kind == StoreOutcome::Kind::cancelled) return Tell(deleted);
  }
  // The boxes go, but Edit > Undo brings them back (as an engine to save anew).
  if (HoldsFigures()) KeepForUndo();
  ClearNewName();
  CB_Engines->setEditText("");
  ClearEntries();
  EnableEntries(false);
  storedOrigin_.clear();
  BoxesStored();
  engine_.name = name;
  CB_Engines->clear();
  if (model_.hasStore()) {
    Tell(deleted);
    engineCount_ = ListStoredNames();
  }
  EdName->setText("");
}

void TMainForm::BtResultsClick() {
  // An empty name box reads nothing: the results use the engine last
  // selected or transferred, when there has been one.
  const Transfer transfer = TransferEntries();
  if (transfer.kind == Transfer::Kind::dataMissing) return AppPrompter().Inform("Message", transfer.message);
  if (transfer.kind == Transfer::Kind::noName && engine_.name.empty())
    return AppPrompter().Inform("Message", FailureMessage(MakeFailure(FailureKind::noEngine)));
  // The results window opens on the engine taken and says why when it has no
  // mid-gear; its lengths are labelled in the boxes' unit.
  model_.TakeEngine(engine_, boxesUnit_);
}

void TMainForm::BtViewrockClick() {
  emit rockerTypesRequested();
}

void TMainForm::BtPrintClick() {
  WindowPrinter::Print(centralWidget(), "Vardenlyke data entry", model_.dataFile());
}

void TMainForm::BtExitClick() {
  if (!MayDropBoxes()) return;
  model_.CloseStore();
  exiting_ = true;
  close();
}

void TMainForm::OpenFolder1Click() {
  if (MayDropBoxes()) emit openFolderRequested();
}

void TMainForm::DesignAssistant1Click() {
  // As for the results: the boxes are read first, and the assistant starts
  // from the engine they hold.
  const Transfer transfer = TransferEntries();
  if (transfer.kind == Transfer::Kind::dataMissing) return AppPrompter().Inform("Message", transfer.message);
  if (transfer.kind == Transfer::Kind::noName && engine_.name.empty())
    return AppPrompter().Inform("Message", transfer.message);
  emit designAssistantRequested(engine_);
}

void TMainForm::ReviewGear1Click() {
  // As for the assistant: the review is of the engine the boxes hold.
  const Transfer transfer = TransferEntries();
  if (transfer.kind == Transfer::Kind::dataMissing) return AppPrompter().Inform("Message", transfer.message);
  if (transfer.kind == Transfer::Kind::noName && engine_.name.empty())
    return AppPrompter().Inform("Message", transfer.message);
  emit reviewRequested(engine_);
}

void TMainForm::ValveSetting1Click() {
  // As for the review: the engine in the shop is the one the boxes hold.
  const Transfer transfer = TransferEntries();
  if (transfer.kind == Transfer::Kind::dataMissing) return AppPrompter().Inform("Message", transfer.message);
  if (transfer.kind == Transfer::Kind::noName && engine_.name.empty())
    return AppPrompter().Inform("Message", transfer.message);
  emit valveSettingRequested(engine_, boxesUnit_);
}

void TMainForm::ScaleEngine1Click() {
  // The engine in the boxes is scaled, so they are read first and must be whole.
  const Transfer transfer = TransferEntries();
  if (!transfer.ok()) return AppPrompter().Inform("Message", transfer.message);
  ScaleEngineDialog dialog(
      BoxText::FromNameBytes(engine_.name), boxesUnit_, model_.fileLengthUnit(),
      [this](const std::string& name) { return model_.IsStored(name); }, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const auto factor = dialog.factor();
  if (!factor) return;
  PutInBoxes(ScaledEngine(engine_, *factor), dialog.name(), dialog.unit());
  if (dialog.copyAsked()) CopyEngine1Click();
}

void TMainForm::LengthUnitClick(LengthUnit unit) {
  Tell(model_.SetLengthUnit(unit));
}

void TMainForm::ShowProposal(const Engine& proposal, const QString& name) {
  if (!MayDropBoxes()) return;
  // A suggested name that is stored already gets a number: a save then adds.
  const std::string free = FreeEngineName(BoxText::NameBytes(BoxText::First29(name)), "",
                                          [this](const std::string& n) { return model_.IsStored(n); });
  PutInBoxes(proposal, BoxText::FromNameBytes(free), boxesUnit_);
}

void TMainForm::VardenlykeHelp1Click() {
  emit helpRequested("main");
}

void TMainForm::AboutVardenlyke1Click() {
  emit aboutRequested();
}

void TMainForm::QuadrantStudy1Click() {
  // Before any "GET  RESULTS" the study takes the boxes, as the assistant and
  // the review do; afterwards it follows the engine the results window computes.
  if (!model_.session().taken()) {
    const Transfer transfer = TransferEntries();
    if (transfer.kind == Transfer::Kind::dataMissing)
      return AppPrompter().Inform("Message", transfer.message);
    if (transfer.ok()) model_.TakeEngine(engine_, boxesUnit_);
  }
  emit studyRequested();
}

void TMainForm::ChBDimsClick() {
  emit dimensionsShown(ChBDims->isChecked());
}
