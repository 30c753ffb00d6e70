// Fonts are measured with QFontMetrics, as the box draws with them; the box's
// own font is kept for the texts that fit it, so short names look as before.
#include "FittedName.h"

#include <QFontMetrics>
#include <QStyle>

#include "Controls.h"

namespace {

bool Fits(const QString& text, const QFont& font, int room) {
  return QFontMetrics(font).horizontalAdvance(text) <= room;
}

}  // namespace

int FittedName::Room(const QLineEdit* box) {
  // QLineEdit keeps two pixels each side inside its frame, one for the cursor.
  constexpr int kInnerMargin = 2;
  const int frame =
      box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box) : 0;
  const QMargins margins = box->textMargins();
  return box->width() - 2 * (frame + kInnerMargin) - margins.left() - margins.right() - 1;
}

QFont FittedName::FittingFont(const QString& text, const QFont& base, int room) {
  if (Fits(text, base, room)) return base;
  QFont narrow = Controls::NarrowFont(base.bold());
  narrow.setPixelSize(base.pixelSize() > 0 ? base.pixelSize() : QFontInfo(base).pixelSize());
  while (!Fits(text, narrow, room) && narrow.pixelSize() > kLeastPixelSize)
    narrow.setPixelSize(narrow.pixelSize() - 1);
  return narrow;
}

void FittedName::Follow(QLineEdit* box) {
  const QFont base = box->font();
  const auto fit = [box, base](const QString& text) {
    box->setFont(FittingFont(text, base, Room(box)));
    box->setToolTip(text);
    // A text that fits shows from its start; the box scrolls only while typing runs past it.
    if (!box->hasFocus()) box->setCursorPosition(0);
  };
  QObject::connect(box, &QLineEdit::textChanged, box, fit);
  fit(box->text());
}
