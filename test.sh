#!/usr/bin/env bash
# Builds Morvik for Linux and for 32- and 64-bit Windows and runs every test: natively, the 64-bit
# Windows test programs under wine64, and the 32-bit ones under Debian's 32-bit Wine. Installs
# whatever is missing first. MORVIK_SKIP_WIN32=1 leaves the 32-bit stage out.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
source scripts/kernel32.sh

# The 32-bit stage runs on the machine's own 32-bit Wine where the kernel runs 32-bit programs.
# Where it does not, it runs the subset that works under user-mode emulation, on a copy of the
# 32-bit Wine that is downloaded and unpacked (once) while the other stages build: it waits on
# the network, they on the processor.
if [ "${MORVIK_SKIP_WIN32:-}" = 1 ]; then
    win32=skipped
elif morvik_kernel_runs_32bit; then
    win32=native
else
    win32=emulated
    echo "test: this kernel runs no 32-bit programs (a 32-bit probe did not start): the 32-bit" \
        "stage runs the subset that works under emulation (docs/testing.md);" \
        "MORVIK_SKIP_WIN32=1 leaves it out"
    mkdir -p build/win32
    wine32_log="$PWD/build/win32/wine32-fetch.log"
    (source scripts/wine32-env.sh && morvik_wine32_fetch "$PWD/build/win32/wine32") >"$wine32_log" 2>&1 &
    wine32_fetch=$!
fi

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

case $win32 in
skipped)
    echo "== 32-bit Windows stage skipped (MORVIK_SKIP_WIN32=1)"
    ;;
native)
    echo "== 32-bit Windows build and tests under the 32-bit Wine"
    cmake --preset win32 -DMORVIK_WINE32_EMULATED=OFF >/dev/null
    cmake --build --preset win32
    (
        source scripts/wine-env.sh
        morvik_wine_env "$PWD/build/win32/wine"
        morvik_wine_session
        ctest --preset win32
    )
    ;;
emulated)
    echo "== 32-bit Windows build and tests under the 32-bit Wine, emulated"
    cmake --preset win32 -DMORVIK_WINE32_EMULATED=ON >/dev/null
    # The two programs and the test programs that run under the emulator; the others would cost
    # a minute of compiling for nothing here.
    cmake --build --preset win32 --target Morvik morvik-cli archive_tests cli_tests toolkit_tests \
        widgets_tests grp_directory_replay name_list_replay grpinfo_file_replay
    wait "$wine32_fetch" || { cat "$wine32_log" >&2; echo "test: the 32-bit Wine could not be fetched" >&2; exit 1; }
    (
        source scripts/wine-env.sh
        source scripts/wine32-env.sh
        morvik_wine_env "$PWD/build/win32/wine"
        morvik_wine_session
        morvik_wine32_prefix "$PWD/build/win32/wine32"
        ctest --preset win32-emulated
        # The 32-bit program itself, photographed as the 64-bit one is by its win32_tests.
        morvik_wine32_photograph "$PWD/build/win32/wine32" "$PWD/build/win32/Morvik.exe" \
            "$PWD/build/win32/tests/win32"
    )
    ;;
esac

echo "== release packages of the three builds (cpack), checked"
scripts/check-packages.sh
echo "== all tests passed"
