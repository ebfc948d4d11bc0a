#!/usr/bin/env bash
# Installs what is missing, builds, lays out the program folder and starts Corvalen.
set -euo pipefail
cd "$(dirname "$0")"
source ./setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
cd build/Corvalen
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No desktop found: starting Corvalen on a virtual display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ./Corvalen
fi
exec ./Corvalen
