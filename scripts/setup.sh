#!/usr/bin/env bash
# Installs what building and testing Morvik needs on a Debian machine, and nothing that is there
# already. Safe to run again; never refuses a machine for what it already has.
#
#   scripts/setup.sh cli    what morvik-cli needs: the native compiler and CMake (./run.sh --cli)
#   scripts/setup.sh window what the native window needs: those, Qt 6 and Wine's fonts (./run.sh)
#   scripts/setup.sh        everything: the Windows tool chain, Wine and the test tools as well
#                           (./test.sh and ./run.sh)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
purpose="${1:-all}"

packages=(cmake ninja-build g++)
if [ "$purpose" = window ]; then
    packages+=(qt6-base-dev fonts-wine)
elif [ "$purpose" != cli ]; then
    packages+=(
        clang libclang-rt-14-dev                         # the fuzzer
        clang-format clang-format-16                     # scripts/format.sh (16 for InsertBraces)
        libgtest-dev googletest                          # GoogleTest: library and sources
        g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
        wine wine64 xvfb xdotool imagemagick             # Windows programs under Wine, screenshots
        fonts-wine                                       # Wine's own fonts (scripts/wine-env.sh, the Qt window)
        qt6-base-dev                                     # the native Linux window (src/platform/qt)
        dpkg-dev lintian unzip man-db                    # release packages: scripts/release.sh, check-packages.sh
    )
    # The 32-bit programs run on Debian's own 32-bit Wine where the kernel runs 32-bit programs;
    # where it does not, the test run's 32-bit stage emulates its own copy (scripts/wine32-env.sh).
    source "$here/kernel32.sh"
    if morvik_kernel_runs_32bit; then
        packages+=(wine32:i386)
    else
        packages+=(qemu-user-static)
    fi
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
case " ${missing[*]} " in
*:i386*)
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    ;;
esac
echo "setup: installing ${missing[*]}"
# An index that does not download (a mirror in the middle of a sync) leaves the others usable;
# the install below fails if what it needs is not in them.
$sudo apt-get update -qq || echo "setup: a package list did not download; installing from the others"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
