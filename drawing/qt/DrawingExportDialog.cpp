// The drawing is made on the GUI thread under a wait cursor: the usable
// range's search on every core takes a fraction of a second. Files are put in
// place by the store's atomic writer; the 1:1 print asks where its pages go as
// every window does, and the data file is refused by the printing layer's one
// check (device and inode), however it is named.
#include "DrawingExportDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QVBoxLayout>
#include <cmath>
#include <thread>

#include "DxfWriter.h"
#include "GearDrawing.h"
#include "GearDrawingBuild.h"
#include "QtPrompter.h"
#include "SvgWriter.h"
#include "TextFile.h"
#include "TiledPrint.h"
#include "WindowPrinter.h"

DrawingExportDialog::DrawingExportDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("DrawingExportDialog");
  auto* layout = new QVBoxLayout(this);
  LbWhat = new QLabel(this);
  layout->addWidget(LbWhat);
  auto* crankRow = new QHBoxLayout;
  crankRow->addWidget(new QLabel("Crank angle (deg., as in results.txt):", this));
  EdCrank = new QDoubleSpinBox(this);
  EdCrank->setRange(0, 358);
  EdCrank->setSingleStep(2);
  EdCrank->setDecimals(0);
  crankRow->addWidget(EdCrank);
  layout->addLayout(crankRow);
  RbDxf = new QRadioButton("DXF file, for CAD programs", this);
  RbSvg = new QRadioButton("SVG file, at true size", this);
  RbPrint = new QRadioButton("1:1 print, tiled over pages", this);
  RbPdf = new QRadioButton("1:1 PDF, tiled over pages", this);
  for (QRadioButton* b : {RbDxf, RbSvg, RbPrint, RbPdf}) layout->addWidget(b);
  RbDxf->setChecked(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Accepted(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DrawingExportDialog::Open(const Session& session, const DrawingRequestShown& shown, LengthUnit unit,
                               const std::string& engineName, const std::string& dataFile) {
  session_ = session;
  shown_ = shown;
  unit_ = unit;
  engineName_ = engineName;
  dataFile_ = dataFile;
  setWindowTitle(shown.parts ? "Part sheets" : "Export drawing");
  LbWhat->setText(shown.parts ? QString("Part sheets of %1").arg(QString::fromStdString(engineName))
                              : QString("The gear of %1 at %2 deg. of the lifting arm")
                                    .arg(QString::fromStdString(engineName))
                                    .arg(shown.liftArmDeg, 0, 'g', 4));
  const int step =
      std::isnan(shown.crankDeg) ? BackDeadCentreStep(session.engine()) : CrankStep(shown.crankDeg);
  EdCrank->setValue(2.0 * step);
  EdCrank->setEnabled(!shown.parts);
  open();
}

DrawingExportDialog::Form DrawingExportDialog::ChosenForm() const {
  return RbSvg->isChecked()     ? Form::svg
         : RbPrint->isChecked() ? Form::print
         : RbPdf->isChecked()   ? Form::pdf
                                : Form::dxf;
}

std::optional<Drawing> DrawingExportDialog::Make(QString& error) {
  DrawingRequest request;
  request.liftArmDeg = shown_.liftArmDeg;
  request.crankDeg = EdCrank->value();
  request.parts = shown_.parts;
  request.unit = unit_;
  request.engineName = engineName_;
  request.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const DrawingOutcome outcome = BuildDrawing(session_, request);
  QApplication::restoreOverrideCursor();
  error = QString::fromStdString(outcome.error);
  note_ = QString::fromStdString(outcome.note);
  return outcome.drawing;
}

QString DrawingExportDialog::Export(Form form, const QString& path) {
  const QString refusal = WindowPrinter::DataFileRefusal(path, dataFile_);
  if (!refusal.isEmpty()) return refusal;
  QPrinter printer(QPrinter::HighResolution);
  QString target = path;
  if (form == Form::print) {
    const WindowPrinter::Destination to =
        WindowPrinter::Choose(printer, this, SuggestedFile(".pdf"), dataFile_);
    if (to.kind == WindowPrinter::Destination::Kind::refused) return to.refusal;
    if (to.kind != WindowPrinter::Destination::Kind::chosen) return {};
    target = to.pdf;
  }
  QString error;
  const std::optional<Drawing> drawing = Make(error);
  if (!drawing) return error;
  if (form == Form::print || form == Form::pdf) {
    if (form == Form::pdf) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(path);
    }
    printer.setDocName(QString::fromStdString(engineName_));
    const TileCount tiles = CountTiles(printer, *drawing);
    const QString count = PagesSaid(tiles);
    if (form == Form::print && target.isEmpty() &&
        !AppPrompter().Confirm(windowTitle().toStdString(), (count + "\nPrint them?").toStdString()))
      return {};
    note_ = count + (note_.isEmpty() ? "" : "\n" + note_);
    if (PrintTiled(printer, *drawing, windowTitle() + ": " + QString::fromStdString(engineName_)) == 0)
      return QString("The drawing could not be printed to \"%1\".")
          .arg(target.isEmpty() ? printer.printerName() : target);
    return {};
  }
  std::string reason;
  const std::optional<std::string> text = form == Form::svg ? SvgText(*drawing) : DxfText(*drawing, reason);
  const FileWrite written = text ? WriteFileAtomically(path.toStdString(), *text) : FileWrite{};
  if (!text || !written.ok())
    return QString("The drawing could not be written to \"%1\": %2")
        .arg(path, QString::fromStdString(text ? written.reason : reason));
  return {};
}

QString DrawingExportDialog::PagesSaid(const TileCount& tiles) {
  QString said = QString("The drawing at true size (1:1) takes %1 page%2")
                     .arg(tiles.printed)
                     .arg(tiles.printed == 1 ? "" : "s");
  if (tiles.blank > 0)
    said += QString("; %1 more with nothing of the drawing on them %2 left out")
                .arg(tiles.blank)
                .arg(tiles.blank == 1 ? "is" : "are");
  return said + ".";
}

QString DrawingExportDialog::SuggestedFile(const char* ending) const {
  QString name = QString::fromStdString(engineName_).trimmed();
  // A name may hold characters a file name cannot.
  for (QChar& c : name)
    if (c == '/' || c == '\\' || c.category() == QChar::Other_Control) c = '_';
  if (name.startsWith('.')) name.prepend('_');
  name += name.isEmpty() ? "" : " ";
  const QString folder = QFileInfo(QString::fromStdString(dataFile_)).absolutePath();
  return folder + "/" + name + (shown_.parts ? "parts" : "gear") + ending;
}

void DrawingExportDialog::Accepted() {
  const Form form = ChosenForm();
  QString path;
  if (form != Form::print) {
    const char* ending = form == Form::dxf ? ".dxf" : form == Form::svg ? ".svg" : ".pdf";
    path = QFileDialog::getSaveFileName(this, windowTitle(), SuggestedFile(ending), QString("*") + ending);
    if (path.isEmpty()) return;
  }
  const QString error = Export(form, path);
  if (!error.isEmpty()) {
    QMessageBox::warning(this, windowTitle(), error);
    return;
  }
  // Say what was written, and where; a print says nothing more than its note.
  QString said = note_;
  if (form != Form::print && !path.isEmpty())
    said = QString("Wrote \"%1\".").arg(QDir::toNativeSeparators(path)) + (said.isEmpty() ? "" : "\n" + said);
  if (!said.isEmpty()) QMessageBox::information(this, windowTitle(), said);
  accept();
}
