#!/usr/bin/env bash
# Makes the help's pictures of the windows again, in English and in Korean, from the window tests
# that open each window of the help's tasks (AMB_SHOTS_DIR), and puts them beside the help as
# resources/help/images/<locale id>/*.png, reduced to 8-bit colour, with the texts each window showed
# (<name>.txt): the same tests fail when a window no longer shows what its picture does. Run it after a window changes and
# commit the pictures with the change, so the help never shows a window that is no longer so.
#   scripts/help-pictures.sh            (build folder: $AMB_BUILD_DIR, else build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${AMB_BUILD_DIR:-build}"
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    echo "help-pictures.sh: configure the build folder $build first (see README)" >&2
    exit 2
fi
cmake --build "$build" --target AmbOfferingFormTest AmbrelMainTest AmbResources -j4
shots="$(mktemp -d)"
trap 'rm -rf "$shots"' EXIT
AMB_SHOTS_DIR="$shots" QT_QPA_PLATFORM=offscreen \
    ctest --test-dir "$build" -R 'HelpPictures|HelpMainPicture' --output-on-failure
for lcid in 1033 1042; do
    made="$shots/help/$lcid"
    target="resources/help/images/$lcid"
    if [ -z "$(ls "$made"/*.png 2>/dev/null)" ]; then
        echo "help-pictures.sh: no pictures were made for $lcid" >&2
        exit 1
    fi
    mkdir -p "$target"
    rm -f "$target"/*.png "$target"/*.txt
    # The texts each window showed go beside its picture: the tests compare them with the windows.
    cp "$made"/*.txt "$target"/
    for picture in "$made"/*.png; do
        # 8-bit colour keeps each picture small; -strip drops the time stamps, so an unchanged
        # window gives an unchanged file.
        convert "$picture" -strip -colors 160 -define png:exclude-chunks=date,time "PNG8:$target/$(basename "$picture")"
    done
done
du -ch resources/help/images/*/*.png | tail -1
