#!/usr/bin/env bash
# The real window fed with awkward files and clipboard texts: a 50 MB file, a
# binary file, files that vanish between the folder listing and the pick, a
# folder and a file without read permission, and 1 MB through both paste
# entries. Each ends with a clear box or a loaded memo, a window that comes
# back to idle, and no long block of its event loop.
# usage: e2e_files.sh E2E_DRIVER
source "$(dirname "$0")/e2e_common.sh"
e2e_init "$1"

pulse_start || exit 1

run huge huge-file --megabytes 50
check '[[ "$(value huge result)" == PASS ]]' "a 50 MB file: $(value huge outcome) in $(value huge load_ms) ms"

run binary binary-file
check '[[ "$(value binary result)" == PASS ]]' "a binary file loads with U+FFFD and sounds"

run vanished vanished-file
check '[[ "$(value vanished result)" == PASS ]]' "a picked file that vanished: error box, Stop returns to idle"

run paste big-paste
check '[[ "$(value paste result)" == PASS ]]' "1 MB through both paste entries"

# Permission bits do not stop root: drop the two capabilities that let it pass.
if [[ $(id -u) -eq 0 ]] && command -v setpriv >/dev/null; then
    driver_prefix="setpriv --bounding-set -dac_override,-dac_read_search --"
fi
run unreadable unreadable-folder
driver_prefix=
if [[ "$(value unreadable result)" == SKIP ]]; then
    skip_check "a folder and a file without read permission: $(value unreadable skip)"
else
    check '[[ "$(value unreadable result)" == PASS ]]' "a folder and a file without read permission"
fi

e2e_finish
