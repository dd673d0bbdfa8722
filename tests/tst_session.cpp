#include "core/practice/grading.h"
#include "core/practice/practicesession.h"
#include "core/records/ioerror.h"
#include "core/records/recordfiles.h"
#include "practicefixture.h"

#include <QDate>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

__extension__ typedef unsigned __int128 Wide;

// A model of the extended-precision percentage written the way an FPU works: schoolbook binary
// long division one quotient bit at a time, then shifts one bit at a time with a guard and a
// sticky bit. c >= 0, t > 0.
qint64 modelPercent(quint64 c, quint64 t)
{
    if (c == 0)
        return 0;
    quint64 r = c;
    quint64 d = t;
    int exponent = 0; // c / t = (r / d) * 2^exponent
    while (r < d) {
        r <<= 1;
        --exponent;
    }
    while (r >= 2 * d) {
        d <<= 1;
        ++exponent;
    }
    quint64 q = 0;
    for (int i = 0; i < 64; ++i) {
        q <<= 1;
        if (r >= d) {
            r -= d;
            q |= 1;
        }
        r <<= 1;
    }
    exponent -= 63;
    bool guard = r >= d;
    if (guard)
        r -= d;
    bool sticky = r != 0;
    if (guard && (sticky || (q & 1)) && ++q == 0) {
        q = quint64(1) << 63;
        ++exponent;
    }

    Wide product = Wide(q) * 100;
    guard = sticky = false;
    while (product >> 64 != 0) {
        sticky = sticky || guard;
        guard = (product & 1) != 0;
        product >>= 1;
        ++exponent;
    }
    quint64 p = static_cast<quint64>(product);
    if (guard && (sticky || (p & 1)) && ++p == 0) {
        p = quint64(1) << 63;
        ++exponent;
    }

    guard = sticky = false;
    while (exponent < 0) {
        sticky = sticky || guard;
        guard = (p & 1) != 0;
        p >>= 1;
        ++exponent;
    }
    if (guard && (sticky || (p & 1)))
        ++p;
    return static_cast<qint64>(p);
}

// A count up to 2^31 - 1 whose bit length is uniform, so that small and large counts meet.
qint32 randomCount(QRandomGenerator &random)
{
    const int bits = int(random.bounded(32));
    return bits == 0 ? 0 : qint32(random.generate() & ((quint32(1) << bits) - 1));
}

using Thresholds = std::array<qint32, 4>;
const Thresholds defaultThresholds = {95, 85, 75, 50};

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void percentCorrect_data();
    void percentCorrect();
    void percentCorrectMatchesModelForSmallCounts();
    void percentCorrectMatchesModelForLargeCounts();
    void percentCorrectMatchesLongDouble();
    void grade_data();
    void grade();

    void init();
    void statusTextsBeforeAnswersAndAfterReset();
    void evaluationExactlyAtTheCount();
    void recordCarriesThePeriod();
    void forcedEvaluationWithNothingToEvaluate();
    void resetMidPeriodEvaluatesOnlyTheRest();
    void countsKeepGrowingWithoutClearing();
    void countdownRestartedOnlyIfItWasRunning_data();
    void countdownRestartedOnlyIfItWasRunning();
    void historyWriteFailureLeavesCountsAndPeriod();
    void unknownOperationMarksNothing_data();
    void unknownOperationMarksNothing();

private:
    void answer(bool right);
    void answer(int right, int wrong);
    QList<EvaluationRecord> history() const { return ReadEvaluations(m_history); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_history;
    PracticeSettings m_settings;
    PracticeRun m_run;
    std::unique_ptr<testsupport::FakeView> m_view;
    Operation m_operation = Operation::Plus; // the exercise on screen
    std::unique_ptr<PracticeSession> m_session;
};

void TestSession::percentCorrect_data()
{
    QTest::addColumn<qint32>("correct");
    QTest::addColumn<qint32>("wrong");
    QTest::addColumn<qint32>("percent");

    QTest::newRow("1 of 8: 12.5 to even") << 1 << 7 << 12;
    QTest::newRow("3 of 8: 37.5 to even") << 3 << 5 << 38;
    QTest::newRow("59 of 200: rounded q lands on 29.5") << 59 << 141 << 29;
    QTest::newRow("23 of 40: rounded q lands on 57.5") << 23 << 17 << 58;
    QTest::newRow("2 of 3") << 2 << 1 << 67;
    QTest::newRow("0 of 5") << 0 << 5 << 0;
    QTest::newRow("all right") << 15 << 0 << 100;
    QTest::newRow("1 of 2^31 - 1 + 1") << 1 << 2147483647 << 0;
    QTest::newRow("largest counts") << 2147483647 << 2147483647 << 50;
    QTest::newRow("zero total") << 0 << 0 << 0;
    QTest::newRow("zero total from a negative count") << 5 << -5 << 0;
    QTest::newRow("negative total") << 5 << -10 << -100;
    QTest::newRow("clamped high") << 2147483647 << -2147483646 << 2147483647;
    QTest::newRow("clamped low") << 2147483647 << int(-2147483647 - 1) << int(-2147483647 - 1);
}

void TestSession::percentCorrect()
{
    QFETCH(qint32, correct);
    QFETCH(qint32, wrong);
    QFETCH(qint32, percent);
    QCOMPARE(PercentCorrect(correct, wrong), percent);
}

void TestSession::percentCorrectMatchesModelForSmallCounts()
{
    for (qint32 c = 0; c <= 300; ++c) {
        for (qint32 w = 0; w <= 300; ++w) {
            if (c + w == 0)
                continue;
            const qint32 expected = qint32(modelPercent(quint64(c), quint64(c + w)));
            if (PercentCorrect(c, w) != expected)
                QFAIL(qPrintable(QStringLiteral("%1 of %2: %3, expected %4")
                                     .arg(c).arg(c + w).arg(PercentCorrect(c, w)).arg(expected)));
        }
    }
}

void TestSession::percentCorrectMatchesModelForLargeCounts()
{
    QRandomGenerator random(20240307);
    for (int i = 0; i < 300000; ++i) {
        const qint32 c = randomCount(random);
        const qint32 w = randomCount(random);
        if (qint64(c) + w == 0)
            continue;
        const qint32 expected = qint32(modelPercent(quint64(c), quint64(c) + quint64(w)));
        if (PercentCorrect(c, w) != expected)
            QFAIL(qPrintable(QStringLiteral("%1 right, %2 wrong: %3, expected %4")
                                 .arg(c).arg(w).arg(PercentCorrect(c, w)).arg(expected)));
    }
}

void TestSession::percentCorrectMatchesLongDouble()
{
    if (std::numeric_limits<long double>::digits != 64)
        QSKIP("long double has no 64-bit significand here");

    const auto extended = [](qint32 c, qint32 w) {
        const long double q = static_cast<long double>(c) / static_cast<long double>(qint64(c) + w);
        const long double p = q * 100.0L;
        return static_cast<qint64>(std::nearbyint(p)); // the default mode: nearest, ties to even
    };
    const auto check = [&](qint32 c, qint32 w) {
        const qint64 expected = extended(c, w);
        if (PercentCorrect(c, w) != expected)
            QFAIL(qPrintable(QStringLiteral("%1 right, %2 wrong: %3, long double %4")
                                 .arg(c).arg(w).arg(PercentCorrect(c, w)).arg(expected)));
        if (c >= 0 && w >= 0 && modelPercent(quint64(c), quint64(c) + quint64(w)) != expected)
            QFAIL(qPrintable(QStringLiteral("model differs at %1 right, %2 wrong").arg(c).arg(w)));
    };

    for (qint32 c = 0; c <= 300; ++c) {
        for (qint32 w = c == 0 ? 1 : 0; w <= 300; ++w)
            check(c, w);
    }
    QRandomGenerator random(7);
    for (int i = 0; i < 300000; ++i) {
        const qint32 c = randomCount(random);
        const qint32 w = randomCount(random);
        if (qint64(c) + w != 0)
            check(c, w);
    }
    // Negative counts, which only wrapped counters could give, round symmetrically.
    for (int i = 0; i < 20000; ++i) {
        const qint32 c = random.bounded(-1000, 1000);
        const qint32 w = random.bounded(-1000, 1000);
        if (qint64(c) + w != 0)
            check(c, w);
    }
}

void TestSession::grade_data()
{
    QTest::addColumn<qint32>("correct");
    QTest::addColumn<qint32>("total");
    QTest::addColumn<Thresholds>("thresholds");
    QTest::addColumn<qint32>("grade");
    QTest::addColumn<bool>("star");

    QTest::newRow("20 of 20 earns the star") << 20 << 20 << defaultThresholds << 1 << true;
    QTest::newRow("19 of 20, 95 % is the threshold") << 19 << 20 << defaultThresholds << 1 << false;
    QTest::newRow("18 of 20, 90 %") << 18 << 20 << defaultThresholds << 2 << false;
    QTest::newRow("17 of 20, 85 % is the threshold") << 17 << 20 << defaultThresholds << 2 << false;
    QTest::newRow("15 of 20, 75 %") << 15 << 20 << defaultThresholds << 3 << false;
    QTest::newRow("1 of 2, 50 %") << 1 << 2 << defaultThresholds << 4 << false;
    QTest::newRow("49 of 100") << 49 << 100 << defaultThresholds << 5 << false;
    QTest::newRow("1 of 8, 12 %") << 1 << 8 << defaultThresholds << 5 << false;
    QTest::newRow("59 of 200 rounds to 29, below 30") << 59 << 200 << Thresholds{90, 60, 45, 30} << 5 << false;
    QTest::newRow("23 of 40 rounds to 58, the threshold") << 23 << 40 << Thresholds{90, 80, 70, 58} << 4 << false;
    QTest::newRow("negative thresholds always pass") << 0 << 4 << Thresholds{-1, 0, 0, 0} << 1 << false;
    QTest::newRow("unordered: first match wins") << 3 << 4 << Thresholds{50, 95, 20, 10} << 1 << false;
    QTest::newRow("all right below a threshold above 100: no star") << 5 << 5 << Thresholds{101, 85, 75, 50} << 2 << false;
    QTest::newRow("nothing to evaluate") << 0 << 0 << Thresholds{-1, 0, 0, 0} << 0 << false;
}

void TestSession::grade()
{
    QFETCH(qint32, correct);
    QFETCH(qint32, total);
    QFETCH(Thresholds, thresholds);
    QFETCH(qint32, grade);
    QFETCH(bool, star);
    const PartialEvaluation evaluation = EvaluatePartial(correct, total - correct, thresholds);
    QCOMPARE(evaluation.grade, grade);
    QCOMPARE(evaluation.star, star);
}

void TestSession::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_history = m_dir->filePath(QStringLiteral("hdv.ndv"));
    m_settings = PracticeSettings();
    m_run = PracticeRun();
    m_view = std::make_unique<testsupport::FakeView>();
    m_view->running = true;
    m_operation = Operation::Plus;
    m_session = std::make_unique<PracticeSession>(m_settings, m_run, m_history, *m_view);
}

// One outcome as the answer check counts it.
void TestSession::answer(bool right)
{
    m_session->ZapisOkChyba(right ? PartialCount::Ok : PartialCount::Chyba);
    if (right)
        m_session->countTotalCorrect();
    else
        m_session->countTotalWrong();
    m_session->AktCelkHodnoceni();
    m_session->DilciHodnoceni(false, m_operation);
}

void TestSession::answer(int right, int wrong)
{
    for (int i = 0; i < right; ++i)
        answer(true);
    for (int i = 0; i < wrong; ++i)
        answer(false);
}

void TestSession::statusTextsBeforeAnswersAndAfterReset()
{
    m_session->AktCelkHodnoceni();
    QCOMPARE(m_view->totals, QStringList({" ", "0", "0"}));

    answer(3, 1);
    QCOMPARE(m_view->totals, QStringList({"3", "3", "1"})); // 75 %
    QCOMPARE(m_view->ok, 3);
    QCOMPARE(m_view->chyba, 1);

    m_session->MNulovatClick();
    QCOMPARE(m_view->totals, QStringList({" ", "0", "0"}));
    QCOMPARE(m_view->ok, 0);
    QCOMPARE(m_view->chyba, 0);
    QCOMPARE(m_session->PartialCorrect(), 0);
    QCOMPARE(m_session->PartialWrong(), 0);
    QCOMPARE(m_session->TotalCorrect(), 0);
    QCOMPARE(m_session->TotalWrong(), 0);
    QCOMPARE(m_session->PeriodCount(), 4);
    QVERIFY(m_session->PeriodPractised(Operation::Plus));
}

void TestSession::evaluationExactlyAtTheCount()
{
    answer(10, 4);
    QVERIFY(m_view->evaluations.empty());
    QVERIFY(!QFile::exists(m_history));

    answer(false);
    QCOMPARE(m_view->evaluations.size(), size_t(1));
    QCOMPARE(m_view->evaluations[0], std::make_pair(10, 5));
    QCOMPARE(history().size(), 1);
    QCOMPARE(m_session->PartialCorrect(), 0);
    QCOMPARE(m_view->ok, 0);
    QCOMPARE(m_view->chyba, 0);
    QCOMPARE(m_session->PeriodCount(), 0);
    QCOMPARE(m_session->TotalWrong(), 5); // the totals run on

    answer(14, 0);
    QCOMPARE(m_view->evaluations.size(), size_t(1));
    answer(true);
    QCOMPARE(m_view->evaluations.size(), size_t(2));
    QCOMPARE(m_view->evaluations[1], std::make_pair(15, 0));
    QCOMPARE(history().size(), 2);
    QCOMPARE(history().first().CorrectCount, 15);
}

void TestSession::recordCarriesThePeriod()
{
    m_settings.autoEvaluateAfter = 4;
    m_operation = Operation::Minus;
    m_run.timeLimitSeconds = 7;
    answer(true);
    m_operation = Operation::Del;
    m_run.timeLimitSeconds = 3; // lowered in the settings: the period keeps its highest
    answer(false);
    answer(false);
    m_view->now = QDateTime(QDate(2024, 3, 7), QTime(10, 30, 0));
    answer(true);

    const auto records = history();
    QCOMPARE(records.size(), 1);
    const EvaluationRecord &r = records.first();
    QCOMPARE(r.DateTime, double(QDate(1899, 12, 30).daysTo(QDate(2024, 3, 7))) + 0.4375);
    QCOMPARE(r.Grade, 4); // 50 %
    QCOMPARE(r.CorrectCount, 2);
    QCOMPARE(r.WrongCount, 2);
    QCOMPARE(r.Practised, (std::array<bool, 4>{false, true, false, true}));
    QCOMPARE(r.MaxTimeLimit, 7);

    QCOMPARE(m_session->PeriodPractised(), (std::array<bool, 4>{false, false, false, false}));
    QCOMPARE(m_session->PeriodMaxTimeLimit(), 0);
}

void TestSession::forcedEvaluationWithNothingToEvaluate()
{
    m_operation = Operation::Krat;
    m_run.timeLimitSeconds = 5;
    m_session->DilciHodnoceni(true, m_operation);

    QVERIFY(m_view->evaluations.empty());
    QCOMPARE(m_view->stops, 0);
    QVERIFY(!QFile::exists(m_history));
    QCOMPARE(m_session->PeriodCount(), 1);
    QVERIFY(m_session->PeriodPractised(Operation::Krat));
    QCOMPARE(m_session->PeriodMaxTimeLimit(), 5);

    // With something to evaluate a forced call evaluates before the count is reached.
    answer(2, 0);
    m_session->DilciHodnoceni(true, m_operation);
    QCOMPARE(m_view->evaluations.size(), size_t(1));
    QCOMPARE(history().first().Practised, (std::array<bool, 4>{false, false, true, false}));
    QCOMPARE(m_session->PeriodCount(), 0);
}

void TestSession::resetMidPeriodEvaluatesOnlyTheRest()
{
    answer(6, 4);
    m_session->MNulovatClick();
    QCOMPARE(m_session->PeriodCount(), 10);
    answer(4, 0);
    QVERIFY(m_view->evaluations.empty());
    answer(false);
    QCOMPARE(m_view->evaluations.size(), size_t(1));
    QCOMPARE(m_view->evaluations[0], std::make_pair(4, 1));
    QCOMPARE(history().first().CorrectCount, 4);
    QCOMPARE(history().first().WrongCount, 1);
}

void TestSession::countsKeepGrowingWithoutClearing()
{
    m_settings.clearAfterAutoEvaluation = false;
    answer(30, 0);
    const auto records = history(); // newest first
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[1].CorrectCount, 15);
    QCOMPARE(records[0].CorrectCount, 30);
    QCOMPARE(records[0].WrongCount, 0);
    QCOMPARE(m_session->PartialCorrect(), 30);
    QCOMPARE(m_session->PeriodCount(), 0);
}

void TestSession::countdownRestartedOnlyIfItWasRunning_data()
{
    QTest::addColumn<bool>("running");
    QTest::newRow("running") << true;
    QTest::newRow("stopped") << false;
}

void TestSession::countdownRestartedOnlyIfItWasRunning()
{
    QFETCH(bool, running);
    m_view->running = running;
    answer(15, 0);
    QCOMPARE(m_view->evaluations.size(), size_t(1));
    QVERIFY(!m_view->runningWhileEvaluating);
    QCOMPARE(m_view->running, running);
    QCOMPARE(m_view->starts, running ? 1 : 0);
}

void TestSession::historyWriteFailureLeavesCountsAndPeriod()
{
    const QString missing = m_dir->filePath(QStringLiteral("missing/hdv.ndv"));
    PracticeSession session(m_settings, m_run, missing, *m_view);
    m_operation = Operation::Minus;
    m_run.timeLimitSeconds = 4;
    for (int i = 0; i < 14; ++i) {
        session.ZapisOkChyba(PartialCount::Ok);
        session.countTotalCorrect();
        session.DilciHodnoceni(false, m_operation);
    }
    session.ZapisOkChyba(PartialCount::Chyba);
    session.countTotalWrong();
    QVERIFY_THROWS_EXCEPTION(InOutError, session.DilciHodnoceni(false, m_operation));

    QCOMPARE(m_view->evaluations.size(), size_t(1));
    QVERIFY(!m_view->running);
    QCOMPARE(m_view->starts, 0);
    QCOMPARE(session.PartialCorrect(), 14);
    QCOMPARE(session.PartialWrong(), 1);
    QCOMPARE(m_view->ok, 14);
    QCOMPARE(m_view->chyba, 1);
    QCOMPARE(session.PeriodCount(), 15);
    QVERIFY(session.PeriodPractised(Operation::Minus));
    QCOMPARE(session.PeriodMaxTimeLimit(), 4);
    QVERIFY(!QFile::exists(missing));
}

void TestSession::unknownOperationMarksNothing_data()
{
    QTest::addColumn<qint32>("code");
    QTest::newRow("0") << 0;
    QTest::newRow("5") << 5;
    QTest::newRow("-1") << -1;
    QTest::newRow("smallest") << int(-2147483647 - 1);
    QTest::newRow("largest") << 2147483647;
}

void TestSession::unknownOperationMarksNothing()
{
    QFETCH(qint32, code);
    m_settings.autoEvaluateAfter = 2;
    m_run.timeLimitSeconds = 9;
    m_operation = Operation(code);
    answer(true);
    QCOMPARE(m_session->PeriodCount(), 1);
    QCOMPARE(m_session->PeriodMaxTimeLimit(), 9);
    QCOMPARE(m_session->PeriodPractised(), (std::array<bool, 4>{false, false, false, false}));
    QVERIFY(!m_session->PeriodPractised(Operation(code)));

    answer(true); // the evaluation runs as usual and records no operation
    QCOMPARE(history().size(), 1);
    QCOMPARE(history().first().Practised, (std::array<bool, 4>{false, false, false, false}));
    QCOMPARE(history().first().MaxTimeLimit, 9);
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
