#!/usr/bin/env bash
# Runs the Windows tests under Wine: one virtual display and one persistent
# wineserver for the whole run, so each test program starts quickly.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cd "$root"
if [ "$VEMO_WINE_ARCH" = win64 ]; then
    echo "wine-tests: this kernel cannot run 32-bit code; testing the 64-bit build of the same sources"
    cmake --preset win64 >/dev/null
    cmake --build --preset win64
fi
vemo_ensure_prefix
wineserver -p
# Start Wine's own services now, detached from any output pipe: the first Wine
# program would otherwise start them holding its stdout, and ctest would wait
# for that pipe until the services end.
"$WINELOADER" wineboot >/dev/null 2>&1 </dev/null || true
# A run killed earlier may have left the screen at another DPI; this one
# leaves it at 96 however it ends.
vemo_set_dpi 96
trap 'vemo_set_dpi 96; wineserver -k >/dev/null 2>&1 || true' EXIT
ctest --preset "$VEMO_WINE_ARCH" "$@"
