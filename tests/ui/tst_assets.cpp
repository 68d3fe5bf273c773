#include "ui/programlook.h"

#include <QFile>
#include <QImageReader>
#include <QTest>

using namespace tarvelo;

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void shouldBeSingleFrameTransparentGif();
    void shouldBeOpaque256ColourIcon();
    void shouldShowSameIconInBothFormats();
};

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

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
