# Sourced by the test run: Debian's 32-bit Wine for the 32-bit Windows build, unpacked into the
# build folder and run by user-mode emulation (qemu-i386-static), beside the machine's 64-bit
# wineserver and in a win64 prefix. Nothing of it is installed on the system: installing wine32
# makes the machine's `wine` command pick the 32-bit loader and breaks the 64-bit tests.

# The i386 packages: the loader with its preloader, the DLLs and the C and X libraries they load.
morvik_wine32_packages=(
    wine32 wine32-preloader libwine
    libxrender1 libxi6 libxrandr2 libxcursor1 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1
)

# morvik_wine32_fetch DIR: downloads the packages with a private apt configuration (i386 as the
# only architecture, lists, cache and package state of its own in DIR/apt) and unpacks them into
# DIR/root; once: a complete root is kept and reused.
morvik_wine32_fetch() (
    set -euo pipefail
    local dir="$1"
    local root="$dir/root" apt="$dir/apt"
    [ -f "$root/.complete" ] && exit 0
    echo "wine32: fetching Debian's i386 Wine into $root (once)"
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/debs"
    touch "$apt/status"
    cat >"$apt/apt.conf" <<EOF
APT::Architecture "i386";
APT::Architectures { "i386"; };
Dir::State "$apt";
Dir::State::Lists "$apt/lists";
Dir::State::status "$apt/status";
Dir::Cache "$apt/cache";
APT::Sandbox::User "root";
EOF
    export APT_CONFIG="$apt/apt.conf"
    # A mirror in the middle of a sync serves an index file of the wrong size; this runs beside
    # the other stages' builds, so it can wait a while. The packages come from the main archive:
    # without an update's index apt resolves them from there, and fails below if it cannot.
    local attempt
    for attempt in 1 2 3; do
        apt-get update -qq && break
        if [ "$attempt" -lt 3 ]; then
            echo "wine32: a package list did not download; again in half a minute"
            sleep 30
        else
            echo "wine32: going on with the package lists that did download"
        fi
    done
    # What installing them on an empty system would bring, resolved by apt, then downloaded.
    local wanted
    wanted=$(apt-get install -s --no-install-recommends "${morvik_wine32_packages[@]}" |
        awk '/^Inst / { gsub(/[()]/, "", $3); print $2 "=" $3 }')
    (cd "$apt/debs" && apt-get download -qq $wanted)
    rm -rf "$root"
    mkdir -p "$root"
    local deb
    for deb in "$apt/debs"/*.deb; do
        dpkg-deb -x "$deb" "$root"
    done
    # The i386 ld.so finds its multiarch libraries only through a cache; under emulation it would
    # read the machine's own and miss them (then Wine runs without FreeType).
    printf '%s\n' "$root/lib/i386-linux-gnu" "$root/usr/lib/i386-linux-gnu" >"$apt/ld.so.conf"
    ldconfig -X -C "$root/etc/ld.so.cache" -f "$apt/ld.so.conf"
    # The 32-bit processes start 64-bit helpers (the desktop's explorer.exe, wineboot.exe) with
    # the machine's 64-bit loader and DLLs.
    local wine="$root/usr/lib/wine" windows="$root/usr/lib/i386-linux-gnu/wine"
    ln -sfn /usr/lib/wine/wine64 "$wine/wine64"
    rm -rf "$windows/x86_64-windows"
    ln -sfn /usr/lib/x86_64-linux-gnu/wine/x86_64-windows "$windows/x86_64-windows"
    # Every 32-bit process starts here, the first one and those it starts in turn: the preloader
    # under emulation, with the unpacked tree as the root of its absolute file names. Wine's own
    # second start through the preloader is skipped (WINELOADERNOEXEC): that would leave the
    # emulator.
    rm -f "$wine/wine-preloader"
    cat >"$wine/wine-preloader" <<'EOF'
#!/bin/sh
root="$(cd "$(dirname "$0")/../../.." && pwd)"
exec qemu-i386-static -E WINELOADERNOEXEC=1 -L "$root" "$root/usr/lib/wine/wine-preloader.static" "$@"
EOF
    chmod +x "$wine/wine-preloader"
    touch "$root/.complete"
)

# morvik_wine32_prefix DIR: makes the 64-bit prefix of WINEPREFIX, made by the 64-bit wineboot,
# ready for 32-bit programs. wineboot's own 32-bit set-up fails under emulation and leaves
# syswow64 empty: it gets the unpacked i386 DLLs (and the zlib1.dll they import) as links.
morvik_wine32_prefix() {
    local root="$1/root"
    local syswow64="$WINEPREFIX/drive_c/windows/syswow64"
    [ -e "$syswow64/kernel32.dll" ] && return 0
    mkdir -p "$syswow64"
    ln -sf "$root"/usr/lib/i386-linux-gnu/wine/i386-windows/* "$root/usr/i686-w64-mingw32/lib/zlib1.dll" \
        "$syswow64/"
}

# morvik_wine32_photograph DIR EXE FOLDER: in the session of morvik_wine_session, starts the
# 32-bit Morvik.exe EXE on a group file of FOLDER/GAMES and photographs its window into FOLDER as
# the 64-bit test program photographs the 64-bit one: Morvik.png in extracting mode, then, after
# a click on "M-Group", Morvik-creating.png, and after a click on "Options" the open menu in
# OptionsMenu.png; then it ends the program (so that no settings file is left beside EXE).
morvik_wine32_photograph() {
    local exe="$2" folder="$3"
    local wine="$1/root/usr/lib/wine"
    mkdir -p "$folder/GAMES"
    printf 'KenSilverman\0\0\0\0' >"$folder/GAMES/DUKE3D.GRP"
    # The program takes a Windows path; Wine's drive Z: is the Unix root.
    local group="$folder/GAMES/DUKE3D.GRP"
    "$wine/wine-preloader" "$wine/wine" "$exe" "Z:${group//\//\\}" </dev/null >/dev/null 2>&1 &
    local program=$!
    local window
    if ! window=$(morvik_wine32_await_title "Morvik - v2.0 - Extract a .Grp File"); then
        kill "$program" 2>/dev/null || true
        return 1
    fi
    # Settled and painted, the pointer out of the way of hints.
    xdotool mousemove 0 0 2>/dev/null || true
    sleep 5
    import -window "$window" "$folder/Morvik.png"
    # Wine frames the window itself (no window manager runs): the client area of 499 x 328 sits
    # inside an equal border below the caption.
    local X Y WIDTH HEIGHT SCREEN border top
    eval "$(xdotool getwindowgeometry --shell "$window")"
    border=$(((WIDTH - 499) / 2))
    top=$((HEIGHT - 328 - border))
    # "M-Group" in the footer bar (x 140..250, y 304..326), "Options" in the header (8..89, 1..23).
    xdotool mousemove --window "$window" $((border + 195)) $((top + 315)) click 1
    if morvik_wine32_await_title "Morvik - v2.0 - Create a .Grp File" >/dev/null; then
        xdotool mousemove 0 0
        sleep 3
        import -window "$window" "$folder/Morvik-creating.png"
        xdotool mousemove --window "$window" $((border + 48)) $((top + 12)) click 1
        sleep 5
        # The menu opens over the window: the window's place on the screen shows both.
        import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$folder/OptionsMenu.png"
        xdotool key Escape
    else
        echo "test: $exe did not switch to creating mode on a click on M-Group" >&2
    fi
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
}

# morvik_wine32_await_title TITLE: prints the X window of the running Morvik.exe once its title
# is TITLE, within a minute; fails naming the title it has.
morvik_wine32_await_title() {
    local want="$1" window="" title=""
    for _ in $(seq 120); do
        window=$(xdotool search --name "^Morvik - " 2>/dev/null | head -1 || true)
        [ -n "$window" ] && title=$(xdotool getwindowname "$window" 2>/dev/null || true)
        [ "$title" = "$want" ] && { echo "$window"; return 0; }
        sleep 0.5
    done
    echo "test: Morvik.exe did not show \"$want\" (title \"$title\")" >&2
    return 1
}
