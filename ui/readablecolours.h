#pragma once

#include <QColor>

class QPalette;

namespace tarvelo {

// WCAG contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// The colours the windows fix (pure blue, black) where they can be read:
// against the palette's window colour they are kept when they reach 4.5:1,
// as in the standard light palettes. Otherwise black gives way to the
// palette's text colour, and blue to the nearest lighter blue that reaches it.
QColor readableBlue(const QPalette &palette);
QColor readableBlack(const QPalette &palette);

} // namespace tarvelo
