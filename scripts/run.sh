#!/usr/bin/env bash
# Lays out the program folder and starts Vemo under Wine. With a display it
# runs until you close it; without one it runs in a virtual display, saves a
# screenshot to build/vemo.png and closes through its own Close command.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
if [ -z "${DISPLAY:-}" ]; then
    export VEMO_HEADLESS=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# What a user copies: the 32-bit program and its two data files.
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target vemo vemo_remote >/dev/null
rm -rf dist && mkdir -p dist
cp build/win32/src/vemo.exe assets/vemo.ico assets/toolbar.bmp dist/
(cd dist && rm -f ../build/vemo.zip && zip -q ../build/vemo.zip vemo.exe vemo.ico toolbar.bmp)
echo "run: dist/ and build/vemo.zip hold vemo.exe, vemo.ico and toolbar.bmp"
for file in dist/vemo.exe build/vemo.zip; do
    bytes=$(stat -c %s "$file")
    echo "run: $file is $bytes bytes ($(awk "BEGIN { printf \"%.1f\", $bytes / 1024 }") KB)"
done

source scripts/wine-env.sh
build="build/$VEMO_WINE_ARCH"
if [ "$VEMO_WINE_ARCH" = win64 ]; then
    echo "run: this kernel cannot run 32-bit code; running the 64-bit build of the same sources"
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 --target vemo vemo_remote >/dev/null
fi
folder="build/run-$VEMO_WINE_ARCH"
mkdir -p "$folder"
cp "$build/src/vemo.exe" assets/vemo.ico assets/toolbar.bmp "$folder/"
remote="$build/tests/vemo_remote.exe"

if [ -n "${DISPLAY:-}" ] && [ "${VEMO_HEADLESS:-}" != 1 ]; then
    # On a desktop the window manager frames Vemo's windows, in a prefix of
    # their own so the tests' unmanaged prefix stays as it is.
    export VEMO_WINE_MANAGED=1 WINEPREFIX="$root/build/wineprefix-desktop-$VEMO_WINE_ARCH"
    vemo_ensure_prefix
    cd "$folder" && exec "$WINELOADER" vemo.exe
fi
vemo_ensure_prefix
wineserver -p
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
"$WINELOADER" wineboot >/dev/null 2>&1 </dev/null || true
(cd "$folder" && "$WINELOADER" vemo.exe >/dev/null 2>&1 </dev/null) &
vemo=$!
# The first start has no weights file yet and says so.
"$WINELOADER" "$remote" answer "Error...load weights data..." >/dev/null 2>&1 </dev/null || true
"$WINELOADER" "$remote" wait >/dev/null 2>&1 </dev/null
sleep 1
import -window root build/vemo.png
echo "run: screenshot in build/vemo.png"
"$WINELOADER" "$remote" close >/dev/null 2>&1 </dev/null
wait "$vemo"
echo "run: Vemo closed through its Close command; its files are in $folder"
