#!/usr/bin/env bash
# Installs the Debian packages that building and testing Loopsmith need, when missing; with
# arguments, those packages instead.
set -euo pipefail

packages=(cmake make g++ clang libclang-rt-14-dev pkg-config qt6-base-dev libgl-dev libgtest-dev
          libgmock-dev libbenchmark-dev libxcb1-dev xvfb gputils gpsim fonts-dejavu-core
          fonts-dejavu-extra)
[ $# -gt 0 ] && packages=("$@")

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
$sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
$sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
