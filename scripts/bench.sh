#!/usr/bin/env bash
# Runs the benchmark programs under Wine in a virtual display; they print their figures.
# The idle measurement of the running program lasts VEMO_IDLE_SECONDS (60).
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cd "$root"
cmake --preset "$VEMO_WINE_ARCH" >/dev/null
cmake --build --preset "$VEMO_WINE_ARCH" --target task_list_bench scheduler_bench >/dev/null
vemo_ensure_prefix
wineserver -p
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
"$WINELOADER" wineboot >/dev/null 2>&1 </dev/null || true
"$WINELOADER" "build/$VEMO_WINE_ARCH/bench/task_list_bench.exe" </dev/null
"$WINELOADER" "build/$VEMO_WINE_ARCH/bench/scheduler_bench.exe" \
    "--vemo=$root/build/$VEMO_WINE_ARCH/src/vemo.exe" "--idle-seconds=${VEMO_IDLE_SECONDS:-60}" </dev/null
