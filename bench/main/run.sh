#!/usr/bin/env bash
# Builds and runs the main window's timings on 50,000 persons (AMB_BENCH_PERSONS); with a folder
# argument it also saves screenshots of the main, About and installed-components windows there, and
# those of the Korean interface in its sub-folder 1042. The start-up of the program as a process is
# timed by bench/main/startup.sh.
#   bench/main/run.sh [screenshot-folder]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${AMB_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target AmbrelMainBench -j"$(nproc)"
args=(--persons "${AMB_BENCH_PERSONS:-50000}" --runs 5)
if [ $# -ge 1 ]; then
    shots=$(realpath -m "$1")
    xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/AmbrelMainBench" "${args[@]}" --screenshots "$shots"
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/AmbrelMainBench" --persons 2000 --runs 1 \
        --language 1042 --screenshots "$shots/1042"
fi
QT_QPA_PLATFORM=offscreen exec "$build/bin/AmbrelMainBench" "${args[@]}"
