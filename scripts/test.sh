#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, then builds and runs every test headless: the whole
# suite in a plain build and again built with AddressSanitizer and UndefinedBehaviorSanitizer
# (any report fails it), then each fuzzer for a minute.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
export QT_QPA_PLATFORM=offscreen

run_suite() {
    local build=$1
    shift
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON "$@"
    cmake --build "$build" --parallel "$(nproc)"
    ctest --test-dir "$build" --output-on-failure --timeout 900
}

run_suite build-asan -DLEXORIN_SANITIZE=ON
scripts/fuzz.sh 60
run_suite build-test
