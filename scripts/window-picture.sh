#!/usr/bin/env bash
# Draws docs/main-window.png, the README's picture of the main window: the
# real window on sample tasks at the tests' fixed clock (Monday 07-12-2026
# 09:05), as Wine renders it in a virtual display, with the parts the README
# names numbered. It changes only when the window does.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cd "$root"
build="build/$VEMO_WINE_ARCH"
cmake --build --preset "$VEMO_WINE_ARCH" --target window_picture >/dev/null
vemo_ensure_prefix
bmp="$root/build/window-picture.bmp"
rm -f "$bmp" "$bmp.parts"
windows() { local path="$1"; echo "Z:${path//\//\\}"; }
"$WINELOADER" "$build/tests/window_picture.exe" "$(windows "$bmp")" "$(windows "$root/assets")" \
    >/dev/null 2>&1 </dev/null
marks=()
while read -r number x y; do
    y=${y%$'\r'}
    # Centred a little above and left of the part's top-left corner, inside
    # the picture, to hide as little of the part as it can.
    x=$((x - 4)) y=$((y - 4))
    x=$((x < 8 ? 8 : x)) y=$((y < 8 ? 8 : y))
    marks+=(-fill '#c00000' -stroke white -strokewidth 1
            -draw "circle $x,$y $x,$((y + 8))"
            -fill white -stroke none -annotate "+$((x - (number < 10 ? 3 : 6)))+$((y + 4))" "$number")
done <"$bmp.parts"
mkdir -p docs
convert "$bmp" -font /usr/share/wine/fonts/tahomabd.ttf -pointsize 10 "${marks[@]}" -strip docs/main-window.png
echo "window-picture: docs/main-window.png"
