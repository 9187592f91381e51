#!/usr/bin/env bash
# Builds Morvik for Linux and for 32- and 64-bit Windows and runs every test: natively, and the
# Windows test programs under wine64. Installs whatever is missing first.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

# The fuzz targets are only compiled here, so that the fuzz preset keeps building with clang;
# their saved corpora were replayed above with the native build.
echo "== fuzz targets (clang, libFuzzer; built, not run)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

echo "== 64-bit Windows build and tests under wine64"
cmake --preset win64 >/dev/null
cmake --build --preset win64
(
    source scripts/wine-env.sh
    morvik_wine_env "$PWD/build/win64/wine"
    # The Win32 tests open real windows: a virtual X server of their own, on the first free
    # display, which it names once it is ready.
    display_file="$PWD/build/win64/wine/display"
    rm -f "$display_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
    xvfb=$!
    trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
    for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
    [ -s "$display_file" ] || { echo "test: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(cat "$display_file")"
    # One persistent wine server for the whole run: a test program then starts in a tenth of a
    # second instead of two.
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot --init </dev/null >/dev/null 2>&1 || true
    # No window manager runs on the virtual display: Wine frames the windows itself instead of
    # waiting two seconds for a manager at every window it hides.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
    ctest --preset win64
)

echo "== 32-bit Windows build"
cmake --preset win32 >/dev/null
cmake --build --preset win32
echo "== all tests passed"
