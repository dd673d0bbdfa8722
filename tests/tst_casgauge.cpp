#include "testsupport.h"

#include "core/practice/countdown.h"
#include "ui/practice/casgauge.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QImage>

#include <limits>

class TestCasGauge : public QObject
{
    Q_OBJECT

private slots:
    void fillWidth_data();
    void fillWidth();
    void paintsFrameSpentAndLeft();
    void screenReadersHearTheSecondsLeft_data();
    void screenReadersHearTheSecondsLeft();
};

void TestCasGauge::screenReadersHearTheSecondsLeft_data()
{
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("seconds");
    QTest::newRow("fresh") << 0 << 5;
    QTest::newRow("two gone") << 2 << 3;
    // at -1s the bar keeps its full progress: nothing is left, never a negative time
    QTest::newRow("run out") << 6 << 0;
}

void TestCasGauge::screenReadersHearTheSecondsLeft()
{
    QFETCH(int, progress);
    QFETCH(int, seconds);
    CasGauge gauge;
    gauge.apply({true, 0, 5, 5, QStringLiteral("0s")});
    gauge.apply({true, 0, 5, progress, QString()});
    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(&gauge);
    QVERIFY(bar && bar->valueInterface());
    QCOMPARE(bar->role(), QAccessible::ProgressBar);
    QCOMPARE(bar->text(QAccessible::Name), QStringLiteral("zbývající čas"));
    QCOMPARE(bar->text(QAccessible::Value), QStringLiteral("%1 s").arg(seconds));
    QCOMPARE(bar->valueInterface()->currentValue().toInt(), seconds);
    QCOMPARE(bar->valueInterface()->maximumValue().toInt(), 5);
}

void TestCasGauge::fillWidth_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QList<int>>("progressSteps");
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("width");
    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    // 304 wide: 302 inside the frame
    QTest::newRow("empty") << 0 << 3 << QList<int>{0} << 0 << 0;
    QTest::newRow("one of three") << 0 << 3 << QList<int>{1} << 1 << 100;
    QTest::newRow("full") << 0 << 3 << QList<int>{3} << 3 << 302;
    QTest::newRow("above the maximum is ignored") << 0 << 3 << QList<int>{2, 4} << 2 << 201;
    QTest::newRow("no range draws nothing") << 0 << 0 << QList<int>{0} << 0 << 0;
    QTest::newRow("below the minimum") << 2 << 6 << QList<int>{1} << 1 << 0;
    QTest::newRow("whole 32-bit range") << lowest << highest << QList<int>{0} << 0 << 151;
}

void TestCasGauge::fillWidth()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QList<int>, progressSteps);
    QFETCH(int, progress);
    QFETCH(int, width);

    CasGauge gauge;
    gauge.resize(304, 17);
    gauge.setMinimum(minimum);
    gauge.setMaximum(maximum);
    for (const int step : progressSteps)
        gauge.setProgress(step);

    QCOMPARE(gauge.progress(), progress);
    QCOMPARE(gauge.fillWidth(), width);
}

void TestCasGauge::paintsFrameSpentAndLeft()
{
    CasGauge gauge;
    gauge.resize(304, 17);
    gauge.setMaximum(2);
    gauge.setProgress(1);
    const QImage bare = gauge.grab().toImage();
    QCOMPARE(bare.pixelColor(0, 8), QColor(Qt::black));
    QCOMPARE(bare.pixelColor(303, 16), QColor(Qt::black));
    QCOMPARE(bare.pixelColor(5, 8).red(), 0xe0);
    QCOMPARE(bare.pixelColor(5, 8).green(), 0);
    QVERIFY(bare.pixelColor(298, 8).green() > 0xc0);
    QVERIFY(bare.pixelColor(298, 8).red() < 0x80);

    gauge.setCaption(QStringLiteral("1s"));
    QVERIFY(gauge.grab().toImage() != bare);
}

NUMIK_GUI_TEST_MAIN(TestCasGauge)
#include "tst_casgauge.moc"
