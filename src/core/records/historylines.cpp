#include "core/records/historylines.h"

#include "core/records/daycount.h"
#include "core/records/recordfilehandle.h"

#include <algorithm>

namespace {

// The locale's long time format without its time zone: a day count keeps no zone, and the zone
// in force today may not be the one the evaluation was made in. Quoted text is kept as it is.
QString longTimeFormat(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar ch : format) {
        if (ch == u'\'')
            quoted = !quoted;
        if (quoted || ch != u't')
            kept += ch;
    }
    return kept.simplified();
}

} // namespace

bool IsOnDay(double dateTime, double day)
{
    return day <= dateTime && dateTime <= day + 1.0;
}

QStringList HistoryRowCells(const EvaluationRecord &record, bool timeOnly, const QLocale &locale)
{
    QString when;
    QDate date;
    QTime time;
    if (WallFromDateTime(record.DateTime, date, time)) {
        when = locale.toString(time, longTimeFormat(locale));
        if (!timeOnly)
            when = locale.toString(date, QLocale::ShortFormat) + u' ' + when;
    }

    QString grade = QString::number(record.Grade);
    if (record.Grade == 1 && record.WrongCount == 0)
        grade += u'*';

    static const char16_t *const signs[] = {u"+ ", u"- ", u"x ", u": "};
    QString operations;
    for (std::size_t i = 0; i < std::size(signs); ++i) {
        if (record.Practised[i])
            operations += QString::fromUtf16(signs[i]);
    }

    const QString limit = record.MaxTimeLimit <= 0 ? QStringLiteral("-") : QStringLiteral("%1s").arg(record.MaxTimeLimit);
    return {when, grade, QString::number(record.CorrectCount), QString::number(record.WrongCount), operations, limit};
}

QList<EvaluationRecord> ReadHistoryToShow(const QString &historyFile, qint32 limit)
{
    constexpr int size = EvaluationRecord::Size;
    constexpr int flagsAt = 20;
    QList<EvaluationRecord> records;
    RecordFileHandle file(historyFile, RecordFileHandle::Access::ReadOnly, RecordFileHandle::IfMissing::Absent);
    if (!file.exists())
        return records;
    const qint64 count = std::min<qint64>(file.size() / size, std::max(limit, 0));
    records.reserve(count);
    char bytes[size];
    for (qint64 i = 0; i < count; ++i) {
        file.readAt(i * size, bytes, size);
        EvaluationRecord record = EvaluationRecord::decode(bytes);
        for (std::size_t op = 0; op < record.Practised.size(); ++op)
            record.Practised[op] = bytes[flagsAt + op] == 1;
        records.append(record);
    }
    file.close();
    return records;
}
