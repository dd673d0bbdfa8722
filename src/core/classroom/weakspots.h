#pragma once

#include "core/generator/exercise.h"
#include "core/records/recordfiles.h"

#include <QList>
#include <QString>

#include <array>
#include <map>
#include <optional>
#include <tuple>

// The exercise a stored wrong result posed: its hidden number put back from the other two.
// Nothing for an unknown operation or where no whole number gives the stored result.
std::optional<Exercise> PosedExercise(const WrongResultRecord &record);

// "7 + 5 = 12", "56 : 8 = 7": the exercise with every number shown.
QString ExerciseText(const Exercise &exercise);

// An addition or subtraction that pupils got wrong, and how many of them.
struct WeakExercise
{
    Exercise exercise;
    qint32 pupils = 0;
};

// What a class gets wrong, counted in pupils: an exercise that one pupil got wrong ten times
// counts once, so one struggling pupil does not make the whole class look weak.
class WeakSpots
{
public:
    // The multiplication table is 1..10 × 1..10.
    static constexpr int TableSize = 10;

    // One pupil's wrong results (both files may be given: the exercise still counts once).
    void addPupil(const QList<WrongResultRecord> &records);

    // How many pupils got x × y wrong (x, y in 1..TableSize), or the division it undoes,
    // (x·y) : y = x; 0 outside the table.
    qint32 tableCount(int x, int y) const;
    qint32 largestTableCount() const;

    // The additions and subtractions most pupils got wrong, at most limit of them: more pupils
    // first, then additions before subtractions, then by the numbers.
    QList<WeakExercise> mostCommonAdditive(int limit = 10) const;

private:
    std::array<qint32, TableSize * TableSize> m_table{};
    // operation code, first number, second number
    std::map<std::tuple<qint32, qint32, qint32>, qint32> m_additive;
};
