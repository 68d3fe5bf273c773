#include "ui/programimages.h"

#include <QImageReader>

namespace tarvelo {

namespace {

QPixmap readPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QPixmap programIcon(qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1.0)
        return readPng(QStringLiteral(":/images/tarvelo.png"));
    QPixmap fine = readPng(QStringLiteral(":/images/tarvelo-64.png"));
    fine.setDevicePixelRatio(2.0);
    return fine;
}

QIcon programWindowIcon()
{
    QIcon icon(programIcon());
    icon.addPixmap(programIcon(2.0));
    return icon;
}

QPixmap formulaPicture(const QColor &ink, const QColor &background, qreal devicePixelRatio)
{
    // The pixels of formula.gif, compiled in: decoding the GIF at start would
    // load Qt's GIF plugin for one small picture.
#include "assets/formula-pixels.inc"
    static_assert(sizeof kFormulaRows == 168 * 50 + 1 && sizeof kFormulaRows2x == 4 * 168 * 50 + 1);
    // Above 1×, the 2× rendition, which Qt scales down at fractional ratios.
    const int scale = devicePixelRatio > 1.0 ? 2 : 1;
    const char *rows = scale == 2 ? kFormulaRows2x : kFormulaRows;
    const int width = 168 * scale;
    const int height = 50 * scale;
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
        const auto mix = [share](int a, int b) {
            return qRound(a * share + b * (1.0 - share));
        };
        colours.append(qRgb(mix(ink.red(), background.red()), mix(ink.green(), background.green()),
                            mix(ink.blue(), background.blue())));
    }
    colours[kFormulaTransparentIndex] &= RGB_MASK; // as Qt's GIF reader leaves it: fully transparent

    image.setColorTable(colours);
    for (int y = 0; y < height; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            line[x] = static_cast<uchar>(rows[y * width + x] - '0');
    }
    QPixmap picture = QPixmap::fromImage(image);
    picture.setDevicePixelRatio(scale);
    return picture;
}

} // namespace tarvelo
