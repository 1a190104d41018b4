#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the reader with its tests and runs them all
# headless.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build-test --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure --timeout 600
