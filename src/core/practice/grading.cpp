#include "core/practice/grading.h"

#include <bit>
#include <cstdint>
#include <limits>

namespace {

using u64 = std::uint64_t;
// The quotient needs up to 97 bits before rounding; __extension__ keeps -Wpedantic quiet.
__extension__ typedef unsigned __int128 u128;

// A positive value m * 2^-e with a 64-bit significand m, top bit set (as in extended precision).
struct Extended
{
    u64 significand;
    int fractionBits;
};

int bitLength(u128 v)
{
    const auto high = static_cast<u64>(v >> 64);
    return high != 0 ? 128 - std::countl_zero(high) : 64 - std::countl_zero(static_cast<u64>(v));
}

// Rounds v * 2^-e (v < 2^128, at most 64 significant bits kept) to nearest, ties to even.
Extended roundToSignificand(u128 v, int fractionBits)
{
    const int excess = bitLength(v) - 64;
    if (excess <= 0)
        return {static_cast<u64>(v) << -excess, fractionBits - excess};

    const u128 dropped = v & ((u128(1) << excess) - 1);
    const u128 half = u128(1) << (excess - 1);
    u128 kept = v >> excess;
    if (dropped > half || (dropped == half && (kept & 1) != 0))
        ++kept;
    int bits = fractionBits - excess;
    if (kept >> 64 != 0) { // rounding carried into a 65th bit
        kept >>= 1;
        --bits;
    }
    return {static_cast<u64>(kept), bits};
}

// numerator / denominator (numerator > 0, both below 2^33) to 64 significant bits.
Extended divide(u64 numerator, u64 denominator)
{
    // With this shift the quotient lies in [2^63, 2^65); one step down when it reaches 2^64.
    int shift = 64 + bitLength(denominator) - bitLength(numerator);
    u128 quotient = (u128(numerator) << shift) / denominator;
    if (quotient >> 64 != 0)
        --shift;
    const u128 scaled = u128(numerator) << shift;
    quotient = scaled / denominator;
    const u128 remainder = scaled % denominator;

    // Compare the remainder with half the divisor without halving it. (An exact tie cannot
    // occur for counts this small: it would need a power-of-two divisor, which divides exactly.)
    const u128 twice = remainder * 2;
    if (twice > denominator || (twice == denominator && (quotient & 1) != 0))
        ++quotient;
    if (quotient >> 64 != 0) {
        quotient >>= 1;
        --shift;
    }
    return {static_cast<u64>(quotient), shift};
}

// The integer nearest to m * 2^-e, ties to even; e is positive here since p < 2^39.
u128 roundToInteger(const Extended &x)
{
    if (x.fractionBits <= 0)
        return u128(x.significand) << -x.fractionBits;
    if (x.fractionBits >= 66) // below one half
        return 0;
    const u128 v = x.significand;
    const u128 whole = v >> x.fractionBits;
    const u128 fraction = v & ((u128(1) << x.fractionBits) - 1);
    const u128 half = u128(1) << (x.fractionBits - 1);
    if (fraction > half || (fraction == half && (whole & 1) != 0))
        return whole + 1;
    return whole;
}

u64 magnitude(qint64 v)
{
    return v < 0 ? u64(0) - static_cast<u64>(v) : static_cast<u64>(v);
}

} // namespace

qint32 PercentCorrect(qint32 correct, qint32 wrong)
{
    const qint64 total = qint64(correct) + qint64(wrong);
    if (total == 0 || correct == 0)
        return 0;

    // Rounding to nearest is symmetric, so the sign is applied at the end. The rounding of q
    // before the multiplication is what makes 59 of 200 land exactly on 29.5 and so give 29.
    const bool negative = (correct < 0) != (total < 0);
    const Extended q = divide(magnitude(correct), magnitude(total));
    const Extended p = roundToSignificand(u128(q.significand) * 100, q.fractionBits);
    const u128 rounded = roundToInteger(p);

    constexpr auto limit = u128(std::numeric_limits<qint32>::max());
    if (negative)
        return rounded > limit ? std::numeric_limits<qint32>::min() : -static_cast<qint32>(rounded);
    return rounded > limit ? std::numeric_limits<qint32>::max() : static_cast<qint32>(rounded);
}

qint32 DejZnamku(qint32 percent, const std::array<qint32, 4> &thresholds)
{
    for (qint32 grade = 1; grade <= 4; ++grade) {
        if (percent >= thresholds[static_cast<std::size_t>(grade - 1)])
            return grade;
    }
    return 5;
}

PartialEvaluation EvaluatePartial(qint32 correct, qint32 wrong, const std::array<qint32, 4> &thresholds)
{
    PartialEvaluation e;
    e.correct = correct;
    e.wrong = wrong;
    // summed wide: two 32-bit counts may exceed 32 bits, and only a true zero is "nothing"
    if (qint64(correct) + qint64(wrong) == 0)
        return e;
    e.evaluated = true;
    e.percent = PercentCorrect(correct, wrong);
    e.grade = DejZnamku(e.percent, thresholds);
    e.star = e.grade == 1 && wrong == 0;
    return e;
}
