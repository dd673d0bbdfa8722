#include "core/settings/int32text.h"

#include <algorithm>
#include <limits>

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

// Reads the sign and the digits, stopping the magnitude one past the 32-bit range so that a long
// text cannot overflow it; false when the text is no decimal whole number.
bool readSignedDecimal(QStringView text, qint64 &value)
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
        magnitude = std::min<qint64>(magnitude * 10 + (u - u'0'), 2147483649LL);
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace

bool parseSignedDecimal32(QStringView text, qint32 &value)
{
    qint64 v = 0;
    if (!readSignedDecimal(text, v) || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return false;
    value = static_cast<qint32>(v);
    return true;
}

bool parseSignedDecimalSaturated(QStringView text, qint32 &value)
{
    qint64 v = 0;
    if (!readSignedDecimal(text, v))
        return false;
    value = static_cast<qint32>(
        std::clamp<qint64>(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
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
