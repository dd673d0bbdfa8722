#pragma once

#include "core/records/historycsv.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// Whether a pupil's success went up, down or stayed, between two periods.
enum class Trend { Unknown, Up, Down, Steady };

// The periods of the class overview, in days ending with today.
inline constexpr qint64 RecentDays = 7;
inline constexpr qint64 MeanDays = 28;
// A mean that moves by less than this many percentage points counts as steady: a pupil's
// success wanders by a few points from month to month without any real change.
inline constexpr double TrendThreshold = 5.0;

// One pupil's row of the class overview.
struct PupilSummary
{
    QString name;
    // false: the pupil's folder or one of its files could not be read ("nelze přečíst")
    bool readable = true;
    qint32 recentEvaluations = 0;      // in the last RecentDays days
    std::optional<double> meanPercent; // over the last MeanDays days
    Trend trend = Trend::Unknown;      // against the MeanDays days before those
    std::optional<qint32> lastGrade;   // of the evaluation written last
    QDate lastPractice;                // its date
    qint32 retestCount = 0;            // exercises waiting for a re-test
};

// The figures of the evaluations (oldest first, as historie.csv holds them): the periods count
// whole days of the rows' dates, today included; a row dated after today (a clock set wrong)
// belongs to no period but may still be the last one written. A percentage outside 0..100
// (a damaged row) is left out of the means. Name and re-test count stay unset.
PupilSummary SummaryFromHistory(const QList<HistoryCsvRow> &rows, QDate today);

// Up or down when the means differ by TrendThreshold or more, steady when less, unknown when
// either period has no evaluation.
Trend TrendOf(std::optional<double> now, std::optional<double> before);
// "↑", "↓", "→", or nothing for an unknown trend.
QString TrendArrow(Trend trend);
