#!/usr/bin/env bash
# Start-up benchmark: starts the program and an empty Qt main window with one label, one after
# the other, several times under one fresh Xvfb, and prints the median time from the start of
# the process to its first painted window, the ratio of the two, and the resident memory of
# each 3 s after that (median), with the quartiles of the start times and an interval for the
# ratio: on a shared machine one start can take twice another, and they show how far a median
# and the ratio can be trusted.
#
#   bash bench/startup.sh [runs]        (default 31 runs of each, after one unmeasured warm-up)
#
# How it measures: bench_startwatch (startwatch.cpp) listens on the root window for the first
# top-level window to be mapped, then reads the window's middle pixel each time the X server
# reports drawing in it, until the program has painted it (the root is black, so an unpainted
# window reads black); in between it sleeps. Nothing is injected into either program; both
# start with an empty environment for Qt (no QT_* variables).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-31}"
build="$top/build"

cmake --build "$build" --target numik numiksound numiksheets bench_emptywindow bench_startwatch >/dev/null

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# the program as it is installed: the executable with its plugins and sound folder, in a folder
# of its own
mkdir -p "$work/numik" "$work/runtime"
chmod 700 "$work/runtime"
cp "$build/src/numik" "$build/src/libnumiksound.so" "$build/src/libnumiksheets.so" "$work/numik/"
cp -r "$build/src/zvuk" "$work/numik/" 2>/dev/null || true

display=""
for n in $(seq 90 130); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display" >&2; exit 1; }
Xvfb "$display" -br -noreset -nolisten tcp -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.05
done

watch() {
    env -i HOME="$work" PATH=/usr/bin:/bin DISPLAY="$display" XDG_RUNTIME_DIR="$work/runtime" \
        "$build/bench/bench_startwatch" 3000 "$@"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# the lower and upper quartile, as the medians of the lower and upper halves
quartiles() { sort -n | awk '{ v[NR] = $1 } END { h = int(NR / 2); lo = (h % 2) ? v[(h + 1) / 2] : (v[h / 2] + v[h / 2 + 1]) / 2
    o = NR - h; hi = (h % 2) ? v[o + (h + 1) / 2] : (v[o + h / 2] + v[o + h / 2 + 1]) / 2; printf "%.1f-%.1f", lo, hi }'; }

# one unmeasured start of each brings the libraries into the page cache
watch "$build/bench/bench_emptywindow" >/dev/null
watch "$work/numik/numik" >/dev/null

: >"$work/empty.txt"
: >"$work/numik.txt"
for i in $(seq "$runs"); do
    watch "$build/bench/bench_emptywindow" >>"$work/empty.txt"
    watch "$work/numik/numik" >>"$work/numik.txt"
    rm -f "$work/numik/numik.ini"
done

empty_ms=$(cut -d' ' -f1 "$work/empty.txt" | median)
numik_ms=$(cut -d' ' -f1 "$work/numik.txt" | median)
empty_kib=$(cut -d' ' -f2 "$work/empty.txt" | median)
numik_kib=$(cut -d' ' -f2 "$work/numik.txt" | median)
echo "runs of each:          $runs"
echo "empty Qt window, all:  $(cut -d' ' -f1 "$work/empty.txt" | tr '\n' ' ')ms"
echo "Numik, all:            $(cut -d' ' -f1 "$work/numik.txt" | tr '\n' ' ')ms"
echo "quartiles:             empty $(cut -d' ' -f1 "$work/empty.txt" | quartiles) ms, Numik $(cut -d' ' -f1 "$work/numik.txt" | quartiles) ms"
awk -v e="$empty_ms" -v n="$numik_ms" -v ek="$empty_kib" -v nk="$numik_kib" 'BEGIN {
    printf "start, median:         empty %.1f ms, Numik %.1f ms, ratio %.2f\n", e, n, n / e
    printf "memory 3 s later:      empty %.1f MiB, Numik %.1f MiB, difference %.1f MiB\n", ek / 1024, nk / 1024, (nk - ek) / 1024
}'
# How far the ratio can be trusted: the ratio of the medians of 2000 resamples of both sets of
# starts, of which the middle 95 % are printed. An interval that reaches past a goal says that
# another run may well land on the other side of it.
awk 'FNR == 1 { f++ } f == 1 { e[++ne] = $1 } f == 2 { n[++nn] = $1 }
    function median(a, count,   i, j, v) {
        for (i = 2; i <= count; i++) { v = a[i]; for (j = i - 1; j >= 1 && a[j] > v; j--) a[j + 1] = a[j]; a[j + 1] = v }
        return (count % 2) ? a[(count + 1) / 2] : (a[count / 2] + a[count / 2 + 1]) / 2
    }
    END {
        srand(12345)
        for (r = 1; r <= 2000; r++) {
            for (i = 1; i <= ne; i++) be[i] = e[int(rand() * ne) + 1]
            for (i = 1; i <= nn; i++) bn[i] = n[int(rand() * nn) + 1]
            ratio[r] = median(bn, nn) / median(be, ne)
        }
        median(ratio, 2000)
        printf "ratio, 95 %% interval:  %.2f-%.2f (2000 resamples of the starts)\n", ratio[51], ratio[1950]
    }' "$work/empty.txt" "$work/numik.txt"
