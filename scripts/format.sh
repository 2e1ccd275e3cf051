#!/usr/bin/env bash
# Formats every C and C++ file git tracks with the root's .clang-format; with --check it changes
# nothing and lists the files that would change (exit 1 when there are any).
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$(command -v clang-format || command -v clang-format-14 || true)
[ -n "$tool" ] || { echo "clang-format is needed (apt-get install clang-format)" >&2; exit 1; }
if [ "${1:-}" = "--check" ]; then
    changed=0
    while IFS= read -r -d '' file; do
        if ! "$tool" --style=file "$file" | cmp -s - "$file"; then
            echo "$file"
            changed=1
        fi
    done < <(git ls-files -z -- '*.cpp' '*.h' '*.c')
    exit "$changed"
fi
git ls-files -z -- '*.cpp' '*.h' '*.c' | xargs -0 "$tool" -i --style=file
