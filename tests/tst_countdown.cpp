#include "core/practice/countdown.h"

#include <QStringList>
#include <QTest>

#include <algorithm>
#include <limits>

namespace {

// A timer that keeps the promises about rhythm: starting a stopped timer begins a fresh
// interval, starting a running one changes nothing. No real seconds pass; the test ticks.
class FakeTimer : public CountdownTimer
{
public:
    bool running = false;
    bool freshInterval = false;

    bool isRunning() const override { return running; }
    void start() override
    {
        freshInterval = freshInterval || !running;
        running = true;
    }
    void stop() override { running = false; }
};

} // namespace

class TestCountdown : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void barFillsAndStaysFull_data();
    void barFillsAndStaysFull();
};

// A script of steps: N a new exercise (NulujNastavInfoCasLimit), T a tick, P a pause, Rt a resume
// in the teaching mode, Rs a resume in the settings mode. After each step the trace shows the
// caption ("_" when empty), R for a running or S for a stopped timer, then P when a pause is
// noted, ! when the tick ran the time out, ^ when a fresh one-second interval began.
void TestCountdown::steps_data()
{
    QTest::addColumn<qint32>("limit");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("trace");
    QTest::newRow("limit 0 hides the bar") << 0 << "N P" << "0sS 0sS";
    QTest::newRow("negative limit as 0") << -5 << "N" << "0sS";
    QTest::newRow("lowest limit as 0") << std::numeric_limits<qint32>::min() << "N" << "0sS";
    QTest::newRow("limit 3 runs out after 4 ticks") << 3 << "N T T T T" << "3sR^ 2sR 1sR 0sR -1sS!";
    QTest::newRow("limit 1") << 1 << "N T T" << "1sR^ 0sR -1sS!";
    QTest::newRow("new exercise after a time-out")
        << 3 << "N T T T T N T" << "3sR^ 2sR 1sR 0sR -1sS! 3sR^ 2sR";
    // a right answer poses the next exercise without stopping the timer: the rhythm goes on
    QTest::newRow("new exercise keeps a running rhythm") << 5 << "N T N T" << "5sR^ 4sR 5sR 4sR";
    QTest::newRow("pause and resume keep the second")
        << 5 << "N T T P Rt T" << "5sR^ 4sR 3sR 3sSP 3sR^ 2sR";
    QTest::newRow("resume in settings mode does nothing")
        << 4 << "N T P Rs N Rt" << "4sR^ 3sR 3sSP 3sSP 4sRP^ 4sR";
    QTest::newRow("pause of a stopped timer keeps the note") << 3 << "N P P" << "3sR^ 3sSP 3sSP";
    // a pause noted in the settings mode, an exercise that ran out anyway and a time-out whose
    // record could not be written (no next exercise): the teaching mode resumes at -1
    QTest::newRow("resumed run-out countdown empties the caption")
        << 2 << "N P N T T T Rt T" << "2sR^ 2sSP 2sRP^ 1sRP 0sRP -1sSP! -1sR^ _S";
}

void TestCountdown::steps()
{
    QFETCH(qint32, limit);
    QFETCH(QString, script);
    QFETCH(QString, trace);

    PracticeRun settings;
    settings.timeLimitSeconds = limit;
    FakeTimer timer;
    CountdownRules rules(settings, timer);

    QStringList seen;
    for (const QString &step : script.split(' ')) {
        timer.freshInterval = false;
        bool ranOut = false;
        if (step == "N")
            rules.NulujNastavInfoCasLimit();
        else if (step == "T")
            ranOut = rules.TCasLimitTimer();
        else if (step == "P")
            rules.PauseCasLimit(true, true);
        else
            rules.PauseCasLimit(false, step == "Rt");
        QString state = rules.gauge().caption.isEmpty() ? "_" : rules.gauge().caption;
        state += timer.running ? "R" : "S";
        if (rules.TimerPaused())
            state += "P";
        if (ranOut)
            state += "!";
        if (timer.freshInterval)
            state += "^";
        seen << state;
    }
    QCOMPARE(seen.join(' '), trace);
    QCOMPARE(rules.gauge().visible, std::max(limit, 0) >= 1);
}

void TestCountdown::barFillsAndStaysFull_data()
{
    QTest::addColumn<qint32>("raisedTo");
    QTest::addColumn<QList<qint32>>("progress");
    QTest::newRow("limit 3") << 3 << QList<qint32>{0, 1, 2, 3, 3};
    // raised from an edited file after the count began: the maximum stays the one the count
    // began with, and the progress beyond it (even beyond 32 bits) is ignored
    QTest::newRow("limit raised to the highest int") << std::numeric_limits<qint32>::max()
                                                     << QList<qint32>{0, 1, 1, 1, 1};
}

void TestCountdown::barFillsAndStaysFull()
{
    QFETCH(qint32, raisedTo);
    QFETCH(QList<qint32>, progress);

    PracticeRun settings;
    settings.timeLimitSeconds = 3;
    FakeTimer timer;
    CountdownRules rules(settings, timer);
    rules.NulujNastavInfoCasLimit();
    QCOMPARE(rules.gauge(), (CountdownGauge{true, 0, 3, 0, "3s"}));

    QList<qint32> seen{rules.gauge().progress};
    rules.TCasLimitTimer();
    seen << rules.gauge().progress;
    settings.timeLimitSeconds = raisedTo;
    bool ranOut = false;
    while (timer.running) {
        ranOut = rules.TCasLimitTimer();
        seen << rules.gauge().progress;
    }
    QCOMPARE(seen, progress);
    QVERIFY(ranOut);
    QCOMPARE(rules.RemainingSeconds(), -1);
    QCOMPARE(rules.gauge().maximum, 3);
    QCOMPARE(rules.gauge().caption, QStringLiteral("-1s"));
}

QTEST_GUILESS_MAIN(TestCountdown)
#include "tst_countdown.moc"
