#pragma once

#include <QFont>

namespace tarvelo {

// The program's face: a sans face at 8.25 pt in place of MS Sans Serif,
// which Linux lacks. FreeSans comes closest to its widths.
QFont programFont();

} // namespace tarvelo
