#!/usr/bin/env bash
# Builds and runs the main program's timings on 50,000 persons; with a folder argument it also saves
# screenshots of the main, About and installed-components windows there.
#   bench/main/run.sh [screenshot-folder]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${AMB_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target AmbrelMainBench -j"$(nproc)"
args=(--persons "${AMB_BENCH_PERSONS:-50000}" --runs 5)
if [ $# -ge 1 ]; then
    args+=(--screenshots "$(realpath -m "$1")")
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/AmbrelMainBench" "${args[@]}"
fi
QT_QPA_PLATFORM=offscreen exec "$build/bin/AmbrelMainBench" "${args[@]}"
