#!/usr/bin/env bash
# End to end under Wine: the real Vantrel.exe operated by the Windows-side driver in a prefix
# made by wine-prefix. Writes the driver's reports and screenshots into OUT.
#   run-e2e.sh PREFIX_DIR WINDOWS_BUILD_DIR OUT
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-common.sh"

dir=$1 build=$2 out=$3
mkdir -p "$out"
size=${SCREEN_SIZE:-1366x768}
width=${size%x*} height=${size#*x}

# The program lives in a folder of its own, as an installed copy would.
program_dir="$dir/prefix/drive_c/Vantrel"
mkdir -p "$program_dir"
cp "$build/Vantrel.exe" "$build/e2e_driver.exe" "$program_dir/"

documents=$(readlink -f "$dir/prefix/drive_c/users/$(id -un)/Documents")
marker="$documents/ae_force_english.txt"

# One session of the driver on Wine's virtual desktop, which draws frames as Windows does and
# is the primary screen the program sees. With a screenshot name (or "-" for none), the driver
# pauses for it; NAME=TEXT arguments after it are the texts the detection should have written.
session() {
    local name=$1 clicks=$2 shot=${3:--}
    shift 3 2>/dev/null || shift $#
    local report="$program_dir/$name.txt"
    rm -f "$report" "$program_dir/ready" "$program_dir/resume"
    local options=()
    [ "$shot" != - ] && options=(--pause 'C:\Vantrel\ready' 'C:\Vantrel\resume')
    local expected
    for expected in "$@"; do options+=(--expect "$expected"); done
    wine_tool "$dir" explorer "/desktop=e2e,$size" 'C:\Vantrel\e2e_driver.exe' \
        'C:\Vantrel\Vantrel.exe' "$width" "$height" "$clicks" "C:\\Vantrel\\$name.txt" \
        "${options[@]}" >"$out/$name.wine.log" 2>&1 &
    local wine_pid=$!
    local waited=0
    while ! grep -q '^driver:' "$report" 2>/dev/null && [ $waited -lt 900 ]; do
        if [ "$shot" != - ] && [ -e "$program_dir/ready" ] && [ ! -e "$program_dir/resume" ]; then
            sleep 2  # let the window finish painting
            import -window root "$out/$shot-desktop.png"
            convert "$out/$shot-desktop.png" -crop "269x236+$(((width - 369) / 2))+$(((height - 436) / 2))" +repage "$out/$shot.png"
            touch "$program_dir/resume"
        fi
        sleep 1
        waited=$((waited + 1))
    done
    (wine_env "$dir"; wineserver -k 2>/dev/null || true)
    wait "$wine_pid" 2>/dev/null
    if [ -f "$report" ]; then cp "$report" "$out/$name.txt"; else echo "not ok - $name: the driver wrote no report" > "$out/$name.txt"; fi
}

# What the detection writes on a Windows without After Effects.
no_after_effects=('当前语言=英文' 'AE2019语言=英文' '编辑框19=AMT\application.xml')

reg_value() {  # view key value data: a text value under HKLM in that registry view
    wine_tool "$dir" reg add "HKLM\\$2" /v "$3" /t REG_SZ /d "$4" /f "/reg:$1" >/dev/null 2>&1
}

start_display || exit 1
rm -f "$marker"
session cycle 2 main-window "${no_after_effects[@]}"
# One click leaves the marker; it is looked at from the Unix side of the prefix.
session one-click 1 - "${no_after_effects[@]}"
if [ -f "$marker" ] && [ ! -s "$marker" ]; then
    echo "ok - the marker is an empty file in the documents folder, seen from outside" >> "$out/one-click.txt"
else
    echo "not ok - no empty marker at $marker after one click" >> "$out/one-click.txt"
fi
rm -f "$marker"

# Detection: CC2019 in the 64-bit view with a Chinese configuration; CC2017 and CC2018 in the
# 64-bit view; CC2015 only in the 32-bit view, which does not count.
ae='SOFTWARE\Adobe\After Effects'
reg_value 64 "$ae\16.0" InstallPath 'C:\AE2019\'
reg_value 64 "$ae\14.0" InstallPath 'C:\AE2017\'
reg_value 64 "$ae\15.0" InstallPath 'C:\AE2018\'
reg_value 32 "$ae\13.5" InstallPath 'C:\AE2015\'
mkdir -p "$dir/prefix/drive_c/AE2019/AMT"
printf '<configuration><payload><data key="installedLanguages">zh_CN</data></payload></configuration>' \
    > "$dir/prefix/drive_c/AE2019/AMT/application.xml"
session detect-chinese 0 - '当前语言=中文' 'AE2019语言=中文' 'AE2017语言=中文' \
    '编辑框19=C:\AE2019\AMT\application.xml'
# An English configuration and the marker: every installed older version is English.
printf '<configuration><data key="installedLanguages">en_US</data></configuration>' \
    > "$dir/prefix/drive_c/AE2019/AMT/application.xml"
: > "$marker"
session detect-english 0 - '当前语言=英文' 'AE2019语言=英文' 'AE2017语言=英文' 'AE2018语言=英文' \
    '编辑框19=C:\AE2019\AMT\application.xml'
rm -f "$marker"
stop_display
cat "$out/cycle.txt" "$out/one-click.txt" "$out/detect-chinese.txt" "$out/detect-english.txt" > "$out/e2e.txt"
