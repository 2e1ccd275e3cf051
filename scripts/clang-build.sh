#!/usr/bin/env bash
# Compiles the whole tree a second time with clang 14 into build-clang, every warning an error, so
# code that only GCC accepts is caught. Runs no test: the tests run on the GCC build.
set -euo pipefail
cd "$(dirname "$0")/.."
compiler=""
for candidate in clang++-14 clang++; do
    if command -v "$candidate" >/dev/null; then
        compiler=$(command -v "$candidate")
        break
    fi
done
if [ -z "$compiler" ]; then
    echo "clang-build.sh: no clang++ found (scripts/install-deps.sh installs it)" >&2
    exit 1
fi
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$compiler" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "${launcher[@]}"
cmake --build build-clang -j"$(nproc)"
echo "clang-build.sh: every file compiled with $compiler, no warnings (each would have been an error)"
