#!/usr/bin/env bash
# Installs what is missing, builds Velmory and runs it from the repository's root, where its
# resource files are (res/).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORY_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target velmory

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Velmory is built (build/release/app/velmory) but there is no display to open its window on." >&2
  exit 1
fi
exec build/release/app/velmory
