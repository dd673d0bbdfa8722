#include "core/generator/randomsource.h"

#include <utility>

quint32 RandomSource::timeOfDaySeed(const QTime &utcTime)
{
    return static_cast<quint32>(((utcTime.hour() * 60 + utcTime.minute()) * 60 + utcTime.second()) * 1000
                                + utcTime.msec());
}

quint32 RandomSource::random(quint64 n)
{
    m_seed = m_seed * 134775813u + 1u;
    // n is at most 2^32, so the product fits in 64 bits
    return static_cast<quint32>((quint64(m_seed) * n) >> 32);
}

qint32 RandomSource::RandomInRange(qint32 lo, qint32 hi)
{
    if (lo > hi)
        std::swap(lo, hi);
    const qint64 span = qint64(hi) - qint64(lo) + 1; // 1 .. 2^32
    return static_cast<qint32>(qint64(lo) + qint64(random(quint64(span))));
}
