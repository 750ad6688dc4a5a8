#!/usr/bin/env bash
# Installs what building and testing needs on Debian 12, as root. Does
# nothing when everything is there already.
set -euo pipefail

needed=(g++-mingw-w64-i686-posix wine wine32:i386 xvfb openbox x11-utils xdotool imagemagick cmake make googletest)
missing=()
for p in "${needed[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or install the packages above by hand)." >&2
    exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
