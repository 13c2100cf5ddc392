#!/usr/bin/env bash
# Builds the Debian package keylark_<version>_<arch>.deb in the top folder from
# a clean build directory, then checks the package as the test suite does.
# Install it with: sudo apt install ./keylark_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
dir=build-deb

rm -rf "$dir"
rm -f keylark_*.deb
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEYLARK_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" -j "$jobs"
(cd "$dir" && cpack -G DEB >/dev/null)
cp "$dir"/keylark_*.deb .
deb=$(ls keylark_*.deb)

check=0
tests/integration/deb_package.sh "$deb" >"$dir/check.log" 2>&1 || check=$?
if [[ $check -eq 77 ]]; then
    echo "note: not checked ($(head -n1 "$dir/check.log"))"
elif [[ $check -ne 0 ]]; then
    grep -v '^ok' "$dir/check.log" >&2
    echo "the package failed its checks: $dir/check.log" >&2
    exit 1
fi
echo "$deb ($(stat -c %s "$deb") bytes)"
dpkg-deb -f "$deb" Depends | sed 's/^/Depends: /'
