// What a screen reader is told of a field's text, item by item: the answers
// Qt gave inside the text, and an answer at its ends, where Qt's never came.

#include <QTest>

#include "desktop/fieldaccessible.h"

using namespace tarvelo;

Q_DECLARE_METATYPE(TextSpan)
Q_DECLARE_METATYPE(TextSide)

class TestFieldAccessible : public QObject {
    Q_OBJECT

private slots:
    void shouldFindItem_data();
    void shouldFindItem();
};

void TestFieldAccessible::shouldFindItem_data()
{
    using enum QAccessible::TextBoundaryType;
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QAccessible::TextBoundaryType>("boundary");
    QTest::addColumn<TextSide>("side");
    QTest::addColumn<TextSpan>("expected");
    // clang-format off
    QTest::newRow("word at the start") << "170" << 0 << WordBoundary << TextSide::At << TextSpan{0, 3};
    QTest::newRow("word inside") << "1 70" << 3 << WordBoundary << TextSide::At << TextSpan{2, 4};
    QTest::newRow("blank between words") << "1 70" << 1 << WordBoundary << TextSide::At << TextSpan{1, 2};
    // Where Qt froze: Ctrl+Right to the end gives the word passed over.
    QTest::newRow("word at the end") << "170" << 3 << WordBoundary << TextSide::At << TextSpan{0, 3};
    QTest::newRow("word at -1, the end") << "1 70" << -1 << WordBoundary << TextSide::At << TextSpan{2, 4};
    QTest::newRow("sentence at the end") << "abc" << 3 << SentenceBoundary << TextSide::At << TextSpan{0, 3};
    QTest::newRow("line at the end") << "170" << 3 << LineBoundary << TextSide::At << TextSpan{0, 3};
    QTest::newRow("no character at the end") << "170" << 3 << CharBoundary << TextSide::At << TextSpan{3, 3};
    QTest::newRow("character inside") << "170" << 1 << CharBoundary << TextSide::At << TextSpan{1, 2};
    QTest::newRow("word before the blank") << "1 70" << 3 << WordBoundary << TextSide::Before << TextSpan{1, 2};
    QTest::newRow("word before the end") << "1 70" << 4 << WordBoundary << TextSide::Before << TextSpan{2, 4};
    QTest::newRow("nothing before the first word") << "170" << 1 << WordBoundary << TextSide::Before << TextSpan{0, 0};
    QTest::newRow("character before the end") << "170" << 3 << CharBoundary << TextSide::Before << TextSpan{2, 3};
    QTest::newRow("word after the first") << "1 70" << 0 << WordBoundary << TextSide::After << TextSpan{1, 2};
    QTest::newRow("nothing after the last word") << "1 70" << 2 << WordBoundary << TextSide::After << TextSpan{4, 4};
    QTest::newRow("character after") << "170" << 1 << CharBoundary << TextSide::After << TextSpan{2, 3};
    QTest::newRow("empty text") << "" << 0 << WordBoundary << TextSide::At << TextSpan{0, 0};
    QTest::newRow("past the end") << "170" << 4 << WordBoundary << TextSide::At << TextSpan{-1, -1};
    QTest::newRow("before the start") << "170" << -3 << CharBoundary << TextSide::After << TextSpan{-1, -1};
    // clang-format on
}

void TestFieldAccessible::shouldFindItem()
{
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(QAccessible::TextBoundaryType, boundary);
    QFETCH(TextSide, side);
    QFETCH(TextSpan, expected);
    const TextSpan found = textSpan(text, offset, boundary, side);
    QVERIFY2(found == expected, qPrintable(QStringLiteral("%1-%2").arg(found.start).arg(found.end)));
}

QTEST_APPLESS_MAIN(TestFieldAccessible)
#include "tst_fieldaccessible.moc"
