#pragma once

#include <QStringView>

// The number syntax of the answer fields: optional leading blanks, then either an optional sign
// and decimal digits within the 32-bit range, or (without a sign) "$", "x", "X", "0x" or "0X" and
// hexadecimal digits that fit in 32 bits, taken as a 32-bit pattern; nothing after the last digit.
bool ParseAnswerNumber(QStringView text, qint32 &value);

// The value of a number field's text, 0 for a text that is not a number (such as an empty field).
qint32 NumberOrZero(QStringView text);

// What the result field must hold for a and b under the operation code, in 32-bit arithmetic with
// wrap-around: subtraction, multiplication, division rounded to the nearest integer with an exact
// half going to the even neighbour (0 for a zero divisor), and addition for any other code.
qint32 ExpectedResult(qint32 operationCode, qint32 a, qint32 b);
