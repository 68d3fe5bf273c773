#include <QTest>

#include "calc/bands.h"
#include "calc/indexcalculation.h"
#include "support/statustext.h"

using namespace tarvelo;

using tarvelo::testing::kBelowBands;
using tarvelo::testing::statusText;

class TestBands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void shouldClassifyTwoDecimalText_data();
    void shouldClassifyTwoDecimalText();
    void shouldReadEmptyAsLowestBand();
    void shouldCoverEveryTextUpToHundredOnce();
};

void TestBands::shouldClassifyTwoDecimalText_data()
{
    // clang-format off
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    // The class of the band whose label is framed, or none.
    QTest::addColumn<QString>("framed");
    QTest::addColumn<QString>("status");

    QTest::newRow("below-16-49") << "167" << "46" << "" << kBelowBands;
    QTest::newRow("zero") << "1e4" << "1" << "" << kBelowBands;
    QTest::newRow("lower-16-50") << "206" << "70" << " Infrapeso" << statusText("16,50", " Infrapeso");
    QTest::newRow("upper-18-49") << "104" << "20" << " Infrapeso" << statusText("18,49", " Infrapeso");
    QTest::newRow("lower-18-50-from-18-4965")
        << "174" << "56" << " Bajo peso" << statusText("18,50", " Bajo peso");
    QTest::newRow("upper-20-49") << "121" << "30" << " Bajo peso" << statusText("20,49", " Bajo peso");
    QTest::newRow("lower-20-50") << "153" << "48" << " Peso normal" << statusText("20,50", " Peso normal");
    QTest::newRow("typical-24-22") << "170" << "70" << " Peso normal" << statusText("24,22", " Peso normal");
    QTest::newRow("upper-25-49") << "101" << "26" << " Peso normal" << statusText("25,49", " Peso normal");
    QTest::newRow("lower-25-50") << "176" << "79" << " Obesidad tipo I" << statusText("25,50", " Obesidad tipo I");
    QTest::newRow("upper-29-99") << "188" << "106" << " Obesidad tipo I" << statusText("29,99", " Obesidad tipo I");
    QTest::newRow("lower-30-00") << "156" << "73" << " Obesidad premorbida" << statusText("30,00", " Obesidad premorbida");
    QTest::newRow("upper-39-99") << "181" << "131" << " Obesidad premorbida" << statusText("39,99", " Obesidad premorbida");
    QTest::newRow("lower-40-00") << "100" << "40" << "" << statusText("40,00", " Obesidad morbida");
    QTest::newRow("upper-100-00") << "149" << "222" << "" << statusText("100,00", " Obesidad morbida");
    // Above the table: no class, but the caption still names this index.
    QTest::newRow("above-100") << "50" << "100" << "" << statusText("400,00", "");
    QTest::newRow("far-above-grouped") << "100" << "32767" << "" << statusText("32.767,00", "");
    // clang-format on
}

void TestBands::shouldClassifyTwoDecimalText()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, framed);
    QFETCH(QString, status);

    const IndexValue value = calculateIndex(height, weight).index;
    QVERIFY(!value.isEmpty());
    const auto band = bandToFrame(value);
    QCOMPARE(band ? QString::fromLatin1(kBandTable[*band].classText) : QString(), framed);
    QCOMPARE(statusCaption(value), status);
}

void TestBands::shouldReadEmptyAsLowestBand()
{
    const IndexValue empty;
    QCOMPARE(statusCaption(empty), kBelowBands);
    QVERIFY(!bandToFrame(empty));
    QCOMPARE(findBandRow(empty), std::optional<std::size_t>(6));
}

void TestBands::shouldCoverEveryTextUpToHundredOnce()
{
    // Every two-decimal value from 0,00 to 100,00 lies in exactly one row,
    // and nothing above.
    for (int hundredths = 0; hundredths <= 10001; ++hundredths) {
        const IndexValue value = IndexValue::fromIndex(hundredths / 100.0);
        int matching = 0;
        for (const BandRow &row : kBandTable)
            matching += value.isAtLeast(row.lower) && value.isAtMost(row.upper);
        QCOMPARE(matching, hundredths <= 10000 ? 1 : 0);
    }
}

QTEST_GUILESS_MAIN(TestBands)
#include "tst_bands.moc"
