#!/usr/bin/env bash
# Times the real program as a person starts it, with the automatic backup off and then on (each start
# then writes one backup), beside its floor:
#  - from exec to the main window on the screen (the program starts logged out);
#  - from the keys Alt+F, L (File > Log In...) to the log-in window on the screen;
#  - from the Enter that confirms the typed user name and password to the logged-in main window's last
#    paint (the record kinds with their counts and the month's birthdays; the list stays empty until a
#    search).
# The floor of the backup is a plain copy of the same db.mdb (cp), timed in the same runs: a start
# with the backup on may cost the start with it off plus 1.5 such copies.
# The keys are real X input (xdotool) under Xvfb; windows are found by their titles, and the last
# paint is the last X damage event of the main window (bench/main/LastPaint.c).
# It builds nothing: the program is taken from a build folder or an installed prefix, and the
# database filler (AmbrelMainBench) from the build folder.
#   bench/main/startup.sh [--build DIR] [--prefix DIR] [--persons N] [--runs N] [--display :N]
# (also AMB_BUILD_DIR, AMB_PREFIX, AMB_BENCH_PERSONS, AMB_BENCH_DISPLAY)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=${AMB_BUILD_DIR:-$source_dir/build}
prefix=${AMB_PREFIX:-}
persons=${AMB_BENCH_PERSONS:-50000}
display=${AMB_BENCH_DISPLAY:-}
runs=7
while [ $# -gt 0 ]; do
    case "$1" in
    --build) build=$2; shift 2 ;;
    --prefix) prefix=$2; shift 2 ;;
    --persons) persons=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --display) display=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--prefix DIR] [--persons N] [--runs N] [--display :N]" >&2; exit 2 ;;
    esac
done
build=$(realpath -m "$build")
programs=${prefix:+$(realpath -m "$prefix")/bin}
programs=${programs:-$build/bin}

if [ -z "${AMB_STARTUP_INNER:-}" ]; then
    for p in xdotool libxdamage-dev libx11-dev xvfb; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            { echo "$p is needed: apt-get install xdotool libxdamage-dev libx11-dev xvfb" >&2; exit 1; }
    done
    for program in "$build/bin/AmbrelMainBench" "$programs/ambrel" "$programs/ambrel-setup"; do
        [ -x "$program" ] || { echo "$program is missing: build it first (cmake --build $build)" >&2; exit 1; }
    done
    export AMB_STARTUP_INNER=1
    if [ -n "$display" ]; then
        Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb=$!
        trap 'kill "$xvfb" 2>/dev/null || true' EXIT
        sleep 1
        DISPLAY=$display "$0" --build "$build" --persons "$persons" --runs "$runs" ${prefix:+--prefix "$prefix"}
        exit
    fi
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" --build "$build" --persons "$persons" --runs "$runs" \
        ${prefix:+--prefix "$prefix"}
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/AmbLastPaint" "$source_dir/bench/main/LastPaint.c" -lX11 -lXdamage
"$build/bin/AmbrelMainBench" --persons "$persons" --setup "$programs/ambrel-setup" --make-installation "$work" \
    >/dev/null
export AMBREL_REGISTRY_DIR="$work/registry"
company="Grace Community Church"
database="$work/Ambrel/db.mdb"

now_ms() { date +%s%3N; }
# Waits until a window of exactly this title is mapped; prints the time it was first seen. Gives up
# (and ends the bench) after 60 s.
wait_for() {
    local deadline=$(($(now_ms) + 60000))
    until xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
        [ "$(now_ms)" -lt "$deadline" ] || { echo "no window \"$1\" within 60 s" >&2; return 1; }
    done
    now_ms
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
# A plain copy of the database, as the floor of a backup; printed in ms.
copy_ms() {
    local start
    start=$(now_ms)
    cp --reflink=never "$database" "$work/copy.mdb"
    echo $(($(now_ms) - start))
    rm -f "$work/copy.mdb"
}

# Prints "exec-to-main login loggedin copy" medians.
time_starts() {
    local main=() login=() loggedin=() copies=()
    for ((run = 0; run <= runs; run++)); do
        local start shown asked opened typed painted window pid copied
        copied=$(copy_ms)
        start=$(now_ms)
        timeout 120 "$programs/ambrel" >/dev/null 2>&1 &
        pid=$!
        shown=$(wait_for "$company")
        window=$(xdotool search --onlyvisible --name "^$company\$" | head -n 1)
        xdotool windowfocus --sync "$window"
        asked=$(now_ms)
        xdotool key alt+f l
        opened=$(wait_for "Log In")
        xdotool search --onlyvisible --name "^Log In\$" windowfocus --sync
        xdotool type --delay 0 admin
        xdotool key Tab
        xdotool type --delay 0 ambrel
        coproc paint { timeout 60 "$work/AmbLastPaint" "$window" 1500; }
        read -r _ <&"${paint[0]}"
        echo go >&"${paint[1]}"
        typed=$(now_ms)
        xdotool key Return
        read -r painted <&"${paint[0]}"
        wait "$paint_PID" 2>/dev/null || true
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        # The first start also loads the libraries from disk; it is not counted.
        if [ "$run" -gt 0 ]; then
            main+=($((shown - start)))
            login+=($((opened - asked)))
            loggedin+=($((painted - typed)))
            copies+=("$copied")
        fi
    done
    echo "$(printf '%s\n' "${main[@]}" | median) $(printf '%s\n' "${login[@]}" | median)" \
        "$(printf '%s\n' "${loggedin[@]}" | median) $(printf '%s\n' "${copies[@]}" | median)"
}

report() {
    printf '%s: exec to the main window %s ms; File > Log In to its window %s ms; Enter to the logged-in main window %s ms\n' \
        "$1" "$2" "$3" "$4"
}

echo "persons: $persons; db.mdb $(($(stat -c %s "$database") / 1000000)) MB; program $programs/ambrel"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //');" \
    "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
"$programs/ambrel-setup" --appdir "$work/Ambrel" --registry "$work/registry" --auto-backup off >/dev/null
read -r off_main off_login off_loggedin off_copy < <(time_starts)
"$programs/ambrel-setup" --appdir "$work/Ambrel" --registry "$work/registry" --auto-backup on >/dev/null
read -r on_main on_login on_loggedin on_copy < <(time_starts)
copy=$(printf '%s\n' "$off_copy" "$on_copy" | sort -n | head -n 1)
report "automatic backup off" "$off_main" "$off_login" "$off_loggedin"
report "automatic backup on " "$on_main" "$on_login" "$on_loggedin"
awk -v off="$off_main" -v on="$on_main" -v copy="$copy" -v runs="$runs" 'BEGIN {
    floor = off + copy
    printf "floor: a plain copy of db.mdb %d ms; backup off + that copy %d ms (medians of %d runs)\n", copy, floor, runs
    extra = (copy > 0) ? (on - off) / copy : 0
    ratio = (floor > 0) ? on / floor : 0
    printf "backup on costs %d ms more than off, %.2fx the plain copy (at most 1.5x); the start with it on is %.2fx its floor\n",
        on - off, extra, ratio
}'
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
