#!/usr/bin/env bash
# Makes the release packages of Morvik into dist/, from clean release builds (no tests, no
# benchmarks) in build/release-linux, build/release-win64 and build/release-win32, and checks them:
#   Morvik-<version>-win32.zip, Morvik-<version>-win64.zip   Morvik.exe, morvik-cli.exe,
#                                                            README.txt, LICENSE.txt
#   morvik-cli_<version>_amd64.deb                           morvik-cli, its manual page, bash
#   morvik-cli-<version>-linux-x86_64.tar.gz                 completion, copyright and changelog
#   morvik_<version>_amd64.deb                               the window morvik, its launcher,
#                                                            icon, manual page, copyright, changelog
# The version is the one of project() in CMakeLists.txt. Each build is the workflow preset of the
# same name: cmake --workflow --preset release-win64 --fresh makes one package alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# The changelog of the .deb is dated by the last commit, so that a release made again from the
# same commit says the same.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH

rm -rf dist
for platform in linux win64 win32; do
    echo "== release: $platform"
    cmake --workflow --preset "release-$platform" --fresh
done
rm -rf dist/_CPack_Packages

scripts/check-packages.sh dist
ls -l dist
