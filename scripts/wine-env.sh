# Sourced by the Wine scripts: the project's private Wine prefix, quiet,
# without the Mono and Gecko installers.
#
# The product is 32-bit. Some kernels (virtual machines built without IA32
# emulation) cannot execute 32-bit Linux code, and so cannot run Wine's 32-bit
# loader; there the Wine tests run the 64-bit build of the same sources.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -z "${VEMO_WINE_ARCH:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        VEMO_WINE_ARCH=win32
    else
        VEMO_WINE_ARCH=win64
    fi
fi
export VEMO_WINE_ARCH
if [ "$VEMO_WINE_ARCH" = win32 ]; then
    export WINELOADER=/usr/lib/wine/wine
else
    export WINELOADER=/usr/lib/wine/wine64
fi
export WINEPREFIX="${VEMO_WINEPREFIX:-$root/build/wineprefix-$VEMO_WINE_ARCH}"
export WINEARCH="$VEMO_WINE_ARCH"
export WINEDEBUG=-all
# No Mono or Gecko installers, and a crashing test ends at once instead of
# waiting in the debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# Creates the prefix once; concurrent callers wait for the first one.
vemo_ensure_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            echo "wine: creating the $VEMO_WINE_ARCH Wine prefix in $WINEPREFIX" >&2
            "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
            wineserver -w
            [ -f "$WINEPREFIX/system.reg" ] || { echo "wine: prefix creation failed" >&2; exit 1; }
        fi
        if [ ! -f "$WINEPREFIX/.vemo-settings" ] && [ "${VEMO_WINE_MANAGED:-}" != 1 ]; then
            # Top-level windows unmanaged: there is no window manager in the
            # virtual display, and Wine would wait for one at every window close.
            # (A desktop session keeps its window manager: VEMO_WINE_MANAGED=1.)
            "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
                >/dev/null 2>&1 </dev/null
            wineserver -w
            touch "$WINEPREFIX/.vemo-settings"
        fi
        # Wine's own fonts (among them the dialogs' "MS Sans Serif") are only
        # found in the prefix's font folder; without them every dialog falls
        # back to a wider font and its labels clip.
        fonts="$WINEPREFIX/drive_c/windows/Fonts"
        if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/sserife.fon" ]; then
            mkdir -p "$fonts" && cp /usr/share/wine/fonts/* "$fonts/"
        fi
    ) 9>"$WINEPREFIX.lock"
}

# The screen's DPI as the prefix's programs see it (read at each start).
vemo_set_dpi() {
    "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1 </dev/null
}
