#pragma once

#include <QByteArrayView>
#include <QString>

// Settings files written on Central European Windows hold their non-ASCII text in the 8-bit code
// page Windows-1250. A value that is valid UTF-8 is read as UTF-8; any other is read as
// Windows-1250, so that a password typed there ("řípa" as F8 ED 70 61) can still be typed here.
QString decodeSettingsText(QByteArrayView bytes);

// Windows-1250 to Unicode; the five unassigned bytes become U+FFFD.
QString fromWindows1250(QByteArrayView bytes);
