#!/usr/bin/env bash
# Builds morvik-cli for this machine and runs it with the arguments given.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
cmake --preset native -S "$here" >/dev/null
cmake --build "$here/build/native" --target morvik-cli >/dev/null
exec "$here/build/native/src/cli/morvik-cli" "$@"
