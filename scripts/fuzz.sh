#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time from the
# committed seed corpus: 60 s a target by default (for CI), 15 minutes with --long (for a
# campaign), or the number of seconds given. A crash, a hang, a leak or a sanitizer report
# fails the run; libFuzzer writes the input that caused it to build-fuzz/.
#   scripts/fuzz.sh [--long | seconds] [target...]    targets: decode_paginate settings handover
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
    --long) seconds=900; shift ;;
    ''|*[!0-9]*) seconds=60 ;;
    *) seconds=$1; shift ;;
esac
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(decode_paginate settings handover)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLEXORIN_FUZZ=ON -DBUILD_TESTING=OFF
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
    corpus=$(mktemp -d)
    seeds=fuzz/corpus/${target%%_*}
    echo "fuzz_$target: ${seconds} s from $seeds"
    (cd build-fuzz && ./fuzz/fuzz_$target -max_total_time="$seconds" -timeout=30 \
        -rss_limit_mb=4096 -print_final_stats=1 "$corpus" "../$seeds" 2>&1 \
        | grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)|ERROR|SUMMARY|Test unit written')
    rm -rf "$corpus"
done
