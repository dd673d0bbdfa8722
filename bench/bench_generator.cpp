#include "core/generator/generator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

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

namespace {

double threadMicros()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

double percentile99(std::vector<double> &values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() * 99 / 100];
}

} // namespace

// One exercise of one operation with ranges 0..100 and a restriction "X,Y" to a list of one
// number (arguments: the operation's code and the number), timed draw by draw. The counters are
// the 99th percentile of one draw, which is to stay under 1000 us: p99_us on the clock, and
// p99_cpu_us in the thread's own time, which a busy machine does not inflate.
static void BM_DrawWithOneListedNumber(benchmark::State &state)
{
    const auto op = Operation(state.range(0));
    PracticeSettings settings;
    settings.range(op) = {0, 100, 0, 100, 0, 100, 2, 1, 10, ReadNumberList(QString::number(state.range(1))).list};
    const OperationSwitches only{op == Operation::Plus, op == Operation::Minus, op == Operation::Krat,
                                 op == Operation::Del};
    ExerciseGenerator generator;
    generator.seedFromClock();
    std::vector<double> wall;
    std::vector<double> cpu;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadMicros();
        benchmark::DoNotOptimize(generator.drawExercise(only, settings));
        cpu.push_back(threadMicros() - cpuStart);
        wall.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["p99_us"] = percentile99(wall);
    state.counters["p99_cpu_us"] = percentile99(cpu);
}
BENCHMARK(BM_DrawWithOneListedNumber)->ArgsProduct({{1, 2, 3, 4}, {7, 97}})->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
