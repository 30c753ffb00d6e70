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
  const QString shown = CB_Engines->currentText();
  const bool saved = !shed_ || shed_->SaveEngine(engine_);
  // The store is listed again either way; after a failed write the window
  // keeps every box, the name and the selection, so the user can try again.
  CB_Engines->clear();
  CB_Engines->setEditText(saved ? "" : shown);
  if (shed_) engineCount_ = ListStoredNames();
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
  // selected or transferred, when there has been one.
  const int transfer = TransferEntries();
  if (transfer == 2) return AppPrompter().Inform("Message", "Data missing at ???");
  if (transfer == 1 && RecordName(engine_).empty())
    return AppPrompter().Inform("Message", FailureMessage(MakeFailure(FailureKind::noEngine)));
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

void TMainForm::OpenFolder1Click() {
  emit openFolderRequested();
}

void TMainForm::DesignAssistant1Click() {
  // As for the results: the boxes are read first, and the assistant starts
  // from the engine they hold.
  const int transfer = TransferEntries();
  if (transfer == 2) return AppPrompter().Inform("Message", "Data missing at ???");
  if (transfer == 1 && RecordName(engine_).empty())
    return AppPrompter().Inform("Message", "Engine name required");
  emit designAssistantRequested(ToEngine(engine_));
}

void TMainForm::ShowProposal(const Engine& proposal, const QString& name) {
  EngineRecord record = engine_;
  ToRecord(proposal, record);
  const std::string bytes = BoxText::NameBytes(BoxText::First29(name));
  SetRecordName(record, bytes.data(), bytes.size());
  CB_Engines->setEditText("");
  ShowEngine(record);
  raise();
}

void TMainForm::VardenlykeHelp1Click() {
  emit helpRequested("main");
}

void TMainForm::AboutVardenlyke1Click() {
  emit aboutRequested();
}

void TMainForm::QuadrantStudy1Click() {
  emit studyRequested();
}

void TMainForm::ChBDimsClick() {
  emit dimensionsShown(ChBDims->isChecked());
}
