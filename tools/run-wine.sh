#!/usr/bin/env bash
# Starts the built Vantrel.exe under Wine. On $DISPLAY it runs until you close it. Without a
# display it runs on a private Xvfb, a screenshot is saved once its window is drawn, and it ends.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
source "$here/wine-common.sh"

dir="$top/build/wine/run"
if [ ! -f "$dir/prefix/system.reg" ]; then
    echo "run: making a Wine prefix in ${dir#$top/} (once; slow where 32-bit code is emulated)"
    wine_prefix win64 "$dir" || exit 1
fi
mkdir -p "$dir/prefix/drive_c/Vantrel"
cp "$top/build/windows/Vantrel.exe" "$dir/prefix/drive_c/Vantrel/"

if [ -n "${DISPLAY:-}" ]; then
    wine_in "$dir" 'C:\Vantrel\Vantrel.exe'
    exit $?
fi

size=${SCREEN_SIZE:-1366x768}
start_display || exit 1
wine_tool "$dir" explorer "/desktop=Vantrel,$size" 'C:\Vantrel\Vantrel.exe' >"$dir/run.log" 2>&1 &
shot="$top/build/screenshot.png"
echo "run: Vantrel.exe is starting on the private display $DISPLAY"
for _ in $(seq 600); do
    sleep 1
    import -window root "$shot" 2>/dev/null || continue
    # The empty desktop is one colour; the window brings text and a frame.
    if [ "$(convert "$shot" -format %k info:)" -gt 20 ]; then
        sleep 3
        import -window root "$shot"
        echo "run: screenshot saved in $shot"
        break
    fi
done
(wine_env "$dir"; wineserver -k 2>/dev/null || true)
stop_display
