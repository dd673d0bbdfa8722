#include "core/records/historylines.h"
#include "core/records/recordfiles.h"
#include "core/records/wrongresults.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>

Q_DECLARE_METATYPE(WrongResultRecord)

// The window-free part of the wrong-results viewer, the re-test and the history viewer.
class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void wrongResultLine_data();
    void wrongResultLine();
    void historyRow_data();
    void historyRow();
    void historyReadIsBounded();
    void wrongResultsListing_data();
    void wrongResultsListing();
    void retestSteps_data();
    void retestSteps();

private:
    QTemporaryDir m_dir;
};

void TestRecords::wrongResultLine_data()
{
    QTest::addColumn<WrongResultRecord>("record");
    QTest::addColumn<QString>("line");
    QTest::newRow("wrong result") << WrongResultRecord{7, 5, 1, 13, false, 10, 3} << "7 + 5 = (13)";
    QTest::newRow("first number timed out") << WrongResultRecord{0, 3, 2, 8, true, 10, 1} << "čas. lim. 10s - 3 = 8";
    QTest::newRow("empty field timed out") << WrongResultRecord{7, 5, 1, 0, true, 10, 3} << "7 + 5 = čas. lim. 10s";
    QTest::newRow("second, negative") << WrongResultRecord{-4, -2, 3, 8, false, 0, 2} << "-4 X (-2) = 8";
    QTest::newRow("division") << WrongResultRecord{9, 2, 4, 4, false, 0, 2} << "9 : (2) = 4";
    QTest::newRow("unknown codes") << WrongResultRecord{1, 2, 9, 3, false, 0, 7} << "1 + 2 = (3)";
}

void TestRecords::wrongResultLine()
{
    QFETCH(WrongResultRecord, record);
    QFETCH(QString, line);
    QCOMPARE(FormatWrongResultLine(record), line);
}

void TestRecords::historyRow_data()
{
    QTest::addColumn<double>("dateTime");
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<int>("operations"); // bit n: operation n + 1 practised
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("timeOnly");
    QTest::addColumn<QString>("cells");
    const double noon = 45366.5; // 15 March 2024 12:00
    QTest::newRow("grade 1 without a wrong answer") << noon << 1 << 0 << 0b0101 << 0 << false
                                                    << "15 Mar 2024 12:00:00|1*|14|0|+ x |-";
    QTest::newRow("grade 1 with one") << noon << 1 << 1 << 0b1111 << 15 << true << "12:00:00|1|14|1|+ - x : |15s";
    QTest::newRow("no operation, negative limit") << noon << 3 << 5 << 0 << -4 << true << "12:00:00|3|14|5||-";
    // 02:30 on 31 March 2024 is skipped in Prague, but it is what the file holds
    QTest::newRow("spring-forward gap") << 45382.0 + 2.5 / 24 << 2 << 1 << 0b0010 << 5 << false
                                        << "31 Mar 2024 02:30:00|2|14|1|- |5s";
    QTest::newRow("NaN") << qQNaN() << 2 << 1 << 0 << 0 << false << "|2|14|1||-";
    QTest::newRow("infinity") << qInf() << 2 << 1 << 0 << 0 << true << "|2|14|1||-";
    QTest::newRow("far future") << 1e300 << 2 << 1 << 0 << 0 << false << "|2|14|1||-";
}

void TestRecords::historyRow()
{
    QFETCH(double, dateTime);
    QFETCH(int, grade);
    QFETCH(int, wrong);
    QFETCH(int, operations);
    QFETCH(int, limit);
    QFETCH(bool, timeOnly);
    QFETCH(QString, cells);
    EvaluationRecord record{dateTime, grade, 14, wrong, {}, limit};
    for (std::size_t op = 0; op < 4; ++op)
        record.Practised[op] = operations & (1 << op);
    QCOMPARE(HistoryRowCells(record, timeOnly, QLocale()).join(u'|'), cells);
}

void TestRecords::historyReadIsBounded()
{
    const QString path = m_dir.filePath(QStringLiteral("hdv.ndv"));
    QVERIFY(ReadHistoryToShow(path).isEmpty());
    EvaluationRecord record{45366.5, 2, 14, 3, {true, false, true, false}, 10};
    QByteArray bytes = record.encode();
    bytes[21] = 2; // a damaged flag for subtraction
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(EvaluationRecord::Size));
    // a damaged file of 1.6 GB: no more than a full history is read
    QVERIFY(file.resize(qint64(EvaluationRecord::Size) * 50'000'000));
    file.close();
    const QList<EvaluationRecord> shown = ReadHistoryToShow(path);
    QCOMPARE(shown.size(), HistoryCapacity);
    QCOMPARE(shown.front(), record);
}

void TestRecords::wrongResultsListing_data()
{
    QTest::addColumn<qint64>("bytes"); // of a sparse file whose first record is 7 + 5 = (13)
    QTest::addColumn<qint32>("limit");
    QTest::addColumn<qsizetype>("lines");
    QTest::addColumn<QString>("last");
    QTest::newRow("no file") << qint64(-1) << 3 << qsizetype(0) << QString();
    QTest::newRow("all listed, fragment ignored") << qint64(3 * 28 + 5) << 3 << qsizetype(3) << "0 + 0 = (0)";
    QTest::newRow("one more") << qint64(4 * 28) << 3 << qsizetype(4) << "… a ještě jeden";
    QTest::newRow("four more") << qint64(7 * 28) << 3 << qsizetype(4) << "… a další 4";
    QTest::newRow("five more") << qint64(8 * 28) << 3 << qsizetype(4) << "… a dalších 5";
    // a damaged file of 2 GB: one pass over what is listed, in well under a second
    QTest::newRow("2 GB") << qint64(2'000'000'000) << WrongResultsShown << qsizetype(WrongResultsShown + 1)
                          << QStringLiteral("… a dalších 71\u00A0418\u00A0571");
}

void TestRecords::wrongResultsListing()
{
    QFETCH(qint64, bytes);
    QFETCH(qint32, limit);
    QFETCH(qsizetype, lines);
    QFETCH(QString, last);
    const QString path = m_dir.filePath(QStringLiteral("chybavysl-%1.nmk").arg(QTest::currentDataTag()));
    if (bytes >= 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(WrongResultRecord{7, 5, 1, 13, false, 10, 3}.encode()), qint64(WrongResultRecord::Size));
        QVERIFY(file.resize(bytes));
    }
    const WrongResultsListing listing = WrongResultsToShow(path, limit);
    QCOMPARE(listing.recordCount, std::max<qint64>(bytes, 0) / WrongResultRecord::Size);
    QCOMPARE(listing.lines.size(), lines);
    if (lines > 1)
        QCOMPARE(listing.lines.front(), QStringLiteral("7 + 5 = (13)"));
    QCOMPARE(listing.lines.value(lines - 1), last);
}

void TestRecords::retestSteps_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("outcomes"); // R right, T time-out, one per posed exercise
    QTest::addColumn<QString>("left");
    QTest::newRow("A right, B time-out, C right") << "ABC" << "RTR" << "B";
    QTest::newRow("one record right") << "A" << "R" << "";
    QTest::newRow("all time out") << "ABC" << "TTT" << "ABC";
    QTest::newRow("first two right") << "ABC" << "RRT" << "C";
}

void TestRecords::retestSteps()
{
    QFETCH(QString, stored);
    QFETCH(QString, outcomes);
    QFETCH(QString, left);
    const QString path = m_dir.filePath(QStringLiteral("chyba-%1.nmk").arg(QTest::currentDataTag()));
    for (const QChar name : stored)
        AppendWrongResult(path, WrongResultRecord{name.unicode(), 1, 1, 0, false, 0, 3});

    QString posed;
    qint32 index = 0;
    for (const QChar outcome : outcomes) {
        const std::optional<WrongResultRecord> record = NextRetestRecord(path, index);
        QVERIFY(record);
        posed += QChar(record->FirstNumber);
        if (outcome == u'R')
            index = DeleteWrongResult(path, index, *record) - 1;
    }
    QVERIFY(!NextRetestRecord(path, index));
    QCOMPARE(posed, stored); // each stored exercise is posed once, in file order

    QString remaining;
    for (qint32 i = 1; i <= CountWrongResults(path); ++i) {
        WrongResultRecord record;
        ReadWrongResult(path, i, record);
        remaining += QChar(record.FirstNumber);
    }
    QCOMPARE(remaining, left);
}

int main(int argc, char **argv)
{
    // the gap of the history row test is that of this zone
    qputenv("TZ", "Europe/Prague");
    ::tzset();
    QCoreApplication app(argc, argv);
    TestRecords test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_records.moc"
