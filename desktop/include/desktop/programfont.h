#pragma once

#include <QFont>

namespace tarvelo {

// The program's face: a sans face at 8.25 pt in place of MS Sans Serif,
// which Linux lacks. FreeSans comes closest to its widths.
QFont programFont();

// Makes the faces the program carries (on Windows, which has no FreeSans)
// known to Qt; nothing where it carries none. Needs the application.
void addCarriedFaces();

} // namespace tarvelo
