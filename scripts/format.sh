#!/usr/bin/env bash
# Formats every C++ file of src/, tests/, fuzz/, bench/ and tools/ in place. Running it again
# changes nothing.
#
# .clang-format holds only what every clang-format reads, so that the machine's own clang-format
# (14 on Debian 12) checks the tree as it is. Braces around every controlled statement need
# InsertBraces, which only clang-format 15 and later know: the first pass adds them with
# clang-format-16 (installed by scripts/setup.sh) and the same style plus that key; the second
# pass lays the lines out with the plain clang-format, so both agree on the result.
set -euo pipefail
cd "$(dirname "$0")/.."
braces=$(command -v clang-format-16 || true)
plain=$(command -v clang-format || true)
if [ -z "$braces" ] || [ -z "$plain" ]; then
    echo "format: clang-format and clang-format-16 are needed; run scripts/setup.sh" >&2
    exit 1
fi
folders=()
for folder in src tests fuzz bench tools; do
    [ -d "$folder" ] && folders+=("$folder")
done
style=$(mktemp)
trap 'rm -f "$style"' EXIT
{ cat .clang-format; echo "InsertBraces: true"; } >"$style"
files() { git ls-files -z -- "${folders[@]/%//*.cpp}" "${folders[@]/%//*.h}"; }
files | xargs -0 -r "$braces" --style="file:$style" -i
files | xargs -0 -r "$plain" -i
