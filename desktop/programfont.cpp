#include "desktop/programfont.h"

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

} // namespace tarvelo
