#!/usr/bin/env bash
# Lays out the program folder and starts Vemo under Wine. With a display it
# runs until you close it; without one it runs in a virtual display, saves a
# screenshot at 96 DPI to build/vemo.png and one at 144 DPI to
# build/vemo-144.png, each time closing through its own Close command.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
if [ -z "${DISPLAY:-}" ]; then
    export VEMO_HEADLESS=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# What a user copies: the 32-bit program, its artwork and the default
# weights (so a first start has nothing to complain of).
shipped=(vemo.exe vemo.ico toolbar.bmp toolbar-2x.bmp weights.ini)
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target vemo vemo_remote >/dev/null
rm -rf dist && mkdir -p dist
cp build/win32/src/vemo.exe assets/vemo.ico assets/toolbar.bmp assets/toolbar-2x.bmp \
    assets/weights.ini dist/
(cd dist && rm -f ../build/vemo.zip && zip -q ../build/vemo.zip "${shipped[@]}")
echo "run: dist/ and build/vemo.zip hold ${shipped[*]}"
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
cp "$build/src/vemo.exe" assets/vemo.ico assets/toolbar.bmp assets/toolbar-2x.bmp "$folder/"
# The weights the folder has are its user's.
cp -n assets/weights.ini "$folder/"
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
# However the run ends, the prefix's screen is back at 96 DPI.
trap 'vemo_set_dpi 96; wineserver -k >/dev/null 2>&1 || true' EXIT
"$WINELOADER" wineboot >/dev/null 2>&1 </dev/null || true

# Starts Vemo with the screen at $1 DPI, saves the screen to $2, and closes
# Vemo through its Close command.
photograph() {
    vemo_set_dpi "$1"
    (cd "$folder" && "$WINELOADER" vemo.exe >/dev/null 2>&1 </dev/null) &
    local vemo=$!
    "$WINELOADER" "$remote" wait >/dev/null 2>&1 </dev/null
    sleep 1
    import -window root "$2"
    local client
    client=$("$WINELOADER" "$remote" client 2>/dev/null </dev/null | tr -d '\r')
    echo "run: screenshot at $1 DPI in $2 (client area $client)"
    "$WINELOADER" "$remote" close >/dev/null 2>&1 </dev/null
    wait "$vemo"
}
photograph 96 build/vemo.png
photograph 144 build/vemo-144.png
echo "run: Vemo closed through its Close command; its files are in $folder"
