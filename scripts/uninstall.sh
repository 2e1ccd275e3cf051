#!/usr/bin/env bash
# Removes the installed program from a prefix (default ~/.local, or --prefix DIR): its programs,
# libraries, resources, desktop entry and icon. The application directory (db.mdb, backups, logs)
# and the settings files are never removed.
set -euo pipefail

prefix="${HOME}/.local"
case "${1:-}" in
--prefix)
    prefix="${2:?uninstall.sh: --prefix needs a folder}"
    ;;
--prefix=*)
    prefix="${1#--prefix=}"
    ;;
"") ;;
*)
    echo "Usage: scripts/uninstall.sh [--prefix DIR]" >&2
    exit 2
    ;;
esac

for folder in "$prefix/lib/ambrel" "$prefix/share/ambrel"; do
    # A folder holding a database is someone's application directory, never ours to remove.
    if [ -d "$folder" ] && [ -n "$(find "$folder" -name db.mdb -print -quit)" ]; then
        echo "uninstall.sh: $folder holds a database; it is left as it is" >&2
        exit 1
    fi
done

removed=0
for file in "$prefix"/bin/ambrel "$prefix"/bin/ambrel-* \
    "$prefix/share/applications/ambrel.desktop" "$prefix/share/icons/hicolor/scalable/apps/ambrel.svg"; do
    if [ -f "$file" ] || [ -L "$file" ]; then
        rm -f -- "$file"
        echo "removed $file"
        removed=1
    fi
done
for folder in "$prefix/lib/ambrel" "$prefix/share/ambrel"; do
    if [ -d "$folder" ]; then
        rm -rf -- "$folder"
        echo "removed $folder/"
        removed=1
    fi
done
if [ "$removed" -eq 0 ]; then
    echo "Nothing of Ambrel is installed in $prefix."
fi
