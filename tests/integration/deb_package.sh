#!/usr/bin/env bash
# Unpacks the Debian package (no root needed) and checks what an installation
# would get: the files, the Depends line, the desktop entry, the AppStream
# metadata, the manual pages and the programs themselves.
# usage: deb_package.sh keylark_*.deb
#        deb_package.sh --cpack CPACK BUILD_DIR   (packages that build first)
set -uo pipefail
for tool in dpkg-deb desktop-file-validate appstreamcli groff; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [[ ${1:-} == --cpack ]]; then
    "$2" --config "$3/CPackConfig.cmake" -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1 \
        || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
    set -- "$work"/cpack/keylark_*.deb
fi
deb=$1
root=$work/root
dpkg-deb -x "$deb" "$root" || { echo "FAIL: cannot unpack $deb"; exit 1; }

failures=0
check() {  # description, then a command that must succeed
    local what=$1; shift
    if "$@"; then echo "ok ($what)"; else echo "FAIL ($what)"; failures=$((failures + 1)); fi
}

# Exactly these files: anything more (a test program, a header, a static
# library) or less is an installation rule gone wrong.
expected_files() {
    echo /usr/bin/keylark
    echo /usr/bin/keylark-cw
    echo /usr/share/applications/keylark.desktop
    for size in 16 24 32 48 64 128 256; do
        echo "/usr/share/icons/hicolor/${size}x${size}/apps/keylark.png"
    done
    echo /usr/share/man/man1/keylark.1.gz
    echo /usr/share/man/man1/keylark-cw.1.gz
    echo /usr/share/metainfo/org.keylark.keylark.metainfo.xml
}
(cd "$root" && find . ! -type d | sed 's/^\.//' | sort) >"$work/files"
expected_files | sort >"$work/expected"
check "file list" diff -u "$work/expected" "$work/files"

# Depends: the libraries the binaries link (found by dpkg-shlibdeps), the fonts
# the window falls back to, and never a development package.
check "package name" test "$(dpkg-deb -f "$deb" Package)" == keylark
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libpulse0 \
              libqt6network6 fonts-noto-cjk libqt6sql6-sqlite; do
    check "depends on $needed" grep -qx "$needed" <<<"$names"
done
check "recommends Qt's translations" grep -q qt6-translations-l10n <<<"$(dpkg-deb -f "$deb" Recommends)"
no_dev_package() { ! grep -q -- '-dev$' <<<"$names"; }
check "no -dev package in Depends" no_dev_package

desktop=$root/usr/share/applications/keylark.desktop
check "desktop entry validates" desktop-file-validate "$desktop"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
check "desktop entry starts a packaged program" test -x "$root/usr/bin/$exec_name"
check "desktop entry's icon is packaged" test -f "$root/usr/share/icons/hicolor/48x48/apps/$icon_name.png"
# validate-tree also finds the desktop entry the metadata names as launchable.
check "AppStream metadata validates" appstreamcli validate-tree --no-net "$root"

# Both programs answer without a display (the window's must not need one), and
# print the package's version.
bin=$root/usr/bin
for program in keylark keylark-cw; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program" --version 2>&1)
    check "$program --version says '$program $version' (said '$out')" test "$out" == "$program $version"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program" --help >"$work/help" 2>&1
    check "$program --help" grep -q "^usage: $program" "$work/help"

    page=$root/usr/share/man/man1/$program.1.gz
    zcat "$page" | groff -man -ww -z -K utf8 -Tutf8 >"$work/groff" 2>&1
    check "$program manual page formats without warnings" test ! -s "$work/groff"
    # Every option the help names is described in the manual page.
    zcat "$page" | sed 's/\\-/-/g' >"$work/page"
    for option in $(grep -o -- '--[a-z]*' "$work/help" | sort -u); do
        check "$program.1 describes $option" grep -q -- "$option" "$work/page"
    done
done

exit $((failures > 0))
