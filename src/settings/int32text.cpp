#include "settings/int32text.h"

namespace {

int hexDigit(QChar c)
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

bool parseSignedDecimal32(QStringView text, qint32 &value)
{
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    if (pos == text.size())
        return false;
    qint64 magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const char16_t u = text[pos].unicode();
        if (u < u'0' || u > u'9')
            return false;
        magnitude = magnitude * 10 + (u - u'0');
        if (magnitude > 2147483648LL) // stop before a long text could overflow
            return false;
    }
    const qint64 v = negative ? -magnitude : magnitude;
    if (v > 2147483647LL)
        return false;
    value = static_cast<qint32>(v);
    return true;
}

bool parseHexPattern32(QStringView digits, qint32 &value)
{
    if (digits.isEmpty())
        return false;
    quint64 bits = 0;
    for (const QChar c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return false;
        bits = bits * 16 + quint64(d);
        if (bits > 0xFFFFFFFFu)
            return false;
    }
    value = static_cast<qint32>(static_cast<quint32>(bits));
    return true;
}
