#include "core/generator/generator.h"

#include <benchmark/benchmark.h>

// A range that admits nothing: every one of the 100 000 attempts divides by zero.
static void BM_FailedOperandSearch(benchmark::State &state)
{
    RandomSource random(12345);
    OperationRange range = PracticeSettings::defaultRange(Operation::Del);
    range.C2OD = 0;
    range.C2DO = 0;
    for (auto _ : state) {
        qint32 x = 0;
        qint32 y = 0;
        benchmark::DoNotOptimize(FindOperands(random, range, Operation::Del, x, y));
    }
}
BENCHMARK(BM_FailedOperandSearch)->Unit(benchmark::kMicrosecond);

// A failure that runs the whole test of each attempt: whole quotients, all outside the result range.
static void BM_FailedOperandSearchResultRange(benchmark::State &state)
{
    RandomSource random(12345);
    OperationRange range = PracticeSettings::defaultRange(Operation::Krat);
    range.VOD = 1000;
    range.VDO = 2000;
    for (auto _ : state) {
        qint32 x = 0;
        qint32 y = 0;
        benchmark::DoNotOptimize(FindOperands(random, range, Operation::Krat, x, y));
    }
}
BENCHMARK(BM_FailedOperandSearchResultRange)->Unit(benchmark::kMicrosecond);

// A three-column sheet: 90 lines with all four operations and the default ranges.
static void BM_NinetySheetLines(benchmark::State &state)
{
    ExerciseGenerator generator;
    PracticeSettings settings;
    settings.resultOnly = false;
    const OperationSwitches all{true, true, true, true};
    for (auto _ : state) {
        for (int line = 0; line < 90; ++line) {
            const ExerciseGenerator::Draw draw = generator.drawExercise(all, settings);
            benchmark::DoNotOptimize(draw.exercise ? ExerciseLineText(*draw.exercise) : QString());
        }
    }
}
BENCHMARK(BM_NinetySheetLines)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
