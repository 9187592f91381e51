#!/usr/bin/env bash
# Installs what building and testing Morvik needs on a Debian machine, and nothing that is there
# already. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev   # native build and the fuzzer
    clang-format clang-format-16                     # scripts/format.sh (16 for InsertBraces)
    libgtest-dev googletest                          # GoogleTest: library and sources
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 xvfb xdotool imagemagick             # Windows programs under Wine, screenshots
    fonts-wine                                       # Wine's own "MS Sans Serif" (scripts/wine-env.sh)
    qemu-user-static                                 # 32-bit Wine under emulation (scripts/wine32-env.sh)
    dpkg-dev lintian unzip man-db                    # release packages: scripts/release.sh, check-packages.sh
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# wine32 makes the wine command pick the 32-bit loader, which fails where the kernel runs no 32-bit
# code; the 32-bit tests unpack their own into the build folder (scripts/wine32-env.sh).
if dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q "install ok installed"; then
    echo "setup: the package wine32 is installed; remove it (apt-get remove wine32): Windows tests need wine64 alone" >&2
    exit 1
fi
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
