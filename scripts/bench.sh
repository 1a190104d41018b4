#!/usr/bin/env bash
# Builds the reader optimised and runs every benchmark in bench/ (loading and page-turn
# painting, the shelf, decoding a labelled corpus, books opened in quick succession, chapter
# headings, the library database's saves and start-up, curl frames
# painted in the shown window with its shadow, ...). Figures go to standard output.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-bench --parallel "$(nproc)" --target benchmarks
export QT_QPA_PLATFORM=offscreen
for bench in build-bench/bench/bench_*; do
    [ -x "$bench" ] && "$bench" "$@"
done
