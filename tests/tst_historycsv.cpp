#include "core/records/csvexport.h"
#include "core/records/daycount.h"
#include "core/records/historycsv.h"
#include "core/records/ioerror.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

Q_DECLARE_METATYPE(WrongResultRecord)

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A spreadsheet's reading of the file: the mark, then rows of fields split at ";" outside
// quotes, a doubled quote standing for one; every line must end with CRLF.
QList<QStringList> parseCsv(const QByteArray &bytes)
{
    if (!bytes.startsWith("\xEF\xBB\xBF") || !bytes.endsWith("\r\n"))
        return {};
    const QString text = QString::fromUtf8(bytes.mid(3));
    QList<QStringList> rows;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u';') {
            fields.append(std::exchange(field, {}));
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            fields.append(std::exchange(field, {}));
            rows.append(std::exchange(fields, {}));
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

EvaluationRecord evaluation(QDateTime when, qint32 grade, qint32 correct, qint32 wrong, std::array<bool, 4> practised,
                            qint32 limit)
{
    return {DateTimeFromLocal(when), grade, correct, wrong, practised, limit};
}

} // namespace

class TestHistoryCsv : public QObject
{
    Q_OBJECT

private slots:
    void appendsRowsOldestFirst();
    void neverThroughALink();
    void readsOnlyTheTail();
    void exportsReadBack();
    void wrongResultFields_data();
    void wrongResultFields();

private:
    QTemporaryDir m_dir;
};

void TestHistoryCsv::appendsRowsOldestFirst()
{
    const QString path = m_dir.filePath(QStringLiteral("append.csv"));
    AppendHistoryCsv(path, evaluation({{2024, 3, 15}, {12, 0, 5}}, 2, 14, 3, {true, false, true, false}, 10));
    AppendHistoryCsv(path, evaluation({{2024, 3, 16}, {7, 8, 9}}, 1, 5, 0, {false, true, false, true}, 0));
    const QByteArray expected = "\xEF\xBB\xBF"
                                "datum;čas;známka;správně;chybně;úspěšnost %;operace;časový limit\r\n"
                                "2024-03-15;12:00:05;2;14;3;82;+ x;10\r\n"
                                "2024-03-16;07:08:09;1;5;0;100;- :;\r\n";
    QCOMPARE(bytesOf(path), expected);

    // a damaged line and rows cut short by a failed write: the reader skips what is not a row,
    // keeps a row cut right after its CR, and the next row still starts a line of its own
    writeBytes(path, expected + "smetí;;\r\n2024-03-17;08:00:00;3;1\r\n2024-03-17;08:00:00;3;1;1;50;+;\r");
    AppendHistoryCsv(path, evaluation({{2024, 3, 18}, {9, 0}}, 5, 0, 4, {true, true, true, true}, 60));
    const QList<HistoryCsvRow> rows = ReadHistoryCsv(path);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0].date, QDate(2024, 3, 15));
    QCOMPARE(rows[0].time, QTime(12, 0, 5));
    QCOMPARE(rows[0].percent, 82.0);
    QCOMPARE(rows[0].operations, QStringLiteral("+ x"));
    QCOMPARE(rows[0].timeLimit, std::optional<qint32>(10));
    QCOMPARE(rows[1].timeLimit, std::nullopt);
    QCOMPARE(rows[2].operations, QStringLiteral("+"));
    QCOMPARE(rows[3].operations, QStringLiteral("+ - x :"));
    QVERIFY(bytesOf(path).endsWith(";3;1;1;50;+;\r\n2024-03-18;09:00:00;5;0;4;0;+ - x :;60\r\n"));
}

void TestHistoryCsv::neverThroughALink()
{
    const QString target = m_dir.filePath(QStringLiteral("target.csv"));
    const QString link = m_dir.filePath(QStringLiteral("link.csv"));
    writeBytes(target, "kept");
    QVERIFY(QFile::link(target, link));
    for (int way = 0; way < 2; ++way) {
        try {
            if (way == 0)
                AppendHistoryCsv(link, evaluation({{2024, 3, 15}, {12, 0}}, 1, 1, 0, {true, false, false, false}, 0));
            else
                WriteExportFile(link, "export");
            QFAIL("written through a link");
        } catch (const InOutError &error) {
            QCOMPARE(error.code(), 5);
        }
    }
    QCOMPARE(bytesOf(target), QByteArray("kept"));
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(ReadHistoryCsv(link).isEmpty());
}

void TestHistoryCsv::readsOnlyTheTail()
{
    const QString path = m_dir.filePath(QStringLiteral("huge.csv"));
    const QByteArray row = "2024-03-15;12:00:00;2;14;3;82;+ x;10\r\n";
    QByteArray bytes = "\xEF\xBB\xBF" + row;
    bytes.append(QByteArray(HistoryCsvReadLimit, 'x')).append("\r\n").append(row);
    writeBytes(path, bytes);
    // the row before the limit is not read, nor the cut line of garbage
    QCOMPARE(ReadHistoryCsv(path).size(), 1);
}

void TestHistoryCsv::exportsReadBack()
{
    const QString historyPath = m_dir.filePath(QStringLiteral("historie-export.csv"));
    HistoryCsvRow row = HistoryCsvRowOf(evaluation({{2024, 3, 15}, {12, 0}}, 2, 14, 3, {true, false, true, false}, 10));
    WriteExportFile(historyPath, HistoryExportCsv({row, row}));
    const QList<QStringList> history = parseCsv(bytesOf(historyPath));
    QCOMPARE(history.size(), 3);
    QCOMPARE(history[0], HistoryCsvHeader());
    QCOMPARE(history[0][1], QStringLiteral("čas"));
    QCOMPARE(history[0][5], QStringLiteral("úspěšnost %"));
    QCOMPARE(history[2].size(), 8);

    const QString wrongPath = m_dir.filePath(QStringLiteral("chybne.csv"));
    WriteExportFile(wrongPath, "old content");
    WriteExportFile(wrongPath, WrongResultsExportCsv({{7, 5, 1, 13, false, 0, 3}, {0, 3, 2, 8, true, 10, 1}}));
    const QList<QStringList> wrong = parseCsv(bytesOf(wrongPath));
    QCOMPARE(wrong.size(), 3);
    QCOMPARE(wrong[0].join(u';'), QStringLiteral("první číslo;operace;druhé číslo;výsledek;odpověď;neznámé"));
    QCOMPARE(wrong[1].join(u'|'), QStringLiteral("7|+|5|12|13|3"));
    QCOMPARE(wrong[2].join(u'|'), QStringLiteral("11|-|3|8|čas. lim. 10s|1"));
}

void TestHistoryCsv::wrongResultFields_data()
{
    QTest::addColumn<WrongResultRecord>("record");
    QTest::addColumn<QString>("fields");
    // the hidden number is the answer given; its correct value is put back where it is a whole number
    QTest::newRow("first of a product") << WrongResultRecord{6, 4, 3, 20, false, 0, 1} << "5|X|4|20|6|1";
    QTest::newRow("second of a quotient") << WrongResultRecord{12, 7, 4, 3, false, 0, 2} << "12|:|4|3|7|2";
    QTest::newRow("no whole number") << WrongResultRecord{9, 0, 3, 7, false, 0, 2} << "9|X||7|0|2";
    QTest::newRow("divided by zero") << WrongResultRecord{5, 2, 4, 0, true, 15, 2} << "5|:||0|čas. lim. 15s|2";
    // the answer check wraps around in 32 bits: so does the number it takes
    QTest::newRow("wrapped") << WrongResultRecord{1, 1, 1, -2147483647 - 1, false, 0, 1} << "2147483647|+|1|-2147483648|1|1";
    QTest::newRow("unknown codes") << WrongResultRecord{2, 3, 9, 1, false, 0, 7} << "2|+|3|5|1|3";
}

void TestHistoryCsv::wrongResultFields()
{
    QFETCH(WrongResultRecord, record);
    QFETCH(QString, fields);
    QCOMPARE(WrongResultFields(record).join(u'|'), fields);
}

QTEST_GUILESS_MAIN(TestHistoryCsv)
#include "tst_historycsv.moc"
