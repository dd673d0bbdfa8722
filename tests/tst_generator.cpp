#include "core/generator/generator.h"

#include <QTest>

#include <limits>

namespace {

constexpr qint32 Min32 = std::numeric_limits<qint32>::min();
constexpr qint32 Max32 = std::numeric_limits<qint32>::max();

// The seed after n draws from seed s, worked out from the formula on its own.
quint32 seedAfter(quint32 s, int n)
{
    for (int i = 0; i < n; ++i)
        s = quint32((quint64(s) * 134775813u + 1u) & 0xFFFFFFFFu);
    return s;
}

bool isOn(const OperationSwitches &s, Operation op)
{
    return s.isOn(op);
}

} // namespace

class TestGenerator : public QObject
{
    Q_OBJECT

private slots:
    void randomSourceFollowsItsFormula();
    void timeOfDaySeed();
    void randomInRangeEdges();

    void oneSwitchSpendsNoDraw();
    void operationsAmongTheEnabledOnly_data();
    void operationsAmongTheEnabledOnly();
    void allSwitchesOffGiveEveryOperationEvenly();
    void allSwitchesOffTakeTheLastOfTenThousandDraws();
    void hiddenSlot();

    void defaultRangesAreRespected_data();
    void defaultRangesAreRespected();
    void divisionIsExactAndNeverByZero();
    void boundsAreInclusive();
    void restrictionKinds_data();
    void restrictionKinds();
    void readingLists_data();
    void readingLists();
    void restrictedSearch();
    void negativeResultsWhenAllowed();
    void failedSearchLeavesOperandsAlone();

    void computeResultWrapsAround_data();
    void computeResultWrapsAround();
    void operationSigns();
    void sheetLineText_data();
    void sheetLineText();

    void everyTwentyFifthExerciseReseeds();
    void failedDrawKeepsTheSlot();
    void recordedSequence_data();
    void recordedSequence();
};

void TestGenerator::randomSourceFollowsItsFormula()
{
    RandomSource random(0);
    QCOMPARE(random.random(10), 0u);      // seed 1: 10 / 2^32
    QCOMPARE(random.seed(), 1u);
    QCOMPARE(random.random(100), 3u);     // seed 134775814
    QCOMPARE(random.random(1000), 861u);  // seed 3698175007
    QCOMPARE(random.random(7), 1u);       // seed 870078620
    QCOMPARE(random.seed(), 870078620u);
    QCOMPARE(random.random(quint64(1) << 32), 1172187917u); // the whole new seed
}

void TestGenerator::timeOfDaySeed()
{
    QCOMPARE(RandomSource::timeOfDaySeed(QTime(12, 34, 56, 789)), 45296789u);
    QCOMPARE(RandomSource::timeOfDaySeed(QTime(0, 0, 0, 0)), 0u);
    QCOMPARE(RandomSource::timeOfDaySeed(QTime(23, 59, 59, 999)), 86399999u);
}

void TestGenerator::randomInRangeEdges()
{
    RandomSource random(45296789);
    QCOMPARE(random.RandomInRange(1, 4), 2); // 1 + upper half of 2099557098 × 4
    QCOMPARE(random.seed(), 2099557098u);

    // a single value still spends its draw
    QCOMPARE(random.RandomInRange(5, 5), 5);
    QCOMPARE(random.seed(), seedAfter(2099557098u, 1));

    // the whole 32-bit range: every value reachable, no overflow
    random.setSeed(41);
    const qint32 full = random.RandomInRange(Min32, Max32);
    QCOMPARE(full, qint32(quint32(Min32) + seedAfter(41, 1)));

    // bounds in the wrong order draw between them
    for (int i = 0; i < 1000; ++i) {
        const qint32 v = random.RandomInRange(10, -10);
        QVERIFY2(v >= -10 && v <= 10, qPrintable(QString::number(v)));
    }
    for (int i = 0; i < 1000; ++i) {
        const qint32 v = random.RandomInRange(Max32, Min32 + 1);
        QVERIFY(v > Min32);
    }
}

void TestGenerator::oneSwitchSpendsNoDraw()
{
    RandomSource random(777);
    const OperationSwitches onlyDivision{false, false, false, true};
    for (int i = 0; i < 20; ++i)
        QCOMPARE(DejTypOperace(random, onlyDivision), Operation::Del);
    QCOMPARE(random.seed(), 777u);

    ExerciseGenerator generator([] { return QTime(8, 0); });
    PracticeSettings settings;
    for (int i = 0; i < 200; ++i) {
        const auto draw = generator.drawExercise(OperationSwitches{}, settings);
        QVERIFY(draw.exercise);
        QCOMPARE(draw.exercise->operation, Operation::Plus);
        QCOMPARE(draw.exercise->hidden, UnknownSlot::Result);
    }
}

void TestGenerator::operationsAmongTheEnabledOnly_data()
{
    QTest::addColumn<bool>("plus");
    QTest::addColumn<bool>("minus");
    QTest::addColumn<bool>("krat");
    QTest::addColumn<bool>("deleni");
    QTest::newRow("+ and :") << true << false << false << true;
    QTest::newRow("- and x") << false << true << true << false;
    QTest::newRow("three") << true << true << true << false;
    QTest::newRow("all four") << true << true << true << true;
}

void TestGenerator::operationsAmongTheEnabledOnly()
{
    QFETCH(bool, plus);
    QFETCH(bool, minus);
    QFETCH(bool, krat);
    QFETCH(bool, deleni);
    const OperationSwitches switches{plus, minus, krat, deleni};
    RandomSource random(2024);
    int counts[5] = {};
    const int n = 8000;
    for (int i = 0; i < n; ++i) {
        const Operation op = DejTypOperace(random, switches);
        QVERIFY(isOn(switches, op));
        ++counts[int(op)];
    }
    const int expected = n / switches.countOn();
    for (int code = 1; code <= 4; ++code) {
        if (isOn(switches, Operation(code)))
            QVERIFY2(qAbs(counts[code] - expected) < expected / 10, qPrintable(QString::number(counts[code])));
    }
}

void TestGenerator::allSwitchesOffGiveEveryOperationEvenly()
{
    RandomSource random(99);
    int counts[5] = {};
    for (int i = 0; i < 400; ++i)
        ++counts[int(DejTypOperace(random, OperationSwitches{false, false, false, false}))];
    for (int code = 1; code <= 4; ++code)
        QVERIFY2(counts[code] > 60 && counts[code] < 140, qPrintable(QString::number(counts[code])));
}

void TestGenerator::allSwitchesOffTakeTheLastOfTenThousandDraws()
{
    RandomSource random(5);
    const Operation op = DejTypOperace(random, OperationSwitches{false, false, false, false});
    const quint32 last = seedAfter(5, 10000);
    QCOMPARE(random.seed(), last);
    QCOMPARE(int(op), int(1 + ((quint64(last) * 4) >> 32)));
}

void TestGenerator::hiddenSlot()
{
    RandomSource random(3);
    QCOMPARE(DejTypNeznama(random, true), UnknownSlot::Result);
    QCOMPARE(random.seed(), 3u);
    bool seen[4] = {};
    for (int i = 0; i < 300; ++i) {
        const int slot = int(DejTypNeznama(random, false));
        QVERIFY(slot >= 1 && slot <= 3);
        seen[slot] = true;
    }
    QVERIFY(seen[1] && seen[2] && seen[3]);
}

void TestGenerator::defaultRangesAreRespected_data()
{
    QTest::addColumn<int>("operation");
    QTest::newRow("+") << 1;
    QTest::newRow("-") << 2;
    QTest::newRow("x") << 3;
    QTest::newRow(":") << 4;
}

void TestGenerator::defaultRangesAreRespected()
{
    QFETCH(int, operation);
    const auto op = Operation(operation);
    const OperationRange r = PracticeSettings::defaultRange(op);
    RandomSource random(11);
    for (int i = 0; i < 2000; ++i) {
        qint32 x = -1;
        qint32 y = -1;
        QVERIFY(FindOperands(random, r, op, x, y));
        const qint32 z = ComputeResult(op, x, y);
        QVERIFY(x >= r.C1OD && x <= r.C1DO);
        QVERIFY(y >= r.C2OD && y <= r.C2DO);
        QVERIFY2(z >= r.VOD && z <= r.VDO, qPrintable(QStringLiteral("%1 %2 %3").arg(x).arg(y).arg(z)));
    }
}

void TestGenerator::divisionIsExactAndNeverByZero()
{
    const OperationRange r = PracticeSettings::defaultRange(Operation::Del);
    RandomSource random(1);
    bool zeroDividend = false;
    bool quotientEight = false;
    for (int i = 0; i < 5000; ++i) {
        qint32 x = 0;
        qint32 y = 0;
        QVERIFY(FindOperands(random, r, Operation::Del, x, y));
        QVERIFY(y != 0);
        QCOMPARE(x % y, 0);
        zeroDividend |= x == 0;
        quotientEight |= x / y == 8;
    }
    QVERIFY(zeroDividend);  // 0 : Y = 0 is allowed, C1OD being 0
    QVERIFY(quotientEight); // VDO = 8 admits 8
}

void TestGenerator::boundsAreInclusive()
{
    const OperationRange fixed{7, 7, 0, 3, 7, 10, 0, 1, 10};
    RandomSource random(8);
    bool seen[4] = {};
    for (int i = 0; i < 500; ++i) {
        qint32 x = 0;
        qint32 y = 0;
        QVERIFY(FindOperands(random, fixed, Operation::Plus, x, y));
        QCOMPARE(x, 7);
        seen[y] = true;
    }
    QVERIFY(seen[0] && seen[3]);
}

void TestGenerator::restrictionKinds_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("z");
    QTest::addColumn<int>("oran");
    QTest::addColumn<bool>("passes");
    // the interval is 5..5
    QTest::newRow("X,Y,Z by z") << 1 << 2 << 5 << 1 << true;
    QTest::newRow("X,Y,Z none") << 1 << 2 << 3 << 1 << false;
    QTest::newRow("X,Y by x") << 5 << 2 << 7 << 2 << true;
    QTest::newRow("X,Y ignores z") << 1 << 2 << 5 << 2 << false;
    QTest::newRow("X,Z by z") << 1 << 2 << 5 << 3 << true;
    QTest::newRow("X,Z ignores y") << 1 << 5 << 6 << 3 << false;
    QTest::newRow("Y,Z by y") << 1 << 5 << 6 << 4 << true;
    QTest::newRow("Y,Z ignores x") << 5 << 0 << 5 - 0 + 1 << 4 << false;
    QTest::newRow("5 acts as X,Y,Z") << 1 << 2 << 5 << 5 << true;
    QTest::newRow("99 acts as X,Y,Z") << 5 << 2 << 7 << 99 << true;
}

void TestGenerator::restrictionKinds()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, z);
    QFETCH(int, oran);
    QFETCH(bool, passes);
    QCOMPARE(MeetsRestriction(x, y, z, 5, 5, oran), passes);
}

void TestGenerator::readingLists_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // for a wrong list: the text the message names
    QTest::addColumn<NumberListProblem>("problem");
    QTest::addColumn<int>("inside");
    QTest::addColumn<int>("outside"); // the restriction's interval, 5..5, counts only without a list

    const auto ok = NumberListProblem::None;
    const auto wrong = NumberListProblem::Malformed;
    const auto tooMany = NumberListProblem::TooMany;
    QTest::newRow("commas and blanks") << " 2, 5,\t10 " << "2,5,10" << ok << 10 << 3;
    QTest::newRow("empty is the interval") << " , " << "" << ok << 5 << 6;
    QTest::newRow("range with blanks") << "3, 6 - 9" << "3,6-9" << ok << 9 << 5;
    QTest::newRow("en dash") << "6\u20139" << "6-9" << ok << 6 << 10;
    QTest::newRow("a sign after a separator") << "2, -5" << "2,-5" << ok << -5 << 5;
    QTest::newRow("a minus after a number is a range") << "2 -4" << "2-4" << ok << 3 << -4;
    QTest::newRow("64 numbers") << "1-60, 0, -3--1" << "1-60,0,-3--1" << ok << -3 << -4;
    QTest::newRow("65 numbers") << " 1-60, 0, -4--1 " << "1-60, 0, -4--1" << tooMany << 0 << 0;
    QTest::newRow("the whole 32-bit range") << "-2147483648-2147483647" << "-2147483648-2147483647" << tooMany << 0 << 0;
    QTest::newRow("a letter") << "2, x, 5" << "x" << wrong << 0 << 0;
    QTest::newRow("a glued letter") << "2,10x 5" << "10x" << wrong << 0 << 0;
    QTest::newRow("reversed range") << "1, 9 - 6" << "9 - 6" << wrong << 0 << 0;
    QTest::newRow("beyond 32 bits") << "2147483648" << "2147483648" << wrong << 0 << 0;
}

void TestGenerator::readingLists()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(NumberListProblem, problem);
    QFETCH(int, inside);
    QFETCH(int, outside);

    const NumberListReading reading = ReadNumberList(typed);
    QCOMPARE(reading.problem, problem);
    QCOMPARE(problem == NumberListProblem::None ? reading.list.text() : reading.wrongText, stored);
    if (problem != NumberListProblem::None)
        return;
    QVERIFY(ReadNumberList(stored).list == reading.list);
    QVERIFY(MeetsRestriction(inside, inside, inside, 5, 5, 1, reading.list));
    QVERIFY(!MeetsRestriction(outside, outside, outside, 5, 5, 1, reading.list));
}

void TestGenerator::restrictedSearch()
{
    RandomSource random(17);
    OperationRange r = PracticeSettings::defaultRange(Operation::Plus);
    r.OROD = 5;
    r.ORDO = 5;
    r.ORAN = 2; // "X,Y": X or Y must be 5, whatever the result
    for (int i = 0; i < 500; ++i) {
        qint32 x = 0;
        qint32 y = 0;
        QVERIFY(FindOperands(random, r, Operation::Plus, x, y));
        QVERIFY(x == 5 || y == 5);
    }
    r.ORAN = 0; // off: anything goes, OROD/ORDO are kept but ignored
    r.ORAN = -3;
    bool unrestricted = false;
    for (int i = 0; i < 500; ++i) {
        qint32 x = 0;
        qint32 y = 0;
        QVERIFY(FindOperands(random, r, Operation::Plus, x, y));
        unrestricted |= x != 5 && y != 5 && x + y != 5;
    }
    QVERIFY(unrestricted);
}

void TestGenerator::negativeResultsWhenAllowed()
{
    RandomSource random(23);
    OperationRange r = PracticeSettings::defaultRange(Operation::Minus);
    bool negative = false;
    for (int i = 0; i < 1000; ++i) {
        qint32 x = 0;
        qint32 y = 0;
        QVERIFY(FindOperands(random, r, Operation::Minus, x, y));
        QVERIFY(x - y >= 0); // VOD 0 keeps subtraction non-negative
    }
    r.VOD = -20;
    for (int i = 0; i < 1000; ++i) {
        qint32 x = 0;
        qint32 y = 0;
        QVERIFY(FindOperands(random, r, Operation::Minus, x, y));
        negative |= x - y < 0;
    }
    QVERIFY(negative);
    QCOMPARE(ExerciseLineText({3, Operation::Minus, 6, -3, UnknownSlot::Second}), QStringLiteral("3 -    = -3"));
}

void TestGenerator::failedSearchLeavesOperandsAlone()
{
    RandomSource random(31);
    OperationRange r = PracticeSettings::defaultRange(Operation::Del);
    r.C2OD = 0;
    r.C2DO = 0;
    qint32 x = 1234;
    qint32 y = 5678;
    QVERIFY(!FindOperands(random, r, Operation::Del, x, y));
    QCOMPARE(x, 1234);
    QCOMPARE(y, 5678);
    QCOMPARE(random.seed(), seedAfter(31, 2 * OperandSearchAttempts)); // X then Y each attempt

    // a restriction nothing can meet
    OperationRange impossible = PracticeSettings::defaultRange(Operation::Plus);
    impossible.ORAN = 1;
    impossible.OROD = 100;
    impossible.ORDO = 200;
    QVERIFY(!FindOperands(random, impossible, Operation::Plus, x, y));
    QCOMPARE(x, 1234);
}

void TestGenerator::computeResultWrapsAround_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("z");
    QTest::newRow("7 + 5") << 1 << 7 << 5 << 12;
    QTest::newRow("unknown code adds") << 9 << 7 << 5 << 12;
    QTest::newRow("sum wraps") << 1 << Max32 << 1 << Min32;
    QTest::newRow("difference wraps") << 2 << Min32 << 1 << Max32;
    QTest::newRow("product wraps") << 3 << 65536 << 65536 << 0;
    QTest::newRow("product sign") << 3 << -4 << 5 << -20;
    QTest::newRow("division truncates") << 4 << -7 << 2 << -3;
    QTest::newRow("division by zero") << 4 << 8 << 0 << 0;
    QTest::newRow("smallest by -1") << 4 << Min32 << -1 << Min32;
}

void TestGenerator::computeResultWrapsAround()
{
    QFETCH(int, operation);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, z);
    QCOMPARE(ComputeResult(Operation(operation), x, y), z);
}

void TestGenerator::operationSigns()
{
    QCOMPARE(OperationSign(Operation::Plus), QStringLiteral("+"));
    QCOMPARE(OperationSign(Operation::Minus), QStringLiteral("-"));
    QCOMPARE(OperationSign(Operation::Krat), QStringLiteral("X"));
    QCOMPARE(OperationSign(Operation::Del), QStringLiteral(":"));
    QCOMPARE(OperationSign(Operation(0)), QStringLiteral("+"));
    QCOMPARE(OperationSign(Operation(5)), QStringLiteral("+"));
    QCOMPARE(OperationSign(Operation(-2)), QStringLiteral("+"));
}

void TestGenerator::sheetLineText_data()
{
    QTest::addColumn<int>("hidden");
    QTest::addColumn<QString>("line");
    QTest::newRow("result") << 3 << "7 + 5 =    ";
    QTest::newRow("first") << 1 << "   + 5 = 12";
    QTest::newRow("second") << 2 << "7 +    = 12";
}

void TestGenerator::sheetLineText()
{
    QFETCH(int, hidden);
    QFETCH(QString, line);
    QCOMPARE(ExerciseLineText({7, Operation::Plus, 5, 12, UnknownSlot(hidden)}), line);
}

void TestGenerator::everyTwentyFifthExerciseReseeds()
{
    int clockReads = 0;
    ExerciseGenerator generator([&clockReads] {
        ++clockReads;
        return QTime(10, 0, 0, 5);
    });
    PracticeSettings settings;
    const OperationSwitches multiplication{false, false, true, false};
    for (int i = 0; i < 24; ++i)
        QVERIFY(generator.drawExercise(multiplication, settings).exercise);
    QCOMPARE(clockReads, 0);
    QVERIFY(generator.drawExercise(multiplication, settings).exercise);
    QCOMPARE(clockReads, 1);
    QCOMPARE(generator.exerciseCount(), 25);

    // the 25th exercise is drawn from the fresh seed
    RandomSource expected(RandomSource::timeOfDaySeed(QTime(10, 0, 0, 5)));
    qint32 x = 0;
    qint32 y = 0;
    QVERIFY(FindOperands(expected, settings.range(Operation::Krat), Operation::Krat, x, y));
    QCOMPARE(generator.random().seed(), expected.seed());

    generator.resetExerciseCount();
    for (int i = 0; i < 49; ++i)
        generator.drawExercise(multiplication, settings);
    QCOMPARE(clockReads, 2);
    generator.drawExercise(multiplication, settings);
    QCOMPARE(clockReads, 3);
}

void TestGenerator::failedDrawKeepsTheSlot()
{
    ExerciseGenerator generator;
    PracticeSettings settings;
    settings.resultOnly = false;
    settings.range(Operation::Del).C2OD = 0;
    settings.range(Operation::Del).C2DO = 0;
    const auto draw = generator.drawExercise(OperationSwitches{false, false, false, true}, settings);
    QVERIFY(!draw.exercise);
    QVERIFY(int(draw.hidden) >= 1 && int(draw.hidden) <= 3);
    QCOMPARE(generator.exerciseCount(), 1);
}

void TestGenerator::recordedSequence_data()
{
    QTest::addColumn<int>("oran");
    QTest::addColumn<QString>("list");
    QTest::addColumn<quint32>("fold");
    // recorded before the list existed; the interval of the restricted rows is 3..4, and a list
    // of its numbers must draw exactly as the interval
    QTest::newRow("no restriction") << 0 << QString() << 3446987663u;
    QTest::newRow("a list while unticked") << 0 << "7" << 3446987663u;
    QTest::newRow("X,Y,Z") << 1 << QString() << 1530025734u;
    QTest::newRow("X,Y,Z list 3-4") << 1 << "3-4" << 1530025734u;
    QTest::newRow("Y,Z") << 4 << QString() << 1311846185u;
    QTest::newRow("Y,Z list 4 3") << 4 << "4 3" << 1311846185u;
}

void TestGenerator::recordedSequence()
{
    QFETCH(int, oran);
    QFETCH(QString, list);
    QFETCH(quint32, fold);
    PracticeSettings settings;
    settings.resultOnly = false;
    for (OperationRange &r : settings.ranges)
        r = {r.C1OD, r.C1DO, r.C2OD, r.C2DO, r.VOD, r.VDO, oran, 3, 4, ReadNumberList(list).list};
    ExerciseGenerator generator([] { return QTime(8, 0); });
    generator.random().setSeed(4711);
    // every value and hidden slot of 1000 exercises and the seed they leave (so the number of
    // draws), folded into one number
    quint32 folded = 0;
    for (int i = 0; i < 1000; ++i) {
        const Exercise e = generator.drawExercise(OperationSwitches{true, true, true, true}, settings).exercise.value();
        for (qint32 v : {e.first, qint32(e.operation), e.second, e.result, qint32(e.hidden)})
            folded = folded * 31u + quint32(v);
    }
    QCOMPARE(folded * 31u + generator.random().seed(), fold);
}

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
