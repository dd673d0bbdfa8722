#include "core/records/progressdays.h"

#include "core/practice/grading.h"
#include "core/records/daycount.h"
#include "core/records/historycsv.h"
#include "core/records/historylines.h"
#include "core/records/recordfilehandle.h"

#include <QMap>

namespace {

// Sums per day, keyed by date so that the result comes out in day order.
class DaySums
{
public:
    explicit DaySums(QDate today) : m_first(FirstProgressDay(today)), m_last(today) {}

    void add(QDate day, double percent)
    {
        if (!day.isValid() || day < m_first || day > m_last || !(percent >= 0.0 && percent <= 100.0))
            return;
        Sum &sum = m_sums[day];
        sum.total += percent;
        ++sum.count;
    }

    QList<ProgressDay> days() const
    {
        QList<ProgressDay> result;
        for (auto it = m_sums.cbegin(); it != m_sums.cend(); ++it)
            result.append({it.key(), it->total / it->count, it->count});
        return result;
    }

private:
    struct Sum
    {
        double total = 0.0;
        qint32 count = 0;
    };
    QDate m_first;
    QDate m_last;
    QMap<QDate, Sum> m_sums;
};

} // namespace

QDate FirstProgressDay(QDate today)
{
    return today.addDays(-(qint64(ProgressWeeks) * 7 - 1));
}

QList<ProgressDay> ProgressFromRows(const QList<HistoryCsvRow> &rows, QDate today)
{
    DaySums sums(today);
    for (const HistoryCsvRow &row : rows)
        sums.add(row.date, row.percent);
    return sums.days();
}

QList<ProgressDay> ProgressFromEvaluations(const QList<EvaluationRecord> &records, QDate today)
{
    DaySums sums(today);
    for (const EvaluationRecord &record : records) {
        QDate day;
        QTime time;
        if (WallFromDateTime(record.DateTime, day, time))
            sums.add(day, PercentCorrect(record.CorrectCount, record.WrongCount));
    }
    return sums.days();
}

QList<ProgressDay> ReadProgressDays(const QString &csvFile, const QString &historyFile, QDate today)
{
    RecordFileHandle csv(csvFile, RecordFileHandle::Access::ReadOnly, RecordFileHandle::IfMissing::Absent);
    if (!csv.exists())
        return ProgressFromEvaluations(ReadHistoryToShow(historyFile), today);
    csv.close();
    return ProgressFromRows(ReadHistoryCsv(csvFile), today);
}
