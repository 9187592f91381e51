#!/usr/bin/env bash
# Formats every C++ file of src/, tests/, fuzz/, bench/ and tools/ with the repository's
# .clang-format, in place. Running it again changes nothing. Needs clang-format 16 (InsertBraces),
# which scripts/setup.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=$(command -v clang-format-16 || true)
if [ -z "$formatter" ]; then
    echo "format: clang-format-16 is missing; run scripts/setup.sh" >&2
    exit 1
fi
folders=()
for folder in src tests fuzz bench tools; do
    [ -d "$folder" ] && folders+=("$folder")
done
# Inserting braces can change where a line breaks, so a second pass settles what the first left.
for _ in 1 2; do
    git ls-files -z -- "${folders[@]/%//*.cpp}" "${folders[@]/%//*.h}" | xargs -0 -r "$formatter" -i
done
