#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, then builds and runs every test headless: the whole
# suite in a plain build and again built with AddressSanitizer and UndefinedBehaviorSanitizer
# (any report fails it), then each fuzzer for a minute, and last the README's own commands
# as a new user types them.
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
# The plain suite builds in the run command's folder, so checking that command reuses it.
run_suite build
tests/check-readme-commands.sh
