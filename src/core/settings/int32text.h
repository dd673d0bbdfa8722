#pragma once

#include <QStringView>

// The pieces of the program's two number syntaxes (settings values and typed answers).

// An optional "+" or "-" and one or more decimal digits whose value lies in the 32-bit range.
bool parseSignedDecimal32(QStringView text, qint32 &value);

// The same syntax with any number of digits; a value beyond the 32-bit range gives the nearer
// 32-bit bound, so that "99999999999" is 2147483647.
bool parseSignedDecimalSaturated(QStringView text, qint32 &value);

// One or more hexadecimal digits (either case) whose value fits in 32 bits, taken as a 32-bit
// pattern, so that "FFFFFFFF" is -1.
bool parseHexPattern32(QStringView digits, qint32 &value);
