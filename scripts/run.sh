#!/usr/bin/env bash
# Installs what is missing, builds the program, installs it into a prefix (default ~/.local; choose
# another with --prefix DIR), runs the installed installer and starts the installed program. Every
# other argument is handed to the installer (see ambrel-setup --help); a second run keeps the
# settings and data of the first.
set -euo pipefail

prefix="${HOME}/.local"
setup_args=()
while [ $# -gt 0 ]; do
    case "$1" in
    --prefix)
        if [ $# -lt 2 ] || [ -z "$2" ]; then
            echo "run.sh: --prefix needs a folder" >&2
            exit 2
        fi
        prefix="$2"
        shift 2
        ;;
    --prefix=*)
        prefix="${1#--prefix=}"
        shift
        ;;
    *)
        setup_args+=("$1")
        shift
        ;;
    esac
done
case "$prefix" in
/*) ;;
*) prefix="$PWD/$prefix" ;;
esac

cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX="$prefix"
cmake --build build -j"$(nproc)"
cmake --install build --prefix "$prefix"
"$prefix/bin/ambrel-setup" "${setup_args[@]}"
exec "$prefix/bin/ambrel"
