#!/usr/bin/env bash
# Runs one Windows program under Wine (the cross builds' test emulator).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
vemo_ensure_prefix
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$WINELOADER" "$@"
fi
exec "$WINELOADER" "$@"
