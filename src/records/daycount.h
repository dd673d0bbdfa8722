#pragma once

#include <QDateTime>

// The history's DateTime: days since 1899-12-30 00:00, the fraction being the time of day,
// taken from the local wall-clock date and time (no time zone is stored).
double DateTimeFromLocal(const QDateTime &local);
QDateTime LocalFromDateTime(double dayCount);
