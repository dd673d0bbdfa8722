#include "core/classroom/pupilsummary.h"

#include <cmath>

namespace {

class Mean
{
public:
    void add(double value)
    {
        m_total += value;
        ++m_count;
    }
    std::optional<double> value() const
    {
        return m_count ? std::optional<double>(m_total / m_count) : std::nullopt;
    }

private:
    double m_total = 0.0;
    qint64 m_count = 0;
};

} // namespace

PupilSummary SummaryFromHistory(const QList<HistoryCsvRow> &rows, QDate today)
{
    PupilSummary summary;
    Mean now;
    Mean before;
    for (const HistoryCsvRow &row : rows) {
        if (!row.date.isValid())
            continue;
        summary.lastGrade = row.grade;
        summary.lastPractice = row.date;
        const qint64 age = row.date.daysTo(today);
        if (age < 0)
            continue;
        if (age < RecentDays)
            ++summary.recentEvaluations;
        if (!(row.percent >= 0.0 && row.percent <= 100.0))
            continue;
        if (age < MeanDays)
            now.add(row.percent);
        else if (age < 2 * MeanDays)
            before.add(row.percent);
    }
    summary.meanPercent = now.value();
    summary.trend = TrendOf(now.value(), before.value());
    return summary;
}

Trend TrendOf(std::optional<double> now, std::optional<double> before)
{
    if (!now || !before)
        return Trend::Unknown;
    const double change = *now - *before;
    if (change >= TrendThreshold)
        return Trend::Up;
    if (change <= -TrendThreshold)
        return Trend::Down;
    return Trend::Steady;
}

QString TrendArrow(Trend trend)
{
    switch (trend) {
    case Trend::Up:
        return QStringLiteral("↑");
    case Trend::Down:
        return QStringLiteral("↓");
    case Trend::Steady:
        return QStringLiteral("→");
    case Trend::Unknown:
        break;
    }
    return QString();
}
