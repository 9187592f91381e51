#!/usr/bin/env bash
# Times how long the window takes from the program's start until it shows painted on a virtual X
# display, and its peak memory (maximum resident set size), over a few runs, opened on a group
# file. A benchmark, not a test: run it by hand after a build of the native preset (and, for
# --wine, of the win64 preset).
#   bench/window-start.sh [RUNS]          the native window, build/native/morvik
#   bench/window-start.sh --wine [RUNS]   the Windows program under Wine, build/win64/Morvik.exe
# "Painted" is the first screenshot of the window with more than 20 colours (an unpainted X
# window has one or two); screenshots take about a tenth of a second each, which bounds the
# resolution. For Wine the memory is that of the program's own process: Wine's server and
# services are other processes and not counted.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
wine=0
if [ "${1:-}" = --wine ]; then
    wine=1
    shift
fi
runs="${1:-5}"
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT

# A group file of 200 small entries, made by morvik-cli.
mkdir "$work/files"
for i in $(seq 200); do echo "entry $i" >"$work/files/F$i.TXT"; done
(cd "$work/files" && "$here/build/native/src/cli/morvik-cli" create "$work/BENCH.GRP" ./*.TXT >/dev/null)

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" </dev/null >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

if [ $wine = 1 ]; then
    source "$here/scripts/wine-env.sh"
    morvik_wine_env "$work/wine"
    wineserver -p </dev/null >/dev/null 2>&1
    wine64 wineboot --init </dev/null >/dev/null 2>&1 || true
    morvik_wine_fonts
    command=(/usr/lib/wine/wine64 "$here/build/win64/Morvik.exe" "Z:${work//\//\\}\\BENCH.GRP")
else
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
    command=("$here/build/native/morvik" "$work/BENCH.GRP")
fi

for run in $(seq "$runs"); do
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$work/rss" "${command[@]}" </dev/null >/dev/null 2>&1 &
    timer=$!
    painted=""
    while [ -z "$painted" ]; do
        for id in $(xdotool search --onlyvisible --name "Morvik - v" 2>/dev/null); do
            colours=$(import -window "$id" -format %k info: 2>/dev/null || echo 0)
            if [ "${colours:-0}" -gt 20 ]; then
                painted=$(date +%s%N)
                break
            fi
        done
        [ $(($(date +%s%N) - start)) -lt 60000000000 ] || { echo "no painted window in 60 s" >&2; exit 1; }
    done
    # The program's process is the timer's child: ending it ends the run.
    for child in $(pgrep -P "$timer"); do kill "$child" 2>/dev/null || true; done
    wait "$timer" 2>/dev/null || true
    echo "run $run: painted after $(((painted - start) / 1000000)) ms, max RSS $(tail -1 "$work/rss") KiB"
done
