#include "core/records/recordfiles.h"
#include "practicefixture.h"

#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace testsupport;

namespace {

WrongResultRecord stored(qint32 a, qint32 op, qint32 b, qint32 c, qint32 slot, qint32 limit = 0)
{
    return {a, b, op, c, false, limit, slot};
}

// The exercise as the fields show it: the hidden number's place empty.
QString shown(const Exercise &e)
{
    const auto number = [&](UnknownSlot slot, qint32 value) { return e.hidden == slot ? QString() : QString::number(value); };
    return QStringList{number(UnknownSlot::First, e.first), OperationSign(e.operation),
                       number(UnknownSlot::Second, e.second), number(UnknownSlot::Result, e.result)}
        .join(u' ');
}

} // namespace

// The re-test without a window: the stored exercises posed again, each answered right leaving
// the re-test file, and the teacher's settings given back at its end.
class TestRetest : public QObject
{
    Q_OBJECT

private slots:
    void retestOfThree();
    void retestEdges_data();
    void retestEdges();
    void twoCopiesRetestOneFile();
    void retestKeepsTheTeachersSwitches();
    void removalsWaitForAHeldLock();
};

void TestRetest::retestOfThree()
{
    Practice p("[CasLimit]\nhodnota=7\n");
    const WrongResultRecord a = stored(7, 1, 5, 13, 3), b = stored(8, 2, 3, 4, 1, 10), c = stored(8, 4, 2, 3, 3);
    for (const WrongResultRecord &record : {a, b, c})
        AppendWrongResult(p.files.retestFile, record);
    AppendWrongResult(p.files.wrongResultsFile, a);
    p.start();

    p.flow->startRetest();
    QVERIFY(p.flow->RetestActive());
    QCOMPARE(p.flow->RetestIndex(), 1);
    QVERIFY(!QFile::exists(p.files.wrongResultsFile));
    QCOMPARE(p.run().mode, PracticeMode::Vyuka);
    QCOMPARE(p.view.menusEnabled, 0);
    QCOMPARE(shown(p.view.onScreen), QStringLiteral("7 + 5 "));
    QVERIFY(!p.view.gauge.visible); // A had no limit
    // nor does it time out: the pause noted when the settings mode began is not resumed for it
    for (int tick = 0; tick < 3 && p.view.running; ++tick)
        p.ticks(1);
    QCOMPARE(shown(p.view.onScreen), QStringLiteral("7 + 5 "));
    QCOMPARE(p.session().PartialWrong(), 0);

    p.answer("12"); // A is right and leaves the file
    QCOMPARE(shown(p.view.onScreen), QStringLiteral(" - 3 4"));
    QCOMPARE(p.view.gauge.caption, QStringLiteral("10s")); // B's own limit
    p.ticks(11);                                             // B runs out of time and stays
    QCOMPARE(shown(p.view.onScreen), QStringLiteral("8 : 2 "));
    QCOMPARE(p.flow->RetestIndex(), 2);

    p.answer("3"); // wrong: nothing is stored, C stays
    QCOMPARE(CountWrongResults(p.files.retestFile), 2);
    QVERIFY(!QFile::exists(p.files.wrongResultsFile));
    QCOMPARE(shown(p.view.onScreen), QStringLiteral("8 : 2 "));
    QVERIFY(p.view.messages.isEmpty());

    p.answer("4");
    QCOMPARE(p.view.messages, QStringList{"Information: Všechny chybné výsledky přezkoušeny"});
    QVERIFY(!p.flow->RetestActive());
    QCOMPARE(fileBytes(p.files.retestFile), b.encode());
    QCOMPARE(p.run().timeLimitSeconds, 7);
    QVERIFY(p.flow->FreshExercise()); // a generated exercise follows
    // the forced evaluation at the end: two right, two wrong (the time-out and C's first try)
    const QList<EvaluationRecord> history = ReadEvaluations(p.files.historyFile);
    QCOMPARE(history.size(), 1);
    QCOMPARE(history[0].CorrectCount, 2);
    QCOMPARE(history[0].WrongCount, 2);
    QCOMPARE(p.run().mode, PracticeMode::Vyuka);
}

void TestRetest::retestEdges_data()
{
    QTest::addColumn<QList<WrongResultRecord>>("records");
    QTest::addColumn<bool>("stray"); // something puts a generated exercise on screen meanwhile
    QTest::addColumn<QString>("onScreen");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing to re-test") << QList<WrongResultRecord>{} << false << QString() << QString() << 0
                                        << "Information: Nejsou žádné chybné výsledky";
    QTest::newRow("one record") << QList{stored(7, 1, 5, 13, 3)} << false << "7 + 5 " << "12" << 0
                                << "Information: Všechny chybné výsledky přezkoušeny";
    QTest::newRow("unknown operation and slot") << QList{stored(2, 9, 3, 99, 7)} << false << "2 + 3 " << "5" << 0
                                                << "Information: Všechny chybné výsledky přezkoušeny";
    QTest::newRow("stray exercise") << QList{stored(7, 1, 5, 13, 3)} << true << "7 + 5 " << "12" << 1 << "";
}

void TestRetest::retestEdges()
{
    QFETCH(QList<WrongResultRecord>, records);
    QFETCH(bool, stray);
    QFETCH(QString, onScreen);
    QFETCH(QString, answer);
    QFETCH(int, left);
    QFETCH(QString, message);
    Practice p("[Plus]\nC1OD=1\nC1DO=1\nC2OD=1\nC2DO=1\n");
    for (const WrongResultRecord &record : records)
        AppendWrongResult(p.files.retestFile, record);
    AppendWrongResult(p.files.wrongResultsFile, stored(1, 1, 1, 3, 3));
    p.start();
    const qint32 periodBefore = p.session().PeriodCount();
    p.flow->startRetest();
    if (records.isEmpty()) {
        QVERIFY(QFile::exists(p.files.wrongResultsFile));
        QCOMPARE(p.session().PeriodCount(), periodBefore); // no forced evaluation
    } else {
        QCOMPARE(shown(p.view.onScreen), onScreen);
        if (stray) {
            p.flow->DalsiPriklad();
            p.answer("2"); // 1 + 1 is right, but no stored exercise was answered
            QCOMPARE(shown(p.view.onScreen), onScreen);
        } else {
            p.answer(answer);
        }
    }
    QCOMPARE(CountWrongResults(p.files.retestFile), left);
    QCOMPARE(p.view.messages.join(u'/'), message);
    QCOMPARE(p.flow->RetestActive(), stray);
}

void TestRetest::twoCopiesRetestOneFile()
{
    Practice one;
    for (qint32 first = 11; first <= 15; ++first)
        AppendWrongResult(one.files.retestFile, {first, 1, 1, 0, false, 0, 3});
    // a second copy of the program on the same data folder
    ExerciseGenerator generator;
    FakeView view;
    PracticeFlow other(generator, one.files, view);
    one.start().startRetest();
    other.startPractice();
    other.startRetest();
    one.answer("12");
    view.typed = "12";
    other.answer("12"); // 11 + 1 again, already gone from the file
    QCOMPARE(CountWrongResults(one.files.retestFile), 4);
    for (const FakeView *v : {&one.view, &view})
        QCOMPARE(v->onScreen.first, 12); // both go on with 12 + 1
}

void TestRetest::retestKeepsTheTeachersSwitches()
{
    Practice p(SevenPlusFive + "[CasLimit]\nhodnota=6\n");
    AppendWrongResult(p.files.retestFile, {7, 5, 1, 13, false, 0, 3});
    p.start();
    // the teacher turns subtraction and the sound on and off without closing the program
    p.view.switches.minus = true;
    p.flow->setSound(false);
    const QByteArray ini = fileBytes(p.files.iniFile);
    p.flow->startRetest();
    QCOMPARE(p.run().timeLimitSeconds, 0); // the record's limit
    p.answer("12");
    QVERIFY(!p.flow->RetestActive());
    QCOMPARE(p.view.switches, (OperationSwitches{true, true, false, false}));
    QVERIFY(!p.run().soundOn);
    QCOMPARE(p.run().timeLimitSeconds, 6); // the record's limit gives way to the setting
    QCOMPARE(fileBytes(p.files.iniFile), ini);
    QCOMPARE(p.view.evaluations.size(), std::size_t(1)); // the forced evaluation of the one answer
}

// Another copy reading the re-test file holds its lock: the right answers go on at once, each
// next stored exercise follows, and the removals are done in order once the file is free.
void TestRetest::removalsWaitForAHeldLock()
{
    Practice p;
    for (qint32 first = 11; first <= 14; ++first)
        AppendWrongResult(p.files.retestFile, {first, 1, 1, first + 1, false, 0, 3});
    p.start().startRetest();
    const int reader = ::open(QFile::encodeName(p.files.retestFile).constData(), O_RDONLY | O_CLOEXEC);
    QCOMPARE(::flock(reader, LOCK_SH), 0);
    for (const qint32 first : {11, 12}) {
        QCOMPARE(p.view.onScreen.first, first);
        p.answer(QString::number(first + 1));
    }
    QCOMPARE(CountWrongResults(p.files.retestFile), 4);
    QCOMPARE(p.view.onScreen.first, 13);
    ::close(reader);
    QTRY_COMPARE(CountWrongResults(p.files.retestFile), 2);
    for (const qint32 first : {13, 14}) {
        QCOMPARE(p.view.onScreen.first, first);
        p.answer(QString::number(first + 1));
    }
    QVERIFY(!p.flow->RetestActive());
    QCOMPARE(CountWrongResults(p.files.retestFile), 0);
}

QTEST_GUILESS_MAIN(TestRetest)
#include "tst_retest.moc"
