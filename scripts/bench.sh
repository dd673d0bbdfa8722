#!/usr/bin/env bash
# Runs the benchmarks beside the tests and prints their figures: the failed operand search, a
# delete from a 100 000-record file, the cost of handling one answer beyond the half-second
# pause, a 90-line sheet to PDF, the class overview and the picker of 30 pupils after a year of
# practice, and the cold start and idle memory under Xvfb beside an empty
# Qt window (bench/startup.sh; the optional argument is its number of runs).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
NUMIK_BENCH=1 bash "$top/scripts/setup.sh" >/dev/null
cmake --build "$top/build" --target bench_generator bench_recordfiles bench_answer bench_sheets bench_classoverview >/dev/null
export QT_QPA_PLATFORM=offscreen

echo "== the generator: a failed operand search, sheet lines, a draw with a list of one number"
"$top/build/bench/bench_generator"
echo "== delete from a 100 000-record file"
"$top/build/bench/bench_recordfiles"
echo "== answer handling"
"$top/build/bench/bench_answer" 500
echo "== a 90-line sheet laid out and rendered to PDF"
"$top/build/bench/bench_sheets"
echo "== the class: overview and picker of 30 pupils, a year of practice each"
"$top/build/bench/bench_classoverview" 15
echo "== cold start and idle memory, beside an empty Qt window"
bash "$top/bench/startup.sh" "${1:-31}"
