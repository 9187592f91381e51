#!/usr/bin/env bash
# Refreshes the README's pictures in docs/ from the screenshots the 64-bit Windows tests save
# under Wine: the window started on a group file, and its open Options menu. Run ./test.sh (or the
# test program win32_tests of the win64 preset) first.
set -euo pipefail
cd "$(dirname "$0")/.."
shots=build/win64/tests/win32
for picture in Morvik.png OptionsMenu.png; do
    [ -s "$shots/$picture" ] || {
        echo "pictures: $shots/$picture is missing; run ./test.sh first" >&2
        exit 1
    }
done
mkdir -p docs
# Recompressed: the tests write their PNG files without compression.
convert "$shots/Morvik.png" -strip -define png:compression-level=9 docs/window.png
convert "$shots/OptionsMenu.png" -strip -define png:compression-level=9 docs/options-menu.png
echo "pictures: docs/window.png and docs/options-menu.png refreshed from $shots"
