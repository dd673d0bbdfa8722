#include "core/records/daycount.h"
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
    QTest::newRow("the long history wins even when it is empty")
        << csv({}) << Records{evaluation(QDate(2026, 12, 1), 9, 1)} << Days{};
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
    while (huge.size() < ProgressReadLimit + 1000)
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

    const QList<ProgressDay> days = ReadProgressDays(csvFile, historyFile, Today);
    QCOMPARE(days.size(), expected.size());
    for (qsizetype i = 0; i < days.size(); ++i) {
        QCOMPARE(days[i].day, expected[i].day);
        QCOMPARE(days[i].meanPercent, expected[i].meanPercent);
        QCOMPARE(days[i].evaluations, expected[i].evaluations);
    }
}

QTEST_GUILESS_MAIN(TestProgressDays)
#include "tst_progressdays.moc"
