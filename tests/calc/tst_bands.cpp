#include <QTest>

#include "calc/bands.h"
#include "calc/indexcalculation.h"
#include "support/statustext.h"

using namespace tarvelo;

Q_DECLARE_METATYPE(tarvelo::BandLabel)

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
    QTest::addColumn<BandLabel>("label");
    QTest::addColumn<QString>("status");

    QTest::newRow("below-16-49") << "167" << "46" << BandLabel::None << kBelowBands;
    QTest::newRow("zero") << "1e4" << "1" << BandLabel::None << kBelowBands;
    QTest::newRow("lower-16-50") << "206" << "70" << BandLabel::Label16 << statusText("16,50", " Infrapeso");
    QTest::newRow("upper-18-49") << "104" << "20" << BandLabel::Label16 << statusText("18,49", " Infrapeso");
    QTest::newRow("lower-18-50-from-18-4965")
        << "174" << "56" << BandLabel::Label18 << statusText("18,50", " Bajo peso");
    QTest::newRow("upper-20-49") << "121" << "30" << BandLabel::Label18 << statusText("20,49", " Bajo peso");
    QTest::newRow("lower-20-50") << "153" << "48" << BandLabel::Label20 << statusText("20,50", " Peso normal");
    QTest::newRow("typical-24-22") << "170" << "70" << BandLabel::Label20 << statusText("24,22", " Peso normal");
    QTest::newRow("upper-25-49") << "101" << "26" << BandLabel::Label20 << statusText("25,49", " Peso normal");
    QTest::newRow("lower-25-50") << "176" << "79" << BandLabel::Label25 << statusText("25,50", " Obesidad tipo I");
    QTest::newRow("upper-29-99") << "188" << "106" << BandLabel::Label25 << statusText("29,99", " Obesidad tipo I");
    QTest::newRow("lower-30-00") << "156" << "73" << BandLabel::Label30 << statusText("30,00", " Obesidad premorbida");
    QTest::newRow("upper-39-99") << "181" << "131" << BandLabel::Label30 << statusText("39,99", " Obesidad premorbida");
    QTest::newRow("lower-40-00") << "100" << "40" << BandLabel::None << statusText("40,00", " Obesidad morbida");
    QTest::newRow("upper-100-00") << "149" << "222" << BandLabel::None << statusText("100,00", " Obesidad morbida");
    // Above the table: no class, but the caption still names this index.
    QTest::newRow("above-100") << "50" << "100" << BandLabel::None << statusText("400,00", "");
    QTest::newRow("far-above-grouped") << "100" << "32767" << BandLabel::None << statusText("32.767,00", "");
    // clang-format on
}

void TestBands::shouldClassifyTwoDecimalText()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(BandLabel, label);
    QFETCH(QString, status);

    const IndexValue value = calculateIndex(height, weight).index;
    QVERIFY(!value.isEmpty());
    QCOMPARE(labelToFrame(value), label);
    QCOMPARE(statusCaption(value), status);
}

void TestBands::shouldReadEmptyAsLowestBand()
{
    const IndexValue empty;
    QCOMPARE(statusCaption(empty), kBelowBands);
    QCOMPARE(labelToFrame(empty), BandLabel::None);
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
