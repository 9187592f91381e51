#!/usr/bin/env bash
# Builds Morvik for Linux and for 32- and 64-bit Windows and runs every test: natively, the 64-bit
# Windows test programs under wine64, and the 32-bit ones under Debian's 32-bit Wine run by
# user-mode emulation. Installs whatever is missing first.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh

# The 32-bit Wine of the last stage is downloaded and unpacked (once) while the other stages
# build: it waits on the network, they on the processor.
mkdir -p build/win32
wine32_log="$PWD/build/win32/wine32-fetch.log"
(source scripts/wine32-env.sh && morvik_wine32_fetch "$PWD/build/win32/wine32") >"$wine32_log" 2>&1 &
wine32_fetch=$!

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

echo "== 32-bit Windows build and tests under the 32-bit Wine, emulated"
cmake --preset win32 >/dev/null
# The two programs and the test programs that run under the emulator (the test preset win32); the
# others would cost a minute of compiling for nothing here.
cmake --build --preset win32 --target Morvik morvik-cli archive_tests cli_tests settings_tests \
    sysutils_tests toolkit_tests widgets_tests grp_directory_replay name_list_replay grpinfo_file_replay
wait "$wine32_fetch" || { cat "$wine32_log" >&2; echo "test: the 32-bit Wine could not be fetched" >&2; exit 1; }
(
    source scripts/wine-env.sh
    source scripts/wine32-env.sh
    morvik_wine_env "$PWD/build/win32/wine"
    morvik_wine_session
    morvik_wine32_prefix "$PWD/build/win32/wine32"
    ctest --preset win32
    # The 32-bit program itself, photographed as the 64-bit one is by its win32_tests.
    shots="$PWD/build/win32/tests/win32"
    mkdir -p "$shots/GAMES"
    printf 'KenSilverman\0\0\0\0' >"$shots/GAMES/DUKE3D.GRP"
    morvik_wine32_photograph "$PWD/build/win32/wine32" "$PWD/build/win32/Morvik.exe" \
        "$shots/GAMES/DUKE3D.GRP" "$shots/Morvik.png"
)

echo "== release packages of the three builds (cpack), checked"
scripts/check-packages.sh
echo "== all tests passed"
