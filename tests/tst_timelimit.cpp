#include "core/records/recordfiles.h"
#include "mainwindowfixture.h"
#include "ui/practice/casgauge.h"
#include "ui/practice/dilchodn.h"

#include <QTimer>

using namespace std::chrono_literals;
using namespace testsupport;

namespace {

const QByteArray SevenPlusFive = "[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n";

} // namespace

// The countdown and the partial evaluation as the pupil meets them in the main window. Ticks
// are given by calling the window's tick handler, so no test waits for real seconds.
class TestTimeLimit : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<MainWindowFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void noLimitHidesTheBar();
    void ticksReachTheBar();
    void tickDuringWrongAnswerFeedbackCountsAfterIt();
    void evaluationWindowShowsTheCounts();
    void deactivationReachesTheCountdown();

private:
    static CasGauge *gauge(TFZaklad &w) { return MainWindowFixture::child<CasGauge>(w, "GCasLim"); }
    static QTimer *timer(TFZaklad &w) { return w.findChild<QTimer *>(QStringLiteral("TCasLimit")); }
    static void ticks(TFZaklad &w, int n)
    {
        for (int i = 0; i < n; ++i)
            w.TCasLimitTimer();
    }

    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestTimeLimit::noLimitHidesTheBar()
{
    auto w = m_fixture->startWindow();
    QVERIFY(!gauge(*w)->isVisible());
    QVERIFY(!timer(*w)->isActive());
    QCOMPARE(gauge(*w)->geometry(), QRect(14, 148, 304, 17));
}

// The timer's ticks reach the bar, and the time-out the fields and the status bar (the rules
// themselves: tst_countdown, tst_practiceflow).
void TestTimeLimit::ticksReachTheBar()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=3\n[Rezim]\ntyp=2\n");
    auto w = m_fixture->startWindow();
    QVERIFY(gauge(*w)->isVisible());
    QVERIFY(timer(*w)->isActive());
    QCOMPARE(gauge(*w)->caption(), QStringLiteral("3s"));
    QCOMPARE(gauge(*w)->maximum(), 3);
    emit timer(*w)->timeout({});
    QCOMPARE(gauge(*w)->caption(), QStringLiteral("2s"));
    QCOMPARE(gauge(*w)->progress(), 1);
    QTest::keyClicks(MainWindowFixture::answerField(*w), "1");
    ticks(*w, 3); // -1: the time has run out
    QCOMPARE(MainWindowFixture::child<TAMEdit>(*w, "EChyba")->text(), QStringLiteral("1"));
    QCOMPARE(MainWindowFixture::panel(*w, 3), QStringLiteral("1"));
    QCOMPARE(MainWindowFixture::answerField(*w)->text(), QString());
    qint32 index = 1;
    WrongResultRecord record;
    ReadWrongResult(m_fixture->path("chybavysl.nmk"), index, record);
    QCOMPARE(record.Result, 1); // the typed digit
    // the next exercise counts from the full limit again
    QCOMPARE(gauge(*w)->caption(), QStringLiteral("3s"));
    QVERIFY(timer(*w)->isActive());
}

void TestTimeLimit::tickDuringWrongAnswerFeedbackCountsAfterIt()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=2\n[Rezim]\ntyp=2\n");
    auto w = m_fixture->startWindow();
    ticks(*w, 2); // 0s left
    w->setFeedbackPause(200ms);
    QTimer::singleShot(50ms, w.get(), [&] { w->TCasLimitTimer(); });
    MainWindowFixture::answer(*w, "13");
    // the verdict comes first; the held-back tick then times the same exercise out
    QTRY_COMPARE(w->session().PartialWrong(), 2);
    qint32 index = 2;
    WrongResultRecord record;
    ReadWrongResult(m_fixture->path("chybavysl.nmk"), index, record);
    QVERIFY(record.TimedOut);
    QCOMPARE(CountWrongResults(m_fixture->path("chybavysl.nmk")), 2);
}

// The evaluation window opens over the stopped countdown with the partial counts, and what
// it gives reaches the history file (the evaluation's rules: tst_session, tst_practiceflow).
void TestTimeLimit::evaluationWindowShowsTheCounts()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=10\n[Hodnoceni]\nautopo=2\n");
    auto w = m_fixture->startWindow();
    w->setLocalClock([] { return QDateTime(QDate(2024, 3, 15), QTime(12, 0)); });
    MainWindowFixture::answer(*w, "13");

    QString shownPercent;
    qint32 grade = 0;
    bool countdownStopped = false;
    {
        ModalDialogCloser closer([&](QWidget *dialog) {
            auto *evaluation = qobject_cast<TFDilciHodn *>(dialog);
            QVERIFY(evaluation);
            for (int step = 0; step < 8; ++step)
                evaluation->Timer1Timer();
            shownPercent = evaluation->findChild<TAMEdit *>("AMEProc")->text();
            grade = evaluation->grade();
            countdownStopped = !timer(*w)->isActive();
            QTest::keyClick(evaluation, Qt::Key_Escape);
        });
        MainWindowFixture::answer(*w, "12"); // the 2nd outcome
        QVERIFY(closer.handled());
    }
    QCOMPARE(shownPercent, QStringLiteral("50"));
    QCOMPARE(grade, 4);
    QVERIFY(countdownStopped);
    QVERIFY(timer(*w)->isActive());
    // 15 March 2024 12:00, grade 4, 1 right, 1 wrong, addition, a limit of 10 seconds
    QCOMPARE(bytesOf(m_fixture->path("hdv.ndv")),
             QByteArray::fromHex("00000000D026E640" "04000000" "01000000" "01000000" "01000000" "0A000000" "00000000"));
    QCOMPARE(MainWindowFixture::child<TAMEdit>(*w, "EOK")->text(), QStringLiteral("0"));
}

// The program losing and regaining the active state pauses and resumes the count (the rules:
// tst_practiceflow).
void TestTimeLimit::deactivationReachesTheCountdown()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=5\n[Rezim]\ntyp=2\ndeaktivace=1\n");
    auto w = m_fixture->startWindow();
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    QVERIFY(!timer(*w)->isActive());
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(timer(*w)->isActive());
}

NUMIK_GUI_TEST_MAIN(TestTimeLimit)
#include "tst_timelimit.moc"
