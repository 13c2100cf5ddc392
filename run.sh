#!/usr/bin/env bash
# Installs what is missing, builds and starts KEYLARK.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target keylark keylark-cw
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "KEYLARK needs a graphical display (X11 or Wayland); none is set (DISPLAY is empty)." >&2
    echo "Start it from a desktop session, or try: xvfb-run -a ./run.sh" >&2
    exit 1
fi
exec build/src/ui/window/keylark "$@"
