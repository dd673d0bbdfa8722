#include "core/generator/numberlist.h"

#include "core/settings/int32text.h"

#include <QStringList>

#include <algorithm>

namespace {

bool isSeparator(QChar c)
{
    return c == u',' || c.isSpace();
}

bool isDash(QChar c)
{
    return c == u'-' || c == QChar(0x2013); // an en dash is what a word processor makes of "-"
}

qsizetype skipBlanks(QStringView text, qsizetype pos)
{
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    return pos;
}

// A sign and decimal digits from pos; the position after them, or -1 when there are no digits or
// the value leaves the 32-bit range.
qsizetype readNumber(QStringView text, qsizetype pos, qint32 &value)
{
    qsizetype end = pos;
    if (end < text.size() && (text[end] == u'+' || text[end] == u'-'))
        ++end;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
        ++end;
    return parseSignedDecimal32(text.sliced(pos, end - pos), value) ? end : -1;
}

} // namespace

bool NumberList::contains(qint32 value) const
{
    return std::binary_search(m_values.begin(), m_values.begin() + m_count, value);
}

NumberListReading ReadNumberList(QStringView text)
{
    NumberListReading reading;
    QStringList items;
    std::array<qint32, NumberList::MaxNumbers> values = {};
    qint64 count = 0;
    qsizetype pos = 0;
    for (;;) {
        while (pos < text.size() && isSeparator(text[pos]))
            ++pos;
        if (pos == text.size())
            break;
        const qsizetype start = pos;
        qint32 lo = 0;
        qint32 hi = 0;
        qsizetype reached = start; // how far the item was read before anything went wrong
        qsizetype end = readNumber(text, start, lo);
        if (end >= 0) {
            reached = end;
            hi = lo;
            const qsizetype dash = skipBlanks(text, end);
            if (dash < text.size() && isDash(text[dash])) {
                reached = skipBlanks(text, dash + 1);
                end = readNumber(text, reached, hi);
                if (end >= 0)
                    reached = end;
            }
        }
        if (end < 0 || lo > hi || (end < text.size() && !isSeparator(text[end]))) {
            // the wrong item runs from its start to the next separator after what was read
            while (reached < text.size() && !isSeparator(text[reached]))
                ++reached;
            reading.problem = NumberListProblem::Malformed;
            reading.wrongText = text.sliced(start, reached - start).toString();
            return reading;
        }
        pos = end;

        if (count + (qint64(hi) - qint64(lo) + 1) > NumberList::MaxNumbers) {
            reading.problem = NumberListProblem::TooMany;
            reading.wrongText = text.trimmed().toString();
            return reading;
        }
        for (qint64 v = lo; v <= hi; ++v)
            values[std::size_t(count++)] = qint32(v);
        items << (lo == hi ? QString::number(lo) : QString::number(lo) + u'-' + QString::number(hi));
    }
    std::sort(values.begin(), values.begin() + count);
    reading.list.m_text = items.join(u',');
    reading.list.m_values = values;
    reading.list.m_count = int(count);
    return reading;
}
