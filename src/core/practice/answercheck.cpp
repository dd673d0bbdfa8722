#include "core/practice/answercheck.h"

#include "core/generator/exercise.h"
#include "core/settings/int32text.h"

bool ParseAnswerNumber(QStringView text, qint32 &value)
{
    qsizetype blanks = 0;
    while (blanks < text.size() && text[blanks] == u' ')
        ++blanks;
    text = text.sliced(blanks);
    // a hexadecimal number carries no sign
    if (text.startsWith(u"0x") || text.startsWith(u"0X"))
        return parseHexPattern32(text.sliced(2), value);
    if (text.startsWith(u'$') || text.startsWith(u'x') || text.startsWith(u'X'))
        return parseHexPattern32(text.sliced(1), value);
    return parseSignedDecimal32(text, value);
}

qint32 NumberOrZero(QStringView text)
{
    qint32 value = 0;
    return ParseAnswerNumber(text, value) ? value : 0;
}

qint32 ExpectedResult(qint32 operationCode, qint32 a, qint32 b)
{
    switch (operationCode) {
    case qint32(Operation::Minus):
        return wrapSub(a, b);
    case qint32(Operation::Krat):
        return wrapMul(a, b);
    case qint32(Operation::Del): {
        if (b == 0)
            return 0;
        // exact in 64 bits; an exact half goes to the even neighbour
        const qint64 n = a;
        const qint64 d = b;
        qint64 q = n / d;
        const qint64 r = n % d;
        const qint64 twiceRemainder = 2 * (r < 0 ? -r : r);
        const qint64 divisor = d < 0 ? -d : d;
        const bool negative = (n < 0) != (d < 0);
        if (twiceRemainder > divisor || (twiceRemainder == divisor && (q % 2) != 0))
            q += negative ? -1 : 1;
        // only -2147483648 : -1 leaves the 32-bit range; it wraps like the other operations
        return static_cast<qint32>(static_cast<quint32>(static_cast<quint64>(q)));
    }
    default:
        return wrapAdd(a, b);
    }
}
