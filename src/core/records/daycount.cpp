#include "core/records/daycount.h"

#include <QtNumeric>

#include <cmath>

namespace {

constexpr qint64 MillisecondsPerDay = 86'400'000;
// The span a day count may cover: 0001-01-01 up to the end of 9999-12-31. Anything else in a
// history record is damage, and converting it would only produce nonsense or overflow.
constexpr double FirstDay = -693'593.0;
constexpr double EndDay = 2'958'466.0;

QDate dayZero()
{
    return QDate(1899, 12, 30);
}

} // namespace

double DateTimeFromLocal(const QDateTime &local)
{
    if (!local.isValid())
        return qQNaN();
    const QDateTime wall = local.toLocalTime();
    const qint64 days = dayZero().daysTo(wall.date());
    const double fraction = double(wall.time().msecsSinceStartOfDay()) / double(MillisecondsPerDay);
    // Before day zero the whole part counts the days back while the fraction still runs forward
    // through that day: -1.25 is 1899-12-29 06:00.
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

bool WallFromDateTime(double dayCount, QDate &date, QTime &time)
{
    if (!std::isfinite(dayCount) || dayCount < FirstDay || dayCount >= EndDay)
        return false;
    const double whole = std::trunc(dayCount);
    qint64 day = qint64(whole);
    qint64 msecs = std::llround(std::fabs(dayCount - whole) * double(MillisecondsPerDay));
    if (msecs >= MillisecondsPerDay) { // rounded up to the next midnight
        msecs -= MillisecondsPerDay;
        ++day;
    }
    date = dayZero().addDays(day);
    time = QTime::fromMSecsSinceStartOfDay(int(msecs));
    return true;
}

QDateTime LocalFromDateTime(double dayCount)
{
    QDate date;
    QTime time;
    if (!WallFromDateTime(dayCount, date, time))
        return QDateTime();
    return QDateTime(date, time);
}

double DateTimeOfDay(QDate day)
{
    return day.isValid() ? double(dayZero().daysTo(day)) : qQNaN();
}
