#!/usr/bin/env bash
# The checks CI runs beside the test suite (scripts/test.sh calls this with CI=true or
# NUMIK_CHECKS=1):
#   1. a second build with clang, AddressSanitizer and UndefinedBehaviorSanitizer, which stop at
#      their first report, running the whole test suite, windows included;
#   2. each libFuzzer target of fuzz/ for a bounded time (NUMIK_FUZZ_SECONDS, 30 by default),
#      starting from its corpus in fuzz/corpus/<target>.
# Leak detection stays off: Qt keeps static data until exit that LeakSanitizer would report.
# A long fuzz run of one target:  build-check/fuzz/fuzz_records -max_total_time=3600 \
#     "$(mktemp -d)" fuzz/corpus/records
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$top/build-check"
seconds="${NUMIK_FUZZ_SECONDS:-30}"
# warnings are errors in CI, as in the main build
werror="${NUMIK_WERROR:-}"
if [ -z "$werror" ]; then
    if [ "${CI:-}" = true ]; then werror=ON; else werror=OFF; fi
fi

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
# the coverage libFuzzer steers by, so that the fuzz targets share this one build
coverage="-fsanitize=fuzzer-no-link"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$sanitizers $coverage" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
    -DNUMIK_WERROR="$werror" \
    -DNUMIK_FUZZ=ON
cmake --build "$build" --parallel "$(nproc)"

export ASAN_OPTIONS="detect_leaks=0:halt_on_error=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --timeout 900

for target in historycsv inifile number records; do
    work="$(mktemp -d)"
    echo "Fuzzing $target for $seconds s"
    # new inputs go to the scratch folder; the corpus in the repo only seeds the run
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$work/" -print_final_stats=1 "$work" "$top/fuzz/corpus/$target" 2>"$work/log" || {
        tail -n 60 "$work/log"
        for input in "$work"/crash-* "$work"/timeout-* "$work"/oom-* "$work"/leak-*; do
            [ -f "$input" ] && { echo "$input:"; od -An -tx1 "$input" | head -n 40; }
        done
        echo "fuzz_$target failed; the input is in $work"
        exit 1
    }
    grep -E 'stat::number_of_executed_units|Done' "$work/log" | tail -n 2
    rm -rf "$work"
done
echo "Checks passed: sanitizer build and fuzz runs"
