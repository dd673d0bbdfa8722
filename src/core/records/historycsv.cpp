#include "core/records/historycsv.h"

#include "core/practice/grading.h"
#include "core/records/csvtext.h"
#include "core/records/datafiles.h"
#include "core/records/daycount.h"
#include "core/records/ioerror.h"
#include "core/records/recordfilehandle.h"

#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString TimeFormat = QStringLiteral("HH:mm:ss");
constexpr qsizetype FieldCount = 8;

// The percentage as Czech spreadsheets read it: a decimal comma, and none for a whole number.
QString percentText(double percent)
{
    if (std::isfinite(percent) && percent == std::trunc(percent) && std::fabs(percent) < 1e15)
        return QString::number(qint64(percent));
    return QString::number(percent, 'g', 15).replace(u'.', u',');
}

bool parseInt(const QString &text, qint32 &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

// The value of the two-digit (or four-digit) number at text[from..from+count), or -1.
int digitsAt(const QString &text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The rows the program writes are read by hand, as QDate::fromString with a format takes as
// long as the rest of the row together: a year of a class's histories would take seconds.
// Anything else goes to Qt's parser, so that every text it takes is still taken.
QDate parseDate(const QString &text)
{
    if (text.size() == 10 && text[4] == u'-' && text[7] == u'-') {
        const int year = digitsAt(text, 0, 4);
        const int month = digitsAt(text, 5, 2);
        const int day = digitsAt(text, 8, 2);
        if (year >= 0 && month >= 0 && day >= 0)
            return QDate(year, month, day);
    }
    return QDate::fromString(text, DateFormat);
}

QTime parseTime(const QString &text)
{
    if (text.size() == 8 && text[2] == u':' && text[5] == u':') {
        const int hour = digitsAt(text, 0, 2);
        const int minute = digitsAt(text, 3, 2);
        const int second = digitsAt(text, 6, 2);
        if (hour >= 0 && minute >= 0 && second >= 0)
            return QTime(hour, minute, second);
    }
    return QTime::fromString(text, TimeFormat);
}

bool parseRow(const QString &line, HistoryCsvRow &row)
{
    const QStringList fields = line.split(u';');
    if (fields.size() != FieldCount)
        return false;
    row.date = parseDate(fields[0]);
    row.time = parseTime(fields[1]);
    bool percentOk = false;
    QString percent = fields[5];
    row.percent = percent.replace(u',', u'.').toDouble(&percentOk);
    if (!row.date.isValid() || !row.time.isValid() || !percentOk || !std::isfinite(row.percent)
        || !parseInt(fields[2], row.grade) || !parseInt(fields[3], row.correct) || !parseInt(fields[4], row.wrong))
        return false;
    row.operations = fields[6];
    row.timeLimit.reset();
    if (!fields[7].isEmpty()) {
        qint32 limit = 0;
        if (!parseInt(fields[7], limit))
            return false;
        row.timeLimit = limit;
    }
    return true;
}

} // namespace

QString HistoryCsvPathBeside(const QString &historyFile)
{
    return DataFile::In(QFileInfo(historyFile).path(), DataFile::HistoryCsv);
}

QStringList HistoryCsvHeader()
{
    return {QStringLiteral("datum"),   QStringLiteral("čas"),         QStringLiteral("známka"),
            QStringLiteral("správně"), QStringLiteral("chybně"),      QStringLiteral("úspěšnost %"),
            QStringLiteral("operace"), QStringLiteral("časový limit")};
}

HistoryCsvRow HistoryCsvRowOf(const EvaluationRecord &record)
{
    HistoryCsvRow row;
    WallFromDateTime(record.DateTime, row.date, row.time); // a damaged day count leaves both empty
    row.grade = record.Grade;
    row.correct = record.CorrectCount;
    row.wrong = record.WrongCount;
    row.percent = PercentCorrect(record.CorrectCount, record.WrongCount);
    static constexpr char16_t Signs[] = {u'+', u'-', u'x', u':'};
    QStringList signs;
    for (std::size_t i = 0; i < record.Practised.size(); ++i)
        if (record.Practised[i])
            signs.append(QString(QChar(Signs[i])));
    row.operations = signs.join(u' ');
    if (record.MaxTimeLimit > 0)
        row.timeLimit = record.MaxTimeLimit;
    return row;
}

QStringList HistoryCsvFields(const HistoryCsvRow &row)
{
    return {row.date.toString(DateFormat),
            row.time.toString(TimeFormat),
            QString::number(row.grade),
            QString::number(row.correct),
            QString::number(row.wrong),
            percentText(row.percent),
            row.operations,
            row.timeLimit ? QString::number(*row.timeLimit) : QString()};
}

QByteArray HistoryCsvAppendBytes(qint64 size, char lastByte, const EvaluationRecord &record)
{
    QByteArray bytes;
    if (size == 0) {
        bytes = CsvByteOrderMark;
        bytes.append(CsvLine(HistoryCsvHeader()));
    } else if (lastByte == '\r') {
        // a row cut right after its CR reads as whole; its LF completes it, where a second CRLF
        // would leave a CR in its last field and lose the row
        bytes = "\n";
    } else if (lastByte != '\n') {
        // a row cut short by a failed write must not swallow the new one
        bytes = "\r\n";
    }
    bytes.append(CsvLine(HistoryCsvFields(HistoryCsvRowOf(record))));
    return bytes;
}

void AppendHistoryCsv(const QString &path, const EvaluationRecord &record, RecordFileHandle::LockWait wait)
{
    RecordFileHandle file(path, RecordFileHandle::Access::AppendCreate, RecordFileHandle::IfMissing::Fail, wait);
    const qint64 size = file.size();
    char last = '\n';
    if (size > 0)
        file.readAt(size - 1, &last, 1);
    // a write that fails part way (a full disk) is cut back off: the file keeps whole rows only
    file.append(HistoryCsvAppendBytes(size, last, record));
    file.close();
}

QList<HistoryCsvRow> ParseHistoryCsv(QByteArrayView bytes, bool startsMidFile)
{
    qsizetype from = 0;
    if (startsMidFile) { // the first line is most likely cut: the rows begin after it
        const qsizetype firstEnd = bytes.indexOf('\n');
        from = firstEnd < 0 ? bytes.size() : firstEnd + 1;
    } else if (bytes.startsWith(CsvByteOrderMark)) {
        from = 3;
    }
    QList<HistoryCsvRow> rows;
    while (from < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(from, end - from);
        if (line.endsWith('\r'))
            line.chop(1);
        HistoryCsvRow row;
        if (parseRow(QString::fromUtf8(line), row))
            rows.append(row);
        from = end + 1;
    }
    return rows;
}

bool ParseHistoryCsvLine(QByteArrayView line, HistoryCsvRow &row)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return parseRow(QString::fromUtf8(line), row);
}

QList<HistoryCsvRow> ReadHistoryCsv(const QString &path)
{
    try {
        return ReadHistoryCsvChecked(path);
    } catch (const InOutError &) {
        return {}; // the chart and the export do without it
    }
}

QList<HistoryCsvRow> ReadHistoryCsvChecked(const QString &path)
{
    QByteArray bytes;
    qint64 start = 0;
    {
        RecordFileHandle file(path, RecordFileHandle::Access::ReadOnly, RecordFileHandle::IfMissing::Absent);
        if (!file.exists())
            return {};
        const qint64 size = file.size();
        start = std::max<qint64>(0, size - HistoryCsvReadLimit);
        bytes.resize(size - start);
        file.readAt(start, bytes.data(), bytes.size());
        file.close();
    }
    return ParseHistoryCsv(bytes, start > 0);
}
