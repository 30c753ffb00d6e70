// The live reverser and the exports. A reverser move only records the latest
// angle and asks for one run at the next turn of the event loop, so however
// fast the slider moves, one run is computed per turn and nothing queues up;
// results.txt is written when the slider is let go.
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "BoxText.h"
#include "QtPrompter.h"
#include "Reaction.h"
#include "StudyCsvFile.h"
#include "StudyPrinter.h"
#include "TStudyForm.h"

void TStudyForm::UpdateReverser() {
  const Session& session = model_.session();
  const bool studied = haveStudy_ && study_.problem == StudyProblem::none && study_.usable;
  // The reverser keeps the session's equal-lead setting; it can drive the
  // other windows only when this study was made with that same setting.
  const bool sameSetting = !session.centring() || session.settingAngleDeg() == study_.settingDeg;
  Reverser->setEnabled(studied && sameSetting);
  if (studied && !sameSetting)
    LbReverserNote->setText(QString("The RESULTS window keeps equal leads set at %1 deg.; study that setting "
                                    "to use the reverser.")
                                .arg(BoxText::Format(*session.settingAngleDeg())));
  else if (LbReverserNote->text().startsWith("The RESULTS"))
    LbReverserNote->setText("");
}

void TStudyForm::ReverserChanged(int value) {
  pendingAngle_ = SliderAngle(value);
  LbReverser->setText(BoxText::Format(*pendingAngle_) + " deg.");
  // A key or a click on the groove is a move and a release at once.
  if (!Reverser->isSliderDown()) releasePending_ = true;
  ScheduleMove();
}

void TStudyForm::ReverserLetGo() {
  releasePending_ = true;
  ScheduleMove();
}

void TStudyForm::ScheduleMove() {
  if (moveScheduled_) return;
  moveScheduled_ = true;
  QTimer::singleShot(0, this, Reaction([this] { MovePending(); }));
}

void TStudyForm::MovePending() {
  moveScheduled_ = false;
  if (!Reverser->isEnabled()) pendingAngle_.reset();  // a new study is on its way
  if (pendingAngle_) {
    const double degrees = *pendingAngle_;
    pendingAngle_.reset();
    const RunOutcome outcome = model_.MoveReverser(degrees, study_.settingDeg);
    // Said beside the slider: a message box would stop the drag.
    LbReverserNote->setText(
        outcome.ok()
            ? QString()
            : QString("At %1 deg.: %2")
                  .arg(BoxText::Format(degrees), QString::fromStdString(FailureMessage(*outcome.failure))));
  }
  if (releasePending_ && !Reverser->isSliderDown()) {
    releasePending_ = false;
    model_.ReleaseReverser();
  }
}

void TStudyForm::PlotClicked(int plot, QPoint pixel) {
  if (!Reverser->isEnabled()) return;
  const auto angle = Charts->AngleAt(plot, pixel);
  if (!angle) return;
  const int value = std::clamp(SliderValue(*angle), Reverser->minimum(), Reverser->maximum());
  if (value == Reverser->value()) return ReverserChanged(value);
  Reverser->setValue(value);
}

void TStudyForm::ExportCsv(const QString& path) {
  if (!WriteStudyCsvFile(study_, LbName->text().toStdString(), path.toStdString()).ok())
    AppPrompter().Inform("Message", ("Cannot write \"" + path + "\".").toStdString());
}

void TStudyForm::ExportPdf(const QString& path) {
  StudyPrinter::WritePdf(path, {windowTitle() + ": " + LbName->text() + ", equal leads set at " +
                                    BoxText::Format(study_.settingDeg) + " deg.",
                                LbSummary->text().split('\n'), Charts, &tableModel_});
}

void TStudyForm::CsvClick() {
  if (!haveStudy_ || study_.rows.empty())
    return AppPrompter().Inform("Message", "There is no study to export.");
  const QString path =
      QFileDialog::getSaveFileName(this, "Export the study as CSV", "study.csv", "CSV files (*.csv)");
  if (!path.isEmpty()) ExportCsv(path);
}

void TStudyForm::PdfClick() {
  if (!haveStudy_ || study_.rows.empty())
    return AppPrompter().Inform("Message", "There is no study to print.");
  const QString path =
      QFileDialog::getSaveFileName(this, "Save the study as PDF", "study.pdf", "PDF files (*.pdf)");
  if (!path.isEmpty()) ExportPdf(path);
}

void TStudyForm::PrintClick() {
  if (!haveStudy_ || study_.rows.empty())
    return AppPrompter().Inform("Message", "There is no study to print.");
  if (QPrinterInfo::defaultPrinter().isNull())
    return AppPrompter().Inform("Message", "No printer is installed; use PDF... to save the page as a file.");
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  StudyPrinter::Render(
      printer, {windowTitle() + ": " + LbName->text(), LbSummary->text().split('\n'), Charts, &tableModel_});
}
