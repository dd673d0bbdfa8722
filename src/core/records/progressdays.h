#pragma once

#include "core/records/historycsv.h"

#include <QDate>
#include <QList>
#include <QString>

// The progress chart's data: the evaluations of the history as the export sees it, and for each
// day (or week, or month) of a period that has evaluations, the mean percentage right and how
// many evaluations it was taken over.
struct ProgressDay
{
    QDate day; // the first day of the day, week or month
    double meanPercent = 0.0;
    qint32 evaluations = 0;

    friend bool operator==(const ProgressDay &, const ProgressDay &) = default;
};

// What the teacher may choose to see, ending with today.
enum class ProgressPeriod { EightWeeks, SchoolYear, Everything };
// What a point of the chart stands for: a long period is shown by weeks or months.
enum class ProgressStep { Day, Week, Month };

// The chart of the last weeks covers this many.
inline constexpr qint32 ProgressWeeks = 8;

// The evaluations the chart can show, oldest first: the rows of historie.csv merged with the
// history file's (MergedHistory). Of a huge historie.csv only the end is read
// (HistoryCsvReadLimit): tailOnly then says so, and the rows begin somewhere within the file.
struct ProgressHistory
{
    QList<HistoryCsvRow> rows;
    bool tailOnly = false;
};
// Neither file gives no rows; a history file that cannot be read throws InOutError.
ProgressHistory ReadProgressHistory(const QString &csvFile, const QString &historyFile);

// The days a period spans and the step of its points. Eight weeks end with today; the school
// year starts on the last 1 September; everything starts with the oldest evaluation (today
// without any). Up to 62 days go by day, up to 500 by week, anything longer by month.
struct ProgressSpan
{
    QDate first;
    QDate last;
    ProgressStep step = ProgressStep::Day;
};
ProgressSpan ProgressSpanOf(ProgressPeriod period, QDate today, const QList<HistoryCsvRow> &rows);

// The points of the span, ordered by day: a row whose percentage lies outside 0..100 is skipped,
// and so are the days outside the span. A week starts on Monday, a month on its first day.
QList<ProgressDay> ProgressPoints(const QList<HistoryCsvRow> &rows, const ProgressSpan &span);

// The line shown instead of an empty chart: no evaluation at all, or none in the period and
// the day of the last one.
QString ProgressEmptyText(ProgressPeriod period, const ProgressSpan &span, const QList<HistoryCsvRow> &rows);

// The note under a chart drawn from the end of a huge historie.csv; empty when all was read.
QString ProgressTailText(const ProgressHistory &history);

// "8. 12. 2026"
QString ProgressDateText(QDate day);
