# Shared by the scripts that run Windows programs under Wine. Source it; it defines:
#   wine_prefix ARCH DIR  make a fresh prefix (win64 or win32) with its own HOME below DIR
#   wine_in DIR PROGRAM…  run a Windows program in that prefix (wine_tool: the prefix's own tools)
#   start_display         a private Xvfb when there is no $DISPLAY (stop_display ends it)

export WINEDEBUG=${WINEDEBUG:--all}
# The prefix's ANSI code page is 936 only with a Chinese locale on the Unix side.
export LC_ALL=zh_CN.UTF-8

wine_env() {
    local dir=$1
    export WINEPREFIX="$dir/prefix" HOME="$dir/home"
    export XDG_CONFIG_HOME="$dir/home/.config" XDG_DATA_HOME="$dir/home/.local/share"
    # No Mono or Gecko installers: nothing here needs them, and their dialogs would wait forever.
    export WINEDLLOVERRIDES="mscoree=;mshtml="
}

# Runs a Windows program in the prefix. A 64-bit prefix's own tools (regedit, reg, explorer)
# start straight on the 64-bit loader, which is much faster when the 32-bit one is emulated.
wine_in() {
    local dir=$1; shift
    (wine_env "$dir"; exec wine "$@")
}

wine_tool() {
    local dir=$1; shift
    local loader=wine
    [ "$(cat "$dir/arch" 2>/dev/null)" = win64 ] && loader=/usr/lib/wine/wine64
    (wine_env "$dir"; exec timeout 600 "$loader" "$@")
}

# The Windows name of a Unix path (drive Z: is the Unix root).
windows_path() { local path=$1; printf 'Z:%s' "${path//\//\\}"; }

wine_prefix() {
    local arch=$1 dir=$2
    rm -rf "$dir"
    mkdir -p "$dir/home"
    echo "$arch" > "$dir/arch"
    (
        wine_env "$dir"
        export WINEARCH=$arch
        timeout 900 wine wineboot --init >"$dir/wineboot.log" 2>&1 || true
        timeout 300 wineserver --wait || true
        [ -f "$WINEPREFIX/system.reg" ] || { echo "wine: no prefix made in $dir" >&2; exit 1; }
        # Readable Chinese: the designed font and the usual fallbacks come from WenQuanYi.
        {
            printf 'Windows Registry Editor Version 5.00\r\n\r\n'
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
            for face in 'Microsoft YaHei' '微软雅黑' 'SimSun' '宋体' 'NSimSun'; do
                printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
            done
        } | iconv -f UTF-8 -t UTF-16 > "$dir/fonts.reg"
    )
    wine_tool "$dir" regedit /S "$(windows_path "$dir/fonts.reg")" || true
    (wine_env "$dir"; timeout 300 wineserver --wait || true)
}

# True when 32-bit x86 programs run under qemu's emulation (install-deps registers it only on
# kernels that cannot run them).
ia32_emulated() { grep -qs 'interpreter /usr/bin/qemu-i386' /proc/sys/fs/binfmt_misc/*; }

display_pid=""
start_display() {
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    local number
    for number in $(seq 90 130); do
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] || break
    done
    Xvfb ":$number" -screen 0 "${SCREEN_SIZE:-1366x768}x24" -nolisten tcp >/dev/null 2>&1 &
    display_pid=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.2; done
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
}

stop_display() {
    if [ -n "$display_pid" ]; then kill "$display_pid" 2>/dev/null || true; wait "$display_pid" 2>/dev/null || true; fi
    # True when 32-bit x86 programs run under qemu's emulation (install-deps registers it only on
# kernels that cannot run them).
ia32_emulated() { grep -qs 'interpreter /usr/bin/qemu-i386' /proc/sys/fs/binfmt_misc/*; }

display_pid=""
}
