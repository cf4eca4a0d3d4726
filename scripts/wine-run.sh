#!/usr/bin/env bash
# Runs one Windows program under Wine (the cross builds' test emulator).
# With VEMO_WINE_DPI set, the prefix's screen runs at that DPI for this one
# program, and is put back to 96 however the program ends.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
vemo_ensure_prefix
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
if [ -z "${VEMO_WINE_DPI:-}" ]; then
    exec "$WINELOADER" "$@"
fi
trap 'vemo_set_dpi 96' EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
vemo_set_dpi "$VEMO_WINE_DPI"
"$WINELOADER" "$@"
