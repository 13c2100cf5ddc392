#!/usr/bin/env bash
# The console programs link Qt Core and the sound output only: no widget,
# chart, GUI or network library may be among the libraries they need, however
# the libraries of the window change. Usage: console_links.sh PROGRAM...
set -uo pipefail
command -v readelf >/dev/null || { echo "SKIP: readelf is needed"; exit 77; }
status=0
for program in "$@"; do
    needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    if [[ -z $needed ]]; then
        echo "FAIL: $program: no libraries listed"; status=1; continue
    fi
    grep -q '^libQt6Core\.so' <<<"$needed" || { echo "FAIL: $program does not link Qt Core"; status=1; }
    if forbidden=$(grep -E '^libQt6(Widgets|Charts|Gui|Network|OpenGL)\.so' <<<"$needed"); then
        echo "FAIL: $program links" $forbidden; status=1
    else
        echo "ok: $(basename "$program") links" $needed
    fi
done
exit $status
