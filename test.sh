#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
source ./setup.sh
JOBS=${JOBS:-$(nproc)}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$JOBS"
if [ -x fuzz/run.sh ]; then fuzz/run.sh; fi
(cd build && QT_QPA_PLATFORM=offscreen ctest -j"$JOBS" --output-on-failure --timeout 300)

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer (the tests
# only: no program, no benchmarks). Leaks are reported except those inside the system's
# font configuration library (tests/lsan.supp).
cmake -S . -B build-asan -DCV_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" >/dev/null
cmake --build build-asan -j"$JOBS" --target cv_all_tests
(cd build-asan && QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp" \
   UBSAN_OPTIONS=print_stacktrace=1 ctest -j"$JOBS" --output-on-failure --timeout 300)
