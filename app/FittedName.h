// Name boxes that show a whole engine name of up to 29 characters: the text
// is drawn in the box's own font, or in the narrow face, or smaller, until it
// fits the box's room, and the whole name is also the box's tooltip.
#pragma once

#include <QFont>
#include <QLineEdit>

class FittedName {
 public:
  // From now on the box fits every text it takes, starting from its present font.
  static void Follow(QLineEdit* box);
  // The width the box leaves its text (frame, margins and cursor taken off).
  static int Room(const QLineEdit* box);
  // The font the text fits in, from base: base itself, the narrow face at the
  // same size, then the narrow face a pixel smaller at a time, down to kLeast.
  static QFont FittingFont(const QString& text, const QFont& base, int room);
  static constexpr int kLeastPixelSize = 7;
};
