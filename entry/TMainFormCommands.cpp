// The engine commands. Several steps change a control whose own reaction then
// runs in the middle of the command (emptying "NEW  ENGINE", unticking "Show
// Dimensions"); the order of the steps below is what makes that right.
#include <QApplication>

#include "BoxText.h"
#include "EngineConversion.h"
#include "QtPrompter.h"
#include "TMainForm.h"
#include "WindowPrinter.h"

void TMainForm::FormActivate() {
  emit activated();
}

void TMainForm::CB_EnginesClick() {
  selectedName_ = BoxText::First29(CB_Engines->currentText());
  if (selectedName_.isEmpty()) return;
  const QString selected = selectedName_;
  EdNewEng->setText("");
  if (shed_)
    if (const auto found = shed_->FindEngine(BoxText::NameBytes(selected).c_str())) engine_ = *found;
  ChBDims->setChecked(false);
  ShowEngine(engine_);
}

void TMainForm::EdNewEngChange() {
  CB_Engines->setEditText("");
  ClearEntries();
  EdName->setText(BoxText::First29(EdNewEng->text()));
  EnableEntries(false);
  ChBDims->setChecked(false);
}

void TMainForm::BtSaveClick() {
  const int transfer = TransferEntries();
  if (transfer == 1) return AppPrompter().Inform("Message", "Engine name required");
  if (transfer == 2) return AppPrompter().Inform("Message", "Data missing at ???");
  if (!AppPrompter().Confirm("Message", "Are you sure?")) return;
  CB_Engines->clear();
  CB_Engines->setEditText("");
  bool saved = true;
  if (shed_) {
    saved = shed_->SaveEngine(engine_);
    engineCount_ = ListStoredNames();
  }
  // After a refused save the typed engine stays on screen, to be saved again.
  if (saved) EdNewEng->setText("");
}

void TMainForm::BtDeleteClick() {
  if (!AppPrompter().Confirm("Message", "Are you sure?")) return;
  EdNewEng->setText("");
  CB_Engines->setEditText("");
  ClearEntries();
  const std::string name = BoxText::NameBytes(EdName->text());
  SetRecordName(engine_, name.data(), name.size());
  CB_Engines->clear();
  if (shed_) {
    shed_->DeleteEngine(engine_);
    engineCount_ = ListStoredNames();
  }
  EdName->setText("");
}

void TMainForm::BtResultsClick() {
  // An empty name box reads nothing: the results use the engine last
  // selected or transferred.
  if (TransferEntries() == 2) return AppPrompter().Inform("Message", "Data missing at ???");
  // The results window opens on the engine taken and says why when it has no mid-gear.
  model_.TakeEngine(ToEngine(engine_));
}

void TMainForm::BtViewrockClick() {
  emit rockerTypesRequested();
}

void TMainForm::BtPrintClick() {
  WindowPrinter::Print(centralWidget(), "Vardenlyke data entry");
}

void TMainForm::BtExitClick() {
  shed_.reset();
  close();
}

void TMainForm::VardenlykeHelp1Click() {
  emit helpRequested("main");
}

void TMainForm::AboutVardenlyke1Click() {
  emit aboutRequested();
}

void TMainForm::ChBDimsClick() {
  emit dimensionsShown(ChBDims->isChecked());
}
