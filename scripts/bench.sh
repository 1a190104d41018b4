#!/usr/bin/env bash
# Builds the reader optimised and runs its benchmarks: loading and page-turn painting
# (bench_loading), the bookshelf rebuild (bench_shelf) and curl frames painted in the shown
# window with its shadow (bench_curl). Figures go to standard output.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-bench --parallel "$(nproc)" --target bench_loading bench_shelf bench_curl
export QT_QPA_PLATFORM=offscreen
for bench in build-bench/bench/bench_*; do
    [ -x "$bench" ] && "$bench" "$@"
done
