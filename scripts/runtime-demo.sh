#!/usr/bin/env bash
# Opens the runtime demo window under Wine in a virtual display and saves a
# screenshot to build/runtime-demo.png.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cd "$root"
build="build/$VEMO_WINE_ARCH"
cmake --build --preset "$VEMO_WINE_ARCH" --target runtime_demo >/dev/null
vemo_ensure_prefix
"$WINELOADER" "$build/tests/runtime_demo.exe" 5 >/dev/null 2>&1 </dev/null &
demo=$!
sleep 3
import -window root build/runtime-demo.png
wait "$demo"
echo "runtime-demo: build/runtime-demo.png"
