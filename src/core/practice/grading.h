#pragma once

#include <QtGlobal>

#include <array>

// The share of right answers as a whole percentage, as the program has always computed it:
// q := correct / total and p := q * 100, each rounded to a 64-bit significand (nearest, ties to
// even), then p rounded to an integer, an exact half going to the even neighbour. The result
// is the same on every platform. A zero total gives 0; a percentage beyond the 32-bit range
// (only possible with negative counts) is clamped to it.
qint32 PercentCorrect(qint32 correct, qint32 wrong);

// The school grade 1..5 for a percentage. thresholds[0..3] are the lowest percentages that
// still earn grades 1..4; a percentage equal to a threshold earns the better grade.
qint32 DejZnamku(qint32 percent, const std::array<qint32, 4> &thresholds);

// A partial evaluation as the evaluation window shows it. With both counts zero nothing is
// evaluated: no percentage, grade 0.
struct PartialEvaluation
{
    qint32 correct = 0;
    qint32 wrong = 0;
    bool evaluated = false;
    qint32 percent = 0;
    qint32 grade = 0;
    bool star = false; // a grade 1 without a single wrong answer
};
PartialEvaluation EvaluatePartial(qint32 correct, qint32 wrong, const std::array<qint32, 4> &thresholds);
