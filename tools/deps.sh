#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libsdl2-dev libfreetype-dev libfluidsynth-dev libvorbis-dev libpng-dev libboost-dev
  libgtest-dev libgmock-dev libbenchmark-dev libpixman-1-dev
  fonts-ipafont-gothic fonts-ipafont-mincho timgm6mb-soundfont
  xvfb xauth xdotool
)
if [ "${KORVANE_FUZZ_DEPS:-0}" = 1 ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
