#!/usr/bin/env bash
# Makes the screenshots of the teacher's guide (docs/img/*.png) from the real program, running
# under a private virtual X server with prepared settings and records in temporary data folders.
#
#   bash scripts/screenshots.sh            build, then make every shot
#   bash scripts/screenshots.sh graf list  make only the named shots
#   NUMIK_SCREENSHOTS_NO_BUILD=1 ...       use the program already built in build/
#
# Shots: hlavni-okno hodnoceni nastaveni omezeni historie graf list (list also writes list-klic),
# kdo-cvici prehled-tridy slaba-mista (a class of 24 pupils).
# Every wait has a time limit; a shot that fails is reported and the others still run. The
# exit status is 1 when any shot failed.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
img="$top/docs/img"
all_shots=(hlavni-okno hodnoceni nastaveni omezeni historie graf list kdo-cvici prehled-tridy slaba-mista)
shots=("$@")
((${#shots[@]})) || shots=("${all_shots[@]}")
for s in "${shots[@]}"; do
    [[ " ${all_shots[*]} " == *" $s "* ]] || { echo "screenshots: unknown shot $s (known: ${all_shots[*]})" >&2; exit 2; }
done

if [ "${NUMIK_SCREENSHOTS_NO_BUILD:-0}" != 1 ]; then
    bash "$top/scripts/setup.sh"
fi
bash "$top/scripts/install-packages.sh" xvfb xauth x11-utils xdotool imagemagick python3
exe="$top/build/src/numik"
[ -x "$exe" ] || { echo "screenshots: $exe is missing; build first" >&2; exit 1; }
mkdir -p "$img"

work="$(mktemp -d)"
xvfb_pid=""
numik_pid=""
cleanup() {
    if [ -n "$numik_pid" ]; then kill "$numik_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# --- the virtual X server -------------------------------------------------------------------
display_number=90
while [ -e "/tmp/.X${display_number}-lock" ] || [ -e "/tmp/.X11-unix/X${display_number}" ]; do
    display_number=$((display_number + 1))
done
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "screenshots: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }

# The program's environment: X11, Czech dates, no session bus, a private runtime folder.
export QT_QPA_PLATFORM=xcb
export LANG=C.UTF-8
unset LC_ALL LC_TIME
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export DBUS_SESSION_BUS_ADDRESS=disabled:

# --- the prepared data ----------------------------------------------------------------------
# make_data FOLDER KIND writes numik.ini and the records. KIND "trida" is a class after two
# months of practice; KIND "zak" is one pupil whose exercise is always 7 + 5, so that the
# script can answer it.
make_data() {
    mkdir -p "$1"
    python3 - "$1" "$2" <<'PY'
import datetime, random, struct, sys
from pathlib import Path

folder, kind = Path(sys.argv[1]), sys.argv[2]

def ini(sections):
    text = ""
    for name, keys in sections.items():
        text += "[%s]\r\n" % name + "".join("%s=%s\r\n" % kv for kv in keys.items()) + "\r\n"
    (folder / "numik.ini").write_bytes(text.encode("ascii"))

common = {
    "Hodnoceni": {"1": 95, "2": 85, "3": 75, "4": 50, "autopo": 10, "automaz": 0},
    "Zvuk": {"anone": 0},
    "Neznama": {"pouzevysl": 1},
    "FHDH": {"ChBVse": 1},
    "Papir": {"jmeno": 1, "vysledky": 1},
    "Okno": {"Left": 460, "Top": 400, "State": 2, "velikost": 100},
}
if kind == "zak":
    ini({"Operace": {"Plus": 1, "Minus": 0, "Krat": 0, "Deleni": 0},
         "Plus": {"C1OD": 7, "C1DO": 7, "C2OD": 5, "C2DO": 5, "VOD": 12, "VDO": 12},
         "CasLimit": {"hodnota": 30},
         "Rezim": {"typ": 2, "histdilvysl": 2, "chybvysl": 2}, **common})
    sys.exit(0)

ini({"Operace": {"Plus": 1, "Minus": 1, "Krat": 0, "Deleni": 0},
     "Plus": {"C1OD": 0, "C1DO": 50, "C2OD": 0, "C2DO": 50, "VOD": 0, "VDO": 100},
     "Minus": {"C1OD": 0, "C1DO": 100, "C2OD": 0, "C2DO": 50, "VOD": 0, "VDO": 100},
     "Krat": {"ORAN": 2, "ORCISLA": "2,5,10"},
     "CasLimit": {"hodnota": 20},
     "Rezim": {"typ": 1, "histdilvysl": 2, "chybvysl": 2}, **common})

# wrong results: first, second, operation, result (the hidden one holds the wrong answer),
# timed out, time limit, hidden slot
wrong = [(27, 15, 1, 41, 0, 20, 3), (63, 28, 2, 45, 0, 20, 3), (38, 46, 1, 0, 1, 20, 3),
         (81, 37, 2, 54, 0, 20, 3), (45, 19, 2, 0, 1, 20, 3), (29, 33, 1, 52, 0, 20, 3)]
record = lambda w: struct.pack("<iiiiB3xii", w[0], w[1], w[2], w[3], w[4], w[5], w[6])
(folder / "chyba.nmk").write_bytes(b"".join(record(w) for w in wrong[:4]))
(folder / "chybavysl.nmk").write_bytes(b"".join(record(w) for w in wrong))

# two months of evaluations of ten exercises, getting better; none at weekends
rng = random.Random(23)
now = datetime.datetime.now().replace(microsecond=0)
today = now.date()
evaluations = []
for back in range(60, -1, -1):
    day = today - datetime.timedelta(days=back)
    if back > 0 and (day.weekday() >= 5 or rng.random() < 0.15):
        continue
    progress = (60 - back) / 60
    # in the afternoon, today's an hour before now
    start = datetime.datetime.combine(day, datetime.time(16, 0)) if back else now - datetime.timedelta(hours=1)
    for n in range(rng.randint(1, 4)):
        moment = start + datetime.timedelta(minutes=12 * n + rng.randint(0, 9), seconds=rng.randint(0, 59))
        correct = max(0, min(10, round(6 + 3.6 * progress + rng.uniform(-1.6, 1.6))))
        evaluations.append((moment, correct, 10 - correct, back < 30))

def grade(percent):
    for g, limit in enumerate((95, 85, 75, 50), start=1):
        if percent >= limit:
            return g
    return 5

csv = ["datum;čas;známka;správně;chybně;úspěšnost %;operace;časový limit"]
for moment, correct, wrong_count, minus in evaluations:
    percent = round(100 * correct / (correct + wrong_count))
    csv.append("%s;%s;%d;%d;%d;%d;%s;%s" % (moment.strftime("%Y-%m-%d"), moment.strftime("%H:%M:%S"),
               grade(percent), correct, wrong_count, percent, "+ -" if minus else "+", "20" if minus else ""))
(folder / "historie.csv").write_bytes(("\ufeff" + "\r\n".join(csv) + "\r\n").encode("utf-8"))

epoch = datetime.datetime(1899, 12, 30)
history = b""
for moment, correct, wrong_count, minus in reversed(evaluations[-100:]):
    percent = round(100 * correct / (correct + wrong_count))
    history += struct.pack("<diiiBBBBi4x", (moment - epoch).total_seconds() / 86400, grade(percent), correct,
                           wrong_count, 1, 1 if minus else 0, 0, 0, 20 if minus else 0)
(folder / "hdv.ndv").write_bytes(history)
PY
}

# make_class FOLDER writes a class folder of 24 pupils after two months of practice: the class's
# numik.ini, and in zaci/ each pupil's settings, historie.csv and wrong results, drawn around the
# hard facts of the multiplication table. One pupil's history is a link, which the overview
# shows as unreadable.
make_class() {
    python3 - "$1" <<'PY'
import datetime, random, struct, sys
from pathlib import Path

root = Path(sys.argv[1])
names = ["Adéla Černá", "Bára Dvořáková", "Čeněk Horák", "Dominik Šťastný", "Eliška Nováková",
         "Filip Růžička", "Hana Králová", "Chrudoš Veselý", "Ivana Procházková", "Jakub Kučera",
         "Jana Marková", "Karel Pokorný", "Lucie Němcová", "Marek Zelený", "Nela Holubová",
         "Ondřej Beneš", "Petra Fialová", "Radek Sýkora", "Řehoř Kolář", "Šárka Urbanová",
         "Tomáš Mach", "Věra Jelínková", "Zdeněk Růžek", "Žofie Bartošová"]

def ini(folder, sections):
    text = ""
    for name, keys in sections.items():
        text += "[%s]\r\n" % name + "".join("%s=%s\r\n" % kv for kv in keys.items()) + "\r\n"
    (folder / "numik.ini").write_bytes(text.encode("ascii"))

settings = {
    "Operace": {"Plus": 1, "Minus": 1, "Krat": 1, "Deleni": 1},
    "Krat": {"C1OD": 1, "C1DO": 10, "C2OD": 1, "C2DO": 10, "VOD": 1, "VDO": 100},
    "Del": {"C1OD": 1, "C1DO": 100, "C2OD": 1, "C2DO": 10, "VOD": 1, "VDO": 10},
    "Hodnoceni": {"1": 95, "2": 85, "3": 75, "4": 50, "autopo": 10, "automaz": 0},
    "Zvuk": {"anone": 0},
    "Rezim": {"typ": 2, "histdilvysl": 2, "chybvysl": 2},
}
root.mkdir(parents=True, exist_ok=True)
ini(root, settings)

record = lambda w: struct.pack("<iiiiB3xii", *w)
# the hard facts of the table, most often wrong
hard = [(7, 8), (6, 7), (8, 9), (6, 8), (7, 9), (4, 8), (7, 7), (8, 8), (6, 9), (9, 9), (3, 7)]
rng = random.Random(28)
today = datetime.date.today()

def grade(percent):
    for g, limit in enumerate((95, 85, 75, 50), start=1):
        if percent >= limit:
            return g
    return 5

additive = [(38, 47, 1), (63, 28, 2), (57, 36, 1), (81, 37, 2), (45, 19, 2), (29, 33, 1), (72, 45, 2),
            (68, 27, 1), (90, 56, 2), (48, 39, 1), (54, 28, 2), (76, 18, 1)]
for i, name in enumerate(names):
    folder = root / "zaci" / name
    folder.mkdir(parents=True, exist_ok=True)
    ini(folder, {**settings, "Okno": {"Left": 100 + i, "Top": 100, "State": 2, "velikost": 100}})
    skill = rng.uniform(0.55, 0.95)
    drift = rng.choice([-0.15, 0.0, 0.0, 0.12, 0.2])
    wrong = []
    for _ in range(rng.randint(4, 30)):
        if rng.random() < 0.6:
            x, y = rng.choice(hard) if rng.random() < 0.7 else (rng.randint(1, 10), rng.randint(1, 10))
            if rng.random() < 0.5:
                wrong.append((x, y, 3, x * y + rng.choice([-1, 1, x]), 0, 20, 3))
            else:
                wrong.append((x * y, y, 4, x + rng.choice([-1, 1]), 0, 20, 3))
        else:
            a, b, op = rng.choice(additive[:8]) if rng.random() < 0.7 else rng.choice(additive)
            wrong.append((a, b, op, (a + b if op == 1 else a - b) + rng.choice([-10, -1, 1, 10]), 0, 20, 3))
    (folder / "chybavysl.nmk").write_bytes(b"".join(record(w) for w in wrong))
    (folder / "chyba.nmk").write_bytes(b"".join(record(w) for w in wrong[: len(wrong) // 2]))
    csv = ["datum;čas;známka;správně;chybně;úspěšnost %;operace;časový limit"]
    for back in range(59, -1, -1):
        day = today - datetime.timedelta(days=back)
        if day.weekday() >= 5 or rng.random() < 0.35 or (i % 7 == 3 and back < 12):
            continue
        level = min(0.99, max(0.2, skill + drift * (30 - back) / 30))
        for n in range(rng.randint(1, 3)):
            correct = max(0, min(10, round(10 * level + rng.uniform(-1.5, 1.5))))
            percent = correct * 10
            csv.append("%s;16:%02d:%02d;%d;%d;%d;%d;+ - x :;20" % (day.isoformat(), 10 + 12 * n, rng.randint(0, 59),
                       grade(percent), correct, 10 - correct, percent))
    (folder / "historie.csv").write_bytes(("\ufeff" + "\r\n".join(csv) + "\r\n").encode("utf-8"))
# a pupil whose folder cannot be read: its history is a link to elsewhere
damaged = root / "zaci" / "Tomáš Mach" / "historie.csv"
damaged.unlink()
damaged.symlink_to("../Tomáš Mach/chyba.nmk")
PY
}

# --- driving the program --------------------------------------------------------------------
# find_window TITLE-REGEX: the visible window of the running program whose title matches. xdotool
# matches bytes: a Czech letter is two, so the patterns stay with ASCII letters (".+" for others).
find_window() {
    timeout 20 xdotool search --sync --all --onlyvisible --pid "$numik_pid" --name "$1" 2>/dev/null | tail -n 1
}

focus() {
    timeout 10 xdotool windowfocus --sync "$1"
}

keys() {
    timeout 10 xdotool key --delay 80 "$@"
}

# shoot NAME WINDOW: the window alone, in few colours; a failure is noted in $failed
shoot() {
    if timeout 20 import -window "$2" "$work/$1.png" &&
        convert "$work/$1.png" +dither -colors 64 -strip "PNG8:$img/$1.png"; then
        echo "screenshots: docs/img/$1.png ($(identify -format '%wx%h' "$img/$1.png"))"
    else
        echo "screenshots: could not photograph $1" >&2
        failed+=("$1")
    fi
}

start_numik() {
    # Qt takes the date format from LC_TIME without the system locale being installed
    env LC_TIME=cs_CZ.UTF-8 "$exe" --data "$1" >>"$work/numik.log" 2>&1 &
    numik_pid=$!
    main_window="$(find_window '^Numik - Korvelanta$')"
    [ -n "$main_window" ] || { echo "screenshots: the main window did not appear" >&2; return 1; }
    focus "$main_window"
}

stop_numik() {
    if [ -n "$numik_pid" ]; then
        kill "$numik_pid" 2>/dev/null || true
        timeout 10 tail --pid="$numik_pid" -f /dev/null || kill -KILL "$numik_pid" 2>/dev/null || true
        numik_pid=""
    fi
}

# close_window WINDOW: Esc, repeated while the window is still there
close_window() {
    for _ in 1 2 3; do
        focus "$1" 2>/dev/null || return 0
        keys Escape
        for _ in $(seq 20); do
            xdotool getwindowname "$1" >/dev/null 2>&1 && xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
            sleep 0.1
        done
    done
}

wanted() {
    local s
    for s in "${shots[@]}"; do [ "$s" = "$1" ] && return 0; done
    return 1
}

# The pupil's run: nine right answers and one wrong, then the evaluation window, then the main
# window with its counts.
shots_pupil() {
    make_data "$work/zak" zak || return 1
    start_numik "$work/zak" || return 1
    for answer in 12 12 12 13 12 12 12 12 12 12; do
        focus "$main_window"
        timeout 10 xdotool type --delay 60 "$answer" || return 1
        keys Return || return 1
        sleep 0.8 # the tick or the cross stays for half a second
    done
    local evaluation
    evaluation="$(find_window '^D.+ hodnocen')"
    [ -n "$evaluation" ] || { echo "screenshots: no evaluation window" >&2; return 1; }
    sleep 3.5 # the animation: eight steps of 300 ms, then the grade
    wanted hodnoceni && shoot hodnoceni "$evaluation"
    close_window "$evaluation"
    focus "$main_window"
    wanted hlavni-okno && shoot hlavni-okno "$main_window"
    stop_numik
}

# The teacher's run: the settings dialog, the history with its chart, a sheet with its key.
shots_teacher() {
    make_data "$work/trida" trida || return 1
    start_numik "$work/trida" || return 1
    local window
    if wanted nastaveni || wanted omezeni; then
        keys alt+m n || true
        window="$(find_window '^Mo.+nosti$')"
        if [ -n "$window" ]; then
            wanted nastaveni && shoot nastaveni "$window"
            if wanted omezeni; then
                focus "$window" && keys alt+o
                sleep 0.5
                shoot omezeni "$window"
            fi
            close_window "$window"
        else
            failed+=(nastaveni)
        fi
        focus "$main_window"
    fi
    if wanted historie || wanted graf; then
        keys alt+m h || true
        window="$(find_window '^Historie')"
        if [ -n "$window" ]; then
            wanted historie && shoot historie "$window"
            if wanted graf; then
                focus "$window"
                keys alt+g
                local chart
                chart="$(find_window '^V.+voj hodnocen')"
                if [ -n "$chart" ]; then sleep 0.5; shoot graf "$chart"; close_window "$chart"; else failed+=(graf); fi
            fi
            close_window "$window"
        else
            failed+=(historie)
        fi
        focus "$main_window"
    fi
    if wanted list; then
        shot_sheet || failed+=(list)
    fi
    stop_numik
}

# The two-column sheet with the name line and its key (both options are on in numik.ini): the
# preview's first page, then its second page, the key.
shot_sheet() {
    keys alt+p 2 || true
    local preview
    preview="$(find_window '^(N.+hled tisku|Print Preview)$')"
    [ -n "$preview" ] || { echo "screenshots: no sheet preview" >&2; return 1; }
    sleep 1 # the pages are laid out after the window shows
    shoot list "$preview"
    # the page view has the keys as the preview opens: Page Down turns to the next page
    keys Next
    sleep 1
    timeout 20 import -window "$preview" "$work/list-klic.png"
    if [ "$(compare -metric AE "$work/list.png" "$work/list-klic.png" null: 2>&1 || true)" = 0 ]; then
        echo "screenshots: the sheet has no second page (the key)" >&2
        close_window "$preview"
        return 1
    fi
    shoot list-klic "$preview"
    close_window "$preview"
}

# The class: the picker, the teacher's overview and its weak spots.
shots_class() {
    make_class "$work/trida24" || return 1
    env LC_TIME=cs_CZ.UTF-8 USER=ucitel "$exe" --class "$work/trida24" >>"$work/numik.log" 2>&1 &
    numik_pid=$!
    local picker overview
    picker="$(find_window '^Kdo cvi.+$')"
    [ -n "$picker" ] || { echo "screenshots: the picker did not appear" >&2; return 1; }
    focus "$picker"
    keys j # typing selects: the first pupil whose name starts with J
    wanted kdo-cvici && shoot kdo-cvici "$picker"
    if wanted prehled-tridy || wanted slaba-mista; then
        keys alt+p
        overview="$(find_window '^P.+ehled t.+dy$')"
        [ -n "$overview" ] || { echo "screenshots: the overview did not appear" >&2; return 1; }
        sleep 0.5
        wanted prehled-tridy && shoot prehled-tridy "$overview"
        if wanted slaba-mista; then
            focus "$overview"
            keys alt+s
            sleep 0.5
            shoot slaba-mista "$overview"
        fi
    fi
    stop_numik
}

failed=()
if wanted hlavni-okno || wanted hodnoceni; then
    shots_pupil || failed+=(pupil)
fi
stop_numik
if wanted nastaveni || wanted omezeni || wanted historie || wanted graf || wanted list; then
    shots_teacher || failed+=(teacher)
fi
stop_numik

if wanted kdo-cvici || wanted prehled-tridy || wanted slaba-mista; then
    shots_class || failed+=(class)
fi
stop_numik

if ((${#failed[@]})); then
    echo "screenshots: failed: ${failed[*]}; the program's output:" >&2
    cat "$work/numik.log" >&2 || true
    exit 1
fi
