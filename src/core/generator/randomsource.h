#pragma once

#include <QTime>

// The program's one random source: a 32-bit linear congruential generator.
// Each draw sets seed := seed × 134775813 + 1 (mod 2^32); Random(N) is the upper 32 bits of
// the 64-bit product seed × N, so it lies in 0..N-1.
class RandomSource
{
public:
    explicit RandomSource(quint32 seed = 0) : m_seed(seed) {}

    quint32 seed() const { return m_seed; }
    void setSeed(quint32 seed) { m_seed = seed; }

    // The seed the clock gives: milliseconds since midnight of the UTC time of day.
    static quint32 timeOfDaySeed(const QTime &utcTime);

    // Random(N) for N in 1..2^32; N = 0 draws and returns 0.
    quint32 random(quint64 n);

    // lo + Random(hi - lo + 1). Bounds in the wrong order (only from a hand-edited settings file)
    // draw between the two bounds; the full 32-bit span draws over the whole range.
    qint32 RandomInRange(qint32 lo, qint32 hi);

private:
    quint32 m_seed;
};
