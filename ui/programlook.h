#pragma once

#include <QFont>
#include <QPixmap>

class QApplication;

namespace tarvelo {

// The program's face: a sans face at 8.25 pt in place of MS Sans Serif,
// which Linux lacks. FreeSans comes closest to its widths.
QFont programFont();

// Sets the program's font and window icon for the whole application, so the
// About box and the message boxes get them too, and Qt's own texts in Spanish
// ("Aceptar", the fields' context menu), embedded so nothing is read from disk.
void applyProgramLook(QApplication &application);

// The images: the icon read as the PNG it is (naming the format keeps Qt from
// loading every image plugin to guess it), the formula built from its pixels.
QPixmap programIcon();

// A PNG read as one, with format detection off.
QPixmap readPng(const QString &path);
QPixmap formulaPicture();

} // namespace tarvelo
