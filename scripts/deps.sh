#!/usr/bin/env bash
# Installs the Debian packages that Velmory needs to build, test and run, and only those that are
# missing. Idempotent and non-interactive.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  # libraries
  libsdl2-dev libx11-dev libgl-dev libegl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-mesa0
  # tests and benchmarks
  libgtest-dev libbenchmark-dev libstb-dev
  # end-to-end runs under a virtual display
  xvfb xauth xdotool x11-apps x11-utils imagemagick  # x11-apps: xwd, xlogo; x11-utils: xwininfo
  # the resource generator
  libfreetype-dev fonts-dejavu-core libcairo2-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
