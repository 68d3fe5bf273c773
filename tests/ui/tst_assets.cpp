#include <QFile>
#include <QImageReader>
#include <QTest>

#include "ui/programimages.h"

using namespace tarvelo;

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void shouldBeSingleFrameTransparentGif();
    void shouldBeOpaque256ColourIcon();
    void shouldShowSameIconInBothFormats();
    void shouldDrawSameDesignAtFinerRatios_data();
    void shouldDrawSameDesignAtFinerRatios();
};

namespace {

// Share of the coarse image's pixels whose ink (or ground) the fine one,
// `factor` times larger, repeats in the majority of the matching block.
double agreement(const QImage &coarse, const QImage &fine, int factor, bool (*isInk)(QColor))
{
    int agreeing = 0;
    for (int y = 0; y < coarse.height(); ++y) {
        for (int x = 0; x < coarse.width(); ++x) {
            int inked = 0;
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx)
                    inked += isInk(fine.pixelColor(x * factor + dx, y * factor + dy));
            }
            agreeing += (2 * inked > factor * factor) == isInk(coarse.pixelColor(x, y));
        }
    }
    return double(agreeing) / (coarse.width() * coarse.height());
}

bool isFormulaInk(QColor c)
{
    return c.alpha() == 255 && c.lightness() < 128;
}
bool isIconGreen(QColor c)
{
    return c.green() > c.blue();
}

} // namespace

void TestAssets::shouldBeSingleFrameTransparentGif()
{
    QFile file(QStringLiteral(TARVELO_ASSETS_DIR "/formula.gif"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(6), QByteArray("GIF89a"));
    file.seek(0);
    QImageReader reader(&file, "gif");
    QCOMPARE(reader.imageCount(), 1);
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(168, 50));
    // The program shows exactly the GIF's pixels.
    QCOMPARE(formulaPicture().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             image.convertToFormat(QImage::Format_ARGB32_Premultiplied));

    // Ink in black and two greys; everything else fully transparent.
    QSet<QRgb> opaque;
    int transparent = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                ++transparent;
            else
                opaque.insert(pixel | 0xFF000000);
        }
    }
    QVERIFY(transparent > image.width() * image.height() / 2);
    QVERIFY(opaque.contains(qRgb(0, 0, 0)));
    QCOMPARE(opaque.size(), 3);
    for (const QRgb colour : opaque)
        QVERIFY(qRed(colour) == qGreen(colour) && qGreen(colour) == qBlue(colour));
}

void TestAssets::shouldBeOpaque256ColourIcon()
{
    QFile file(QStringLiteral(TARVELO_ASSETS_DIR "/tarvelo.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    QCOMPARE(ico.size(), 6 + 16 + 2216);
    QCOMPARE(ico.mid(0, 6), QByteArray::fromHex("000001000100"));
    const QImage image = QImage::fromData(ico, "ico");
    QCOMPARE(image.size(), QSize(32, 32));
    // One 8-bit image of 2,216 bytes (header, 256-entry palette, pixels, mask).
    QCOMPARE(quint8(ico[6 + 6]), quint8(8));
    QCOMPARE(quint8(ico[22 + 14]), quint8(8));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x)
            QCOMPARE(qAlpha(image.pixel(x, y)), 255);
    }
    // Dark green cross at the centre, pale lilac-grey ground in the corner.
    const QColor centre = image.pixelColor(16, 16);
    QVERIFY(centre.green() > centre.red() && centre.green() > centre.blue() && centre.value() < 128);
    const QColor corner = image.pixelColor(0, 0);
    QVERIFY(corner.blue() > corner.green() && corner.red() > corner.green() && corner.lightness() > 180);
}

void TestAssets::shouldShowSameIconInBothFormats()
{
    QFile file(QStringLiteral(TARVELO_ASSETS_DIR "/tarvelo.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QImage fromIco = QImage::fromData(file.readAll(), "ico").convertToFormat(QImage::Format_RGB32);
    const QImage fromPng = programIcon().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(fromPng, fromIco);
}

void TestAssets::shouldDrawSameDesignAtFinerRatios_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("2x") << qreal(2.0);
    // Fractional ratios take the 2x rendition, which Qt scales down.
    QTest::newRow("1.25x") << qreal(1.25);
    QTest::newRow("1.5x") << qreal(1.5);
}

void TestAssets::shouldDrawSameDesignAtFinerRatios()
{
    QFETCH(qreal, ratio);
    const QPixmap formula = formulaPicture(Qt::black, Qt::white, ratio);
    QCOMPARE(formula.devicePixelRatio(), 2.0);
    QCOMPARE(formula.size(), QSize(336, 100));
    QVERIFY(agreement(formulaPicture().toImage(), formula.toImage(), 2, isFormulaInk) > 0.97);

    const QPixmap icon = programIcon(ratio);
    QCOMPARE(icon.devicePixelRatio(), 2.0);
    QCOMPARE(icon.size(), QSize(64, 64));
    QVERIFY(agreement(programIcon().toImage(), icon.toImage(), 2, isIconGreen) > 0.97);
    // The package's larger icons are the same design too.
    for (const int size : {48, 64, 128, 256}) {
        const QImage packaged(QStringLiteral(TARVELO_ASSETS_DIR "/tarvelo-%1.png").arg(size), "png");
        QCOMPARE(packaged.size(), QSize(size, size));
        if (size % 32 == 0)
            QVERIFY(agreement(programIcon().toImage(), packaged, size / 32, isIconGreen) > 0.97);
    }
}

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
