#include "programlook.h"

#include "imageloadingstyle.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QTranslator>

namespace tarvelo {

namespace {

QPixmap readImage(const QString &path, const char *format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QFont programFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("FreeSans"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    // QFont(family, 8.25) would silently round to 8 pt.
    font.setPointSizeF(8.25);
    return font;
}

void applyProgramLook(QApplication &application)
{
    QApplication::setStyle(new ImageLoadingStyle);
    application.setFont(programFont());
    QApplication::setWindowIcon(QIcon(programIcon()));

    static QTranslator qtTexts;
    if (qtTexts.isEmpty() && qtTexts.load(QStringLiteral(":/i18n/qtbase_es.qm")))
        QApplication::installTranslator(&qtTexts);
}

QPixmap programIcon()
{
    return readImage(QStringLiteral(":/images/tarvelo.png"), "png");
}

QPixmap formulaPicture()
{
    return readImage(QStringLiteral(":/images/formula.gif"), "gif");
}

} // namespace tarvelo
