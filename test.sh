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
    morvik_wine_session
    ctest --preset win64
)

echo "== 32-bit Windows build"
cmake --preset win32 >/dev/null
cmake --build --preset win32
echo "== all tests passed"
