#pragma once

#include "core/records/recordfiles.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// The days of the progress chart: for each day of the last weeks that has evaluations, the mean
// percentage right and how many evaluations it was taken over.
struct ProgressDay
{
    QDate day;
    double meanPercent = 0.0;
    qint32 evaluations = 0;

    friend bool operator==(const ProgressDay &, const ProgressDay &) = default;
};

// The chart covers this many weeks, ending with today.
inline constexpr qint32 ProgressWeeks = 8;
// The first day the chart shows when it ends with today.
QDate FirstProgressDay(QDate today);

// The days of the rows of the long history (historie.csv, read by ReadHistoryCsv). A row whose
// percentage lies outside 0..100 is skipped, and so are days outside the chart's weeks; the
// result is ordered by day.
struct HistoryCsvRow;
QList<ProgressDay> ProgressFromRows(const QList<HistoryCsvRow> &rows, QDate today);

// The same from the records of the history file, the percentage computed from the right and
// wrong counts as the evaluation window computes it. A damaged day count is skipped.
QList<ProgressDay> ProgressFromEvaluations(const QList<EvaluationRecord> &records, QDate today);

// The chart's days: from csvFile when it exists (its damaged lines skipped, only its end read),
// otherwise from historyFile; neither gives no days.
QList<ProgressDay> ReadProgressDays(const QString &csvFile, const QString &historyFile, QDate today);
