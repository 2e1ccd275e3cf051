#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Ambrel need.
# Only missing packages are installed; works as root or through sudo.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libqt6svg6
    qt6-translations-l10n
    libsqlite3-dev sqlite3 libcrypt-dev
    libgtest-dev libgmock-dev
    poppler-utils fonts-dejavu-core fonts-nanum unrtf
    xvfb xauth x11-utils imagemagick
    xdg-utils desktop-file-utils
    cups-daemon cups-client cups-filters
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

# The second compiler of the CI build (scripts/clang-build.sh): Debian 12's clang 14, or the
# distribution's clang where that has no clang-14.
if ! command -v clang++-14 >/dev/null && ! command -v clang++ >/dev/null; then
    if apt-cache show clang-14 >/dev/null 2>&1; then
        missing+=(clang-14)
    else
        missing+=(clang)
    fi
fi

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
