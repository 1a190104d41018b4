#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the reader and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build build --parallel "$(nproc)" --target lexorin
exec build/lexorin "$@"
