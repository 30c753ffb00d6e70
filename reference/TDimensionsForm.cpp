// The dimensions window's controls and the whole drawing of its diagram. The
// picture is never erased: every drawing paints over the same places.
#include "TDimensionsForm.h"

#include "Controls.h"
#include "DimensionDiagram.h"
#include "WindowPlacement.h"

namespace {

QLabel* Note(QWidget* parent, const QString& text, int left, int top, int width, int height) {
  auto* note = new QLabel(text, parent);
  note->setFont(Controls::NarrowFont());
  note->setGeometry(left, top, width, height);
  Controls::SetBackground(note, parent->palette().color(QPalette::HighlightedText));
  return note;
}

}  // namespace

TDimensionsForm::TDimensionsForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("DimensionsForm");
  setProperty("helpTopic", "dimensions");  // the help page F1 opens
  setWindowTitle("Dimensions");
  setFont(Controls::Font());
  Img_Scantlings = new ImageView(this, 13, 26, 450, 200);
  Img_Scantlings->SetStretch(true);
  Label1 =
      Note(this, "NOTE: Radial and circumferential displacements of  link lifting pin", 19, 243, 306, 13);
  Label2 = Note(this, "from the central position are both shown in the positive direction in this diagram",
                18, 263, 369, 13);
  WindowPlacement::PlaceOuter(this, {255, 80}, {486, 312});
}

void TDimensionsForm::DrawDimensions() {
  diagramWidth = Img_Scantlings->width();
  diagramHeight = Img_Scantlings->height();
  DimensionDiagram diagram(Img_Scantlings->canvas(), diagramWidth, diagramHeight);
  diagram.CentreLines();
  diagram.Link();
  for (int index = 0; index < DimensionDiagram::kMarkings; ++index) diagram.Mark(index, false);
}

void TDimensionsForm::Mark(int index, bool highlight) {
  DimensionDiagram(Img_Scantlings->canvas(), diagramWidth, diagramHeight).Mark(index, highlight);
}
