#include "desktop/programfont.h"

#include <QDir>
#include <QFontDatabase>
#include <QStringList>

namespace tarvelo {

QFont programFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("FreeSans"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    // QFont(family, 8.25) would silently round to 8 pt.
    font.setPointSizeF(8.25);
    return font;
}

void addCarriedFaces()
{
    const QDir faces(QStringLiteral(":/fonts"));
    for (const QString &name : faces.entryList(QDir::Files))
        QFontDatabase::addApplicationFont(faces.filePath(name));
}

} // namespace tarvelo
