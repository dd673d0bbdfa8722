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
// Of a long history only this many bytes at its end are read: eight weeks of practice take a
// tiny part of it, and a huge or damaged file costs no more than this.
inline constexpr qint64 ProgressReadLimit = 4 * 1024 * 1024;

// The first day the chart shows when it ends with today.
QDate FirstProgressDay(QDate today);

// The days from the text of the long history (the CSV file beside the records): its date
// (first field, YYYY-MM-DD) and its percentage (sixth field) of each row. The header, a line
// cut short, a date or percentage that does not read, or a percentage outside 0..100 is
// skipped. Days outside the chart's weeks are left out; the result is ordered by day.
QList<ProgressDay> ProgressFromCsv(const QByteArray &text, QDate today);

// The same from the records of the history file, the percentage computed from the right and
// wrong counts as the evaluation window computes it. A damaged day count is skipped.
QList<ProgressDay> ProgressFromEvaluations(const QList<EvaluationRecord> &records, QDate today);

// The chart's days: from csvFile when it exists (at most its last ProgressReadLimit bytes),
// otherwise from historyFile; neither gives no days. A file that cannot be read throws
// InOutError; damage inside a file only costs its lines.
QList<ProgressDay> ReadProgressDays(const QString &csvFile, const QString &historyFile, QDate today);
