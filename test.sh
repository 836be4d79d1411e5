#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
ensure_packages

BUILD=${BUILD_DIR:-build-test}
JOBS=${JOBS:-$(nproc)}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DSUITE_SANITIZE=ON
cmake --build "$BUILD" -j "$JOBS"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS" --timeout 300
