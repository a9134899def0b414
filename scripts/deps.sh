#!/usr/bin/env bash
# Installs the Debian packages the builds, tests, benchmarks and demo need (as root, or through sudo).
set -euo pipefail
packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev googletest
    mingw-w64 wine wine64 xvfb xdotool x11-utils imagemagick
    libpugixml-dev libexpat1-dev valgrind
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
