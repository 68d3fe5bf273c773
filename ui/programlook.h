#pragma once

#include <QFont>
#include <QPixmap>

class QEvent;
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

// The icon, 32 × 32 logical pixels, read as the PNG it is: naming the format
// keeps Qt from loading every image plugin to guess it. Above 1×, the 64-pixel
// rendition of the same design.
QPixmap programIcon(qreal devicePixelRatio = 1.0);

// The formula, 168 × 50 logical pixels, built from its compiled-in pixels (2×
// ones above 1×), its black ink redrawn in `ink` where the palette needs
// another colour to be read.
QPixmap formulaPicture(const QColor &ink = Qt::black, const QColor &background = Qt::white,
                       qreal devicePixelRatio = 1.0);

// True for the event that tells a window its screen's scale changed (Qt 6.6
// and later; before, a window keeps the rendition it was built with).
bool isDevicePixelRatioChange(const QEvent *event);

} // namespace tarvelo
