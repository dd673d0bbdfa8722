#pragma once

#include "core/records/recordfiles.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// The window-free part of the history viewer: which evaluations a day lists and the texts of
// their rows.

// Whether an evaluation at dateTime is listed under the day whose 00:00 is day: from that
// midnight up to and including the next one, compared as day counts. So an evaluation made
// exactly at midnight is listed under two days; a damaged (NaN) day count under none.
bool IsOnDay(double dateTime, double day);

// The six cells of a row: "datum,čas", "známka", "OK", "chyba", "operace", "čas.lim.". The first
// holds the date in the locale's short format and the time in its long one, or the time alone
// when timeOnly is set; it is empty for a damaged day count. The date and time are the wall
// clock as written, even one the local zone skips today.
QStringList HistoryRowCells(const EvaluationRecord &record, bool timeOnly, const QLocale &locale);

// The records of the history file as the viewer lists them, newest first: at most limit of them,
// however long a damaged file has grown, and with an operation counted as practised only when
// its flag byte is exactly 1. No file gives no records; a failure throws InOutError.
QList<EvaluationRecord> ReadHistoryToShow(const QString &historyFile, qint32 limit = HistoryCapacity);
