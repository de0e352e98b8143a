#!/usr/bin/env bash
# Installs the Debian packages that the Windows build and its run under wine need, when missing:
# the mingw-w64 compiler with posix threads, the 64-bit wine (launcher /usr/lib/wine/wine64) and
# GoogleTest's sources (/usr/src/googletest), built with the cross compiler.
set -euo pipefail

packages=(cmake make g++-mingw-w64-x86-64-posix wine64 googletest)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
