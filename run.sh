#!/usr/bin/env bash
# Builds the window and opens it, on the group file given if any (installing what is missing
# first): on Linux the native window `morvik` on Qt 6, on Windows the 64-bit Morvik.exe.
# `./run.sh --wine [GROUP]` builds Morvik.exe on Linux and opens it under Wine instead.
# `./run.sh --cli ARGS...` builds morvik-cli and runs it with ARGS.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

usage() {
    echo "usage: ./run.sh [GROUP]          build the window and open it, on GROUP if given"
    echo "       ./run.sh --wine [GROUP]   build Morvik.exe and open it under Wine"
    echo "       ./run.sh --cli ARGS...    build morvik-cli and run it with ARGS"
}

# The window needs a display (Wine's an X display: without one it prints a backtrace or waits).
no_display() {
    cat >&2 <<EOF
run: $1.
Morvik opens a window, which needs a display. Either
  - run ./run.sh in a terminal of a desktop session, or
  - log in with X forwarding (ssh -X HOST) and run it there, or
  - give it a virtual display, invisible but fine for scripts and screenshots:
      xvfb-run -a ./run.sh [--wine] [GROUP]
The command-line tool needs no display:  ./run.sh --cli list GROUP
EOF
    exit 1
}

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*) windows=1 ;;
*) windows=0 ;;
esac

# On Windows the build uses the compiler the shell finds (an MSYS2 MINGW64 shell has it); the
# cross-compiling preset and its tests are for Linux.
build_on_windows() {
    local tool
    for tool in cmake ninja; do
        command -v "$tool" >/dev/null || {
            echo "run: $tool not found; in an MSYS2 MINGW64 shell:" \
                "pacman -S --needed mingw-w64-x86_64-gcc mingw-w64-x86_64-cmake mingw-w64-x86_64-ninja" >&2
            exit 1
        }
    done
    cmake -S "$here" -B "$here/build/win64" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DMORVIK_TESTS=OFF >/dev/null
    cmake --build "$here/build/win64" --target "$1" -j2 >&2
}

# Build output goes to standard error, so that the tool's own output can be piped or redirected.
if [ "${1:-}" = --cli ]; then
    shift
    if [ $windows = 1 ]; then
        build_on_windows morvik-cli
        exec "$here/build/win64/src/cli/morvik-cli.exe" "$@"
    fi
    # The native compiler and CMake are all it needs: no test programs, no Windows tool chain.
    "$here/scripts/setup.sh" cli >&2
    cmake -S "$here" -B "$here/build/cli" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVIK_TESTS=OFF \
        -DMORVIK_BENCH=OFF >/dev/null
    cmake --build "$here/build/cli" --target morvik-cli -j2 >&2
    exec "$here/build/cli/src/cli/morvik-cli" "$@"
fi

wine=0
if [ "${1:-}" = --wine ] && [ $windows = 0 ]; then
    wine=1
    shift
fi
case "${1:-}" in
-h | --help) usage; exit 0 ;;
-*) usage >&2; exit 2 ;;
esac
[ $# -le 1 ] || { usage >&2; exit 2; }
group=""
if [ $# = 1 ]; then
    [ -f "$1" ] || { echo "run: $1: no such file" >&2; exit 2; }
    # Absolute, because the window opens in the folder of the file it is given.
    group="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
fi

if [ $windows = 1 ]; then
    build_on_windows Morvik
    args=()
    [ -z "$group" ] || args=("$(cygpath -w "$group")")
    exec "$here/build/win64/Morvik.exe" "${args[@]}"
fi

# Checked before the build, so that a session without a display learns it at once.
[ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || no_display "no display: DISPLAY and WAYLAND_DISPLAY are unset"

if [ $wine = 0 ]; then
    # The native window: the compiler, CMake and Qt, no test programs.
    "$here/scripts/setup.sh" window >&2
    cmake -S "$here" -B "$here/build/window" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVIK_TESTS=OFF \
        -DMORVIK_BENCH=OFF >/dev/null
    cmake --build "$here/build/window" --target morvik -j2 >&2
    echo "run: opening morvik (its settings go to ${XDG_CONFIG_HOME:-~/.config}/morvik/)"
    exec "$here/build/window/morvik" ${group:+"$group"}
fi
"$here/scripts/setup.sh"
echo "run: building Morvik.exe in build/win64"
cmake --preset win64 -S "$here" >/dev/null
cmake --build "$here/build/win64" --target Morvik -j2 >&2
# A Wayland session without Xwayland, or a DISPLAY that is gone, is found out here (xdotool comes
# with the setup), before Wine gets the chance to fail on it.
[ -n "${DISPLAY:-}" ] || no_display "no X display: DISPLAY is unset"
xdotool getdisplaygeometry >/dev/null 2>&1 || no_display "the X display \"$DISPLAY\" cannot be opened"

# Wine isolated as in the tests, but in a prefix of its own: a test run never shares this
# wine server, and the user's home folder is never written.
source "$here/scripts/wine-env.sh"
morvik_wine_env "$here/build/win64/run-wine"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run: creating the Wine prefix in build/win64/run-wine (once, about ten seconds)"
    wine64 wineboot --init </dev/null >/dev/null 2>&1 || true
fi
morvik_wine_fonts
args=()
# Wine's drive Z: is the Unix root.
[ -z "$group" ] || args=("Z:${group//\//\\}")
echo "run: opening Morvik.exe (its settings go to build/win64/Morvik.ini)"
exec /usr/lib/wine/wine64 "$here/build/win64/Morvik.exe" "${args[@]}"
