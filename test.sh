#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
source ./setup.sh
JOBS=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$JOBS"
if [ -x fuzz/run.sh ]; then fuzz/run.sh; fi
cd build
QT_QPA_PLATFORM=offscreen ctest -j"$JOBS" --output-on-failure --timeout 300
