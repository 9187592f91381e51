# Sourced by the scripts that run Windows programs: Wine runs isolated in a prefix and a home of
# its own under the build folder, quietly, and never writes menu entries or desktop links.
# 64-bit programs are started with Wine's 64-bit loader itself: Debian's `wine` command picks the
# 32-bit loader whenever wine32 is installed, also on a kernel that cannot run it.
wine64() { /usr/lib/wine/wine64 "$@"; }
morvik_wine_env() {
    local root="$1"
    mkdir -p "$root/prefix" "$root/home"
    export WINEPREFIX="$root/prefix"
    export HOME="$root/home"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d"
    export WINEARCH=win64
}

# Wine's own fonts of the package fonts-wine in the prefix's font folder, where the prefix's font
# list names them; Wine does not copy them there itself. Without "MS Sans Serif" (sserife*.fon),
# the face of the window's controls, Wine draws it in its fallback DejaVu Sans, a pixel wider a
# letter at height -11, and a caption sized for Windows is cut; without Marlett the caption
# buttons of a window that Wine frames itself show the letters "0 1 r".
morvik_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
    mkdir -p "$fonts"
    for font in /usr/share/wine/fonts/sserife*.fon /usr/share/wine/fonts/marlett.ttf; do
        [ -e "$fonts/${font##*/}" ] || cp "$font" "$fonts/"
    done
}

# morvik_wine_session: for the tests, in a subshell after morvik_wine_env: a virtual X server on
# the first free display, one persistent wine server (a test program then starts in a tenth of a
# second instead of two) and the prefix made; both are ended when the subshell exits.
morvik_wine_session() {
    local display_file="$WINEPREFIX/../display"
    rm -f "$display_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
    local xvfb=$!
    trap "wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true" EXIT
    for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
    [ -s "$display_file" ] || { echo "test: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(cat "$display_file")"
    wineserver -p </dev/null >/dev/null 2>&1
    wine64 wineboot --init </dev/null >/dev/null 2>&1 || true
    morvik_wine_fonts
    # No window manager runs on the virtual display: Wine frames the windows itself instead of
    # waiting two seconds for a manager at every window it hides.
    wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
}
