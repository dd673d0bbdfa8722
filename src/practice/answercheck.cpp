#include "practice/answercheck.h"

#include "generator/exercise.h"

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

bool ParseAnswerNumber(QStringView text, qint32 &value)
{
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    text = text.sliced(pos);

    qsizetype prefix = 0;
    if (text.startsWith(u"0x") || text.startsWith(u"0X"))
        prefix = 2;
    else if (text.startsWith(u'$') || text.startsWith(u'x') || text.startsWith(u'X'))
        prefix = 1;
    if (prefix > 0) {
        if (text.size() == prefix)
            return false;
        quint64 bits = 0;
        for (qsizetype i = prefix; i < text.size(); ++i) {
            const int digit = hexValue(text[i]);
            if (digit < 0)
                return false;
            bits = bits * 16 + quint64(digit);
            if (bits > 0xFFFFFFFFu)
                return false;
        }
        value = static_cast<qint32>(static_cast<quint32>(bits));
        return true;
    }

    bool negative = false;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return false;
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < u'0' || u > u'9')
            return false;
        magnitude = magnitude * 10 + (u - u'0');
        if (magnitude > 2147483648LL)
            return false;
    }
    const qint64 v = negative ? -magnitude : magnitude;
    if (v > 2147483647LL)
        return false;
    value = static_cast<qint32>(v);
    return true;
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
