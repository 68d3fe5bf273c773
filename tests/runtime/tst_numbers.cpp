#include <QTest>

#include <cmath>
#include <limits>

#include "runtime/numbers.h"

using namespace tarvelo;

class TestNumbers : public QObject {
    Q_OBJECT

private slots:
    void shouldTellNumericTexts_data();
    void shouldTellNumericTexts();
    void shouldConvertToNearestSingle_data();
    void shouldConvertToNearestSingle();
    void shouldRefuseSinglesBeyondRange_data();
    void shouldRefuseSinglesBeyondRange();
    void shouldRoundToInteger16TiesToEven_data();
    void shouldRoundToInteger16TiesToEven();
    void shouldRefuseIntegersOutside16Bits_data();
    void shouldRefuseIntegersOutside16Bits();
    void shouldReadMegabyteTexts();
    void shouldWriteIntegersAsPlainDigits();
};

void TestNumbers::shouldTellNumericTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");

    QTest::newRow("integer") << "170" << true;
    QTest::newRow("comma-decimal") << "1,7" << true;
    QTest::newRow("point-decimal") << "1.7" << true;
    QTest::newRow("leading-mark") << ",5" << true;
    QTest::newRow("trailing-mark") << "5." << true;
    QTest::newRow("plus-sign") << "+5" << true;
    QTest::newRow("minus-sign") << "-5" << true;
    QTest::newRow("blanks-around") << " \t 70 \t" << true;
    QTest::newRow("exponent") << "1e2" << true;
    QTest::newRow("exponent-signed") << "1,5E-3" << true;
    QTest::newRow("exponent-plus") << "2e+1" << true;
    QTest::newRow("leading-zeros") << "0000000000000000000070" << true;
    QTest::newRow("zero") << "0" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks-only") << "   " << false;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("two-marks") << "1,2,3" << false;
    QTest::newRow("grouped") << "1.000,5" << false;
    QTest::newRow("blank-after-sign") << "- 5" << false;
    QTest::newRow("inf") << "inf" << false;
    QTest::newRow("nan") << "nan" << false;
    QTest::newRow("hex") << "0x10" << false;
    QTest::newRow("bare-exponent") << "1e" << false;
    QTest::newRow("signed-bare-exponent") << "1e-" << false;
    QTest::newRow("sign-only") << "-" << false;
    QTest::newRow("mark-only") << "," << false;
    QTest::newRow("two-signs") << "+-5" << false;
    QTest::newRow("inner-blank") << "1 0" << false;
    QTest::newRow("trailing-letter") << "70kg" << false;
    // Pasted from a spreadsheet or a web page.
    QTest::newRow("spreadsheet-cell-lf") << "70\n" << true;
    QTest::newRow("spreadsheet-cell-crlf") << "70\r\n" << true;
    QTest::newRow("line-break-before") << "\n\r170" << true;
    QTest::newRow("unicode-line-paragraph") << QString::fromUtf16(u"\u202870,5\u2029") << true;
    QTest::newRow("no-break-spaces") << QString::fromUtf16(u"\u00A070\u202F") << true;
    QTest::newRow("line-break-inside") << "7\n0" << false;
    QTest::newRow("no-break-space-inside") << QString::fromUtf16(u"1\u00A0000") << false;
    QTest::newRow("no-break-space-after-sign") << QString::fromUtf16(u"-\u00A05") << false;
    QTest::newRow("other-unicode-space") << QString::fromUtf16(u"\u200370") << false;
    QTest::newRow("arabic-indic-digits") << QString::fromUtf16(u"\u0667\u0660") << false;
    QTest::newRow("fullwidth-digits") << QString::fromUtf16(u"\uFF17\uFF10") << false;
    QTest::newRow("nul-inside") << QString::fromUtf16(u"7\u00000", 3) << false;
}

void TestNumbers::shouldTellNumericTexts()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(isNumeric(text), numeric);
}

void TestNumbers::shouldConvertToNearestSingle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("expected");

    QTest::newRow("integer") << "170" << 170.0f;
    QTest::newRow("comma-fraction-keeps-float-width") << "1,1" << 1.1f;
    QTest::newRow("point-fraction") << "1.1" << 1.1f;
    QTest::newRow("negative") << "-5" << -5.0f;
    QTest::newRow("exponent") << "1,75e2" << 175.0f;
    QTest::newRow("leading-zeros") << "000169" << 169.0f;
    QTest::newRow("smallest-denormal") << "1.401298464324817e-45" << std::numeric_limits<float>::denorm_min();
    QTest::newRow("underflows-to-zero") << "1e-60" << 0.0f;
    QTest::newRow("largest") << "3.4028234e38" << std::numeric_limits<float>::max();
    // Both neighbours are equally far in double but not in exact decimal.
    QTest::newRow("just-above-half-ulp") << "16777217.000000000000000000001" << 16777218.0f;
    QTest::newRow("exact-half-ulp-to-even") << "16777217" << 16777216.0f;
    QTest::newRow("long-tail-decides") << QString("16777217") + QString(",") + QString(2000, '0') + "1" << 16777218.0f;
}

void TestNumbers::shouldConvertToNearestSingle()
{
    QFETCH(QString, text);
    QFETCH(float, expected);
    const auto value = toSingle(text);
    QVERIFY(value.has_value());
    QCOMPARE(*value, expected);
}

void TestNumbers::shouldRefuseSinglesBeyondRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("above-max") << "3.5e38";
    QTest::newRow("huge-exponent") << "1e999999999999";
    QTest::newRow("negative-above-max") << "-1e39";
    QTest::newRow("many-digits") << QString(60, '9');
    QTest::newRow("not-numeric") << "abc";
}

void TestNumbers::shouldRefuseSinglesBeyondRange()
{
    QFETCH(QString, text);
    QVERIFY(!toSingle(text).has_value());
}

void TestNumbers::shouldRoundToInteger16TiesToEven_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("whole") << "70" << 70;
    QTest::newRow("half-down-to-even-zero") << "0,5" << 0;
    QTest::newRow("half-up-to-even-two") << "1,5" << 2;
    QTest::newRow("half-down-to-even-seventy") << "70,5" << 70;
    QTest::newRow("half-up-to-even-seventy-two") << "71.5" << 72;
    QTest::newRow("just-above-half") << "0,5000000000000000000001" << 1;
    QTest::newRow("just-below-half") << "0,4999999999999999999999" << 0;
    QTest::newRow("fraction-below-one") << "0,4" << 0;
    QTest::newRow("tiny") << "1e-30" << 0;
    QTest::newRow("negative-half") << "-2,5" << -2;
    QTest::newRow("negative-rounds-away") << "-2,6" << -3;
    QTest::newRow("exponent-whole") << "7e1" << 70;
    QTest::newRow("exponent-fraction") << "705e-1" << 70;
    QTest::newRow("max") << "32767" << 32767;
    QTest::newRow("min") << "-32768" << -32768;
    QTest::newRow("max-with-fraction-down") << "32767,4" << 32767;
    QTest::newRow("leading-zeros") << "0000000000000000000070" << 70;
    QTest::newRow("half-after-long-zero-run") << QString("0,5") + QString(5000, '0') + "1" << 1;
}

void TestNumbers::shouldRoundToInteger16TiesToEven()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const auto value = toInteger16(text);
    QVERIFY(value.has_value());
    QCOMPARE(int(*value), expected);
}

void TestNumbers::shouldRefuseIntegersOutside16Bits_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("above-max") << "32768";
    QTest::newRow("max-half-rounds-out") << "32767,5";
    QTest::newRow("below-min") << "-32769";
    QTest::newRow("forty-thousand") << "40000";
    QTest::newRow("minus-forty-thousand") << "-40000";
    QTest::newRow("exponent") << "1e9";
    QTest::newRow("long-paste") << QString(1000, '7');
    QTest::newRow("not-numeric") << "7O";
}

void TestNumbers::shouldRefuseIntegersOutside16Bits()
{
    QFETCH(QString, text);
    QVERIFY(!toInteger16(text).has_value());
}

void TestNumbers::shouldReadMegabyteTexts()
{
    const QString digits(1 << 20, '7');
    QVERIFY(isNumeric(digits));
    QVERIFY(!toInteger16(digits).has_value());
    QVERIFY(!toSingle(digits).has_value());

    const QString smallWithLongFraction = QString("70,") + QString(1 << 20, '1');
    QCOMPARE(int(*toInteger16(smallWithLongFraction)), 70);
    QCOMPARE(*toSingle(smallWithLongFraction), 70.11111f);

    QString letters(1 << 20, 'x');
    QVERIFY(!isNumeric(letters));
}

void TestNumbers::shouldWriteIntegersAsPlainDigits()
{
    QCOMPARE(integerToText(1), QString("1"));
    QCOMPARE(integerToText(10), QString("10"));
    QCOMPARE(integerToText(0), QString("0"));
    QCOMPARE(integerToText(-32768), QString("-32768"));
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
