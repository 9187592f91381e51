# Sourced by the scripts that run Windows programs: Wine runs isolated in a prefix and a home of
# its own under the build folder, quietly, and never writes menu entries or desktop links.
morvik_wine_env() {
    local root="$1"
    mkdir -p "$root/prefix" "$root/home"
    export WINEPREFIX="$root/prefix"
    export HOME="$root/home"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d"
    export WINEARCH=win64
}
