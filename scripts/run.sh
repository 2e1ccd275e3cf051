#!/usr/bin/env bash
# Installs what is missing, builds the program, installs it for this user and starts it.
# Arguments are handed to the installer (see build/bin/ambrel-setup --help); a second run keeps
# the settings and data of the first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
build/bin/ambrel-setup "$@"
if [ -x build/bin/ambrel ]; then
    exec build/bin/ambrel
fi
echo "The program build/bin/ambrel is not built yet; the installation is ready for it."
