#include <QScopeGuard>
#include <QTest>

#include <limits>

#include "runtime/indexvalue.h"
#include "runtime/standardformat.h"

using namespace tarvelo;

class TestStandardFormat : public QObject {
    Q_OBJECT

private slots:
    void shouldWriteTwoDecimalsInLocale_data();
    void shouldWriteTwoDecimalsInLocale();
    void shouldFollowDefaultLocale();
    void shouldCompareAsTheNumberShown_data();
    void shouldCompareAsTheNumberShown();
    void shouldTreatEmptyAsZero();
};

void TestStandardFormat::shouldWriteTwoDecimalsInLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("es-typical") << "es_ES" << 24.221453287197232 << "24,22";
    QTest::newRow("es-five-digits-grouped") << "es_ES" << 16528.924904 << "16.528,92";
    QTest::newRow("es-four-digits-ungrouped") << "es_ES" << 1234.5 << "1234,50";
    QTest::newRow("es-seven-digits") << "es_ES" << 1234567.891 << "1.234.567,89";
    QTest::newRow("es-exact-half-away-from-zero") << "es_ES" << 28.125 << "28,13";
    // 78.12499999999999 in binary; its 15-digit form ends in ...125, rounded up.
    QTest::newRow("es-half-after-15-digits") << "es_ES" << 10000.0 * ((1.0 / (112.0 * 112.0)) * 98.0) << "78,13";
    QTest::newRow("es-just-below-half") << "es_ES" << 0.0149 << "0,01";
    QTest::newRow("es-carry-through-nines") << "es_ES" << 99.995 << "100,00";
    QTest::newRow("es-carry-new-group") << "es_ES" << 99999.999 << "100.000,00";
    QTest::newRow("es-zero") << "es_ES" << 0.0 << "0,00";
    QTest::newRow("es-tiny") << "es_ES" << 1e-10 << "0,00";
    QTest::newRow("es-half-cent") << "es_ES" << 0.005 << "0,01";
    QTest::newRow("es-one") << "es_ES" << 1.0 << "1,00";
    QTest::newRow("es-negative") << "es_ES" << -3.456 << "-3,46";
    QTest::newRow("es-negative-rounds-to-zero") << "es_ES" << -0.001 << "0,00";
    QTest::newRow("es-trillions") << "es_ES" << 3276700000000.0 << "3.276.700.000.000,00";
    QTest::newRow("es-beyond-15-digits-zeros") << "es_ES" << 1234567890123456789.0 << "1.234.567.890.123.460.000,00";
    QTest::newRow("es-largest-index") << "es_ES" << 1.7e98 << QString("170") + QString(".000").repeated(32) + ",00";
    QTest::newRow("mx-typical") << "es_MX" << 24.221453287197232 << "24.22";
    QTest::newRow("mx-grouped") << "es_MX" << 16528.924904 << "16,528.92";
    QTest::newRow("de-four-digits-grouped") << "de_DE" << 1234.5 << "1.234,50";
    // The C locale asks for no group separator.
    QTest::newRow("c-locale-ungrouped") << "C" << 1234567.891 << "1234567.89";
}

void TestStandardFormat::shouldWriteTwoDecimalsInLocale()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatStandard(value, QLocale(locale)).text, expected);
}

void TestStandardFormat::shouldFollowDefaultLocale()
{
    const auto restore = qScopeGuard([previous = QLocale()] { QLocale::setDefault(previous); });
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QCOMPARE(IndexValue::fromIndex(24.2214).text(), QString("24,22"));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
    QCOMPARE(IndexValue::fromIndex(24.2214).text(), QString("24.22"));
}

void TestStandardFormat::shouldCompareAsTheNumberShown_data()
{
    QTest::addColumn<double>("index");
    QTest::addColumn<double>("bound");
    QTest::addColumn<bool>("greater");
    QTest::addColumn<bool>("atLeast");
    QTest::addColumn<bool>("atMost");

    QTest::newRow("typical-above-lower") << 24.2214 << 20.5 << true << true << false;
    QTest::newRow("typical-below-upper") << 24.2214 << 25.49 << false << false << true;
    // 18.4965 shows as 18,50 and so compares as 18.5.
    QTest::newRow("rounded-up-meets-bound") << 18.4965 << 18.5 << false << true << true;
    QTest::newRow("rounded-up-passes-upper") << 18.4965 << 18.49 << true << true << false;
    QTest::newRow("equal-float-bound") << 16.49 << 16.49 << false << true << true;
    QTest::newRow("just-above-float-bound") << 16.495 << 16.49 << true << true << false;
    QTest::newRow("integer-bound") << 30.0 << 30.0 << false << true << true;
    QTest::newRow("huge") << 1e12 << 100.0 << true << true << false;
}

void TestStandardFormat::shouldCompareAsTheNumberShown()
{
    QFETCH(double, index);
    QFETCH(double, bound);
    QFETCH(bool, greater);
    QFETCH(bool, atLeast);
    QFETCH(bool, atMost);

    const auto restore = qScopeGuard([previous = QLocale()] { QLocale::setDefault(previous); });
    // The comparison must not depend on the separators the text was written with.
    for (const QLocale &locale :
         {QLocale(QLocale::Spanish, QLocale::Spain), QLocale(QLocale::Spanish, QLocale::Mexico)}) {
        QLocale::setDefault(locale);
        const IndexValue value = IndexValue::fromIndex(index);
        QCOMPARE(value.isGreaterThan(bound), greater);
        QCOMPARE(value.isAtLeast(bound), atLeast);
        QCOMPARE(value.isAtMost(bound), atMost);
    }
}

void TestStandardFormat::shouldTreatEmptyAsZero()
{
    const IndexValue empty;
    QVERIFY(empty.isEmpty());
    QCOMPARE(empty.text(), QString());
    QVERIFY(empty.isAtLeast(0) && empty.isAtMost(0));
    QVERIFY(!empty.isGreaterThan(16.49));
    QVERIFY(empty.isAtMost(16.49));
    QVERIFY(!IndexValue::fromIndex(0.0).isEmpty());
}

QTEST_GUILESS_MAIN(TestStandardFormat)
#include "tst_standardformat.moc"
