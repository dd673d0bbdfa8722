#!/usr/bin/env bash
# The classroom benchmark: 3 computers x 10 copies x 100 wrong answers on one data folder, through
# the program's own record writing (bench_classroom, classroomprobe.cpp), on each kind of folder:
#   host     the three "computers" as process groups on this machine, one tmpfs folder
#   vmlocal  each classroom computer on its own tmpfs (the same emulated CPUs, no share)
#   nfs      the classroom's NFSv4.2 share, default options
#   smb      the classroom's SMB3 share, default options (cache=strict)
# For each it prints the records kept of the records answered (none lost, zeroed or duplicated),
# how long an answer keeps the window busy and how long until its record is stored (p50, p99).
#
#   bash bench/classroom.sh [host] [vmlocal] [nfs] [smb]     (default: all four)
#
# The classroom is the set of virtual machines in CLASSROOM (default ../shared/classroom beside the
# repository): one file server and three pupils' computers with real NFS and SMB clients. It is
# started here when it is not running (build its image first: "classroom.sh build", see its
# README). COPIES, ROUNDS change the load.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
CLASSROOM=${CLASSROOM:-$(cd "$top/.." && pwd)/shared/classroom}
COPIES=${COPIES:-10}
ROUNDS=${ROUNDS:-100}
MACHINES=3
targets=${*:-host vmlocal nfs smb}
lab="$CLASSROOM/classroom.sh"
bin="$CLASSROOM/run/x/bin"

cmake --build "$top/build" --target bench_classroom >/dev/null
mkdir -p "$bin"
cp "$top/build/bench/bench_classroom" "$bin/.bench_classroom.new" && mv "$bin/.bench_classroom.new" "$bin/bench_classroom"

needs_vms=no
for t in $targets; do [ "$t" = host ] || needs_vms=yes; done
if [ "$needs_vms" = yes ] && "$lab" status | grep -q stopped; then
    "$lab" start >&2
fi

printf '%-8s %-22s %-16s %-14s %-14s %s\n' share "kept of answered" "answer p50/p99" "stored p50" "stored p99" check
for target in $targets; do
    name=bench-$(date +%H%M%S)-$RANDOM
    results="$CLASSROOM/run/x/results/$name"
    mkdir -p "$results"; chmod 777 "$results"
    outs=(); for k in $(seq $MACHINES); do outs+=("/lab/results/$name/o$k"); done
    case $target in
    host)
        dir=$(mktemp -d /dev/shm/numik-classroom.XXXXXX)
        for k in $(seq $MACHINES); do "$bin/bench_classroom" run "$dir" "$COPIES" "$ROUNDS" "$k" "$results/o$k" & done
        wait
        report=$("$bin/bench_classroom" check "$dir" $MACHINES "$COPIES" "$ROUNDS" "$results"/o* || true)
        rm -rf "$dir" ;;
    vmlocal)
        # each computer checks its own folder; the lines are summed below
        pids=(); k=0
        for c in c1 c2 c3; do
            k=$((k + 1))
            "$lab" run "$c" "d=\$(mktemp -d /dev/shm/b.XXXX); chmod 777 \$d; runuser -u pupil -- /lab/bin/bench_classroom run \$d $COPIES $ROUNDS $k ${outs[$((k - 1))]} && /lab/bin/bench_classroom check \$d 1 $COPIES $ROUNDS ${outs[$((k - 1))]}; rm -rf \$d" > "$results/check$k" 2>&1 &
            pids+=($!)
        done
        for p in "${pids[@]}"; do wait "$p" || true; done
        # each computer kept its own records in its own folder: the records kept are summed, and
        # the latencies taken over all three outputs (the folder of that check is empty)
        kept=$(grep -h '^RESULT kept' "$results"/check* | awk '{split($3, k, "/"); s += k[1]} END {print s + 0}')
        latencies=$("$bin/bench_classroom" check /nonexistent $MACHINES "$COPIES" "$ROUNDS" "$results"/o* | grep '^RESULT' || true)
        report=$(grep -hv '^RESULT' "$results"/check*; sed "s|^RESULT kept [0-9]*/|RESULT kept $kept/|" <<<"$latencies") ;;
    nfs|smb)
        "$lab" mount "$target" >/dev/null || { echo "$target: cannot mount the share" >&2; continue; }
        dir=/mnt/$target/$name
        "$lab" run c1 "runuser -u pupil -- mkdir $dir" >/dev/null || { echo "$target: cannot make $dir" >&2; continue; }
        pids=(); k=0
        for c in c1 c2 c3; do
            k=$((k + 1))
            TIMEOUT=7200 "$lab" run "$c" "runuser -u pupil -- /lab/bin/bench_classroom run $dir $COPIES $ROUNDS $k ${outs[$((k - 1))]}" > /dev/null 2>&1 &
            pids+=($!)
        done
        for p in "${pids[@]}"; do wait "$p" || true; done
        # what really landed: the server's own disk
        report=$("$lab" run server "sync; /lab/bin/bench_classroom check /srv/share/$name $MACHINES $COPIES $ROUNDS ${outs[*]}" || true) ;;
    *) echo "unknown share $target" >&2; continue ;;
    esac
    printf '%s\n' "$report" > "$results/report"
    read -r _ _ kept _ _ _ _ _ _ _ p50 _ p99 _ s50 _ s99 <<<"$(grep '^RESULT' <<<"$report" | tail -1)"
    verdict=$(grep -q 'CHECK FAILED' <<<"$report" && echo FAILED || echo OK)
    printf '%-8s %-22s %-16s %-14s %-14s %s\n' "$target" "$kept" "$p50/$p99 ms" "$s50 ms" "$s99 ms" "$verdict"
    sed 's/^/    /' <<<"$(grep -v '^RESULT' <<<"$report")"
done
