#include "core/practice/answercheck.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

class TestAnswerCheck : public QObject
{
    Q_OBJECT

private slots:
    void numberSyntax_data();
    void numberSyntax();
    void expectedResult_data();
    void expectedResult();
    void divisionRoundsLikeDoublePrecision();
};

void TestAnswerCheck::numberSyntax_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<int>("value");

    QTest::newRow("plain") << "12" << true << 12;
    QTest::newRow("leading blanks") << "   12" << true << 12;
    QTest::newRow("plus") << "+12" << true << 12;
    QTest::newRow("leading zero") << "012" << true << 12;
    QTest::newRow("negative") << "-3" << true << -3;
    QTest::newRow("blanks then sign") << "  -3" << true << -3;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("$C") << "$C" << true << 12;
    QTest::newRow("0xC") << "0xC" << true << 12;
    QTest::newRow("0Xc") << "0Xc" << true << 12;
    QTest::newRow("xC") << "xC" << true << 12;
    QTest::newRow("XC") << "XC" << true << 12;
    QTest::newRow("hex pattern") << "$FFFFFFFF" << true << -1;
    QTest::newRow("hex leading zeros") << "0x000000000C" << true << 12;

    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blanks only") << "   " << false << 0;
    QTest::newRow("trailing blank") << "12 " << false << 0;
    QTest::newRow("decimal comma") << "1,5" << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
    QTest::newRow("lone minus") << "-" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("digits then letters") << "12ab" << false << 0;
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("far too large") << "99999999999999999999" << false << 0;
    QTest::newRow("hex beyond 32 bits") << "$100000000" << false << 0;
    QTest::newRow("prefix alone") << "0x" << false << 0;
    QTest::newRow("signed hex") << "-$C" << false << 0;
    QTest::newRow("tab is no blank") << "\t12" << false << 0;
    QTest::newRow("two signs") << "+-1" << false << 0;
    QTest::newRow("blank after sign") << "- 1" << false << 0;
    QTest::newRow("other digits") << QString::fromUtf8("１２") << false << 0;
    QTest::newRow("Czech letters") << QString::fromUtf8("dvanáct") << false << 0;
}

void TestAnswerCheck::numberSyntax()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(int, value);
    qint32 parsed = -99;
    QCOMPARE(ParseAnswerNumber(text, parsed), isNumber);
    if (isNumber)
        QCOMPARE(parsed, value);
    QCOMPARE(NumberOrZero(text), isNumber ? value : 0);
}

void TestAnswerCheck::expectedResult_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("expected");
    constexpr int Min = std::numeric_limits<qint32>::min();
    constexpr int Max = std::numeric_limits<qint32>::max();

    QTest::newRow("7 + 5") << 1 << 7 << 5 << 12;
    QTest::newRow("unknown code adds") << 0 << 7 << 5 << 12;
    QTest::newRow("7 - 3") << 2 << 7 << 3 << 4;
    QTest::newRow("0 x anything") << 3 << 0 << 123456 << 0;
    QTest::newRow("8 : 2") << 4 << 8 << 2 << 4;
    QTest::newRow("7 : 2 rounds to even 4") << 4 << 7 << 2 << 4;
    QTest::newRow("9 : 2 rounds to even 4") << 4 << 9 << 2 << 4;
    QTest::newRow("10 : 2") << 4 << 10 << 2 << 5;
    QTest::newRow("5 : 2 rounds to even 2") << 4 << 5 << 2 << 2;
    QTest::newRow("-7 : 2") << 4 << -7 << 2 << -4;
    QTest::newRow("-5 : 2") << 4 << -5 << 2 << -2;
    QTest::newRow("5 : -2") << 4 << 5 << -2 << -2;
    QTest::newRow("2 : 3") << 4 << 2 << 3 << 1;
    QTest::newRow("1 : 3") << 4 << 1 << 3 << 0;
    QTest::newRow("divisor 0") << 4 << 8 << 0 << 0;
    QTest::newRow("smallest : -1 wraps") << 4 << Min << -1 << Min;
    QTest::newRow("sum wraps") << 1 << Max << 1 << Min;
    QTest::newRow("difference wraps") << 2 << Min << 1 << Max;
    QTest::newRow("product wraps") << 3 << 65536 << 65537 << 65536;
}

void TestAnswerCheck::expectedResult()
{
    QFETCH(int, operation);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, expected);
    QCOMPARE(ExpectedResult(operation, a, b), expected);
}

void TestAnswerCheck::divisionRoundsLikeDoublePrecision()
{
    // the double quotient, rounded to nearest even, is the reference
    QRandomGenerator random(7);
    const auto check = [](qint32 a, qint32 b) {
        const double reference = std::nearbyint(double(a) / double(b));
        if (reference >= 2147483648.0)
            return;
        QCOMPARE(ExpectedResult(4, a, b), static_cast<qint32>(reference));
    };
    for (qint32 a = -300; a <= 300; ++a) {
        for (qint32 b = -40; b <= 40; ++b) {
            if (b != 0)
                check(a, b);
        }
    }
    for (int i = 0; i < 200000; ++i) {
        const auto a = static_cast<qint32>(random.generate());
        const auto b = static_cast<qint32>(random.generate()) >> (random.generate() % 31);
        if (b != 0)
            check(a, b);
    }
}

QTEST_GUILESS_MAIN(TestAnswerCheck)
#include "tst_answercheck.moc"
