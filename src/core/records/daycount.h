#pragma once

#include <QDateTime>

// The history's DateTime: days since 1899-12-30 00:00, the fraction being the time of day,
// taken from the local wall-clock date and time (no time zone is stored).
double DateTimeFromLocal(const QDateTime &local);
// The local date and time a day count stands for; invalid for a damaged day count (NaN,
// infinite, outside the years 1 to 9999) and for a wall time that the local zone skips today.
QDateTime LocalFromDateTime(double dayCount);
// The wall-clock date and time exactly as written, whatever the local zone makes of them now.
// False, with date and time untouched, for a damaged day count.
bool WallFromDateTime(double dayCount, QDate &date, QTime &time);
// The day count of 00:00 of a day; NaN for an invalid date.
double DateTimeOfDay(QDate day);
