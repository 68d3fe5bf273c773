#pragma once

#include <QColor>

class QPalette;

namespace tarvelo {

// WCAG contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// The colours the windows fix (pure blue, black) where they can be read:
// against the palette's window colour they are kept when they reach 4.5:1,
// as in the standard light palettes. Otherwise they give way to the nearest
// darker or lighter colour (a blue while one will do) that reaches 7:1, or,
// on a window so near the middle grey that nothing does, to the colour of
// highest contrast: never to one of less contrast than the fixed colour.
// Black gives way to the palette's text colour first, where that reaches 7:1.
QColor readableBlue(const QPalette &palette);
QColor readableBlack(const QPalette &palette);

} // namespace tarvelo
