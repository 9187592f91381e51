#!/usr/bin/env bash
# Checks the release packages: each zip holds exactly its files, its texts with CR LF, and its
# programs stripped and importing only DLLs that come with Windows; the .deb of morvik-cli unpacks
# into a tree whose morvik-cli runs, holds exactly its files, and passes lintian; the .tar.gz holds
# that .deb's tree; the .deb of the window, morvik, holds the program, its launcher and its icon,
# finds every library it needs on this system, and passes lintian.
#   scripts/check-packages.sh        makes the packages with cpack in the test run's build folders
#                                    (build/native, build/win64, build/win32) into build/packages/
#   scripts/check-packages.sh DIR    checks the packages in DIR (scripts/release.sh: dist/)
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Morvik VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The test run without its 32-bit stage (MORVIK_SKIP_WIN32=1) has no 32-bit build to package.
windows_bits=(32 64)
windows_presets=(win64 win32)
if [ "${MORVIK_SKIP_WIN32:-}" = 1 ]; then
    windows_bits=(64)
    windows_presets=(win64)
fi

if [ $# -eq 0 ]; then
    dir=$PWD/build/packages
    rm -rf "$dir"
    for preset in native "${windows_presets[@]}"; do
        (cd "build/$preset" && cpack -B "$dir" >/dev/null)
    done
    rm -rf "$dir/_CPack_Packages"
else
    dir=$(cd "$1" && pwd)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "check-packages: $*" >&2
    exit 1
}

# The DLLs a Windows program may import: those of Windows itself that the Win32 layer uses (and
# msvcrt.dll, the C runtime every Windows has), since the programs are linked statically and ship
# alone. Measured: Morvik.exe imports comctl32, gdi32, kernel32, msvcrt, ole32, shell32 and
# user32; morvik-cli.exe kernel32 and msvcrt.
system_dlls=(kernel32.dll user32.dll gdi32.dll comctl32.dll msimg32.dll shell32.dll ole32.dll
    oleaut32.dll advapi32.dll msvcrt.dll)
is_system_dll() {
    local dll
    for dll in "${system_dlls[@]}"; do
        [ "$dll" = "${1,,}" ] && return 0
    done
    return 1
}

for bits in "${windows_bits[@]}"; do
    name=Morvik-$version-win$bits
    zip=$dir/$name.zip
    [ -f "$zip" ] || fail "$zip is missing"
    expected=$(printf '%s\n' "$name/LICENSE.txt" "$name/Morvik.exe" "$name/README.txt" \
        "$name/morvik-cli.exe" | sort)
    files=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
    [ "$files" = "$expected" ] || fail "$name.zip holds"$'\n'"$files"$'\n'"instead of"$'\n'"$expected"
    unzip -q "$zip" -d "$work"
    for text in README.txt LICENSE.txt; do
        awk '!/\r$/ { exit 1 }' "$work/$name/$text" || fail "$name.zip: $text has a line without CR LF"
    done
    if [ "$bits" = 32 ]; then
        objdump=i686-w64-mingw32-objdump format=pei-i386
    else
        objdump=x86_64-w64-mingw32-objdump format=pei-x86-64
    fi
    for exe in Morvik.exe morvik-cli.exe; do
        file=$work/$name/$exe
        $objdump -f "$file" | grep -q "file format $format" || fail "$name.zip: $exe is not $format"
        ! $objdump -h "$file" | grep -q ' \.debug_' || fail "$name.zip: $exe has debug sections"
        $objdump -t "$file" | grep -q 'no symbols' || fail "$name.zip: $exe is not stripped"
        for dll in $($objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
            is_system_dll "$dll" || fail "$name.zip: $exe imports $dll"
        done
    done
    echo "check-packages: $name.zip: $(tr '\n' ' ' <<<"$files")($(stat -c %s "$zip") bytes)"
done

deb=$dir/morvik-cli_${version}_amd64.deb
[ -f "$deb" ] || fail "$deb is missing"
[ "$(dpkg-deb -f "$deb" Package)" = morvik-cli ] || fail "the .deb is not the package morvik-cli"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the .deb's version is not $version"
dpkg-deb -f "$deb" Depends | grep -q 'libc6' || fail "the .deb does not depend on libc6"
expected=$(printf '%s\n' ./usr/bin/morvik-cli ./usr/share/bash-completion/completions/morvik-cli \
    ./usr/share/doc/morvik-cli/changelog.gz ./usr/share/doc/morvik-cli/copyright \
    ./usr/share/man/man1/morvik-cli.1.gz)
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
[ "$files" = "$expected" ] || fail "the .deb holds"$'\n'"$files"$'\n'"instead of"$'\n'"$expected"
dpkg-deb -x "$deb" "$work/deb"
answer=$("$work/deb/usr/bin/morvik-cli" --version) || fail "the .deb's morvik-cli --version fails"
[ "$answer" = "morvik-cli ${version%.*}" ] || fail "the .deb's morvik-cli --version says '$answer'"
warnings=$(MANWIDTH=80 man --warnings -l "$work/deb/usr/share/man/man1/morvik-cli.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page has faults: $warnings"
# Kept: copyright-without-copyright-notice, since the license names its holders without a year.
lintian --fail-on error,warning --suppress-tags copyright-without-copyright-notice "$deb" ||
    fail "lintian finds faults in the .deb"
echo "check-packages: $(basename "$deb"): $answer ($(stat -c %s "$deb") bytes)"

window=$dir/morvik_${version}_amd64.deb
[ -f "$window" ] || fail "$window is missing"
[ "$(dpkg-deb -f "$window" Package)" = morvik ] || fail "the window's .deb is not the package morvik"
[ "$(dpkg-deb -f "$window" Version)" = "$version" ] || fail "the window's .deb's version is not $version"
dpkg-deb -f "$window" Depends | grep -q 'libqt6widgets6' || fail "the window's .deb does not depend on Qt 6 Widgets"
window_files=$(printf '%s\n' ./usr/bin/morvik ./usr/share/applications/morvik.desktop \
    ./usr/share/doc/morvik/changelog.gz ./usr/share/doc/morvik/copyright \
    ./usr/share/icons/hicolor/48x48/apps/morvik.png ./usr/share/man/man1/morvik.1.gz)
files=$(dpkg-deb -c "$window" | awk '$1 !~ /^d/ { print $6 }' | sort)
[ "$files" = "$window_files" ] || fail "the window's .deb holds"$'\n'"$files"$'\n'"instead of"$'\n'"$window_files"
dpkg-deb -x "$window" "$work/window"
! ldd "$work/window/usr/bin/morvik" | grep -q 'not found' || fail "the window's morvik misses libraries"
# The launcher starts the installed program and names the installed icon, which is as large as
# the folder it is in says.
grep -qx 'Exec=morvik %f' "$work/window/usr/share/applications/morvik.desktop" || fail "morvik.desktop does not start morvik"
grep -qx 'Icon=morvik' "$work/window/usr/share/applications/morvik.desktop" || fail "morvik.desktop does not name the icon"
[ "$(identify -format '%wx%h' "$work/window/usr/share/icons/hicolor/48x48/apps/morvik.png")" = 48x48 ] ||
    fail "the window's icon is not 48 x 48"
warnings=$(MANWIDTH=80 man --warnings -l "$work/window/usr/share/man/man1/morvik.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the window's manual page has faults: $warnings"
lintian --fail-on error,warning --suppress-tags copyright-without-copyright-notice "$window" ||
    fail "lintian finds faults in the window's .deb"
echo "check-packages: $(basename "$window"): $(tr '\n' ' ' <<<"$window_files")($(stat -c %s "$window") bytes)"

tgz=$dir/morvik-cli-$version-linux-x86_64.tar.gz
[ -f "$tgz" ] || fail "$tgz is missing"
tree=$(tar -tzvf "$tgz" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^[^/]*/|./|' | sort)
[ "$tree" = "$expected" ] || fail "the .tar.gz holds"$'\n'"$tree"$'\n'"instead of"$'\n'"$expected"
echo "check-packages: $(basename "$tgz"): the .deb's tree ($(stat -c %s "$tgz") bytes)"
