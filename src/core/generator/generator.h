#pragma once

#include "core/generator/exercise.h"
#include "core/generator/randomsource.h"
#include "core/settings/practicesettings.h"

#include <QString>

#include <functional>
#include <optional>

// How many attempts the operand search makes before it gives up.
inline constexpr int OperandSearchAttempts = 100000;
// How many draws choosing the operation may take before it settles for the last one.
inline constexpr int OperationDraws = 10000;
// The random source is reseeded from the clock on every this many exercises.
inline constexpr qint32 ReseedEvery = 25;

// The operation to practise. One switch on: that operation, no draw spent. Otherwise up to
// OperationDraws draws until an enabled one comes up; with all four off, the last draw.
Operation DejTypOperace(RandomSource &random, const OperationSwitches &switches);

// The hidden slot: always the result in result-only mode (no draw), else drawn from 1..3.
UnknownSlot DejTypNeznama(RandomSource &random, bool resultOnly);

// Rejection sampling of X then Y within the range; true with X and Y set on success, false
// with X and Y untouched after OperandSearchAttempts failed attempts.
bool FindOperands(RandomSource &random, const OperationRange &range, Operation op, qint32 &x, qint32 &y);

// Whether one of the numbers named by oran lies in orod..ordo, or is one of list when the list
// is not empty; oran 0 or below is no restriction and is not asked here, 5 and above counts as 1.
bool MeetsRestriction(qint32 x, qint32 y, qint32 z, qint32 orod, qint32 ordo, qint32 oran,
                      const NumberList &list = {});

// X op Y in 32-bit arithmetic with wrap-around; division truncates and gives 0 for Y = 0.
qint32 ComputeResult(Operation op, qint32 x, qint32 y);

// "+", "-", "X", ":"; any unknown code gives "+".
QString OperationSign(Operation op);

// One line of a printed sheet: "X op Y = Z" with the hidden number replaced by one space more
// than its decimal text has characters.
QString ExerciseLineText(const Exercise &exercise);

// The generator the main window owns: its random source and its exercise counter, which both
// the screen and the printed sheets advance and which reseeds the source every 25 exercises.
class ExerciseGenerator
{
public:
    using UtcClock = std::function<QTime()>;

    explicit ExerciseGenerator(UtcClock utcClock = {});

    RandomSource &random() { return m_random; }
    void seedFromClock();
    // The reseeding of every 25th exercise. A clock that has not moved since the last seeding
    // would only rewind the source (a sheet drawn within one millisecond would repeat its
    // blocks of 25 exercises), so then the running sequence goes on instead.
    void reseedFromClock();

    qint32 exerciseCount() const { return m_exerciseCount; }
    void resetExerciseCount() { m_exerciseCount = 0; }

    struct Draw
    {
        UnknownSlot hidden = UnknownSlot::Result; // drawn even when the search fails
        std::optional<Exercise> exercise;         // empty when no admissible exercise was found
    };

    // The window-free core of the next on-screen exercise.
    Draw drawExercise(const OperationSwitches &switches, const PracticeSettings &settings);

private:
    RandomSource m_random;
    UtcClock m_utcClock;
    std::optional<quint32> m_lastClockSeed;
    qint32 m_exerciseCount = 0;
};
