#include "core/generator/generator.h"

#include <QDateTime>

#include <cmath>

namespace {

constexpr Operation operationFromCode(qint32 code)
{
    return static_cast<Operation>(code);
}

bool within(qint32 value, qint32 lo, qint32 hi)
{
    return value >= lo && value <= hi;
}

} // namespace

Operation DejTypOperace(RandomSource &random, const OperationSwitches &switches)
{
    if (switches.countOn() == 1) {
        for (Operation op : {Operation::Plus, Operation::Minus, Operation::Krat, Operation::Del}) {
            if (switches.isOn(op))
                return op;
        }
    }
    Operation op = Operation::Plus;
    for (int draw = 0; draw < OperationDraws; ++draw) {
        op = operationFromCode(random.RandomInRange(1, 4));
        if (switches.isOn(op))
            return op;
    }
    return op;
}

UnknownSlot DejTypNeznama(RandomSource &random, bool resultOnly)
{
    if (resultOnly)
        return UnknownSlot::Result;
    return static_cast<UnknownSlot>(random.RandomInRange(1, 3));
}

bool MeetsRestriction(qint32 x, qint32 y, qint32 z, qint32 orod, qint32 ordo, qint32 oran, const NumberList &list)
{
    const auto admitted = [&](qint32 value) { return list.isEmpty() ? within(value, orod, ordo) : list.contains(value); };
    bool a = admitted(x);
    bool b = admitted(y);
    bool c = admitted(z);
    if (oran == 2)
        c = false;
    else if (oran == 3)
        b = false;
    else if (oran == 4)
        a = false;
    return a || b || c;
}

bool FindOperands(RandomSource &random, const OperationRange &range, Operation op, qint32 &x, qint32 &y)
{
    for (int attempt = 0; attempt < OperandSearchAttempts; ++attempt) {
        const qint32 cx = random.RandomInRange(range.C1OD, range.C1DO);
        const qint32 cy = random.RandomInRange(range.C2OD, range.C2DO);

        double r = 0.0;
        switch (op) {
        case Operation::Minus:
            r = wrapSub(cx, cy);
            break;
        case Operation::Krat:
            r = wrapMul(cx, cy);
            break;
        case Operation::Del:
            if (cy == 0)
                continue;
            // a double quotient of two 32-bit integers is whole exactly when the division is
            r = double(cx) / double(cy);
            break;
        case Operation::Plus:
        default:
            r = wrapAdd(cx, cy);
            break;
        }
        if (std::trunc(r) != r)
            continue;
        if (r < range.VOD || r > range.VDO)
            continue;
        // r now lies within VOD..VDO and so converts to a 32-bit integer exactly
        if (range.ORAN > 0
            && !MeetsRestriction(cx, cy, static_cast<qint32>(r), range.OROD, range.ORDO, range.ORAN, range.ORCISLA))
            continue;
        x = cx;
        y = cy;
        return true;
    }
    return false;
}

qint32 ComputeResult(Operation op, qint32 x, qint32 y)
{
    switch (op) {
    case Operation::Minus:
        return wrapSub(x, y);
    case Operation::Krat:
        return wrapMul(x, y);
    case Operation::Del:
        if (y == 0)
            return 0;
        if (y == -1)
            return wrapSub(0, x); // INT_MIN / -1 wraps instead of trapping
        return x / y;
    case Operation::Plus:
    default:
        return wrapAdd(x, y);
    }
}

QString OperationSign(Operation op)
{
    switch (op) {
    case Operation::Minus:
        return QStringLiteral("-");
    case Operation::Krat:
        return QStringLiteral("X");
    case Operation::Del:
        return QStringLiteral(":");
    case Operation::Plus:
    default:
        return QStringLiteral("+");
    }
}

QString ExerciseLineText(const Exercise &exercise)
{
    const auto shown = [&exercise](UnknownSlot slot, qint32 value) {
        const QString text = QString::number(value);
        return exercise.hidden == slot ? QString(text.size() + 1, u' ') : text;
    };
    return shown(UnknownSlot::First, exercise.first) + u' ' + OperationSign(exercise.operation) + u' '
           + shown(UnknownSlot::Second, exercise.second) + QStringLiteral(" = ")
           + shown(UnknownSlot::Result, exercise.result);
}

ExerciseGenerator::ExerciseGenerator(UtcClock utcClock)
    : m_utcClock(std::move(utcClock))
{
    if (!m_utcClock)
        m_utcClock = [] { return QDateTime::currentDateTimeUtc().time(); };
}

void ExerciseGenerator::seedFromClock()
{
    m_lastClockSeed = RandomSource::timeOfDaySeed(m_utcClock());
    m_random.setSeed(*m_lastClockSeed);
}

void ExerciseGenerator::reseedFromClock()
{
    const quint32 seed = RandomSource::timeOfDaySeed(m_utcClock());
    if (m_lastClockSeed == seed)
        return;
    m_lastClockSeed = seed;
    m_random.setSeed(seed);
}

ExerciseGenerator::Draw ExerciseGenerator::drawExercise(const OperationSwitches &switches,
                                                         const PracticeSettings &settings)
{
    m_exerciseCount = wrapAdd(m_exerciseCount, 1);
    if (m_exerciseCount % ReseedEvery == 0)
        reseedFromClock();

    Draw draw;
    const Operation op = DejTypOperace(m_random, switches);
    draw.hidden = DejTypNeznama(m_random, settings.resultOnly);

    qint32 x = 0;
    qint32 y = 0;
    if (!FindOperands(m_random, settings.range(op), op, x, y))
        return draw;
    draw.exercise = Exercise{x, op, y, ComputeResult(op, x, y), draw.hidden};
    return draw;
}
