#include "core/records/historycsv.h"

#include "core/practice/grading.h"
#include "core/records/csvtext.h"
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

bool parseRow(const QString &line, HistoryCsvRow &row)
{
    const QStringList fields = line.split(u';');
    if (fields.size() != FieldCount)
        return false;
    row.date = QDate::fromString(fields[0], DateFormat);
    row.time = QTime::fromString(fields[1], TimeFormat);
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
    return QFileInfo(historyFile).path() + QStringLiteral("/historie.csv");
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

void AppendHistoryCsv(const QString &path, const EvaluationRecord &record)
{
    RecordFileHandle file(path, RecordFileHandle::Access::AppendCreate);
    const qint64 size = file.size();
    QByteArray bytes;
    if (size == 0) {
        bytes = CsvByteOrderMark;
        bytes.append(CsvLine(HistoryCsvHeader()));
    } else {
        // a row cut short by a failed write must not swallow the new one
        char last = '\n';
        file.readAt(size - 1, &last, 1);
        if (last != '\n')
            bytes = "\r\n";
    }
    bytes.append(CsvLine(HistoryCsvFields(HistoryCsvRowOf(record))));
    // a write that fails part way (a full disk) is cut back off: the file keeps whole rows only
    file.append(bytes);
    file.close();
}

QList<HistoryCsvRow> ReadHistoryCsv(const QString &path)
{
    QByteArray bytes;
    qint64 start = 0;
    try {
        RecordFileHandle file(path, RecordFileHandle::Access::ReadOnly, RecordFileHandle::IfMissing::Absent);
        if (!file.exists())
            return {};
        const qint64 size = file.size();
        start = std::max<qint64>(0, size - HistoryCsvReadLimit);
        bytes.resize(size - start);
        file.readAt(start, bytes.data(), bytes.size());
        file.close();
    } catch (const InOutError &) {
        return {}; // the chart and the export do without it
    }
    qsizetype from = 0;
    if (start > 0) { // the first line read is most likely cut: the rows begin after it
        const qsizetype firstEnd = bytes.indexOf('\n');
        from = firstEnd < 0 ? bytes.size() : firstEnd + 1;
    }
    else if (bytes.startsWith(CsvByteOrderMark))
        from = 3;
    QList<HistoryCsvRow> rows;
    while (from < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = QByteArrayView(bytes).sliced(from, end - from);
        if (line.endsWith('\r'))
            line.chop(1);
        HistoryCsvRow row;
        if (parseRow(QString::fromUtf8(line), row))
            rows.append(row);
        from = end + 1;
    }
    return rows;
}
