#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the reader and starts it. A book given as an
# argument is opened at start.
set -euo pipefail

arguments=()
for argument in "$@"; do
    case "$argument" in
        -*) arguments+=("$argument") ;;
        *) arguments+=("$(realpath -m -- "$argument")") ;;
    esac
done
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --parallel "$(nproc)" --target lexorin
exec "$(cat build/lexorin-path.txt)" "${arguments[@]}"
