#!/usr/bin/env bash
# Builds the reader optimised and runs every benchmark in bench/ (loading and page-turn
# painting, the shelf, decoding a labelled corpus, books opened in quick succession, chapter
# headings, the library database's saves and start-up, curl frames
# painted in the shown window with its shadow, ...). Figures go to standard output.
# The benchmarks share the run command's build folder, so neither builds the reader twice.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --parallel "$(nproc)" --target benchmarks
export QT_QPA_PLATFORM=offscreen
for bench in build/bench/bench_*; do
    if [ -f "$bench" ] && [ -x "$bench" ]; then
        echo "== $(basename "$bench")"
        "$bench" "$@"
    fi
done
