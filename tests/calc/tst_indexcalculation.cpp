#include <QScopeGuard>
#include <QTest>

#include "calc/bands.h"
#include "calc/indexcalculation.h"

using namespace tarvelo;

namespace {

// Written out, not taken from the code: a misspelt message must fail here.
const QString kHeightNotNumeric = QStringLiteral("debe ingresar un Número: Ej: 100");
const QString kHeightInvalid = QStringLiteral("Debe ingresar una altura valida, Ej: 169");
const QString kWeightInvalid = QStringLiteral("Debe ingresar un peso valido, Ej: 70");

} // namespace

class TestIndexCalculation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void shouldComputeIndexText_data();
    void shouldComputeIndexText();
    void shouldRefuseInCheckOrder_data();
    void shouldRefuseInCheckOrder();
    void shouldAnswerMegabytePastes();
};

void TestIndexCalculation::shouldComputeIndexText_data()
{
    // clang-format off
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("indexText");

    QTest::newRow("typical") << "170" << "70" << "24,22";
    // A 64-bit height would give 16.528,93.
    QTest::newRow("float-height") << "1,1" << "2" << "16.528,92";
    QTest::newRow("float-height-point") << "1.1" << "2" << "16.528,92";
    QTest::newRow("one") << "100" << "1" << "1,00";
    QTest::newRow("15-digit-half-rounds-up") << "112" << "98" << "78,13";
    QTest::newRow("rounded-to-band-edge") << "174" << "56" << "18,50";
    QTest::newRow("lowest-band-edge") << "206" << "70" << "16,50";
    QTest::newRow("below-bands") << "167" << "46" << "16,49";
    QTest::newRow("obesity-edge") << "156" << "73" << "30,00";
    QTest::newRow("hundred") << "149" << "222" << "100,00";
    QTest::newRow("above-hundred") << "50" << "100" << "400,00";
    QTest::newRow("rounds-to-zero") << "1e3" << "1" << "0,01";
    QTest::newRow("shows-zero") << "1e4" << "1" << "0,00";
    QTest::newRow("weight-fraction-truncated-by-rounding") << "170" << "70,4" << "24,22";
    QTest::newRow("weight-half-to-even") << "170" << "70,5" << "24,22";
    QTest::newRow("weight-half-to-even-up") << "170" << "71,5" << "24,91";
    QTest::newRow("weight-blanks") << "170" << " 70 " << "24,22";
    QTest::newRow("height-with-sign") << "+170" << "70" << "24,22";
    QTest::newRow("tiny-height-huge-index") << ",01" << "32767" << "3.276.700.146.479,91";
    // (1 / h²) × w, not w / h²: the quotient would end in ,32.
    QTest::newRow("reciprocal-then-product") << ",01" << "1878" << "187.800.008.395,31";
    QTest::newRow("max-weight") << "100" << "32767" << "32.767,00";
    // clang-format on
}

void TestIndexCalculation::shouldComputeIndexText()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, indexText);

    const IndexCalculation result = calculateIndex(height, weight);
    QVERIFY(!result.refusal.has_value());
    QVERIFY(result.accepted());
    QCOMPARE(result.index.text(), indexText);
}

void TestIndexCalculation::shouldRefuseInCheckOrder_data()
{
    // clang-format off
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("message"); // empty: refused without a message

    QTest::newRow("empty-height-empty-weight") << "" << "" << kHeightNotNumeric;
    QTest::newRow("empty-height-any-weight") << "" << "70" << kHeightNotNumeric;
    QTest::newRow("letters-height-letters-weight") << "abc" << "xyz" << kHeightNotNumeric;
    QTest::newRow("grouped-height") << "1.000,5" << "70" << kHeightNotNumeric;
    QTest::newRow("numeric-height-empty-weight") << "170" << "" << QString();
    QTest::newRow("numeric-height-letters-weight") << "170" << "setenta" << QString();
    QTest::newRow("zero-height-before-weight") << "0" << "0" << kHeightInvalid;
    QTest::newRow("negative-height") << "-5" << "0" << kHeightInvalid;
    QTest::newRow("negative-zero-height") << "-0" << "70" << kHeightInvalid;
    QTest::newRow("underflowing-height") << "1e-60" << "70" << kHeightInvalid;
    QTest::newRow("height-beyond-float") << "1e39" << "70" << kHeightInvalid;
    QTest::newRow("height-beyond-float-bad-weight") << "1e39" << "abc" << QString();
    QTest::newRow("zero-weight") << "170" << "0" << kWeightInvalid;
    QTest::newRow("negative-weight") << "170" << "-3" << kWeightInvalid;
    QTest::newRow("weight-rounds-to-zero") << "170" << "0,4" << kWeightInvalid;
    QTest::newRow("weight-half-rounds-to-even-zero") << "170" << "0,5" << kWeightInvalid;
    QTest::newRow("weight-above-16-bits") << "170" << "40000" << kWeightInvalid;
    QTest::newRow("weight-below-16-bits") << "170" << "-40000" << kWeightInvalid;
    QTest::newRow("weight-exponent-out-of-range") << "170" << "1e9" << kWeightInvalid;
    QTest::newRow("weight-long-paste") << "170" << QString(400, '9') << kWeightInvalid;
    // clang-format on
}

void TestIndexCalculation::shouldRefuseInCheckOrder()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, message);

    const IndexCalculation result = calculateIndex(height, weight);
    QVERIFY(!result.accepted());
    QVERIFY(result.index.isEmpty());
    QCOMPARE(result.refusal.has_value(), !message.isEmpty());
    if (result.refusal)
        QCOMPARE(*result.refusal, message);
}

void TestIndexCalculation::shouldAnswerMegabytePastes()
{
    const QString digits(1 << 20, '8');
    const QString letters(1 << 20, 'k');
    QCOMPARE(calculateIndex(u"170", digits).refusal.value_or(QString()), kWeightInvalid);
    QVERIFY(!calculateIndex(u"170", letters).refusal.has_value());
    QCOMPARE(calculateIndex(letters, u"70").refusal.value_or(QString()), kHeightNotNumeric);
}

QTEST_GUILESS_MAIN(TestIndexCalculation)
#include "tst_indexcalculation.moc"
