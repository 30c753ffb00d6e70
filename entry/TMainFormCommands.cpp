// The engine commands. Several steps change a control whose own reaction then
// runs in the middle of the command (emptying "NEW  ENGINE", unticking "Show
// Dimensions"); the order of the steps below is what makes that right.
#include <QApplication>

#include "BoxText.h"
#include "HelpWindow.h"
#include "QtPrompter.h"
#include "TAnimaForm.h"
#include "TDimensionsForm.h"
#include "TMainForm.h"
#include "TResultsForm.h"
#include "TRockerForm.h"
#include "TStdAboutForm.h"
#include "WindowPrinter.h"
#include "WindowSet.h"

void TMainForm::FormActivate() {
  if (ResultsForm != nullptr) ResultsForm->close();
  if (AnimaForm != nullptr) AnimaForm->close();
}

void TMainForm::CB_EnginesClick() {
  selectedName_ = BoxText::First29(CB_Engines->currentText());
  if (selectedName_.isEmpty()) return;
  const QString selected = selectedName_;
  EdNewEng->setText("");
  if (Shed) Shed->FindEngine(BoxText::NameBytes(selected).c_str(), currentEngine);
  ChBDims->setChecked(false);
  ShowEngine();
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
  if (Shed) {
    Shed->SaveEngine(currentEngine);
    engineCount_ = Shed->ListEngines();
  }
  EdNewEng->setText("");
}

void TMainForm::BtDeleteClick() {
  if (!AppPrompter().Confirm("Message", "Are you sure?")) return;
  EdNewEng->setText("");
  CB_Engines->setEditText("");
  ClearEntries();
  const std::string name = BoxText::NameBytes(EdName->text());
  SetRecordName(currentEngine, name.data(), name.size());
  CB_Engines->clear();
  if (Shed) {
    Shed->DeleteEngine(currentEngine);
    engineCount_ = Shed->ListEngines();
  }
  EdName->setText("");
}

void TMainForm::BtResultsClick() {
  // An empty name box reads nothing: the results use the engine last
  // selected or transferred.
  if (TransferEntries() == 2) return AppPrompter().Inform("Message", "Data missing at ???");
  ResultsForm->LbEqlds->setText("");
  ResultsForm->setEnabled(true);
  ResultsForm->ClearResults();
  ResultsForm->gear().firstRun = true;
  ResultsForm->SetMidGear(currentEngine);
  ResultsForm->MXleads->hide();
  ResultsForm->MLeads->show();
  ResultsForm->show();
  ResultsForm->BtGo->setEnabled(false);
  ResultsForm->BtAnima->setEnabled(false);
}

void TMainForm::BtViewrockClick() {
  RockerForm->exec();
}

void TMainForm::BtPrintClick() {
  WindowPrinter::Print(centralWidget(), "Vardenlyke data entry");
}

void TMainForm::BtExitClick() {
  Shed.reset();
  close();
}

void TMainForm::VardenlykeHelp1Click() {
  HelpWindow::ShowTopic("main");
}

void TMainForm::AboutVardenlyke1Click() {
  StdAboutForm->exec();
}

void TMainForm::ChBDimsClick() {
  DimensionsForm->DrawDimensions(diagramWidth, diagramHeight);
  DimensionsForm->setVisible(ChBDims->isChecked());
}
