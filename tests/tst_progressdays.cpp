#include "core/records/daycount.h"
#include "core/records/historycsv.h"
#include "core/records/historyexport.h"
#include "core/records/progressdays.h"
#include "core/records/recordfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate Today(2026, 12, 8); // the chart's weeks then start on 14 October

QByteArray csv(const QList<QByteArray> &rows)
{
    QByteArray text("\xEF\xBB\xBF"
                    "datum;\xC4\x8D"
                    "as;zn\xC3\xA1mka;spr\xC3\xA1vn\xC4\x9B;chybn\xC4\x9B;\xC3\xBAsp\xC4\x9B\xC5\xA1nost %;operace;"
                    "\xC4\x8D"
                    "asov\xC3\xBD limit\r\n");
    for (const QByteArray &row : rows)
        text += row + "\r\n";
    return text;
}

QByteArray row(const char *date, const char *percent)
{
    return QByteArray(date) + ";10:00:00;2;9;1;" + percent + ";+ -;";
}

EvaluationRecord evaluation(QDate day, qint32 right, qint32 wrong)
{
    return {DateTimeFromLocal(QDateTime(day, QTime(17, 30))), 1, right, wrong, {true, false, false, false}, 0};
}

} // namespace

Q_DECLARE_METATYPE(QList<ProgressDay>)
Q_DECLARE_METATYPE(QList<EvaluationRecord>)

class TestProgressDays : public QObject
{
    Q_OBJECT

private slots:
    void progressDays_data();
    void progressDays();
    void mergeOfATail();
    void periods_data();
    void periods();
};

void TestProgressDays::progressDays_data()
{
    QTest::addColumn<QByteArray>("csvText"); // null: no such file
    QTest::addColumn<QList<EvaluationRecord>>("history");
    QTest::addColumn<QList<ProgressDay>>("expected");
    using Days = QList<ProgressDay>;
    using Records = QList<EvaluationRecord>;

    QTest::newRow("several a day, out of order")
        << csv({row("2026-12-08", "50"), row("2026-12-01", "80"), row("2026-12-01", "90"), row("2026-12-01", "100")})
        << Records{} << Days{{QDate(2026, 12, 1), 90.0, 3}, {QDate(2026, 12, 8), 50.0, 1}};
    QTest::newRow("gaps and the edges of the weeks")
        << csv({row("2026-10-13", "10"), row("2026-10-14", "20"), row("2026-11-20", "70"), row("2026-12-08", "30"),
                row("2026-12-09", "40")})
        << Records{} << Days{{QDate(2026, 10, 14), 20.0, 1}, {QDate(2026, 11, 20), 70.0, 1}, {QDate(2026, 12, 8), 30.0, 1}};
    QTest::newRow("damaged lines cost only themselves")
        << csv({"2026-12-02;10:00:00;2", row("2026-13-01", "50"), row("2026-12-2", "50"), row("2026-12-02", "abc"),
                row("2026-12-02", "150"), row("2026-12-02", "-5"), row("2026-12-02", ""), row("2026-12-02", "nan"),
                QByteArray("\0\xff;;;;;;", 8), row("2026-12-02", "87,5"), row("2026-12-02", " 62 ")})
               + row("2026-12-03", "40") // the last line without its line end
        << Records{} << Days{{QDate(2026, 12, 2), 74.75, 2}, {QDate(2026, 12, 3), 40.0, 1}};
    // historie.csv begun anew (deleted, or younger than the history file): the evaluations it
    // lacks are taken from the history file, those it holds are not counted twice
    QTest::newRow("historie.csv begun anew")
        << csv({}) << Records{evaluation(QDate(2026, 12, 1), 9, 1)} << Days{{QDate(2026, 12, 1), 90.0, 1}};
    QTest::newRow("older evaluations and one a failed append lost")
        << csv({"2026-12-01;17:30:00;1;9;1;90;+;", "2026-12-03;17:30:00;1;9;1;90;+;"})
        << Records{evaluation(QDate(2026, 11, 30), 1, 1), evaluation(QDate(2026, 12, 1), 9, 1),
                   evaluation(QDate(2026, 12, 2), 1, 3), evaluation(QDate(2026, 12, 3), 9, 1)}
        << Days{{QDate(2026, 11, 30), 50.0, 1}, {QDate(2026, 12, 1), 90.0, 1}, {QDate(2026, 12, 2), 25.0, 1},
                {QDate(2026, 12, 3), 90.0, 1}};
    QTest::newRow("history file without the long history")
        << QByteArray()
        << Records{evaluation(QDate(2026, 12, 1), 9, 1), evaluation(QDate(2026, 12, 1), 1, 1),
                   EvaluationRecord{qQNaN(), 1, 5, 0, {}, 0}, evaluation(QDate(2026, 10, 1), 5, 0),
                   evaluation(QDate(2026, 11, 30), 2, 1)}
        << Days{{QDate(2026, 11, 30), 67.0, 1}, {QDate(2026, 12, 1), 70.0, 2}};
    QTest::newRow("no data at all") << QByteArray() << Records{} << Days{};

    // only the end of a huge file is read: the row in front lies beyond the limit
    QByteArray huge = csv({row("2026-12-05", "10")});
    const QByteArray filler = row("2026-01-01", "99") + "\r\n";
    while (huge.size() < HistoryCsvReadLimit + 1000)
        huge += filler;
    huge += row("2026-12-05", "60") + "\r\n";
    QTest::newRow("huge file") << huge << Records{} << Days{{QDate(2026, 12, 5), 60.0, 1}};
}

void TestProgressDays::progressDays()
{
    QFETCH(QByteArray, csvText);
    QFETCH(QList<EvaluationRecord>, history);
    QFETCH(QList<ProgressDay>, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString csvFile = dir.filePath(QStringLiteral("historie.csv"));
    const QString historyFile = dir.filePath(QStringLiteral("hdv.ndv"));
    if (!csvText.isNull()) {
        QFile file(csvFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(csvText), csvText.size());
    }
    for (auto it = history.crbegin(); it != history.crend(); ++it)
        PrependEvaluation(historyFile, *it, HistoryCapacity);

    const ProgressHistory read = ReadProgressHistory(csvFile, historyFile);
    QCOMPARE(read.tailOnly, csvText.size() > HistoryCsvReadLimit);
    const QList<ProgressDay> days =
        ProgressPoints(read.rows, ProgressSpanOf(ProgressPeriod::EightWeeks, Today, read.rows));
    QCOMPARE(days.size(), expected.size());
    for (qsizetype i = 0; i < days.size(); ++i) {
        QCOMPARE(days[i].day, expected[i].day);
        QCOMPARE(days[i].meanPercent, expected[i].meanPercent);
        QCOMPARE(days[i].evaluations, expected[i].evaluations);
    }
}

void TestProgressDays::mergeOfATail()
{
    const QList<HistoryCsvRow> tail = {HistoryCsvRowOf(evaluation(QDate(2026, 12, 2), 9, 1))};
    const QList<EvaluationRecord> history = {evaluation(QDate(2026, 12, 1), 1, 1), evaluation(QDate(2026, 12, 3), 1, 1)};
    // the older evaluation may lie in the part of the file not read
    QCOMPARE(MergedHistory(tail, false, history).size(), 2);
    QCOMPARE(MergedHistory(tail, true, history).size(), 3);
}

void TestProgressDays::periods_data()
{
    QTest::addColumn<int>("period");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QList<ProgressDay>>("expected");
    QTest::addColumn<QString>("emptyText");
    using Days = QList<ProgressDay>;
    const auto eightWeeks = int(ProgressPeriod::EightWeeks);
    const auto schoolYear = int(ProgressPeriod::SchoolYear);
    const auto everything = int(ProgressPeriod::Everything);
    // the history below: June 2025 before the holidays, and 2 September 2025
    QTest::newRow("after the holidays") << eightWeeks << QDate(2025, 11, 20) << Days{}
                                        << "V posledních 8 týdnech není žádné hodnocení. Poslední hodnocení bylo 2. 9. 2025.";
    QTest::newRow("school year, by week from Monday")
        << schoolYear << QDate(2025, 12, 1) << Days{{QDate(2025, 9, 1), 40.0, 1}} << QString();
    QTest::newRow("school year before September is the last one")
        << schoolYear << QDate(2025, 8, 31) << Days{{QDate(2025, 6, 2), 70.0, 2}, {QDate(2025, 6, 23), 90.0, 1}} << QString();
    QTest::newRow("school year without an evaluation") << schoolYear << QDate(2026, 9, 30) << Days{}
                                                       << "Od 1. 9. 2026 není žádné hodnocení. Poslední hodnocení bylo 2. 9. 2025.";
    QTest::newRow("everything over a year, by month")
        << everything << QDate(2026, 12, 1) << Days{{QDate(2025, 6, 1), 230.0 / 3, 3}, {QDate(2025, 9, 1), 40.0, 1}}
        << QString();
}

void TestProgressDays::periods()
{
    QFETCH(int, period);
    QFETCH(QDate, today);
    QFETCH(QList<ProgressDay>, expected);
    QFETCH(QString, emptyText);
    QList<HistoryCsvRow> rows;
    for (const auto &[day, percent] : {std::pair(QDate(2025, 6, 2), 60.0), std::pair(QDate(2025, 6, 4), 80.0),
                                       std::pair(QDate(2025, 9, 2), 40.0), std::pair(QDate(2025, 6, 23), 90.0)})
        rows.append(HistoryCsvRow{day, QTime(9, 0), 1, 1, 0, percent, QString(), std::nullopt});
    const ProgressSpan span = ProgressSpanOf(ProgressPeriod(period), today, rows);
    QCOMPARE(ProgressPoints(rows, span), expected);
    QCOMPARE(expected.isEmpty() ? ProgressEmptyText(ProgressPeriod(period), span, rows) : QString(), emptyText);
}

QTEST_GUILESS_MAIN(TestProgressDays)
#include "tst_progressdays.moc"
