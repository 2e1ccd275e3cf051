#!/usr/bin/env bash
# Runs every bench at each size, one after the other, in two passes, and keeps each run's output with
# the one-minute load average it started at, so that the README's figures can be checked against a
# rerun: a figure whose two passes differ by more than a fifth is not a figure of this machine.
# Every bench reports the median of at least five runs. Build first (cmake --build build).
#   bench/rerun.sh [--build DIR] [--out DIR] [--sizes "5000 50000 200000"] [--display :N]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
out=bench-runs
sizes="5000 50000 200000"
display=:15
while [ $# -gt 0 ]; do
    case "$1" in
    --build) build=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    --display) display=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--out DIR] [--sizes \"N ...\"] [--display :N]" >&2; exit 2 ;;
    esac
done
mkdir -p "$out"
load() { cut -d' ' -f1 /proc/loadavg; }

run() { # pass size name command...
    local file="$out/pass$1-$2-$3.txt"
    shift 3
    { echo "load $(load) at $(date -u +%H:%M:%S) UTC: $*"; "$@" 2>&1; echo "load $(load) after"; } >"$file" ||
        echo "failed: $file" >&2
    cat "$file"
}

for pass in 1 2; do
    for n in $sizes; do
        run "$pass" "$n" database "$build/bin/AmbDatabaseBench" --persons "$n"
        QT_QPA_PLATFORM=offscreen run "$pass" "$n" main "$build/bin/AmbrelMainBench" --persons "$n" --runs 5
        run "$pass" "$n" windows "$build/bin/AmbWindowsBench" --persons "$n" --runs 5
        run "$pass" "$n" offering "$build/bin/AmbOfferingBench" --persons "$n" --runs 5
        run "$pass" "$n" purge "$build/bin/AmbPurgeBench" --persons "$n" --runs 5
        run "$pass" "$n" familygroup "$build/bin/AmbFamilyGroupBench" --persons "$n" --runs 5
        run "$pass" "$n" report "$build/bin/AmbReportBench" --persons "$n" --runs 5
        run "$pass" "$n" catalogue "$build/bin/AmbCatalogueBench" --persons "$n" --runs 5
        run "$pass" "$n" startup bench/main/startup.sh --build "$build" --persons "$n" --runs 5 --display "$display"
    done
done
