// The fixed colours (pure blue, black) against every grey a window can have
// and a few coloured desktop palettes.

#include <QPalette>
#include <QTest>

#include <algorithm>

#include "desktop/readablecolours.h"

using namespace tarvelo;

class TestReadableColours : public QObject {
    Q_OBJECT

private slots:
    void shouldKeepOrReplaceFixedColour_data();
    void shouldKeepOrReplaceFixedColour();
};

void TestReadableColours::shouldKeepOrReplaceFixedColour_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    for (int grey = 0; grey <= 255; ++grey) {
        const QColor window(grey, grey, grey);
        // A text colour of weak contrast, so that black cannot simply take it.
        QTest::addRow("grey-%03d", grey) << window << (grey < 128 ? window.lighter(120) : window.darker(120));
    }
    QTest::newRow("adwaita-dark") << QColor(50, 50, 50) << QColor(238, 238, 238);
    QTest::newRow("solarized-dark") << QColor(0, 43, 54) << QColor(131, 148, 150);
    QTest::newRow("solarized-light") << QColor(253, 246, 227) << QColor(101, 123, 131);
    QTest::newRow("navy") << QColor(0, 0, 128) << QColor(255, 255, 255);
    QTest::newRow("cornflower") << QColor(100, 149, 237) << QColor(0, 0, 0);
    QTest::newRow("brick") << QColor(178, 34, 34) << QColor(255, 255, 255);
    QTest::newRow("teal") << QColor(0, 128, 128) << QColor(255, 255, 255);
}

void TestReadableColours::shouldKeepOrReplaceFixedColour()
{
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    const double most = std::max(contrastRatio(Qt::black, window), contrastRatio(Qt::white, window));

    for (const auto &[fixed, readable] :
         {std::pair{QColor(0, 0, 255), readableBlue(palette)}, std::pair{QColor(0, 0, 0), readableBlack(palette)}}) {
        const QString which = fixed.name() + QStringLiteral(" became ") + readable.name();
        const double before = contrastRatio(fixed, window);
        const double after = contrastRatio(readable, window);
        if (before >= 4.5) {
            QVERIFY2(readable == fixed, qPrintable(which));
            continue;
        }
        QVERIFY2(after >= before, qPrintable(which));
        if (most >= 7.0)
            QVERIFY2(after >= 7.0, qPrintable(which));
        else
            QVERIFY2(qFuzzyCompare(after, most), qPrintable(which));
        // A blue while one reaches 7:1 (black and white count at the ends).
        if (fixed.blue() == 255 && after >= 7.0)
            QVERIFY2(readable.blue() >= std::max(readable.red(), readable.green()), qPrintable(which));
    }
    // The desktop's own text colour, where it reads well, for what is black.
    if (contrastRatio(Qt::black, window) < 4.5 && contrastRatio(text, window) >= 7.0)
        QCOMPARE(readableBlack(palette), text);
}

QTEST_MAIN(TestReadableColours)
#include "tst_readablecolours.moc"
