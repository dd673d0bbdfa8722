#include "core/records/progressdays.h"

#include "core/practice/grading.h"
#include "core/records/daycount.h"
#include "core/records/historylines.h"
#include "core/records/recordfilehandle.h"

#include <QMap>

#include <algorithm>

namespace {

constexpr int DateField = 0;
constexpr int PercentField = 5;

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

// A percentage as the file writes it: a whole number, or one with a decimal comma or point.
bool readPercent(const QByteArray &field, double &percent)
{
    QByteArray text = field.trimmed();
    text.replace(',', '.');
    bool ok = false;
    percent = text.toDouble(&ok);
    return ok && !text.isEmpty();
}

} // namespace

QDate FirstProgressDay(QDate today)
{
    return today.addDays(-(qint64(ProgressWeeks) * 7 - 1));
}

QList<ProgressDay> ProgressFromCsv(const QByteArray &text, QDate today)
{
    DaySums sums(today);
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(';');
        if (fields.size() <= PercentField)
            continue;
        QByteArray date = fields[DateField].trimmed();
        if (date.startsWith("\xEF\xBB\xBF"))
            date.remove(0, 3);
        double percent = 0.0;
        if (date.size() == 10 && readPercent(fields[PercentField], percent))
            sums.add(QDate::fromString(QString::fromLatin1(date), Qt::ISODate), percent);
    }
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
    const qint64 size = csv.size();
    const qint64 start = std::max<qint64>(0, size - ProgressReadLimit);
    QByteArray text(size - start, Qt::Uninitialized);
    csv.readAt(start, text.data(), text.size());
    csv.close();
    // a read that starts inside a line drops that line's remainder
    if (start > 0) {
        const qsizetype lineEnd = text.indexOf('\n');
        text.remove(0, lineEnd < 0 ? text.size() : lineEnd + 1);
    }
    return ProgressFromCsv(text, today);
}
