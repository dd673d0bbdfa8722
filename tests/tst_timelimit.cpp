#include "app/casgauge.h"
#include "app/dilchodn.h"
#include "mainwindowfixture.h"
#include "records/recordfiles.h"

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
    void captionsRunDownToATimeOut();
    void partlyTypedDigitsAreStored();
    void wrongAnswerKeepsTheCount();
    void tickDuringRightAnswerFeedbackIsNoTimeOut();
    void tickDuringWrongAnswerFeedbackCountsAfterIt();
    void deactivationPausesInTeachingMode();
    void deactivationInSettingsModeChangesNothing();
    void evaluationAfterFifteenOutcomes();
    void evaluationWithoutClearingKeepsCounting();
    void failedHistoryWriteKeepsTheCounts();

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

void TestTimeLimit::captionsRunDownToATimeOut()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=3\n[Rezim]\ntyp=2\n");
    auto w = m_fixture->startWindow();
    QVERIFY(gauge(*w)->isVisible());
    QVERIFY(timer(*w)->isActive());
    QCOMPARE(gauge(*w)->caption(), QStringLiteral("3s"));
    QCOMPARE(gauge(*w)->maximum(), 3);

    QStringList captions;
    for (int i = 0; i < 3; ++i) {
        w->TCasLimitTimer();
        captions << gauge(*w)->caption();
    }
    QCOMPARE(captions, QStringList({"2s", "1s", "0s"}));
    QCOMPARE(gauge(*w)->progress(), 3);
    QCOMPARE(w->session().PartialWrong(), 0);

    w->TCasLimitTimer(); // -1: the time has run out
    QCOMPARE(MainWindowFixture::child<TAMEdit>(*w, "EChyba")->text(), QStringLiteral("1"));
    QCOMPARE(MainWindowFixture::panel(*w, 3), QStringLiteral("1"));
    QCOMPARE(w->session().PeriodCount(), 1);
    const QByteArray timedOut = QByteArray::fromHex("07000000" "05000000" "01000000" "00000000" "01000000" "03000000" "03000000");
    QCOMPARE(bytesOf(m_fixture->path("chyba.nmk")), timedOut);
    QCOMPARE(bytesOf(m_fixture->path("chybavysl.nmk")), timedOut);
    // the next exercise counts from the full limit again
    QCOMPARE(gauge(*w)->caption(), QStringLiteral("3s"));
    QCOMPARE(w->countdown().RemainingSeconds(), 3);
    QVERIFY(timer(*w)->isActive());
}

void TestTimeLimit::partlyTypedDigitsAreStored()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=1\n");
    auto w = m_fixture->startWindow();
    QTest::keyClicks(MainWindowFixture::answerField(*w), "1");
    ticks(*w, 2);
    qint32 index = 1;
    WrongResultRecord record;
    ReadWrongResult(m_fixture->path("chybavysl.nmk"), index, record);
    QCOMPARE(record.Result, 1);
    QVERIFY(record.TimedOut);
    QCOMPARE(record.TimeLimit, 1);
    QCOMPARE(MainWindowFixture::answerField(*w)->text(), QString());
}

void TestTimeLimit::wrongAnswerKeepsTheCount()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=3\n[Rezim]\ntyp=2\n");
    auto w = m_fixture->startWindow();
    ticks(*w, 2);
    MainWindowFixture::answer(*w, "13");
    QCOMPARE(w->countdown().RemainingSeconds(), 1);
    QCOMPARE(gauge(*w)->caption(), QStringLiteral("1s"));
    QVERIFY(timer(*w)->isActive());
    ticks(*w, 2); // the same exercise times out two seconds later
    QCOMPARE(w->session().PartialWrong(), 2);
    QCOMPARE(CountWrongResults(m_fixture->path("chyba.nmk")), 1); // the exercise once
    QCOMPARE(CountWrongResults(m_fixture->path("chybavysl.nmk")), 2);
}

void TestTimeLimit::tickDuringRightAnswerFeedbackIsNoTimeOut()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=2\n");
    auto w = m_fixture->startWindow();
    ticks(*w, 2); // 0s left
    w->setFeedbackPause(200ms);
    bool duringFeedback = false;
    QTimer::singleShot(50ms, w.get(), [&] {
        duringFeedback = w->isFeedbackShowing();
        w->TCasLimitTimer();
    });
    MainWindowFixture::answer(*w, "12");
    QVERIFY(duringFeedback);
    QTest::qWait(0);
    QCOMPARE(w->session().PartialCorrect(), 1);
    QCOMPARE(w->session().PartialWrong(), 0);
    QCOMPARE(w->countdown().RemainingSeconds(), 2);
    QVERIFY(!QFile::exists(m_fixture->path("chybavysl.nmk")));
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

void TestTimeLimit::deactivationPausesInTeachingMode()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=5\n[Rezim]\ntyp=2\ndeaktivace=1\n");
    auto w = m_fixture->startWindow();
    ticks(*w, 1);
    w->flow().ApplicationEvents1Deactivate();
    QVERIFY(!timer(*w)->isActive());
    QVERIFY(w->countdown().TimerPaused());
    QCOMPARE(gauge(*w)->caption(), QStringLiteral("4s"));
    w->flow().ApplicationEvents1Activate();
    QVERIFY(timer(*w)->isActive());
    QVERIFY(!w->countdown().TimerPaused());
    QCOMPARE(w->countdown().RemainingSeconds(), 4);
}

void TestTimeLimit::deactivationInSettingsModeChangesNothing()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=5\n[Rezim]\ntyp=1\ndeaktivace=1\n");
    auto w = m_fixture->startWindow();
    // entering the settings mode at start-up paused the first count; the next exercise counts
    MainWindowFixture::answer(*w, "12");
    QVERIFY(timer(*w)->isActive());
    const bool paused = w->countdown().TimerPaused();
    w->flow().ApplicationEvents1Deactivate();
    QVERIFY(timer(*w)->isActive());
    QCOMPARE(w->countdown().TimerPaused(), paused);
}

void TestTimeLimit::evaluationAfterFifteenOutcomes()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=10\n");
    auto w = m_fixture->startWindow();
    w->setLocalClock([] { return QDateTime(QDate(2024, 3, 15), QTime(12, 0)); });
    for (int i = 0; i < 13; ++i)
        MainWindowFixture::answer(*w, "12");
    MainWindowFixture::answer(*w, "13");
    QVERIFY(!QFile::exists(m_fixture->path("hdv.ndv")));

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
        MainWindowFixture::answer(*w, "12"); // the 15th outcome
        QVERIFY(closer.handled());
    }
    QCOMPARE(shownPercent, QStringLiteral("93")); // 14 of 15
    QCOMPARE(grade, 2);
    QVERIFY(countdownStopped);
    QVERIFY(timer(*w)->isActive());
    // 15 March 2024 12:00, grade 2, 14 right, 1 wrong, addition, a limit of 10 seconds
    QCOMPARE(bytesOf(m_fixture->path("hdv.ndv")),
             QByteArray::fromHex("00000000D026E640" "02000000" "0E000000" "01000000" "01000000" "0A000000" "00000000"));
    QCOMPARE(MainWindowFixture::child<TAMEdit>(*w, "EOK")->text(), QStringLiteral("0"));
    QCOMPARE(MainWindowFixture::child<TAMEdit>(*w, "EChyba")->text(), QStringLiteral("0"));
    QCOMPARE(MainWindowFixture::panel(*w, 2), QStringLiteral("14"));

    // the next evaluation comes after fifteen more
    for (int i = 0; i < 14; ++i)
        MainWindowFixture::answer(*w, "12");
    QCOMPARE(CountEvaluations(m_fixture->path("hdv.ndv")), 1);
    {
        ModalDialogCloser closer;
        MainWindowFixture::answer(*w, "12");
        QVERIFY(closer.handled());
    }
    const QList<EvaluationRecord> history = ReadEvaluations(m_fixture->path("hdv.ndv"));
    QCOMPARE(history.size(), 2);
    QCOMPARE(history.front().Grade, 1);
    QCOMPARE(history.front().CorrectCount, 15);
}

void TestTimeLimit::evaluationWithoutClearingKeepsCounting()
{
    m_fixture->writeIni(SevenPlusFive + "[Hodnoceni]\nautopo=3\nautomaz=0\n");
    auto w = m_fixture->startWindow();
    for (int round = 0; round < 2; ++round) {
        MainWindowFixture::answer(*w, "12");
        MainWindowFixture::answer(*w, "12");
        ModalDialogCloser closer([](QWidget *dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
        MainWindowFixture::answer(*w, "12");
        QVERIFY(closer.handled());
    }
    const QList<EvaluationRecord> history = ReadEvaluations(m_fixture->path("hdv.ndv"));
    QCOMPARE(history.size(), 2);
    QCOMPARE(history[0].CorrectCount, 6);
    QCOMPARE(history[1].CorrectCount, 3);
    QCOMPARE(history[0].Grade, 1);
}

void TestTimeLimit::failedHistoryWriteKeepsTheCounts()
{
    m_fixture->writeIni(SevenPlusFive + "[Hodnoceni]\nautopo=2\n[CasLimit]\nhodnota=9\n");
    QVERIFY(QDir(m_fixture->directory()).mkdir("hdv.ndv"));
    auto w = m_fixture->startWindow();
    MainWindowFixture::answer(*w, "12");
    SeenBox seen;
    {
        // the error comes once the evaluation window has closed
        std::unique_ptr<ModalDialogCloser> error;
        ModalDialogCloser evaluation([&](QWidget *) { error = std::make_unique<ModalDialogCloser>(recordBox(seen)); });
        MainWindowFixture::answer(*w, "12");
        QVERIFY(evaluation.handled());
        QVERIFY(error && error->handled());
    }
    QCOMPARE(seen.text, QStringLiteral("File access denied."));
    QCOMPARE(seen.title, QStringLiteral("Numik-Korvelanta"));
    QCOMPARE(MainWindowFixture::child<TAMEdit>(*w, "EOK")->text(), QStringLiteral("2"));
    QCOMPARE(w->session().PeriodCount(), 2);
    QVERIFY(!timer(*w)->isActive()); // until the next exercise restarts it
    MainWindowFixture::answer(*w, "12");
    QVERIFY(timer(*w)->isActive());
}

NUMIK_GUI_TEST_MAIN(TestTimeLimit)
#include "tst_timelimit.moc"
