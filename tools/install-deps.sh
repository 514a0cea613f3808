#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks for building and testing, when run as root.
# Safe to run again: it only acts on what is missing.
set -euo pipefail

packages=(cmake make g++ googletest g++-mingw-w64-i686-posix wine wine64 wine32:i386 xvfb xauth
          x11-utils locales fonts-wine fonts-wqy-microhei imagemagick qemu-user-static)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing=()
for package in "${packages[@]}"; do installed "$package" || missing+=("$package"); done

as_root() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: needs root for: $*" >&2
        exit 1
    fi
}

if [ ${#missing[@]} -gt 0 ]; then
    as_root "apt-get install ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine reads its Unix side as ASCII without a Chinese UTF-8 locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    as_root "locale-gen zh_CN.UTF-8"
    sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi

# Some kernels cannot run 32-bit x86 programs. Wine's 32-bit loader then runs under qemu's
# user-mode emulation, registered as the interpreter for 32-bit x86 programs.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    as_root "registering qemu-i386 for 32-bit programs"
    binfmt=/proc/sys/fs/binfmt_misc
    [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    for kind in 02:exec 03:dyn; do
        name="qemu-i386-${kind#*:}"
        [ -e "$binfmt/$name" ] && continue
        echo ":$name:M::${magic}\\x${kind%%:*}\\x00\\x03\\x00:${mask}:/usr/bin/qemu-i386-static:F" > "$binfmt/register"
    done
    /usr/lib/wine/wine --version >/dev/null
fi
