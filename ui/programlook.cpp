#include "programlook.h"

#include "statusline.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QTranslator>

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

void applyProgramLook()
{
    installAccessibleRoles();
    QApplication::setFont(programFont());
    QApplication::setWindowIcon(QIcon(programIcon()));
}

bool installSpanishQtTexts(QTranslator &translator)
{
    return translator.load(QStringLiteral(":/i18n/qtbase_es.qm")) && QApplication::installTranslator(&translator);
}

QPixmap programIcon()
{
    QImageReader reader(QStringLiteral(":/images/tarvelo.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QPixmap formulaPicture(const QColor &ink, const QColor &background)
{
    // The pixels of formula.gif, compiled in: decoding the GIF at start would
    // load Qt's GIF plugin for one small picture.
#include "assets/formula-pixels.inc"
    constexpr int width = 168;
    constexpr int height = 50;
    static_assert(sizeof kFormulaRows == width * height + 1);
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const QRgb rgb : kFormulaPalette) {
        if (ink == Qt::black) {
            colours.append(qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)));
            continue;
        }
        // Black ink with grey edges, redrawn in another ink over this
        // background: each grey keeps its share of ink.
        const double share = 1.0 - qGray(rgb) / 255.0;
        const auto mix = [share](int a, int b) { return qRound(a * share + b * (1.0 - share)); };
        colours.append(qRgb(mix(ink.red(), background.red()), mix(ink.green(), background.green()),
                            mix(ink.blue(), background.blue())));
    }
    colours[kFormulaTransparentIndex] &= RGB_MASK; // as Qt's GIF reader leaves it: fully transparent

    image.setColorTable(colours);
    for (int y = 0; y < height; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            line[x] = static_cast<uchar>(kFormulaRows[y * width + x] - '0');
    }
    return QPixmap::fromImage(image);
}

} // namespace tarvelo
