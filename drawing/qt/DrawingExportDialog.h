// File > "Export drawing…" and "Part sheets…": the dialog that chooses the
// crank angle (for the gear) and the form (DXF, SVG, a 1:1 print or a 1:1
// PDF), then makes the drawing from the session and writes or prints it.
#pragma once

#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QRadioButton>
#include <functional>
#include <string>

#include "DrawingModel.h"
#include "Session.h"
#include "TiledPrint.h"

// What the window asked for: its notch and crank angle (NaN: the back dead centre).
struct DrawingRequestShown {
  double liftArmDeg = 0;
  double crankDeg = 0;
  bool parts = false;
};

class DrawingExportDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Form { dxf, svg, print, pdf };

  explicit DrawingExportDialog(QWidget* parent = nullptr);

  // Shows the dialog for the session's engine (kept as it is now); on OK
  // makes and hands over the drawing. dataFile is never written over.
  void Open(const Session& session, const DrawingRequestShown& shown, LengthUnit unit,
            const std::string& engineName, const std::string& dataFile);

  // Makes the drawing and writes it to path (DXF or SVG by form, a PDF for
  // pdf): empty on success, else the sentence to show. Print asks where its
  // pages go (the print dialog, or a PDF file with no printer installed).
  QString Export(Form form, const QString& path);
  // The file offered first: the engine's name and what is drawn, beside the data file.
  QString SuggestedFile(const char* ending) const;
  // "The drawing at true size (1:1) takes 26 pages; 18 more with nothing of
  // the drawing on them are left out."
  static QString PagesSaid(const TileCount& tiles);

  QDoubleSpinBox* EdCrank;
  QRadioButton *RbDxf, *RbSvg, *RbPrint, *RbPdf;
  QLabel* LbWhat;

 private:
  Form ChosenForm() const;
  void Accepted();
  std::optional<Drawing> Make(QString& error);

  Session session_;  // a copy: the engine and run asked for, whatever happens meanwhile
  DrawingRequestShown shown_;
  LengthUnit unit_ = LengthUnit::none;
  std::string engineName_, dataFile_;
  QString note_;
};
