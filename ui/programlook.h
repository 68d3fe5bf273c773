#pragma once

#include <QFont>
#include <QPixmap>

class QTranslator;

namespace tarvelo {

// The program's face: a sans face at 8.25 pt in place of MS Sans Serif,
// which Linux lacks. FreeSans comes closest to its widths.
QFont programFont();

// Sets the program's font and window icon for the whole application, so the
// message boxes get them too.
void applyProgramLook();

// Qt's own texts in Spanish ("Aceptar", the fields' context menu), embedded so
// nothing is read from disk. The translator must outlive its use.
bool installSpanishQtTexts(QTranslator &translator);

// The icon, read as the PNG it is: naming the format keeps Qt from loading
// every image plugin to guess it.
QPixmap programIcon();

// The formula, built from its compiled-in pixels, its black ink redrawn in
// `ink` where the palette needs another colour to be read.
QPixmap formulaPicture(const QColor &ink = Qt::black, const QColor &background = Qt::white);

} // namespace tarvelo
