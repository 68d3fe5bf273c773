// One keystroke's work in the core: validate, compute, format, classify and
// write the status text.

#include <QTest>

#include "calc/bands.h"
#include "calc/indexcalculation.h"

using namespace tarvelo;

class BenchCore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void keystroke_data()
    {
        // clang-format off
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("weight");
        QTest::newRow("typical") << "170" << "70";
        QTest::newRow("grouped-result") << "1,1" << "2";
        QTest::newRow("refused-silently") << "170" << "7a";
        QTest::newRow("long-weight-10000") << "170" << QString(10000, '7');
        // clang-format on
    }

    void keystroke()
    {
        QFETCH(QString, height);
        QFETCH(QString, weight);
        QString caption;
        std::optional<std::size_t> band;
        QBENCHMARK {
            const IndexCalculation result = calculateIndex(height, weight);
            if (result.accepted())
                band = bandToFrame(result.index);
            caption = statusCaption(result.index);
        }
        QVERIFY(!caption.isEmpty());
        Q_UNUSED(band);
    }
};

QTEST_GUILESS_MAIN(BenchCore)
#include "bench_core.moc"
