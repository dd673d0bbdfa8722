#include "core/records/progressdays.h"

#include "core/records/historyexport.h"
#include "core/records/historylines.h"
#include "core/records/recordfilehandle.h"

#include <QMap>

#include <algorithm>

namespace {

constexpr qint64 LongestByDay = 62;
constexpr qint64 LongestByWeek = 500;

QDate stepStart(QDate day, ProgressStep step)
{
    switch (step) {
    case ProgressStep::Week: return day.addDays(1 - day.dayOfWeek());
    case ProgressStep::Month: return QDate(day.year(), day.month(), 1);
    case ProgressStep::Day: break;
    }
    return day;
}

// The day of the last evaluation: the rows are in the order they were written, which a clock
// set back may have disturbed.
QDate lastDay(const QList<HistoryCsvRow> &rows)
{
    QDate last;
    for (const HistoryCsvRow &row : rows)
        if (row.date.isValid() && (!last.isValid() || row.date > last))
            last = row.date;
    return last;
}

QDate firstDay(const QList<HistoryCsvRow> &rows)
{
    QDate first;
    for (const HistoryCsvRow &row : rows)
        if (row.date.isValid() && (!first.isValid() || row.date < first))
            first = row.date;
    return first;
}

} // namespace

ProgressHistory ReadProgressHistory(const QString &csvFile, const QString &historyFile)
{
    bool tailOnly = false;
    {
        RecordFileHandle csv(csvFile, RecordFileHandle::Access::ReadOnly, RecordFileHandle::IfMissing::Absent);
        tailOnly = csv.exists() && csv.size() > HistoryCsvReadLimit;
        csv.close();
    }
    return {MergedHistory(ReadHistoryCsv(csvFile), !tailOnly, ReadHistoryToShow(historyFile)), tailOnly};
}

ProgressSpan ProgressSpanOf(ProgressPeriod period, QDate today, const QList<HistoryCsvRow> &rows)
{
    ProgressSpan span{today, today, ProgressStep::Day};
    switch (period) {
    case ProgressPeriod::EightWeeks:
        span.first = today.addDays(-(qint64(ProgressWeeks) * 7 - 1));
        break;
    case ProgressPeriod::SchoolYear:
        span.first = QDate(today.month() >= 9 ? today.year() : today.year() - 1, 9, 1);
        break;
    case ProgressPeriod::Everything: {
        const QDate oldest = firstDay(rows);
        if (oldest.isValid() && oldest < today)
            span.first = oldest;
        break;
    }
    }
    const qint64 days = span.first.daysTo(span.last) + 1;
    span.step = days <= LongestByDay ? ProgressStep::Day
                : days <= LongestByWeek ? ProgressStep::Week
                                        : ProgressStep::Month;
    return span;
}

QList<ProgressDay> ProgressPoints(const QList<HistoryCsvRow> &rows, const ProgressSpan &span)
{
    struct Sum
    {
        double total = 0.0;
        qint32 count = 0;
    };
    QMap<QDate, Sum> sums; // keyed by date, so that the points come out in day order
    for (const HistoryCsvRow &row : rows) {
        if (!row.date.isValid() || row.date < span.first || row.date > span.last
            || !(row.percent >= 0.0 && row.percent <= 100.0))
            continue;
        Sum &sum = sums[stepStart(row.date, span.step)];
        sum.total += row.percent;
        ++sum.count;
    }
    QList<ProgressDay> points;
    for (auto it = sums.cbegin(); it != sums.cend(); ++it)
        points.append({it.key(), it->total / it->count, it->count});
    return points;
}

QString ProgressDateText(QDate day)
{
    return QStringLiteral("%1. %2. %3").arg(day.day()).arg(day.month()).arg(day.year());
}

QString ProgressEmptyText(ProgressPeriod period, const ProgressSpan &span, const QList<HistoryCsvRow> &rows)
{
    const QDate last = lastDay(rows);
    if (!last.isValid())
        return QStringLiteral("Zatím nejsou žádná hodnocení.");
    const QString none = period == ProgressPeriod::EightWeeks
                             ? QStringLiteral("V posledních %1 týdnech není žádné hodnocení.").arg(ProgressWeeks)
                             : QStringLiteral("Od %1 není žádné hodnocení.").arg(ProgressDateText(span.first));
    return none + QStringLiteral(" Poslední hodnocení bylo %1.").arg(ProgressDateText(last));
}

QString ProgressTailText(const ProgressHistory &history)
{
    if (!history.tailOnly)
        return {};
    const QDate first = firstDay(history.rows);
    return first.isValid()
               ? QStringLiteral("Soubor historie.csv je velký: graf ukazuje jen hodnocení od %1.").arg(ProgressDateText(first))
               : QStringLiteral("Soubor historie.csv je velký: graf ukazuje jen jeho konec.");
}
