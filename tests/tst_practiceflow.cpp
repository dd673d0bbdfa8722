#include "core/records/historycsv.h"
#include "core/records/pendingrecords.h"
#include "core/records/recordfiles.h"
#include "practicefixture.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace testsupport;

namespace {

// The pupil's wrong results in a wrong-results file, in file order.
QList<qint32> resultsIn(const QString &file)
{
    QList<qint32> results;
    for (qint32 index = 1; index <= CountWrongResults(file); ++index) {
        WrongResultRecord record;
        ReadWrongResult(file, index, record);
        results.append(record.Result);
    }
    return results;
}

} // namespace

// The practice as the pupil meets it, without a window: the verdict on an answer, the counts,
// the records of misses, the countdown's ticks and the partial evaluation.
class TestPracticeFlow : public QObject
{
    Q_OBJECT

private slots:
    void wrongThenRightAnswer();
    void invalidTextCountsNothing_data();
    void invalidTextCountsNothing();
    void numberForms_data();
    void numberForms();
    void everyHiddenSlotIsJudged_data();
    void everyHiddenSlotIsJudged();
    void failedDrawKeepsTheExercise();
    void unwritableMissesWaitInOrder();

    void captionsRunDownToATimeOut();
    void partlyTypedDigitsAreStored();
    void wrongAnswerKeepsTheCount();
    void tickDuringFeedback_data();
    void tickDuringFeedback();
    void deactivation_data();
    void deactivation();
    void evaluationAfterFifteenOutcomes();
    void evaluationWithoutClearingKeepsCounting();
    void unwritableEvaluationWaits_data();
    void unwritableEvaluationWaits();
};

void TestPracticeFlow::wrongThenRightAnswer()
{
    Practice p(SevenPlusFive + "[CasLimit]\nhodnota=10\n");
    p.start();
    QCOMPARE(p.view.onScreen.first, 7);
    QCOMPARE(p.view.onScreen.second, 5);

    p.answer("13");
    const QByteArray first = QByteArray::fromHex("07000000" "05000000" "01000000" "0D000000" "00000000" "0A000000" "03000000");
    QCOMPARE(fileBytes(p.files.retestFile), first);
    QCOMPARE(fileBytes(p.files.wrongResultsFile), first);
    QCOMPARE(p.view.chyba, 1);
    QCOMPARE(p.view.typed, QString());
    QCOMPARE(p.view.totals, (QStringList{"5", "0", "1"}));
    QCOMPARE(p.view.feedback.back(), std::make_pair(FeedbackKind::Wrong, 3));
    QVERIFY(!p.flow->FreshExercise());

    // a second miss of the same exercise goes to the wrong-results file only
    p.answer("11");
    QCOMPARE(fileBytes(p.files.retestFile), first);
    QCOMPARE(CountWrongResults(p.files.wrongResultsFile), 2);
    qint32 index = 2;
    WrongResultRecord second;
    ReadWrongResult(p.files.wrongResultsFile, index, second);
    QCOMPARE(second.Result, 11);

    p.answer("12");
    QCOMPARE(p.view.feedback.back(), std::make_pair(FeedbackKind::Correct, 3));
    QCOMPARE(p.view.ok, 1);
    QCOMPARE(p.view.chyba, 2);
    QCOMPARE(p.view.totals, (QStringList{"5", "1", "2"})); // 1 of 3 is 33 %
    QCOMPARE(p.session().TotalCorrect(), 1);
    QCOMPARE(p.session().PeriodCount(), 3);
    // the next exercise is on screen, fresh, its result empty again
    QVERIFY(p.flow->FreshExercise());
    QCOMPARE(p.generator.exerciseCount(), 2);
    QCOMPARE(CountWrongResults(p.files.retestFile), 1);
}

void TestPracticeFlow::invalidTextCountsNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("trailing blank") << "12 ";
    QTest::newRow("comma") << "1,5";
    QTest::newRow("point") << "1.5";
    QTest::newRow("lone minus") << "-";
    QTest::newRow("letters") << "abc";
}

void TestPracticeFlow::invalidTextCountsNothing()
{
    QFETCH(QString, text);
    Practice p;
    p.start();
    p.answer(text);
    QCOMPARE(p.view.messages, QStringList{"Warning: Toto není přípustné číslo"});
    QCOMPARE(p.view.focusRequests, 1);
    QCOMPARE(p.view.typed, text);
    QVERIFY(p.view.feedback.empty());
    QCOMPARE(p.generator.exerciseCount(), 1); // the exercise stays
    QCOMPARE(p.session().PartialCorrect() + p.session().PartialWrong(), 0);
    QCOMPARE(p.session().PeriodCount(), 0);
    QVERIFY(!QFile::exists(p.files.wrongResultsFile));
}

void TestPracticeFlow::numberForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("leading blanks") << "  12";
    QTest::newRow("plus sign") << "+12";
    QTest::newRow("leading zero") << "012";
    QTest::newRow("dollar hex") << "$C";
    QTest::newRow("0x hex") << "0xC";
}

void TestPracticeFlow::numberForms()
{
    QFETCH(QString, text);
    Practice p(SevenPlusFive);
    p.start();
    p.answer(text);
    QCOMPARE(p.session().PartialCorrect(), 1);
    QCOMPARE(p.session().PartialWrong(), 0);
}

void TestPracticeFlow::everyHiddenSlotIsJudged_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("z");
    QTest::addColumn<int>("hidden");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("right");

    QTest::newRow("? - 3 = 4 with 7") << 2 << 7 << 3 << 4 << 1 << "7" << true;
    QTest::newRow("? - 3 = 4 with 8") << 2 << 7 << 3 << 4 << 1 << "8" << false;
    QTest::newRow("8 : 2 = ? with 4") << 4 << 8 << 2 << 4 << 3 << "4" << true;
    QTest::newRow("? : 2 = 4 with 7") << 4 << 8 << 2 << 4 << 1 << "7" << true;
    QTest::newRow("? : 2 = 4 with 9") << 4 << 8 << 2 << 4 << 1 << "9" << true;
    QTest::newRow("? : 2 = 4 with 10") << 4 << 8 << 2 << 4 << 1 << "10" << false;
    QTest::newRow("8 : ? = 4 with 0") << 4 << 8 << 2 << 4 << 2 << "0" << false;
    QTest::newRow("0 x ? = 0 with 123") << 3 << 0 << 5 << 0 << 2 << "123" << true;
    QTest::newRow("-3 as the second number") << 1 << 7 << -3 << 4 << 2 << "-3" << true;
}

void TestPracticeFlow::everyHiddenSlotIsJudged()
{
    QFETCH(int, operation);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, z);
    QFETCH(int, hidden);
    QFETCH(QString, entered);
    QFETCH(bool, right);

    Practice p;
    p.start().showExercise({x, Operation(operation), y, z, UnknownSlot(hidden)});
    p.answer(entered);
    QCOMPARE(p.session().PartialCorrect(), right ? 1 : 0);
    QCOMPARE(p.session().PartialWrong(), right ? 0 : 1);
    QCOMPARE(p.view.feedback.back().second, hidden);
    if (!right) {
        qint32 index = 1;
        WrongResultRecord record;
        ReadWrongResult(p.files.wrongResultsFile, index, record);
        const qint32 typed = entered.toInt();
        QCOMPARE(record.FirstNumber, hidden == 1 ? typed : x);
        QCOMPARE(record.SecondNumber, hidden == 2 ? typed : y);
        QCOMPARE(record.Result, hidden == 3 ? typed : z);
        QCOMPARE(record.Operation, operation);
        QCOMPARE(record.HiddenSlot, hidden);
        QVERIFY(!record.TimedOut);
    }
}

void TestPracticeFlow::failedDrawKeepsTheExercise()
{
    Practice p("[Operace]\nPlus=0\nDeleni=1\n[Del]\nC2OD=0\nC2DO=0\n");
    p.start();
    QCOMPARE(p.view.messages, QStringList{"Warning: Chyba v programu"});
    // the exercise of a new window stays: 0 + 0 = (empty)
    QCOMPARE(p.flow->exerciseOnScreen().first, 0);
    QCOMPARE(p.flow->exerciseOnScreen().operation, Operation::Plus);
    QCOMPARE(p.flow->exerciseOnScreen().hidden, UnknownSlot::Result);
    QCOMPARE(p.generator.exerciseCount(), 1);
    QVERIFY(!p.flow->FreshExercise());
}

void TestPracticeFlow::unwritableMissesWaitInOrder()
{
    Practice p(SevenPlusFive);
    // a folder where the wrong-results file belongs cannot be written, even by root
    const QString blocker = p.files.wrongResultsFile;
    QVERIFY(QDir().mkdir(blocker));
    p.start();
    p.answer("13");
    p.answer("14");
    // the answers count as ever; the pupil hears of it once, after the answer, calmly
    QCOMPARE(p.session().TotalWrong(), 2);
    QCOMPARE(p.view.messages, QStringList());
    p.view.runPending();
    QCOMPARE(p.view.messages.size(), 1);
    QVERIFY(p.view.messages[0].startsWith("Information: Odpovědi se teď nedaří uložit do souboru chybavysl.nmk "
                                          "(File access denied.)"));
    QCOMPARE(CountWrongResults(p.files.retestFile), 1);
    QCOMPARE(p.flow->pendingRecords().count(), 2);

    // the next answer after the obstacle is gone writes the waiting ones first
    QVERIFY(QDir().rmdir(blocker));
    p.answer("15");
    QCOMPARE(resultsIn(p.files.wrongResultsFile), (QList<qint32>{13, 14, 15}));

    // what cannot be written at close waits in the pending file for the next start
    QVERIFY(QDir().rename(p.files.wrongResultsFile, blocker + ".old") && QDir().mkdir(blocker));
    p.answer("16");
    p.flow->saveUnwrittenRecords();
    QCOMPARE(QFileInfo(PendingRecords::pendingFileBeside(blocker)).size(), 1 + WrongResultRecord::Size);
    QVERIFY(QDir().rmdir(blocker));
    PendingRecords(p.files.retestFile, p.files.wrongResultsFile, p.files.historyFile).takeOverPendingFile();
    QCOMPARE(resultsIn(p.files.wrongResultsFile), QList<qint32>{16});
    QVERIFY(!QFileInfo::exists(PendingRecords::pendingFileBeside(blocker)));
}

void TestPracticeFlow::captionsRunDownToATimeOut()
{
    Practice p(SevenPlusFive + "[CasLimit]\nhodnota=3\n[Rezim]\ntyp=2\n");
    p.start();
    QVERIFY(p.view.gauge.visible);
    QVERIFY(p.view.running);
    QCOMPARE(p.view.gauge.caption, QStringLiteral("3s"));

    QStringList captions;
    for (int i = 0; i < 3; ++i) {
        p.ticks(1);
        captions << p.view.gauge.caption;
    }
    QCOMPARE(captions, QStringList({"2s", "1s", "0s"}));
    QCOMPARE(p.view.gauge.progress, 3);
    QCOMPARE(p.session().PartialWrong(), 0);

    p.ticks(1); // -1: the time has run out
    QCOMPARE(p.view.feedback.back(), std::make_pair(FeedbackKind::TooSlow, 3));
    QCOMPARE(p.view.chyba, 1);
    QCOMPARE(p.view.totals.value(2), QStringLiteral("1"));
    QCOMPARE(p.session().PeriodCount(), 1);
    const QByteArray timedOut = QByteArray::fromHex("07000000" "05000000" "01000000" "00000000" "01000000" "03000000" "03000000");
    QCOMPARE(fileBytes(p.files.retestFile), timedOut);
    QCOMPARE(fileBytes(p.files.wrongResultsFile), timedOut);
    // the next exercise counts from the full limit again
    QCOMPARE(p.generator.exerciseCount(), 2);
    QCOMPARE(p.view.gauge.caption, QStringLiteral("3s"));
    QCOMPARE(p.flow->countdown().RemainingSeconds(), 3);
    QVERIFY(p.view.running);
}

void TestPracticeFlow::partlyTypedDigitsAreStored()
{
    Practice p(SevenPlusFive + "[CasLimit]\nhodnota=1\n");
    p.start();
    p.view.typed = "1";
    p.ticks(2);
    qint32 index = 1;
    WrongResultRecord record;
    ReadWrongResult(p.files.wrongResultsFile, index, record);
    QCOMPARE(record.Result, 1);
    QVERIFY(record.TimedOut);
    QCOMPARE(record.TimeLimit, 1);
    QCOMPARE(p.view.typed, QString());
}

void TestPracticeFlow::wrongAnswerKeepsTheCount()
{
    Practice p(SevenPlusFive + "[CasLimit]\nhodnota=3\n[Rezim]\ntyp=2\n");
    p.start();
    p.ticks(2);
    p.answer("13");
    QCOMPARE(p.flow->countdown().RemainingSeconds(), 1);
    QCOMPARE(p.view.gauge.caption, QStringLiteral("1s"));
    QVERIFY(p.view.running);
    p.ticks(2); // the same exercise times out two seconds later
    QCOMPARE(p.session().PartialWrong(), 2);
    QCOMPARE(CountWrongResults(p.files.retestFile), 1); // the exercise once
    QCOMPARE(CountWrongResults(p.files.wrongResultsFile), 2);
}

void TestPracticeFlow::tickDuringFeedback_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("wrongAfter"); // wrong outcomes once the held-back tick has run
    QTest::addColumn<int>("remaining");
    // the right answer's new exercise has its own fresh count: the tick is dropped
    QTest::newRow("right answer") << "12" << 0 << 2;
    // the verdict comes first; the held-back tick then times the same exercise out
    QTest::newRow("wrong answer") << "13" << 2 << 2;
}

void TestPracticeFlow::tickDuringFeedback()
{
    QFETCH(QString, answer);
    QFETCH(int, wrongAfter);
    QFETCH(int, remaining);
    Practice p(SevenPlusFive + "[CasLimit]\nhodnota=2\n[Rezim]\ntyp=2\n");
    p.start();
    p.ticks(2); // 0s left
    p.view.duringFeedback = [&] { p.flow->TCasLimitTimer(); };
    p.answer(answer);
    QCOMPARE(p.session().PartialWrong(), wrongAfter == 0 ? 0 : 1);
    QCOMPARE(p.view.feedback.size(), std::size_t(1));
    p.view.runPending();
    QCOMPARE(p.session().PartialWrong(), wrongAfter);
    QCOMPARE(p.session().PartialCorrect(), wrongAfter == 0 ? 1 : 0);
    QCOMPARE(p.flow->countdown().RemainingSeconds(), remaining);
    QCOMPARE(CountWrongResults(p.files.wrongResultsFile), wrongAfter);
    if (wrongAfter > 0) {
        qint32 index = 2;
        WrongResultRecord record;
        ReadWrongResult(p.files.wrongResultsFile, index, record);
        QVERIFY(record.TimedOut);
    }
}

void TestPracticeFlow::deactivation_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("pauses");
    QTest::addColumn<bool>("answerWhileAway"); // the switch came during the answer's feedback
    QTest::newRow("teaching mode pauses") << 2 << true << false;
    QTest::newRow("settings mode changes nothing") << 1 << false << false;
    QTest::newRow("next exercise posed while away starts frozen") << 2 << true << true;
    QTest::newRow("settings mode, next exercise runs") << 1 << false << true;
}

void TestPracticeFlow::deactivation()
{
    QFETCH(int, mode);
    QFETCH(bool, pauses);
    QFETCH(bool, answerWhileAway);
    Practice p(SevenPlusFive + "[CasLimit]\nhodnota=5\n[Rezim]\ntyp=" + QByteArray::number(mode) + "\ndeaktivace=1\n");
    p.start();
    // entering the settings mode at start-up paused the first count; the next exercise counts
    if (!pauses)
        p.answer("12");
    p.ticks(1);
    QVERIFY(p.view.running);
    const bool pausedBefore = p.flow->countdown().TimerPaused();
    p.flow->ApplicationEvents1Deactivate();
    QCOMPARE(p.view.running, !pauses);
    QCOMPARE(p.flow->countdown().TimerPaused(), pauses || pausedBefore);
    QCOMPARE(p.view.gauge.caption, QStringLiteral("4s"));
    if (answerWhileAway) {
        p.answer("12");
        QCOMPARE(p.view.running, !pauses);
        QCOMPARE(p.view.gauge.caption, QStringLiteral("5s"));
    }
    p.flow->ApplicationEvents1Activate();
    QVERIFY(p.view.running);
    QCOMPARE(p.flow->countdown().TimerPaused(), pausedBefore);
    QCOMPARE(p.flow->countdown().RemainingSeconds(), answerWhileAway ? 5 : 4);
}

void TestPracticeFlow::evaluationAfterFifteenOutcomes()
{
    Practice p(SevenPlusFive + "[CasLimit]\nhodnota=10\n");
    p.start();
    for (int i = 0; i < 13; ++i)
        p.answer("12");
    p.answer("13");
    QVERIFY(p.view.evaluations.empty());
    QVERIFY(!QFile::exists(p.files.historyFile));

    p.answer("12"); // the 15th outcome
    QCOMPARE(p.view.evaluations, (std::vector<std::pair<qint32, qint32>>{{14, 1}}));
    QVERIFY(!p.view.runningWhileEvaluating);
    QVERIFY(p.view.running);
    // 15 March 2024 12:00, grade 2, 14 right, 1 wrong, addition, a limit of 10 seconds
    QCOMPARE(fileBytes(p.files.historyFile),
             QByteArray::fromHex("00000000D026E640" "02000000" "0E000000" "01000000" "01000000" "0A000000" "00000000"));
    QCOMPARE(p.view.ok, 0);
    QCOMPARE(p.view.chyba, 0);
    QCOMPARE(p.view.totals.value(1), QStringLiteral("14"));
    QVERIFY(fileBytes(QFileInfo(p.files.historyFile).dir().filePath("historie.csv"))
                .endsWith("\r\n2024-03-15;12:00:00;2;14;1;93;+;10\r\n"));

    // the next evaluation comes after fifteen more
    for (int i = 0; i < 14; ++i)
        p.answer("12");
    QCOMPARE(CountEvaluations(p.files.historyFile), 1);
    p.answer("12");
    const QList<EvaluationRecord> history = ReadEvaluations(p.files.historyFile);
    QCOMPARE(history.size(), 2);
    QCOMPARE(history.front().Grade, 1);
    QCOMPARE(history.front().CorrectCount, 15);
}

void TestPracticeFlow::evaluationWithoutClearingKeepsCounting()
{
    Practice p(SevenPlusFive + "[Hodnoceni]\nautopo=3\nautomaz=0\n");
    p.start();
    for (int i = 0; i < 6; ++i)
        p.answer("12");
    QCOMPARE(p.view.evaluations, (std::vector<std::pair<qint32, qint32>>{{3, 0}, {6, 0}}));
    const QList<EvaluationRecord> history = ReadEvaluations(p.files.historyFile);
    QCOMPARE(history.size(), 2);
    QCOMPARE(history[0].CorrectCount, 6);
    QCOMPARE(history[1].CorrectCount, 3);
    QCOMPARE(history[0].Grade, 1);
}

// An evaluation that cannot be written now waits like a miss: the practice goes on as after any
// evaluation, the other file takes it at once, and the pupil hears of it once.
void TestPracticeFlow::unwritableEvaluationWaits_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::newRow("history file") << "hdv.ndv";
    QTest::newRow("historie.csv") << "historie.csv";
}

void TestPracticeFlow::unwritableEvaluationWaits()
{
    QFETCH(QString, blocked);
    Practice p(SevenPlusFive + "[Hodnoceni]\nautopo=2\n");
    const QString blocker = p.dir->filePath(blocked);
    QVERIFY(QDir().mkdir(blocker));
    p.start();
    p.answer("12");
    p.answer("12");
    QCOMPARE(p.view.evaluations.size(), std::size_t(1));
    QCOMPARE(p.view.ok, 0);
    QCOMPARE(p.session().PeriodCount(), 0);
    if (blocked == "hdv.ndv")
        QCOMPARE(ReadHistoryCsv(HistoryCsvPathBeside(p.files.historyFile)).size(), 1);
    else
        QCOMPARE(CountEvaluations(p.files.historyFile), 1);
    p.view.runPending();
    QCOMPARE(p.view.messages.size(), 1);
    QVERIFY(p.view.messages[0].contains(blocked));
    QVERIFY(QDir().rmdir(blocker));
    // the timer writes it in
    QTRY_COMPARE(p.flow->pendingRecords().count(), 0);
    QCOMPARE(CountEvaluations(p.files.historyFile), 1);
    QCOMPARE(ReadHistoryCsv(HistoryCsvPathBeside(p.files.historyFile)).size(), 1);
}

QTEST_GUILESS_MAIN(TestPracticeFlow)
#include "tst_practiceflow.moc"
