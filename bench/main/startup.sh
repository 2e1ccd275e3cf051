#!/usr/bin/env bash
# Times the real program as a person starts it, on a congregation of 50,000 persons, with the
# automatic backup off and then on (each start then writes one backup):
#  - from exec to the main window on the screen (the program starts logged out);
#  - from the keys Alt+F, L (File > Log In...) to the log-in window on the screen;
#  - from the Enter that confirms the typed user name and password to the main window's last paint
#    with its list.
# The keys are real X input (xdotool) under Xvfb; windows are found by their titles, and the last
# paint is the last X damage event of the main window (bench/main/LastPaint.c).
#   bench/main/startup.sh [--persons N] [--runs N]      (persons also from AMB_BENCH_PERSONS)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${AMB_BUILD_DIR:-build}
persons=${AMB_BENCH_PERSONS:-50000}
runs=7
while [ $# -gt 0 ]; do
    case "$1" in
    --persons) persons=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) echo "usage: $0 [--persons N] [--runs N]" >&2; exit 2 ;;
    esac
done

if [ -z "${AMB_STARTUP_INNER:-}" ]; then
    for p in xdotool libxdamage-dev libx11-dev xvfb; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            { echo "$p is needed: apt-get install xdotool libxdamage-dev libx11-dev xvfb" >&2; exit 1; }
    done
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" --target AmbrelMainBench -j"$(nproc)" >/dev/null
    cc -O2 -o "$build/bin/AmbLastPaint" bench/main/LastPaint.c -lX11 -lXdamage
    export AMB_STARTUP_INNER=1
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" --persons "$persons" --runs "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/AmbrelMainBench" --persons "$persons" --make-installation "$work" >/dev/null
export AMBREL_REGISTRY_DIR="$work/registry"
company="Grace Community Church"

now_ms() { date +%s%3N; }
# Waits until a window of exactly this title is mapped; prints the time it was first seen.
wait_for() {
    until xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do :; done
    now_ms
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

time_starts() {
    local main=() login=() listed=()
    for ((run = 0; run <= runs; run++)); do
        local start shown asked opened typed painted window
        start=$(now_ms)
        "$build/bin/ambrel" >/dev/null 2>&1 &
        local pid=$!
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
        coproc paint { "$build/bin/AmbLastPaint" "$window" 1500; }
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
            listed+=($((painted - typed)))
        fi
    done
    printf '%s: exec to the main window %s ms; File > Log In to its window %s ms; Enter to the listed main window %s ms (medians of %s)\n' \
        "$1" "$(printf '%s\n' "${main[@]}" | median)" "$(printf '%s\n' "${login[@]}" | median)" \
        "$(printf '%s\n' "${listed[@]}" | median)" "$runs"
}

echo "persons: $persons"
"$build/bin/ambrel-setup" --appdir "$work/Ambrel" --registry "$work/registry" --auto-backup off >/dev/null
time_starts "automatic backup off"
"$build/bin/ambrel-setup" --appdir "$work/Ambrel" --registry "$work/registry" --auto-backup on >/dev/null
time_starts "automatic backup on "
